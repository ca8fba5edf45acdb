#include "codec/Tone.h"

#include "core/AppState.h"
#include "core/MessageBox.h"
#include "core/ProgramFolder.h"

#include <QFile>

namespace {
constexpr int kCtcssCount = 50;
constexpr int kDcsCount = 116;
constexpr int kToneListSize = 1 + kCtcssCount + 2 * kDcsCount; // 283

const char* const kCtcss[kCtcssCount] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const char* const kDcs[kDcsCount] = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053", "054",
    "055", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132",
    "134", "135", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212",
    "217", "223", "225", "226", "243", "244", "245", "246", "251", "252", "254", "255", "261",
    "263", "265", "266", "271", "274", "305", "306", "311", "315", "325", "331", "332", "343",
    "345", "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "425", "431",
    "432", "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516",
    "523", "526", "532", "534", "546", "565", "606", "612", "624", "627", "631", "632", "645",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754", "765"};

// Position before the first entry of a kind in the tone list, and the kind's size.
int StartOf(ToneKind kind) {
    switch (kind) {
    case ToneKind::Ctcss:
        return 0;
    case ToneKind::DcsNormal:
        return kCtcssCount;
    case ToneKind::DcsInverted:
        return kCtcssCount + kDcsCount;
    }
    return 0;
}

int SizeOf(ToneKind kind) {
    return kind == ToneKind::Ctcss ? kCtcssCount : kDcsCount;
}

QStringList BuildList() {
    QStringList list;
    list.reserve(kToneListSize);
    list.append(QString());
    for (const char* t : kCtcss)
        list.append(QString::fromLatin1(t));
    for (const char* polarity : {"N", "I"})
        for (const char* code : kDcs)
            list.append(QStringLiteral("D") + QLatin1String(code) + QLatin1String(polarity));
    return list;
}

std::array<int, 83>& DecTableStore() {
    static std::array<int, 83> table{};
    return table;
}

// A working text up to its first NUL, without surrounding blanks.
QString WorkingValue(const QString& working) {
    return working.left(working.indexOf(QChar(0))).trimmed();
}

// One hexadecimal byte of a working text; false when it is not two hex digits.
bool HexByte(const QString& two, std::uint8_t* value) {
    if (two.size() != 2) return false;
    bool ok = false;
    const uint v = two.toUInt(&ok, 16);
    if (!ok) return false;
    *value = static_cast<std::uint8_t>(v);
    return true;
}
} // namespace

QString NoneToneWord() {
    return app().languageIndex == Chinese ? QStringLiteral("无") : QStringLiteral("None");
}

const QStringList& ToneList() {
    static QStringList list = BuildList();
    const QString none = NoneToneWord();
    if (list.first() != none) list.first() = none;
    return list;
}

QString ToneDataToShow(const QString& working) {
    const QString t = WorkingValue(working);
    if (t.isEmpty()) return QString();
    if (t == kNoTone) return NoneToneWord();
    std::uint8_t index = 0;
    if (t.size() != 4 || !HexByte(t.right(2), &index)) return NoneToneWord();
    const QString kindText = t.left(2);
    const ToneKind kind = kindText == QLatin1String("02")   ? ToneKind::DcsNormal
                          : kindText == QLatin1String("03") ? ToneKind::DcsInverted
                                                            : ToneKind::Ctcss;
    // An index past its kind's table (damaged file or radio) shows as none; the
    // stored value stays until the user chooses another tone.
    if (index >= SizeOf(kind)) return NoneToneWord();
    return ToneList().at(StartOf(kind) + 1 + index);
}

int FindToneIndex(const QString& display, ToneKind kind) {
    const QStringList& list = ToneList();
    const int start = StartOf(kind);
    const int last = start + SizeOf(kind);
    for (int i = start + 1; i <= last && i < list.size(); ++i)
        if (list.at(i) == display) return i - start - 1;
    return kDcsCount;
}

bool IsToneListText(const QString& display) {
    return ToneList().contains(display);
}

QString ShowToToneData(const QString& display) {
    if (display.isEmpty()) return display;
    if (display == NoneToneWord()) return kNoTone;
    int value = 0;
    if (display.endsWith(u'N'))
        value = 0x200 + FindToneIndex(display, ToneKind::DcsNormal);
    else if (display.endsWith(u'I'))
        value = 0x300 + FindToneIndex(display, ToneKind::DcsInverted);
    else
        value = 0x100 + FindToneIndex(display, ToneKind::Ctcss);
    return QString::number(value, 16).toUpper().rightJustified(4, u'0');
}

std::array<std::uint8_t, 2> ToneDataToImage(const QString& working) {
    std::array<std::uint8_t, 2> bytes{0xFF, 0xFF};
    const QString t = WorkingValue(working);
    std::uint8_t kind = 0;
    std::uint8_t index = 0;
    if (t.size() == 4 && HexByte(t.left(2), &kind) && HexByte(t.right(2), &index)) {
        bytes[0] = kind;
        bytes[1] = index;
    }
    return bytes;
}

QString ImageToToneData(std::uint8_t kind, std::uint8_t index) {
    static const char kHex[] = "0123456789ABCDEF";
    const char text[4] = {kHex[kind >> 4], kHex[kind & 15], kHex[index >> 4], kHex[index & 15]};
    return QString::fromLatin1(text, 4);
}

bool ReadDecTable() {
    QFile file(ProgramPath(QStringLiteral("dec.tbl")));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(107);
    if (bytes.size() < 107) {
        ShowMessage(QStringLiteral("Read dec.TBL File Error!"));
        return false;
    }
    auto& table = DecTableStore();
    for (int i = 0; i < 83; ++i)
        table[static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(bytes.at(i)) + (i >= 50 ? 256 : 0);
    return true;
}

const std::array<int, 83>& DecTable() {
    return DecTableStore();
}
