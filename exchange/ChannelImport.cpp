#include "exchange/ChannelImport.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/CNumber.h"
#include "core/DocumentEdits.h"
#include "core/Hooks.h"
#include "core/Language.h"
#include "core/SpreadsheetCell.h"
#include "exchange/ChannelColumns.h"
#include "exchange/CsvText.h"

#include <QHash>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

namespace {
using Column = ChannelColumn;

QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}

QString PlainNumber(double value) {
    return QLocale::c().toString(value, 'g', 15);
}

// Where each known column is in a record (-1: the text has no such column), and
// the headings as the text spells them.
struct ColumnMap {
    std::array<int, kChannelColumnCount> index{};
    QStringList headings;
    ColumnMap() { index.fill(-1); }
    bool has(Column c) const { return index[static_cast<std::size_t>(c)] >= 0; }
    // The cell of a column: nullopt when the text has no such column; a record
    // shorter than the heading gives empty cells. The "'" that keeps a text from
    // being run as a formula is not part of the value.
    std::optional<QString> cell(const CsvRecord& r, Column c) const {
        const int i = index[static_cast<std::size_t>(c)];
        if (i < 0) return std::nullopt;
        return i < r.fields.size() ? FromSpreadsheetSafeCell(r.fields.at(i).trimmed()) : QString();
    }
    // In Chinese the program's own name of the column, so that a report reads in
    // one language; else the heading as the text spells it.
    QString name(Column c) const {
        if (app().languageIndex == Chinese) return ColumnHeading(c).zh;
        const int i = index[static_cast<std::size_t>(c)];
        return i >= 0 && i < headings.size() ? headings.at(i).trimmed() : ColumnHeading(c).en;
    }
};

// The values of one row after checking, ready to be applied.
struct RowValues {
    QString rx; // display text, empty: no channel
    std::optional<QString> tx;
    std::optional<QString> decode; // tone list text (the none word of the language)
    std::optional<QString> encode;
    // Coded and numeric columns as the data file stores them (autodial: the
    // memory number; TX Entered: the stored flag).
    std::array<std::optional<int>, kChannelColumnCount> code;
    std::optional<int> channel, group, row;
    bool onlyPosition = true; // nothing but the channel's position is given
    int get(Column c, int fallback) const {
        return code[static_cast<std::size_t>(c)].value_or(fallback);
    }
};

constexpr int kInt16Low = -32768;
constexpr int kInt16High = 32767;

class RowReader {
  public:
    RowReader(const ColumnMap& map, const CsvRecord& record, QList<ImportProblem>& problems,
              QList<ImportProblem>& warnings)
        : map_(map), record_(record), problems_(problems), warnings_(warnings) {}

    bool read(RowValues& v) {
        v.channel = integer(Column::Channel, 1, kMaxChannels);
        v.group = integer(Column::Group, 1, kGroups);
        v.row = integer(Column::Row, 1, kChannelsPerGroup);
        if (auto rx = map_.cell(record_, Column::Rx); rx && !rx->isEmpty()) {
            v.onlyPosition = false;
            v.rx = frequency(Column::Rx, *rx, RxFreq);
        }
        if (auto tx = map_.cell(record_, Column::Tx)) {
            if (!tx->isEmpty()) v.onlyPosition = false;
            v.tx = tx->isEmpty() ? QString() : frequency(Column::Tx, *tx, TxFreq);
        }
        v.decode = tone(Column::Decode, v);
        v.encode = tone(Column::Encode, v);
        for (Column c : {Column::TxPower, Column::ScanAdd, Column::Spacing, Column::BusyLockout,
                         Column::Reverse, Column::TalkAround, Column::OptSignal, Column::SpUnmute,
                         Column::PttId, Column::TxEntered})
            v.code[static_cast<std::size_t>(c)] = word(c, v);
        // The data file keeps the memory number less one in 16 bits.
        v.code[static_cast<std::size_t>(Column::Autodial)] =
            value(Column::Autodial, kInt16Low + 1, kInt16High + 1, v);
        if (const int memory = v.get(Column::Autodial, 1); memory < 1 || memory > 8)
            warning(Column::Autodial, Say("NotOffered").arg(memory).arg(QStringLiteral("1-8")));
        for (Column c : {Column::Reserved1, Column::Reserved2})
            v.code[static_cast<std::size_t>(c)] = value(c, kInt16Low, kInt16High, v);
        if (v.rx.isEmpty() && !v.onlyPosition && !failed_) problem(Column::Rx, Say("MissingRx"));
        if (!failed_ && !v.rx.isEmpty()) combinations(v);
        if (failed_) warnings_.resize(warningsBefore_); // a row left out warns of nothing
        return !failed_;
    }

