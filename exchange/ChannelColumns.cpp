#include "exchange/ChannelColumns.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "exchange/CsvText.h"

namespace {
Tr t(const char* en, const char* zh) {
    return Tr{QString::fromUtf8(en), QString::fromUtf8(zh)};
}

const std::array<Tr, kChannelColumnCount>& Headings() {
    static const std::array<Tr, kChannelColumnCount> headings{{
        t("CH", "信道"),
        t("Group", "组"),
        t("Row", "行"),
        t("RX MHz", "接收频率"),
        t("TX MHz", "发射频率"),
        t("Decode", "解码"),
        t("Encode", "编码"),
        t("TX Power", "发射功率"),
        t("Scan Add", "扫描添加"),
        t("Channel Spacing", "宽/窄带"),
        t("Busy Lock-out", "遇忙锁定"),
        t("Reverse", "倒频"),
        t("Talk Around", "脱网"),
        t("Opt Signal", "可选信令"),
        t("SP Unmute", "SP不静音"),
        t("PTT ID", "PTT ID"),
        t("Autodial Memory", "自动拨号存储器"),
        t("TX Entered", "发射已输入"),
        t("Reserved 1", "保留1"),
        t("Reserved 2", "保留2"),
    }};
    return headings;
}

// Other spellings a heading may have: the grid's and the edit window's captions.
struct Alias {
    const char* text;
    ChannelColumn column;
};
const Alias kAliases[] = {
    {"Channel", ChannelColumn::Channel},
    {"Channel Number", ChannelColumn::Channel},
    {"RX Frequency", ChannelColumn::Rx},
    {"RX", ChannelColumn::Rx},
    {"TX Frequency", ChannelColumn::Tx},
    {"TX", ChannelColumn::Tx},
    {"CTCSS/DCS Decode", ChannelColumn::Decode},
    {"CTCSS/DCS 解码", ChannelColumn::Decode},
    {"CTCSS/DCS Encode", ChannelColumn::Encode},
    {"CTCSS/DCS 编码", ChannelColumn::Encode},
    {"Busy Channel Lock-out", ChannelColumn::BusyLockout},
    {"Option Signaling", ChannelColumn::OptSignal},
    {"Option Signalling", ChannelColumn::OptSignal},
};

// Blanks removed and case folded: "rx mhz" and "RX  MHz" name the same column.
QString Folded(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (!c.isSpace()) out.append(c.toCaseFolded());
    return out;
}

const std::array<Tr, 2>& YesNoWords() {
    static const std::array<Tr, 2> words{{t("No", "否"), t("Yes", "是")}};
    return words;
}

template <std::size_t N> QList<Tr> ListOf(const std::array<Tr, N>& table) {
    return QList<Tr>(table.begin(), table.end());
}

// The word tables of a column in code order; empty for the other columns.
QList<Tr> WordsOf(ChannelColumn column, bool hasDecodeTone) {
    switch (column) {
    case ChannelColumn::TxPower:
        return ListOf(TxPowerWords());
    case ChannelColumn::ScanAdd:
        return ListOf(ScanAddWords());
    case ChannelColumn::Spacing:
        return ListOf(SpacingWords());
    case ChannelColumn::BusyLockout:
        return ListOf(BusyLockoutWords());
    case ChannelColumn::Reverse:
    case ChannelColumn::TalkAround:
    case ChannelColumn::PttId:
        return ListOf(OffOnWords());
    case ChannelColumn::OptSignal:
        return ListOf(OptSignalWords());
    case ChannelColumn::SpUnmute:
        return ListOf(SpUnmuteWords(hasDecodeTone));
    case ChannelColumn::TxEntered:
        return ListOf(YesNoWords());
    default:
        return {};
    }
}

QString WordOrNumber(ChannelColumn column, int code, bool hasDecodeTone = false) {
    const QList<Tr> words = WordsOf(column, hasDecodeTone);
    if (code >= 0 && code < words.size()) return words.at(code).en;
    return QString::number(code);
}

QString ToneCell(const FixedText<4>& tone) {
    const QString working = QString::fromLatin1(tone.raw());
    const QString shown = working == kNoTone ? NoneToneWord() : ToneDataToShow(working);
    return shown == NoneToneWord() ? QStringLiteral("None") : shown;
}
} // namespace

const Tr& ColumnHeading(ChannelColumn column) {
    return Headings()[static_cast<std::size_t>(column)];
}

