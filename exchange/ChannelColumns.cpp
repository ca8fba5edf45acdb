#include "exchange/ChannelColumns.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "exchange/CsvText.h"

#include <QHash>
#include <QVarLengthArray>
#include <span>

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
// Folded on the stack: every cell of an import is folded to be looked up.
using FoldedText = QVarLengthArray<QChar, 64>;
FoldedText FoldedOnStack(QStringView text) {
    FoldedText out;
    for (const QChar c : text)
        if (!c.isSpace()) out.append(c.toCaseFolded());
    return out;
}
QStringView ViewOf(const FoldedText& folded) {
    return QStringView(folded.data(), folded.size());
}
QString Folded(const QString& text) {
    return ViewOf(FoldedOnStack(text)).toString();
}

const std::array<Tr, 2>& YesNoWords() {
    static const std::array<Tr, 2> words{{t("No", "否"), t("Yes", "是")}};
    return words;
}

// The word tables of a column in code order; empty for the other columns.
std::span<const Tr> WordsOf(ChannelColumn column, bool hasDecodeTone) {
    switch (column) {
    case ChannelColumn::TxPower:
        return TxPowerWords();
    case ChannelColumn::ScanAdd:
        return ScanAddWords();
    case ChannelColumn::Spacing:
        return SpacingWords();
    case ChannelColumn::BusyLockout:
        return BusyLockoutWords();
    case ChannelColumn::Reverse:
    case ChannelColumn::TalkAround:
    case ChannelColumn::PttId:
        return OffOnWords();
    case ChannelColumn::OptSignal:
        return OptSignalWords();
    case ChannelColumn::SpUnmute:
        return SpUnmuteWords(hasDecodeTone);
    case ChannelColumn::TxEntered:
        return YesNoWords();
    default:
        return {};
    }
}

// The words of WordsOf folded, English and Chinese, made once: every cell of an
// import is looked up in them.
using FoldedTable = QList<std::pair<QString, QString>>;
const FoldedTable& FoldedWordsOf(ChannelColumn column, bool hasDecodeTone) {
    static const auto tables = [] {
        std::array<std::array<FoldedTable, 2>, kChannelColumnCount> all;
        for (int c = 0; c < kChannelColumnCount; ++c)
            for (const bool family : {false, true})
                for (const Tr& word : WordsOf(static_cast<ChannelColumn>(c), family))
                    all[static_cast<std::size_t>(c)][family].append({Folded(word.en), Folded(word.zh)});
        return all;
    }();
    return tables[static_cast<std::size_t>(column)][hasDecodeTone];
}

QString WordOrNumber(ChannelColumn column, int code, bool hasDecodeTone = false) {
    const std::span<const Tr> words = WordsOf(column, hasDecodeTone);
    if (code >= 0 && static_cast<std::size_t>(code) < words.size())
        return words[static_cast<std::size_t>(code)].en;
    return QString::number(code);
}

QString ToneCell(const FixedText<4>& tone) {
    const QString working = tone.text();
    const QString shown = working == kNoTone ? NoneToneWord() : ToneDataToShow(working);
    return shown == NoneToneWord() ? QStringLiteral("None") : shown;
}
} // namespace

const Tr& ColumnHeading(ChannelColumn column) {
    return Headings()[static_cast<std::size_t>(column)];
}

int ColumnOfHeading(const QString& heading) {
    // Every heading and alias folded, made once: each heading of every import and
    // paste is looked up in it. The first column of a spelling wins.
    static const QHash<QString, int> columns = [] {
        QHash<QString, int> all;
        const auto add = [&all](const QString& spelling, int column) {
            const QString folded = Folded(spelling);
            if (!all.contains(folded)) all.insert(folded, column);
        };
        for (int c = 0; c < kChannelColumnCount; ++c)
            for (const QString& spelling : {Headings()[static_cast<std::size_t>(c)].en,
                                            Headings()[static_cast<std::size_t>(c)].zh})
                add(spelling, c);
        for (const Alias& a : kAliases)
            add(QString::fromUtf8(a.text), static_cast<int>(a.column));
        return all;
    }();
    const QString folded = Folded(heading);
    return folded.isEmpty() ? -1 : columns.value(folded, -1);
}