  private:
    void problem(Column c, const QString& message) {
        problems_.append({record_.line, map_.name(c), message});
        failed_ = true;
    }
    void warning(Column c, const QString& message) {
        warnings_.append({record_.line, map_.name(c), message, true});
    }

    std::optional<int> integer(Column c, int low, int high) {
        const auto text = map_.cell(record_, c);
        if (!text || text->isEmpty()) return std::nullopt;
        int n = 0;
        if (ParseCInt(*text, &n) && n >= low && n <= high) return n;
        problem(c, Say("NotNumber").arg(*text).arg(low).arg(high));
        return std::nullopt;
    }

    std::optional<int> value(Column c, int low, int high, RowValues& v) {
        const auto text = map_.cell(record_, c);
        if (text && !text->isEmpty()) v.onlyPosition = false;
        return integer(c, low, high);
    }

    QString frequency(Column c, const QString& text, int kind) {
        double mhz = 0;
        if (!ParseMHz(text, &mhz)) {
            problem(c, Say("NotFrequency").arg(text));
            return QString();
        }
        if (CheckFreRange(mhz, kind, false) != mhz) {
            problem(c,
                    Say("OutsideBand")
                        .arg(text, PlainNumber(app().bandLower), PlainNumber(UpperLimitFor(kind))));
            return QString();
        }
        return FormatMHz(mhz); // as the windows format it: already inside the band
    }

    std::optional<QString> tone(Column c, RowValues& v) {
        const auto text = map_.cell(record_, c);
        if (!text) return std::nullopt;
        if (text->isEmpty() || CodeOfColumnWord(Column::OptSignal, *text) == 0)
            return NoneToneWord(); // empty, "None" or its Chinese word
        v.onlyPosition = false;
        QString shown = text->toUpper();
        double hertz = 0;
        if (ParseMHz(shown, &hertz)) shown = QLocale::c().toString(hertz, 'f', 1); // 100 -> 100.0
        if (shown != NoneToneWord() && IsToneListText(shown)) return shown;
        problem(c, Say("NotTone").arg(*text));
        return std::nullopt;
    }

    // A word of the column, or the number the data file stores (a number the
    // channel windows do not offer is taken with a warning).
    std::optional<int> word(Column c, RowValues& v) {
        const auto text = map_.cell(record_, c);
        if (!text || text->isEmpty()) return std::nullopt;
        v.onlyPosition = false;
        const int code = CodeOfColumnWord(c, *text);
        if (code >= 0) return c == Column::TxEntered ? 1 - code : code; // Yes: flag 0
        QStringList words;
        for (int i = 0; !ColumnWord(c, i).isEmpty(); ++i)
            words.append(ColumnWord(c, i));
        int stored = 0;
        if (ParseCInt(*text, &stored) && stored >= kInt16Low && stored <= kInt16High) {
            const int offered = c == Column::TxEntered ? 1 - stored : stored;
            if (offered < 0 || offered >= words.size())
                warning(c, Say("NotOffered").arg(*text, words.join(QStringLiteral(", "))));
            return stored;
        }
        problem(c, Say("NotWord").arg(*text, words.join(QStringLiteral(", "))));
        return std::nullopt;
    }

    // What the channel windows never let a channel hold: taken as it stands.
    void combinations(const RowValues& v) {
        const bool hasTx = !v.tx || !v.tx->isEmpty();
        const bool hasDecode =
            v.decode ? *v.decode != NoneToneWord() : v.encode && *v.encode != NoneToneWord();
        const bool optSignal = v.get(Column::OptSignal, 0) != 0;
        const int busy = v.get(Column::BusyLockout, 0);
        if (busy == 2 && !hasDecode) warning(Column::BusyLockout, Say("RepeaterNeedsDecode"));
        if (busy == 3 && !optSignal) warning(Column::BusyLockout, Say("NeedsOptSignal"));
        if (v.get(Column::SpUnmute, 0) != 0 && !optSignal)
            warning(Column::SpUnmute, Say("NeedsOptSignal"));
        if (v.get(Column::Reverse, 0) == 1 && !hasTx)
            warning(Column::Reverse, Say("ReverseNeedsTx"));
        if (v.get(Column::Reverse, 0) == 1 && v.get(Column::TalkAround, 0) == 1)
            warning(Column::TalkAround, Say("ReverseAndTalkAround"));
        if (v.get(Column::TxEntered, 1) == 0 && !hasTx)
            warning(Column::TxEntered, Say("EnteredNeedsTx"));
    }