int ColumnOfHeading(const QString& heading) {
    const QString folded = Folded(heading);
    if (folded.isEmpty()) return -1;
    for (int c = 0; c < kChannelColumnCount; ++c) {
        const Tr& h = Headings()[static_cast<std::size_t>(c)];
        if (folded == Folded(h.en) || folded == Folded(h.zh)) return c;
    }
    for (const Alias& a : kAliases)
        if (folded == Folded(QString::fromUtf8(a.text))) return static_cast<int>(a.column);
    return -1;
}

QStringList ColumnHeadings() {
    QStringList list;
    for (const Tr& h : Headings())
        list.append(h.en);
    return list;
}

int CodeOfColumnWord(ChannelColumn column, const QString& word) {
    const QString folded = Folded(word);
    const bool twoFamilies = column == ChannelColumn::SpUnmute;
    for (const bool family : {false, true}) {
        const QList<Tr> words = WordsOf(column, family);
        for (int i = 0; i < words.size(); ++i)
            if (folded == Folded(words.at(i).en) || folded == Folded(words.at(i).zh)) return i;
        if (!twoFamilies) break;
    }
    return -1;
}

QString ColumnWord(ChannelColumn column, int code) {
    const QList<Tr> words = WordsOf(column, false);
    return code >= 0 && code < words.size() ? words.at(code).en : QString();
}

QStringList ChannelCells(const DocumentRecord& doc, int channelNumber) {
    QStringList cells;
    cells << QString::number(channelNumber) << QString::number(GroupOf(channelNumber))
          << QString::number(InGroupNumberOf(channelNumber));
    const int position = FindChannelEntry(doc, channelNumber);
    if (position < 0) {
        while (cells.size() < kChannelColumnCount)
            cells.append(QString());
        return cells;
    }
    const ChannelEntry& e = doc.channels[static_cast<std::size_t>(position)];
    const bool hasTx = e.txFreq.trimmedValue() != kNoFrequency.toLatin1();
    const bool hasDecode = e.decodeTone.trimmedValue() != kNoTone.toLatin1();
    cells << FreDataToShow(QString::fromLatin1(e.rxFreq.raw()));
    cells << (hasTx ? FreDataToShow(QString::fromLatin1(e.txFreq.raw())) : QString());
    cells << ToneCell(e.decodeTone);
    // Without a TX frequency the grid shows no encode tone; one that is stored
    // anyway (a decode tone chosen afterwards is copied there) is kept.
    const QString encode = ToneCell(e.encodeTone);
    cells << (!hasTx && encode == QLatin1String("None") ? QString() : encode);
    cells << WordOrNumber(ChannelColumn::TxPower, e.txPower);
    cells << WordOrNumber(ChannelColumn::ScanAdd, e.scanAdd);
    cells << WordOrNumber(ChannelColumn::Spacing, e.spacing);
    cells << WordOrNumber(ChannelColumn::BusyLockout, e.busyLockout);
    cells << WordOrNumber(ChannelColumn::Reverse, e.reverse);
    cells << WordOrNumber(ChannelColumn::TalkAround, e.talkAround);
    cells << WordOrNumber(ChannelColumn::OptSignal, e.optSignal);
    cells << WordOrNumber(ChannelColumn::SpUnmute, e.spUnmute, hasDecode);
    cells << WordOrNumber(ChannelColumn::PttId, e.pttId);
    cells << QString::number(e.autodial + 1);
    // Yes for the stored flag 0, No for 1; any other flag as the number stored.
    cells << (e.txEntryFlag == 0 || e.txEntryFlag == 1
                  ? WordOrNumber(ChannelColumn::TxEntered, 1 - e.txEntryFlag)
                  : QString::number(e.txEntryFlag));
    cells << QString::number(e.reserved1) << QString::number(e.reserved2);
    return cells;
}

QByteArray ExportChannelsCsv(const DocumentRecord& doc) {
    QString text = CsvLine(ColumnHeadings(), u',');
    const int count = std::clamp<int>(doc.channelCount, 0, kMaxChannels);
    for (int i = 0; i < count; ++i)
        text += CsvLine(ChannelCells(doc, doc.channels[static_cast<std::size_t>(i)].number), u',');
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString ChannelRowsText(const DocumentRecord& doc, const QList<int>& channelNumbers) {
    QString text = CsvLine(ColumnHeadings(), u'\t');
    for (int number : channelNumbers)
        text += CsvLine(ChannelCells(doc, number), u'\t');
    return text;
}
