#include "core/DataFile.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "core/Band.h"
#include "core/DocumentOps.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/SettingsBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <bitset>

namespace {
// Field-by-field little-endian writer and reader of the record.
class Writer {
  public:
    void put(int16 v) { putLe(static_cast<std::uint16_t>(v), 2); }
    void put(int32 v) { putLe(static_cast<std::uint32_t>(v), 4); }
    template <std::size_t N> void put(const FixedText<N>& t) { bytes_.append(t.raw()); }
    QByteArray bytes_;

  private:
    void putLe(std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            bytes_.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
};

class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    void get(int16& v) { v = static_cast<int16>(getLe(2)); }
    void get(int32& v) { v = static_cast<int32>(getLe(4)); }
    template <std::size_t N> void get(FixedText<N>& t) {
        for (std::size_t i = 0; i < N; ++i)
            t.bytes[i] = bytes_.at(pos_++);
    }

  private:
    std::uint32_t getLe(int size) {
        std::uint32_t v = 0;
        for (int i = 0; i < size; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_.at(pos_++)))
                 << (8 * i);
        return v;
    }
    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

// One visitor for both directions keeps the field order in one place.
template <typename IO, typename Channel> void VisitChannel(IO& io, Channel& c) {
    io.put_or_get(c.number);
    io.put_or_get(c.inUse);
    io.put_or_get(c.rxFreq);
    io.put_or_get(c.txFreq);
    io.put_or_get(c.reserved0);
    io.put_or_get(c.txEntryFlag);
    io.put_or_get(c.decodeTone);
    io.put_or_get(c.encodeTone);
    io.put_or_get(c.optSignal);
    io.put_or_get(c.spUnmute);
    io.put_or_get(c.txPower);
    io.put_or_get(c.spacing);
    io.put_or_get(c.busyLockout);
    io.put_or_get(c.pttId);
    io.put_or_get(c.autodial);
    io.put_or_get(c.reserved1);
    io.put_or_get(c.scanAdd);
    io.put_or_get(c.reserved2);
    io.put_or_get(c.reverse);
    io.put_or_get(c.talkAround);
}

template <typename IO, typename Doc> void VisitDocument(IO& io, Doc& d) {
    io.put_or_get(d.channelCount);
    for (auto& c : d.channels)
        VisitChannel(io, c);
    io.put_or_get(d.model.modelName);
    io.put_or_get(d.model.bandIndex);

    auto& f = d.settings.features;
    auto& o = f.optional;
    io.put_or_get(o.totTime);
    io.put_or_get(o.totWarning);
    io.put_or_get(o.squelchLevel);
    io.put_or_get(o.micSensitivity);
    io.put_or_get(o.voicePrompt);
    io.put_or_get(o.batterySave);
    io.put_or_get(o.beep);
    io.put_or_get(o.scramblerActivation);
    io.put_or_get(o.scramblerBackup);
    io.put_or_get(o.pttIdType);
    io.put_or_get(o.pttIdMode);
    io.put_or_get(o.botCode);
    io.put_or_get(o.eotCode);
    io.put_or_get(o.voxFunction);
    io.put_or_get(o.voxLevel);
    io.put_or_get(o.voxDelay);
    io.put_or_get(o.cancelOperation);
    io.put_or_get(o.voxProceedTone);
    io.put_or_get(o.frequencyShow);
    io.put_or_get(o.cloneMode);
    io.put_or_get(o.eliminateSquelchTail);
    io.put_or_get(o.callResponse);
    io.put_or_get(o.compander);

    io.put_or_get(f.keys.pf1Short);
    io.put_or_get(f.keys.pf2Short);
    io.put_or_get(f.keys.pf1Long);
    io.put_or_get(f.keys.pf2Long);

    auto& s = f.scan;
    io.put_or_get(s.priorityType);
    for (auto& p : s.priorityChannel)
        io.put_or_get(p);
    io.put_or_get(s.lookBackA);
    io.put_or_get(s.lookBackB);
    io.put_or_get(s.revertChannel);
    io.put_or_get(s.dropoutDelay);
    io.put_or_get(s.txDwell);

    auto& t = f.dtmf;
    io.put_or_get(t.dtmfSpeed);
    io.put_or_get(t.firstDigitTime);
    io.put_or_get(t.firstDigitDelay);
    io.put_or_get(t.starHashTone);
    io.put_or_get(t.dCodeAssignment);
    io.put_or_get(t.sideTone);
    io.put_or_get(t.idCode);
    io.put_or_get(t.groupCode);
    io.put_or_get(t.autoResetTimer);
    io.put_or_get(t.callAlert);
    io.put_or_get(t.transpond);
    io.put_or_get(t.clearToTranspond);
    io.put_or_get(t.stunCode);
    io.put_or_get(t.stunType);

    auto& l = f.fleetLink;
    io.put_or_get(l.ownFleet);
    io.put_or_get(l.ownId);
    io.put_or_get(l.baudRate);
    io.put_or_get(l.txModulationDelay);
    io.put_or_get(l.messageModeTimer);
    io.put_or_get(l.pttIdSideTone);

    auto& r = d.settings;
    io.put_or_get(r.dtmfListCount);
    for (auto& e : r.dtmfList) {
        io.put_or_get(e.key);
        io.put_or_get(e.code);
    }
    io.put_or_get(r.reservedListCount);
    for (auto& e : r.reservedList) {
        io.put_or_get(e.key);
        io.put_or_get(e.text1);
        io.put_or_get(e.text2);
        io.put_or_get(e.value1);
        io.put_or_get(e.value2);
    }
    io.put_or_get(r.messageText1);
    io.put_or_get(r.messageText2);
    io.put_or_get(r.fleetLinkListCount);
    for (auto& e : r.fleetLinkList) {
        io.put_or_get(e.key);
        io.put_or_get(e.fleetCode);
        io.put_or_get(e.idCode);
    }
}

struct WriteVisitor {
    Writer w;
    template <typename T> void put_or_get(const T& v) { w.put(v); }
};
struct ReadVisitor {
    Reader r;
    template <typename T> void put_or_get(T& v) { r.get(v); }
};

bool CountsValid(const DocumentRecord& d) {
    const SettingsRecord& s = d.settings;
    if (d.channelCount < 0 || d.channelCount > kMaxChannels) return false;
    if (s.dtmfListCount < 0 || s.dtmfListCount > static_cast<int>(s.dtmfList.size())) return false;
    if (s.reservedListCount < 0 || s.reservedListCount > static_cast<int>(s.reservedList.size()))
        return false;
    if (s.fleetLinkListCount < 0 || s.fleetLinkListCount > static_cast<int>(s.fleetLinkList.size()))
        return false;
    std::bitset<kMaxChannels + 1> seen;
    for (int i = 0; i < d.channelCount; ++i) {
        const int n = d.channels[static_cast<std::size_t>(i)].number;
        if (n < 1 || n > kMaxChannels || seen.test(static_cast<std::size_t>(n))) return false;
        seen.set(static_cast<std::size_t>(n));
    }
    return true;
}

QByteArray SideBytes(const std::array<int16, 3>& values) {
    Writer w;
    for (int16 v : values)
        w.put(v);
    return w.bytes_;
}

std::array<int16, 3> FromSideBytes(const QByteArray& bytes) {
    Reader r(bytes);
    std::array<int16, 3> values{};
    for (int16& v : values)
        r.get(v);
    return values;
}

// Reads a whole file of exactly `size` bytes. 0: read, 1: wrong size, 2: cannot be read.
enum class ReadResult { Ok, WrongSize, Error };
ReadResult ReadExact(const QString& path, qint64 size, QByteArray* bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ReadResult::Error;
    if (file.size() != size) return ReadResult::WrongSize;
    *bytes = file.readAll();
    if (bytes->size() != size) return ReadResult::Error;
    return ReadResult::Ok;
}

void ShowFileMessage(Msg entry) {
    ShowMessage(MessageText(entry));
}

// Reads a template data file into the saved copy. False when it cannot be used
// (missing, unreadable, damaged or wrong length; the wrong length is reported).
bool ReadTemplateInto(const QString& path) {
    QByteArray bytes;
    const ReadResult result = ReadExact(path, kDataFileSize, &bytes);
    if (result == ReadResult::WrongSize) ShowFileMessage(Msg::FileVersionError);
    if (result != ReadResult::Ok) return false;
    DocumentRecord record;
    if (!DeserializeDocument(bytes, &record)) return false;
    app().savedDocument = record;
    return true;
}
} // namespace