    const ColumnMap& map_;
    const CsvRecord& record_;
    QList<ImportProblem>& problems_;
    QList<ImportProblem>& warnings_;
    const qsizetype warningsBefore_ = warnings_.size();
    bool failed_ = false;
};

template <std::size_t N> QString WordOf(const std::array<Tr, N>& table, int code) {
    return WordOfCode(table, code);
}

// The row's values stored into a channel that holds the new-channel defaults,
// field by field as the channel windows would store them: what the row leaves
// out follows from what it gives, as in the windows.
void ApplyRow(ChannelEntry& e, const RowValues& v) {
    if (v.tx) SaveChannelField(e, FieldTxFreq, *v.tx);
    // A first tone is copied to the other one; the order keeps a tone set to None
    // as None.
    const bool decodeNone = v.decode && *v.decode == NoneToneWord();
    if (decodeNone) {
        if (v.encode) SaveChannelField(e, FieldEncodeTone, *v.encode);
        SaveChannelField(e, FieldDecodeTone, *v.decode);
    } else {
        if (v.decode) SaveChannelField(e, FieldDecodeTone, *v.decode);
        if (v.encode) SaveChannelField(e, FieldEncodeTone, *v.encode);
    }
    const auto& code = v.code;
    auto set = [&](Column c, int field, auto&& text) {
        if (const auto value = code[static_cast<std::size_t>(c)])
            SaveChannelField(e, field, text(*value));
    };
    set(Column::OptSignal, FieldOptSignal, [](int c) { return WordOf(OptSignalWords(), c); });
    set(Column::SpUnmute, FieldSpUnmute, [&](int c) {
        return WordOf(SpUnmuteWords(e.decodeTone.trimmedValue() != kNoTone.toLatin1()), c);
    });
    set(Column::BusyLockout, FieldBusyLockout, [](int c) { return WordOf(BusyLockoutWords(), c); });
    set(Column::TxPower, FieldTxPower, [](int c) { return WordOf(TxPowerWords(), c); });
    set(Column::Spacing, FieldSpacing, [](int c) { return WordOf(SpacingWords(), c); });
    set(Column::PttId, FieldPttId, [](int c) { return WordOf(OffOnWords(), c); });
    auto number = [](int c) { return QString::number(c); };
    set(Column::ScanAdd, FieldScanAdd, number);
    set(Column::Autodial, FieldAutodial, number);
    set(Column::Reserved1, FieldReserved1, number);
    set(Column::Reserved2, FieldReserved2, number);
    set(Column::Reverse, FieldReverse, number);
    set(Column::TalkAround, FieldTalkAround, number);
}

// Then every value the row gives is stored exactly as it stands, whatever the
// windows' side effects made of it.
void StoreGivenValues(ChannelEntry& e, const RowValues& v) {
    if (v.tx) e.txFreq.assignLatin1(v.tx->isEmpty() ? kNoFrequency : ShowToFreData(*v.tx));
    const auto toneData = [](const QString& shown) {
        return shown == NoneToneWord() ? kNoTone : ShowToToneData(shown);
    };
    if (v.decode) e.decodeTone.assignLatin1(toneData(*v.decode));
    if (v.encode) e.encodeTone.assignLatin1(toneData(*v.encode));
    const std::pair<Column, int16 ChannelEntry::*> fields[] = {
        {Column::OptSignal, &ChannelEntry::optSignal},
        {Column::SpUnmute, &ChannelEntry::spUnmute},
        {Column::TxPower, &ChannelEntry::txPower},
        {Column::Spacing, &ChannelEntry::spacing},
        {Column::BusyLockout, &ChannelEntry::busyLockout},
        {Column::PttId, &ChannelEntry::pttId},
        {Column::Reserved1, &ChannelEntry::reserved1},
        {Column::ScanAdd, &ChannelEntry::scanAdd},
        {Column::Reserved2, &ChannelEntry::reserved2},
        {Column::Reverse, &ChannelEntry::reverse},
        {Column::TalkAround, &ChannelEntry::talkAround},
        {Column::TxEntered, &ChannelEntry::txEntryFlag},
    };
    for (const auto& [column, field] : fields)
        if (const auto value = v.code[static_cast<std::size_t>(column)])
            e.*field = static_cast<int16>(*value);
    if (const auto memory = v.code[static_cast<std::size_t>(Column::Autodial)])
        e.autodial = static_cast<int16>(*memory - 1);
}