QStringList ColumnHeadings() {
    QStringList list;
    for (const Tr& h : Headings())
        list.append(h.en);
    return list;
}

namespace {
// The code of a word by folding it and comparing it with the folded words.
int CodeOfFoldedWord(ChannelColumn column, const QString& word) {
    const FoldedText onStack = FoldedOnStack(word);
    const QStringView folded = ViewOf(onStack);
    const bool twoFamilies = column == ChannelColumn::SpUnmute;
    for (const bool family : {false, true}) {
        const FoldedTable& words = FoldedWordsOf(column, family);
        for (int i = 0; i < words.size(); ++i)
            if (folded == words.at(i).first || folded == words.at(i).second) return i;
        if (!twoFamilies) break;
    }
    return -1;
}
} // namespace

int CodeOfColumnWord(ChannelColumn column, const QString& word) {
    // The words as the program writes them (most cells of an import), with the
    // code folding gives them, made once: those need no folding.
    static const auto spelt = [] {
        std::array<QHash<QString, int>, kChannelColumnCount> all;
        for (int c = 0; c < kChannelColumnCount; ++c)
            for (const bool family : {false, true})
                for (const Tr& w : WordsOf(static_cast<ChannelColumn>(c), family))
                    for (const QString& spelling : {w.en, w.zh})
                        all[static_cast<std::size_t>(c)].insert(
                            spelling, CodeOfFoldedWord(static_cast<ChannelColumn>(c), spelling));
        return all;
    }();
    const QHash<QString, int>& known = spelt[static_cast<std::size_t>(column)];
    const auto found = known.constFind(word);
    return found != known.constEnd() ? *found : CodeOfFoldedWord(column, word);
}

QString ColumnWord(ChannelColumn column, int code) {
    const std::span<const Tr> words = WordsOf(column, false);
    return code >= 0 && static_cast<std::size_t>(code) < words.size()
               ? words[static_cast<std::size_t>(code)].en
               : QString();
}

namespace {
// The cells of channel `channelNumber`, whose entry is at `position` (-1: none).
QStringList CellsAt(const DocumentRecord& doc, int channelNumber, int position) {
    QStringList cells;
    cells.reserve(kChannelColumnCount);
    cells << QString::number(channelNumber) << QString::number(GroupOf(channelNumber))
          << QString::number(InGroupNumberOf(channelNumber));
    if (position < 0) {
        while (cells.size() < kChannelColumnCount)
            cells.append(QString());
        return cells;
    }
    const ChannelEntry& e = doc.channels[static_cast<std::size_t>(position)];
    const bool hasTx = e.txFreq.trimmedValue() != kNoFrequency.toLatin1();
    const bool hasDecode = e.decodeTone.trimmedValue() != kNoTone.toLatin1();
    cells << FreDataToShow(e.rxFreq.text());
    cells << (hasTx ? FreDataToShow(e.txFreq.text()) : QString());
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
} // namespace

QStringList ChannelCells(const DocumentRecord& doc, int channelNumber) {
    return CellsAt(doc, channelNumber, FindChannelEntry(doc, channelNumber));
}

QByteArray ExportChannelsCsv(const DocumentRecord& doc) {
    QString text = CsvLine(ColumnHeadings(), u',');
    const int count = std::clamp<int>(doc.channelCount, 0, kMaxChannels);
    const ChannelPositions positions(doc);
    for (int i = 0; i < count; ++i) {
        const int number = doc.channels[static_cast<std::size_t>(i)].number;
        text += CsvLine(CellsAt(doc, number, positions.of(number)), u',');
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString ChannelRowsText(const DocumentRecord& doc, const QList<int>& channelNumbers) {
    QString text = CsvLine(ColumnHeadings(), u'\t');
    for (int number : channelNumbers)
        text += CsvLine(ChannelCells(doc, number), u'\t');
    return text;
}
