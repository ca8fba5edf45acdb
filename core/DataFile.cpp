#include "core/DataFile.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentEdits.h"
#include "core/DocumentOps.h"
#include "core/FileFailure.h"
#include "core/FileWrite.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/SettingsBytes.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cstdlib>

namespace {
// Field-by-field little-endian writer and reader of the record.
class Writer {
  public:
    // Writes into `out`, which has room for `size` bytes: the record's thousands
    // of fields go into one allocation.
    Writer(char* out, qsizetype size) : out_(out), size_(size) {}
    void put(int16 v) { putLe(static_cast<std::uint16_t>(v), 2); }
    void put(int32 v) { putLe(static_cast<std::uint32_t>(v), 4); }
    template <std::size_t N> void put(const FixedText<N>& t) {
        std::copy_n(t.bytes.data(), N, room(static_cast<qsizetype>(N)));
    }
    qsizetype written() const { return pos_; }

  private:
    void putLe(std::uint32_t v, int size) {
        char* at = room(size);
        for (int i = 0; i < size; ++i)
            at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    char* room(qsizetype count) {
        if (pos_ + count > size_) std::abort(); // the layout and its size disagree
        char* at = out_ + pos_;
        pos_ += count;
        return at;
    }
    char* out_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    void get(int16& v) { v = static_cast<int16>(getLe(2)); }
    void get(int32& v) { v = static_cast<int32>(getLe(4)); }
    template <std::size_t N> void get(FixedText<N>& t) {
        std::copy_n(bytes_.constData() + pos_, N, t.bytes.begin());
        pos_ += static_cast<qsizetype>(N);
    }

  private:
    std::uint32_t getLe(int size) {
        const char* at = bytes_.constData() + pos_;
        std::uint32_t v = 0;
        for (int i = 0; i < size; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
        pos_ += size;
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

// What makes a record unusable, in the current language; empty when it is usable.
QString RecordProblem(const DocumentRecord& d) {
    static const Tr notData{QStringLiteral("not a data file: %1"),
                            QStringLiteral("不是数据文件：%1")};
    static const Tr channelCount{QStringLiteral("channel count %1"), QStringLiteral("信道数 %1")};
    static const Tr dtmfCount{QStringLiteral("DTMF list count %1"),
                              QStringLiteral("DTMF 列表数 %1")};
    static const Tr reservedCount{QStringLiteral("reserved list count %1"),
                                  QStringLiteral("保留列表数 %1")};
    static const Tr fleetLinkCount{QStringLiteral("FleetLink list count %1"),
                                   QStringLiteral("FleetLink 列表数 %1")};
    static const Tr badNumber{QStringLiteral("channel number %1"), QStringLiteral("信道号 %1")};
    static const Tr repeated{QStringLiteral("channel number %1 twice"),
                             QStringLiteral("信道号 %1 重复")};
    const auto outside = [](int count, std::size_t size) {
        return count < 0 || count > static_cast<int>(size);
    };
    const SettingsRecord& s = d.settings;
    QString problem;
    if (outside(d.channelCount, d.channels.size()))
        problem = channelCount().arg(d.channelCount);
    else if (outside(s.dtmfListCount, s.dtmfList.size()))
        problem = dtmfCount().arg(s.dtmfListCount);
    else if (outside(s.reservedListCount, s.reservedList.size()))
        problem = reservedCount().arg(s.reservedListCount);
    else if (outside(s.fleetLinkListCount, s.fleetLinkList.size()))
        problem = fleetLinkCount().arg(s.fleetLinkListCount);
    std::bitset<kMaxChannels + 1> seen;
    for (int i = 0; problem.isEmpty() && i < d.channelCount; ++i) {
        const int n = d.channels[static_cast<std::size_t>(i)].number;
        if (n < 1 || n > kMaxChannels)
            problem = badNumber().arg(n);
        else if (seen.test(static_cast<std::size_t>(n)))
            problem = repeated().arg(n);
        else
            seen.set(static_cast<std::size_t>(n));
    }
    return problem.isEmpty() ? problem : notData().arg(problem);
}

QByteArray SideBytes(const std::array<int16, 3>& values) {
    QByteArray bytes(kSideFileSize, Qt::Uninitialized);
    Writer w(bytes.data(), bytes.size());
    for (int16 v : values)
        w.put(v);
    return bytes;
}

std::array<int16, 3> FromSideBytes(const QByteArray& bytes) {
    Reader r(bytes);
    std::array<int16, 3> values{};
    for (int16& v : values)
        r.get(v);
    return values;
}

// Reads a whole file of exactly `size` bytes; on failure `reason` says why.
enum class ReadResult { Ok, WrongSize, Error };
ReadResult ReadExact(const QString& path, qint64 size, QByteArray* bytes, QString* reason) {
    QFile file(path);
    *reason = OpenToRead(file);
    if (!reason->isEmpty()) return ReadResult::Error;
    if (file.size() != size) {
        *reason = WrongSizeText(file.size(), size);
        return ReadResult::WrongSize;
    }
    *bytes = file.readAll();
    if (bytes->size() != size) {
        *reason = file.errorString();
        return ReadResult::Error;
    }
    return ReadResult::Ok;
}

// Reads and checks a data file (or template); false with the message entry and
// the failure when it cannot be used.
bool ReadRecord(const QString& path, DocumentRecord* record, Msg* entry, FileFailure* failure) {
    QByteArray bytes;
    failure->path = path;
    const ReadResult result = ReadExact(path, kDataFileSize, &bytes, &failure->reason);
    *entry = result == ReadResult::WrongSize ? Msg::FileVersionError : Msg::FileError;
    if (result != ReadResult::Ok) return false;
    return DeserializeDocument(bytes, record, &failure->reason);
}

// The side values beside a data file into `values`: 0, 0, 0 when the side file
// is missing. False, with the reason, when it exists but cannot be used.
bool ReadSideBeside(const QString& dataPath, SideValues* values, QString* reason) {
    const QString sidePath = SideFileNameOf(dataPath);
    QByteArray bytes;
    *values = SideValues{};
    if (ReadExact(sidePath, kSideFileSize, &bytes, reason) == ReadResult::Ok) {
        const auto v = FromSideBytes(bytes);
        *values = SideValues{v[0], v[1], v[2]};
        return true;
    }
    const QFileInfo side(sidePath);
    return !side.exists() && !side.isSymLink();
}

// The side values beside a data file: 0, 0, 0 when the side file is missing,
// and also when it exists but cannot be used, which is said in a warning.
SideValues SideValuesBeside(const QString& dataPath) {
    static const Tr warning{
        QStringLiteral("The side file %1 cannot be used (%2): its values are taken as 0, 0, 0."),
        QStringLiteral("附属文件 %1 无法使用（%2），其值按 0, 0, 0 处理。")};
    SideValues values;
    QString reason;
    if (!ReadSideBeside(dataPath, &values, &reason))
        ShowMessage(warning().arg(SideFileNameOf(dataPath), reason));
    return values;
}

// Reads a template data file into the saved copy. False, with the template's
// path and the reason shown, when it cannot be used.
bool ReadTemplateInto(const QString& path) {
    DocumentRecord record;
    Msg entry = Msg::FileError;
    FileFailure failure;
    if (!ReadRecord(path, &record, &entry, &failure)) {
        ShowFileFailure(entry, failure);
        return false;
    }
    app().savedDocument = record;
    return true;
}
} // namespace

QByteArray SerializeDocument(const DocumentRecord& record) {
    QByteArray bytes(kDataFileSize, Qt::Uninitialized);
    WriteVisitor v{Writer(bytes.data(), bytes.size())};
    VisitDocument(v, record);
    bytes.truncate(v.w.written());
    return bytes;
}

bool DeserializeDocument(const QByteArray& bytes, DocumentRecord* record, QString* problem) {
    if (bytes.size() != kDataFileSize) {
        if (problem) *problem = WrongSizeText(bytes.size(), kDataFileSize);
        return false;
    }
    DocumentRecord parsed;
    ReadVisitor v{Reader(bytes)};
    VisitDocument(v, parsed);
    const QString found = RecordProblem(parsed);
    if (!found.isEmpty()) {
        if (problem) *problem = found;
        return false;
    }
    *record = parsed;
    return true;
}

QString SideFileNameOf(const QString& dataPath) {
    if (dataPath.size() < 3) return dataPath + QStringLiteral(".NVD");
    return dataPath.left(dataPath.size() - 3) + QStringLiteral("NVD");
}

QString DataFilePathProblem(const QString& path) {
    static const Tr noExtension{
        QStringLiteral("the name needs an extension of three characters, such as .dat, "
                       "which the side file's name replaces"),
        QStringLiteral("文件名需要三个字符的扩展名（如 .dat），附属文件名将替换它")};
    static const Tr ownSide{QStringLiteral("the name is that of its own side file"),
                            QStringLiteral("该文件名与其附属文件名相同")};
    const QFileInfo info(path);
    if (info.isDir()) return SystemErrorText(EISDIR);
    const QString name = info.fileName();
    if (name.size() < 5 || name.at(name.size() - 4) != u'.') return noExtension();
    if (SideFileNameOf(path) == path) return ownSide();
    return {};
}

QString WithDataFileExtension(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0)
        return path;
    QString named = path;
    if (named.endsWith(u'.')) named.chop(1);
    return named + QStringLiteral(".dat");
}

bool ReadDataFile(const QString& path, DocumentRecord* record, SideValues* side) {
    Msg entry = Msg::FileError;
    FileFailure failure;
    if (!ReadRecord(path, record, &entry, &failure)) {
        ShowFileFailure(entry, failure);
        return false;
    }
    *side = SideValuesBeside(path);
    return true;
}

bool LoadDataFile(const QString& path) {
    AppState& s = app();
    DocumentRecord record;
    SideValues side;
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
    // The data file and its side file are one document: both are replaced or neither.
    FileFailure failure;
    if (!WriteFilesTogether({{path, SerializeDocument(s.savedDocument)},
                             {SideFileNameOf(path), SerializeSideValues(s.savedSideValues)}},
                            &failure)) {
        // The document still differs from what is on disk: keep it counted as modified.
        s.savedDocument = previousSaved;
        s.savedSideValues = previousSide;
        ShowFileFailure(Msg::FileError, failure);
        return false;
    }
    s.documentName = path;
    s.isNewDocument = false;
    return true;
}

void ReadSideFile(const QString& dataPath) {
    app().savedSideValues = SideValuesBeside(dataPath);
}

SideValues ReadSideValues(const QString& dataPath, const SideValues& unusable) {
    SideValues values;
    QString reason;
    return ReadSideBeside(dataPath, &values, &reason) ? values : unusable;
}

QByteArray SerializeSideValues(const SideValues& v) {
    return SideBytes({v.alertUnlocked, v.functionUnlocked, v.bandExtension});
}

bool LoadTemplate() {
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
            return true;
        }
    } else if (ReadTemplateInto(fallback)) {
        DocumentRecord& saved = s.savedDocument;
        saved.model.modelName.assignTerminated(ToAnsi(s.currentModel));
        saved.model.bandIndex = BandIndexOf(s.bandText);
        saved.channelCount = 0;
        ReadSideFile(fallback);
        LoadFromSavedCopy();
        return true;
    }
    // No usable template (said above): the defaults already set become the saved
    // state, so a new document does not count as modified.
    StoreSavedCopy();
    return false;
}

void ReadSettingsFile() {
    QByteArray bytes;
    QString reason;
    if (ReadExact(UserPath(QStringLiteral("Setting.ini")), kSideFileSize, &bytes, &reason) ==
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