// Sets channel `number` of the document from a checked row, in place when the
// channel exists, else appended. The fields that no column carries (the
// reserved word after TX, the in-use word) keep the values of the base
// document's channel of that number.
void StoreRow(DocumentRecord& doc, int number, const RowValues& v, const DocumentRecord& base,
              const ChannelPositions& inBase) {
    int position = FindChannelEntry(doc, number);
    if (v.rx.isEmpty()) {
        RemoveChannelEntry(doc, position);
        return;
    }
    if (position >= 0)
        doc.channels[static_cast<std::size_t>(position)] = NewChannelEntry(number, v.rx);
    else
        position = AddChannelByNumber(doc, number, v.rx);
    if (position < 0) return;
    ChannelEntry& e = doc.channels[static_cast<std::size_t>(position)];
    ApplyRow(e, v);
    StoreGivenValues(e, v);
    if (const int was = inBase.of(number); was >= 0) {
        e.reserved0 = base.channels[static_cast<std::size_t>(was)].reserved0;
        e.inUse = base.channels[static_cast<std::size_t>(was)].inUse;
    }
}

bool HasControlCharacters(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 32 && c != u'\t' && c != u'\r' && c != u'\n') return true;
    return false;
}

// The text of a file's bytes: UTF-8 (a byte-order mark is dropped), else the
// system's code page; empty with a refusal for what is no text.
QString DecodeText(const QByteArray& bytes, QString* refusal) {
    if (bytes.size() > kMaxImportBytes) {
        *refusal = Say("TooLarge").arg(bytes.size()).arg(kMaxImportBytes);
        return {};
    }
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    if (body.contains('\0')) {
        *refusal = Say("NotText");
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError()) text = FromAnsi(body);
    if (HasControlCharacters(text)) {
        *refusal = Say("NotText");
        return {};
    }
    if (text.trimmed().isEmpty()) *refusal = Say("Empty");
    return text;
}

// The column map of a heading record; a refusal when a column appears twice.
// The headings it does not know (blank ones aside) go to `unknown`.
ColumnMap MapHeadings(const CsvRecord& heading, QString* refusal, QStringList* unknown) {
    ColumnMap map;
    map.headings = heading.fields;
    for (int i = 0; i < heading.fields.size(); ++i) {
        const int c = ColumnOfHeading(heading.fields.at(i));
        if (c < 0) {
            const QString name = heading.fields.at(i).trimmed();
            if (!name.isEmpty() && unknown) unknown->append(name);
            continue;
        }
        if (map.index[static_cast<std::size_t>(c)] >= 0) {
            *refusal = Say("ColumnTwice").arg(heading.fields.at(i).trimmed());
            return map;
        }
        map.index[static_cast<std::size_t>(c)] = i;
    }
    return map;
}

QList<int> ChannelNumbers(const DocumentRecord& doc) {
    QList<int> list;
    for (int i = 0; i < std::clamp<int>(doc.channelCount, 0, kMaxChannels); ++i)
        list.append(doc.channels[static_cast<std::size_t>(i)].number);
    std::sort(list.begin(), list.end());
    return list;
}

// The priority channels follow the channel table's rule when channels came or
// went, as after any add or delete; a table with the same channels keeps them.
void KeepPriorityChannelsValid(DocumentRecord& doc, const DocumentRecord& base) {
    if (ChannelNumbers(doc) != ChannelNumbers(base)) RevalidatePriorityChannels(doc);
}