QByteArray SerializeDocument(const DocumentRecord& record) {
    WriteVisitor v;
    v.w.bytes_.reserve(kDataFileSize);
    VisitDocument(v, record);
    return v.w.bytes_;
}

bool DeserializeDocument(const QByteArray& bytes, DocumentRecord* record) {
    if (bytes.size() != kDataFileSize) return false;
    DocumentRecord parsed;
    ReadVisitor v{Reader(bytes)};
    VisitDocument(v, parsed);
    if (!CountsValid(parsed)) return false;
    *record = parsed;
    return true;
}

QString SideFileNameOf(const QString& dataPath) {
    if (dataPath.size() < 3) return dataPath + QStringLiteral(".NVD");
    return dataPath.left(dataPath.size() - 3) + QStringLiteral("NVD");
}

QString WithDataFileExtension(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0)
        return path;
    QString named = path;
    if (named.endsWith(u'.')) named.chop(1);
    return named + QStringLiteral(".dat");
}

bool ReadDataFile(const QString& path, DocumentRecord* record, SideValues* side) {
    QByteArray bytes;
    const ReadResult result = ReadExact(path, kDataFileSize, &bytes);
    if (result == ReadResult::WrongSize) {
        ShowFileMessage(Msg::FileVersionError);
        return false;
    }
    if (result != ReadResult::Ok || !DeserializeDocument(bytes, record)) {
        ShowFileMessage(Msg::FileError);
        return false;
    }
    *side = ReadSideValues(path, *side);
    return true;
}