bool IsBlank(const CsvRecord& r) {
    return std::all_of(r.fields.begin(), r.fields.end(),
                       [](const QString& f) { return f.trimmed().isEmpty(); });
}

// A row of empty cells (spreadsheets write them) is no row in a file.
QList<CsvRecord> NonEmptyRecords(const QString& text) {
    QList<CsvRecord> records = ParseCsv(text, DetectSeparator(text));
    records.removeIf(IsBlank);
    return records;
}

// Pasted rows keep their places: an empty row inside the block clears its
// target row; empty rows after the block are none.
QList<CsvRecord> PastedRecords(const QString& text) {
    QList<CsvRecord> records = ParseCsv(text, DetectSeparator(text));
    while (!records.isEmpty() && IsBlank(records.first()))
        records.removeFirst();
    while (!records.isEmpty() && IsBlank(records.last()))
        records.removeLast();
    return records;
}
} // namespace

QString ImportProblem::text() const {
    const QString said = column.isEmpty() ? Say("LineOnly").arg(line).arg(message)
                                          : Say("LineProblem").arg(line).arg(column, message);
    return warning ? Say("TakenAsItStands").arg(said) : said;
}

ChannelChanges CountChannelChanges(const DocumentRecord& before, const DocumentRecord& after) {
    ChannelChanges changes;
    const ChannelPositions was(before);
    const ChannelPositions now(after);
    for (int number = 1; number <= kMaxChannels; ++number) {
        const int a = was.of(number);
        const int b = now.of(number);
        if (a < 0 && b >= 0) ++changes.added;
        if (a >= 0 && b < 0) ++changes.removed;
        if (a >= 0 && b >= 0 &&
            !(before.channels[static_cast<std::size_t>(a)] == after.channels[static_cast<std::size_t>(b)]))
            ++changes.changed;
    }
    return changes;
}

Tr ChannelTableStepName(ChannelTableStep step) {
    const char* key = step == ChannelTableStep::Import  ? "StepImport"
                      : step == ChannelTableStep::Paste ? "StepPaste"
                                                        : "StepClear";
    return LanguageTextPair(QStringLiteral("Exchange"), QLatin1String(key));
}

ImportOutcome ImportChannelsCsv(const QByteArray& bytes, const DocumentRecord& base) {
    const LanguageTextMemo texts; // every row's problems read the same few texts
    ImportOutcome out;
    out.document = base;
    const QString text = DecodeText(bytes, &out.refusal);
    if (out.refused()) return out;
    const QList<CsvRecord> records = NonEmptyRecords(text);
    if (records.isEmpty()) {
        out.refusal = Say("Empty");
        return out;
    }
    const ColumnMap map = MapHeadings(records.first(), &out.refusal, &out.unknownColumns);
    if (out.refused()) return out;
    const bool hasPosition =
        map.has(Column::Channel) || (map.has(Column::Group) && map.has(Column::Row));
    if (!map.has(Column::Rx) || !hasPosition) {
        out.refusal = Say("NoHeading");
        return out;
    }
    if (records.size() == 1) {
        out.refusal = Say("NoRows");
        return out;
    }

    DocumentRecord& doc = out.document;
    doc.channelCount = 0;
    const ChannelPositions inBase(base);
    QHash<int, int> lineOfChannel;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const CsvRecord& record = records.at(i);
        RowValues v;
        const int before = static_cast<int>(out.problems.size());
        const qsizetype warningsBefore = out.warnings.size();
        bool ok = RowReader(map, record, out.problems, out.warnings).read(v);
        int number = v.channel.value_or(0);
        if (ok && v.group && v.row) {
            const int byPosition = ChannelNumberOf(*v.group, *v.row);
            if (v.channel && *v.channel != byPosition) {
                out.problems.append(
                    {record.line, map.name(Column::Channel),
                     Say("PositionMismatch").arg(*v.channel).arg(*v.group).arg(*v.row)});
                ok = false;
            }
            number = byPosition;
        }
        if (ok && number == 0) {
            out.problems.append({record.line, map.name(Column::Channel), Say("NoPosition")});
            ok = false;
        }
        if (ok && lineOfChannel.contains(number)) {
            out.problems.append({record.line, map.name(Column::Channel),
                                 Say("Duplicate").arg(number).arg(lineOfChannel.value(number))});
            ok = false;
        }
        if (!ok || static_cast<int>(out.problems.size()) != before) {
            out.warnings.resize(warningsBefore); // a row left out warns of nothing
            ++out.badRows;
            continue;
        }
        if (v.rx.isEmpty()) continue; // only a position: no channel there
        lineOfChannel.insert(number, record.line);
        StoreRow(doc, number, v, base, inBase);
        ++out.goodRows;
    }
    KeepPriorityChannelsValid(doc, base);
    out.changes = CountChannelChanges(base, doc);
    return out;
}

ImportOutcome PasteChannelRows(const QString& text, const DocumentRecord& base, int group,
                               int firstRow) {
    const LanguageTextMemo texts; // every row's problems read the same few texts
    ImportOutcome out;
    out.document = base;
    if (text.size() > kMaxImportBytes) {
        out.refusal = Say("TooLarge").arg(text.size()).arg(kMaxImportBytes);
        return out;
    }
    if (HasControlCharacters(text)) {
        out.refusal = Say("NotText");
        return out;
    }
    QList<CsvRecord> records = PastedRecords(text);
    // With a heading line the columns go by their headings, without one in the
    // order in which they are copied.
    ColumnMap map;
    if (!records.isEmpty()) {
        QString twice;
        QStringList unknown;
        const ColumnMap named = MapHeadings(records.first(), &twice, &unknown);
        if (named.has(Column::Rx)) {
            if (!twice.isEmpty()) {
                out.refusal = twice;
                return out;
            }
            map = named;
            out.unknownColumns = unknown;
            records.removeFirst();
        } else {
            // Rows copied whole are in the copy order; a shorter block (say a
            // column of frequencies from a spreadsheet) starts at RX MHz.
            const bool whole = records.first().fields.size() >= kChannelColumnCount;
            const int first = whole ? 0 : static_cast<int>(ChannelColumn::Rx);
            for (int c = first; c < kChannelColumnCount; ++c)
                map.index[static_cast<std::size_t>(c)] = c - first;
            map.headings = ColumnHeadings().mid(first);
        }
    }
    if (records.isEmpty()) {
        out.refusal = Say("NothingToPaste");
        return out;
    }
    // The target row decides the channel, not the numbers in the text.
    for (Column c : {Column::Channel, Column::Group, Column::Row})
        map.index[static_cast<std::size_t>(c)] = -1;

    DocumentRecord& doc = out.document;
    const ChannelPositions inBase(base);
    for (qsizetype k = 0; k < records.size(); ++k) {
        const CsvRecord& record = records.at(k);
        const int row = firstRow + static_cast<int>(k);
        // A row past the group's end has no place, whatever its cells hold.
        if (row > kChannelsPerGroup) {
            out.problems.append({record.line, QString(),
                                 Say("PastLastRow").arg(row).arg(kChannelsPerGroup)});
            ++out.badRows;
            continue;
        }
        RowValues v;
        if (!RowReader(map, record, out.problems, out.warnings).read(v)) {
            ++out.badRows;
            continue;
        }
        StoreRow(doc, ChannelNumberOf(group, row), v, base, inBase);
        ++out.goodRows;
    }
    KeepPriorityChannelsValid(doc, base);
    out.changes = CountChannelChanges(base, doc);
    return out;
}

DocumentRecord WithoutChannels(const DocumentRecord& base, const QList<int>& channelNumbers) {
    DocumentRecord doc = base;
    for (int number : channelNumbers)
        RemoveChannelEntry(doc, FindChannelEntry(doc, number));
    KeepPriorityChannelsValid(doc, base);
    return doc;
}

void ReplaceChannelTable(const DocumentRecord& edited, const Tr& name) {
    const DocumentEdit edit(name); // the whole table, one change
    DocumentRecord& doc = app().document;
    const bool channelsCameOrWent = ChannelNumbers(doc) != ChannelNumbers(edited);
    doc.channelCount = edited.channelCount;
    doc.channels = edited.channels;
    doc.settings.features.scan.priorityChannel = edited.settings.features.scan.priorityChannel;
    // The open scan window shows the groups' channels: it refreshes as after an
    // add or delete.
    if (channelsCameOrWent) CheckGroupScanCh();
    if (hooks().channelsChanged) hooks().channelsChanged();
}