bool LoadDataFile(const QString& path) {
    AppState& s = app();
    DocumentRecord record;
    SideValues side = s.savedSideValues;
    if (!ReadDataFile(path, &record, &side)) return false;
    s.savedDocument = record;
    s.savedSideValues = side;
    LoadFromSavedCopy();
    s.documentName = path;
    s.isNewDocument = false;
    DocumentReplaced();
    return true;
}

bool SaveDataFile(const QString& path) {
    AppState& s = app();
    const DocumentRecord previousSaved = s.savedDocument;
    const SideValues previousSide = s.savedSideValues;
    StoreSavedCopy();
    if (!WriteFileSafely(path, SerializeDocument(s.savedDocument)) || !WriteSideFile(path)) {
        // The document still differs from what is on disk: keep it counted as modified.
        s.savedDocument = previousSaved;
        s.savedSideValues = previousSide;
        ShowFileMessage(Msg::FileError);
        return false;
    }
    s.documentName = path;
    s.isNewDocument = false;
    return true;
}

SideValues ReadSideValues(const QString& dataPath, const SideValues& unreadable) {
    QByteArray bytes;
    switch (ReadExact(SideFileNameOf(dataPath), kSideFileSize, &bytes)) {
    case ReadResult::Ok: {
        const auto v = FromSideBytes(bytes);
        return SideValues{v[0], v[1], v[2]};
    }
    case ReadResult::WrongSize:
        return SideValues{};
    case ReadResult::Error:
        if (!QFileInfo::exists(SideFileNameOf(dataPath))) return SideValues{};
        break;
    }
    return unreadable;
}

void ReadSideFile(const QString& dataPath) {
    AppState& s = app();
    s.savedSideValues = ReadSideValues(dataPath, s.savedSideValues);
}

QByteArray SerializeSideValues(const SideValues& v) {
    return SideBytes({v.alertUnlocked, v.functionUnlocked, v.bandExtension});
}

bool WriteSideFile(const QString& dataPath) {
    return WriteFileSafely(SideFileNameOf(dataPath), SerializeSideValues(app().savedSideValues));
}

void LoadTemplate() {
    AppState& s = app();
    const QString folder = ProgramPath(QStringLiteral("Init"));
    const QString bandDigits = QString::number(BandIndexOf(s.bandText));
    const bool plainModel = !s.currentModel.contains(u'/') && !s.currentModel.contains(u'\\');
    const QString own = folder + u'/' + s.currentModel + u'_' + bandDigits + QStringLiteral(".dat");
    const QString fallback = folder + QStringLiteral("/VM427_2.dat");

    if (plainModel && QFileInfo::exists(own)) {
        if (ReadTemplateInto(own)) {
            ReadSideFile(own);
            LoadFromSavedCopy();
            return;
        }
    } else if (QFileInfo::exists(fallback)) {
        if (ReadTemplateInto(fallback)) {
            DocumentRecord& saved = s.savedDocument;
            saved.model.modelName.assignTerminated(ToAnsi(s.currentModel));
            saved.model.bandIndex = BandIndexOf(s.bandText);
            saved.channelCount = 0;
            ReadSideFile(fallback);
            LoadFromSavedCopy();
            return;
        }
    }
    // No usable template: the defaults already set become the saved state, so a
    // new document does not count as modified.
    StoreSavedCopy();
}

void ReadSettingsFile() {
    QByteArray bytes;
    if (ReadExact(UserPath(QStringLiteral("Setting.ini")), kSideFileSize, &bytes) ==
        ReadResult::Ok)
        app().radioFlags = FromSideBytes(bytes);
    else
        app().radioFlags = {0, 0, 0};
    app().radioFlagsInFile = app().radioFlags;
}

bool WriteSettingsFile() {
    AppState& s = app();
    const bool written = WriteChangedSettings(UserPath(QStringLiteral("Setting.ini")),
                                              SideBytes(s.radioFlags),
                                              SideBytes(s.radioFlagsInFile), sizeof(int16));
    if (written) s.radioFlagsInFile = s.radioFlags;
    return written;
}

bool WriteFileSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) return false;
    return QFileInfo(path).size() == bytes.size();
}
