#include "TestSupport.h"

#include "channels/ChannelTable.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"
#include "exchange/CsvText.h"

#include <QRandomGenerator>
#include <random>
#include <functional>

namespace {
// The channel table as the data file stores it: count and all 128 entries.
QByteArray TableBytes(const DocumentRecord& doc) {
    return SerializeDocument(doc).left(2 + kMaxChannels * 54);
}

QString Working(int mhzTimes100k) {
    return QString::number(mhzTimes100k).rightJustified(8, u'0');
}

// 128 channels in a scrambled table order with every field away from its
// new-channel default somewhere, in combinations the channel windows can make.
DocumentRecord FullDocument() {
    DocumentRecord doc;
    doc.settings.features.scan.priorityChannel.fill(255);
    for (int k = 0; k < kMaxChannels; ++k) {
        const int n = (k * 37) % kMaxChannels + 1; // every number once, not in order
        const bool noTx = n % 5 == 0;
        const QString rx = Working(40000000 + n * 12345);
        ChannelEntry& e = AppendTestChannel(
            doc, n, rx.toLatin1().constData(),
            noTx ? "FFFFFFFF" : Working(47900000 - n * 710).toLatin1().constData());
        // Tones: CTCSS, DCS normal and inverted; decode only, encode only, both, none.
        const QString decode =
            ImageToToneData(static_cast<uint8_t>(1 + n % 3), static_cast<uint8_t>(n % 50));
        const QString encode =
            ImageToToneData(static_cast<uint8_t>(1 + (n / 3) % 3), static_cast<uint8_t>(n % 49));
        if (n % 4 != 1) e.decodeTone.assign(decode.toLatin1());
        if (n % 4 != 2 && !(noTx && n % 2)) e.encodeTone.assign(encode.toLatin1());
        const bool hasDecode = n % 4 != 1;
        e.optSignal = static_cast<int16>(n % 3);
        e.spUnmute = e.optSignal ? static_cast<int16>((n / 3) % 3) : 0;
        e.txPower = static_cast<int16>(n % 2);
        e.spacing = static_cast<int16>((n / 2) % 2);
        e.busyLockout = static_cast<int16>(e.optSignal && n % 7 == 0 ? 3
                                           : hasDecode               ? n % 3
                                                                     : n % 2);
        e.pttId = static_cast<int16>((n / 4) % 2);
        e.autodial = static_cast<int16>(n % 8);
        e.reserved1 = static_cast<int16>(n % 11 == 0 ? -7 : 0);
        e.reserved2 = static_cast<int16>(n % 13 == 0 ? 300 : 0);
        e.scanAdd = static_cast<int16>(n % 6 != 0);
        e.reverse = static_cast<int16>(!noTx && n % 9 == 0);
        e.talkAround = static_cast<int16>(!e.reverse && n % 8 == 0);
        if (!noTx) e.txEntryFlag = static_cast<int16>(n % 10 == 3);
    }
    RevalidatePriorityChannels(doc);
    return doc;
}

// A document with a few channels of its own, as an import's base.
DocumentRecord OtherDocument() {
    DocumentRecord doc;
    doc.settings.features.scan.priorityChannel.fill(255);
    AppendTestChannel(doc, 3, "45000000", "45000000");
    AppendTestChannel(doc, 40, "46000000", "FFFFFFFF");
    RevalidatePriorityChannels(doc);
    return doc;
}

QByteArray Csv(const QString& text) {
    return text.toUtf8();
}

QStringList ProblemTexts(const ImportOutcome& out) {
    QStringList texts;
    for (const ImportProblem& p : out.problems)
        texts.append(p.text());
    return texts;
}
} // namespace

class ChannelCsvTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        app().bandText = BandTextOf(2); // 400 - 480 MHz, RX up to 520
        SetBandLimits();
        app().sideValues.bandExtension = 0;
    }
};

TEST_F(ChannelCsvTest, ExportThenImportAndCopyThenPasteGiveTheTableByteForByte) {
    const DocumentRecord full = FullDocument();
    const QByteArray csv = ExportChannelsCsv(full);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "CH,Group,Row,RX MHz,TX MHz,Decode,Encode,TX Power"));
    EXPECT_EQ(csv.count("\r\n"), 129);

    const ImportOutcome imported = ImportChannelsCsv(csv, OtherDocument());
    ASSERT_FALSE(imported.refused()) << imported.refusal.toStdString();
    EXPECT_EQ(ProblemTexts(imported), QStringList());
    EXPECT_EQ(imported.goodRows, 128);
    EXPECT_EQ(TableBytes(imported.document), TableBytes(full));
    // Onto the document it came from, the import changes nothing at all.
    EXPECT_EQ(SerializeDocument(ImportChannelsCsv(csv, full).document), SerializeDocument(full));

    // Copy every group's 16 rows and paste them into an empty document at row 1,
    // in the order the channels sit in the table.
    DocumentRecord pasted = OtherDocument();
    pasted.channelCount = 0;
    for (int k = 0; k < kMaxChannels; ++k) {
        const int n = full.channels[static_cast<std::size_t>(k)].number;
        const QString rows = ChannelRowsText(full, {n});
        const ImportOutcome out = PasteChannelRows(rows, pasted, GroupOf(n), InGroupNumberOf(n));
        ASSERT_EQ(ProblemTexts(out), QStringList()) << rows.toStdString();
        pasted = out.document;
    }
    EXPECT_EQ(TableBytes(pasted), TableBytes(full));

    // A whole group pasted over itself changes nothing, channels keep their places.
    QList<int> group3;
    for (int row = 1; row <= kChannelsPerGroup; ++row)
        group3.append(ChannelNumberOf(3, row));
    const ImportOutcome again = PasteChannelRows(ChannelRowsText(full, group3), full, 3, 1);
    EXPECT_EQ(again.goodRows, 16);
    EXPECT_EQ(TableBytes(again.document), TableBytes(full));
}

TEST_F(ChannelCsvTest, ASpreadsheetEditedFileImportsToTheSameTable) {
    const DocumentRecord full = FullDocument();
    const QByteArray csv = ExportChannelsCsv(full);
    const QList<CsvRecord> records = ParseCsv(QString::fromUtf8(csv.mid(3)), u',');
    ASSERT_EQ(records.size(), 129);

    // Columns reversed, Chinese headings, every field quoted, a blank line and a
    // column the program does not know, semicolons, lower-case words.
    QString edited;
    for (const CsvRecord& r : records) {
        QStringList fields = r.fields;
        std::reverse(fields.begin(), fields.end());
        if (r.line == 1) {
            for (QString& h : fields)
                h = ColumnHeading(static_cast<ChannelColumn>(ColumnOfHeading(h))).zh;
            fields.append(QStringLiteral("Notes; remarks"));
        } else {
            for (QString& f : fields)
                f = f.toLower();
            fields.append(QStringLiteral("Car \"A\"\nsecond line"));
        }
        QStringList quoted;
        for (const QString& f : fields)
            quoted.append(u'"' + QString(f).replace(u'"', QStringLiteral("\"\"")) + u'"');
        edited += quoted.join(u';') + QStringLiteral("\r\n");
        if (r.line == 40) edited += QStringLiteral(";;;\r\n");
    }
    const ImportOutcome out = ImportChannelsCsv(Csv(edited), OtherDocument());
    ASSERT_FALSE(out.refused()) << out.refusal.toStdString();
    EXPECT_EQ(ProblemTexts(out), QStringList());
    EXPECT_EQ(TableBytes(out.document), TableBytes(full));

    // Only the two columns it needs: the rest takes the new-channel defaults and
    // the rules of typing (TX from RX, limited to the transmit band).
    const ImportOutcome minimal =
        ImportChannelsCsv(Csv("rx mhz,Ch\n500,17\n446.00625,2\n"), OtherDocument());
    ASSERT_EQ(minimal.document.channelCount, 2);
    const ChannelEntry& a = minimal.document.channels[0];
    const ChannelEntry& b = minimal.document.channels[1];
    EXPECT_EQ(a.rxFreq.raw() + a.txFreq.raw(), "5000000048000000");
    EXPECT_EQ(b.rxFreq.raw() + b.txFreq.raw(), "4460062544600625");
    EXPECT_EQ(b, NewChannelEntry(2, "446.00625"));
}

TEST_F(ChannelCsvTest, EachBrokenRuleIsReportedWithLineAndColumnAndLeftOut) {
    const QString heading =
        QStringLiteral("CH,RX MHz,TX MHz,Decode,Encode,TX Power,Busy Lock-out,"
                       "Reverse,Talk Around,Opt Signal,SP Unmute,Autodial Memory\r\n");
    const QString good =
        QStringLiteral("1,440.00000,445.00000,88.5,88.5,Low,Off,Off,Off,None,Carrier,1\r\n");
    struct Case {
        const char* row;
        const char* problem;
    } cases[] = {
        {"2,440,512.000,,,,,,,,,", "line 3, TX MHz: 512.000 is outside 400-480 MHz"},
        {"2,399.99,,,,,,,,,,", "line 3, RX MHz: 399.99 is outside 400-520 MHz"},
        {"2,44O.5,,,,,,,,,,", "line 3, RX MHz: 44O.5 is not a frequency in MHz"},
        {"2,440,,88.6,,,,,,,,", "line 3, Decode: 88.6 is not in the tone list"},
        {"2,440,,,D024N,,,,,,,", "line 3, Encode: D024N is not in the tone list"},
        {"2,440,,,,Medium,,,,,,", "line 3, TX Power: Medium is not one of: Low, High"},
        {"2,440,,,,,,,,,,x", "line 3, Autodial Memory: x is not a number from -32767 to 32768"},
        {"2,440,,,,70000,,,,,,", "line 3, TX Power: 70000 is not one of: Low, High"},
        {"129,440,,,,,,,,,,", "line 3, CH: 129 is not a number from 1 to 128"},
        {",440,,,,,,,,,,", "line 3, CH: the row names no channel (CH, or Group and Row)"},
        {"2,,445,,,,,,,,,", "line 3, RX MHz: a channel needs an RX frequency"},
        {"1,441,,,,,,,,,,", "line 3, CH: channel 1 is already on line 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const QString text = heading + good + QString::fromLatin1(c.row) + QStringLiteral("\r\n");
        const ImportOutcome out = ImportChannelsCsv(Csv(text), OtherDocument());
        ASSERT_FALSE(out.refused()) << out.refusal.toStdString();
        EXPECT_EQ(ProblemTexts(out), QStringList{QString::fromLatin1(c.problem)});
        EXPECT_EQ(out.badRows, 1);
        // The good row alone is in the table, unchanged by the bad one.
        ASSERT_EQ(out.document.channelCount, 1);
        EXPECT_EQ(out.document.channels[0].number, 1);
        EXPECT_EQ(out.document.channels[0].txPower, 0);
        EXPECT_EQ(out.document.channels[0].txFreq.raw(), "44500000");
    }
    // A channel named by group and row must agree with its CH; problems are
    // reported in the current language.
    app().languageIndex = Chinese;
    const ImportOutcome mismatch = ImportChannelsCsv(
        Csv("CH,组,行,接收频率,发射功率\n18,2,2,440,低\n17,2,2,440,高\n19,2,3,440,Middle\n"),
        OtherDocument());
    EXPECT_EQ(ProblemTexts(mismatch),
              QStringList({"第 3 行，信道：信道 17 不是第 2 组第 2 行",
                           "第 4 行，发射功率：Middle 不是以下之一：Low, High"}));
    EXPECT_EQ(mismatch.goodRows, 1);
}

// Values the data file holds but the channel windows never offer (older
// programs and damaged radios leave them) are taken as they stand, each with a
// warning; the table of such a document exports and imports back byte for byte.
TEST_F(ChannelCsvTest, WhatTheFileCanHoldIsTakenAsItStandsWithAWarning) {
    const QString heading =
        QStringLiteral("CH,RX MHz,TX MHz,Decode,TX Power,Busy Lock-out,Reverse,Talk Around,"
                       "Opt Signal,SP Unmute,Autodial Memory,TX Entered\r\n");
    struct Case {
        const char* row;
        const char* warning;
        std::function<bool(const ChannelEntry&)> stored;
    } cases[] = {
        {"2,440,441,,,,,,,,16,", "Autodial Memory: the channel windows do not offer 16 (they offer 1-8)",
         [](const ChannelEntry& e) { return e.autodial == 15; }},
        {"2,440,441,,,,On,On,,,,",
         "Talk Around: the channel windows do not allow Reverse and Talk Around both On",
         [](const ChannelEntry& e) { return e.reverse == 1 && e.talkAround == 1; }},
        {"2,440,441,,,,,,None,Carrier + Opt.Sig.,,",
         "SP Unmute: the channel windows allow this only with an option signalling (DTMF or "
         "FleetLink)",
         [](const ChannelEntry& e) { return e.spUnmute == 1 && e.optSignal == 0; }},
        {"2,440,441,None,,Repeater,,,,,,",
         "Busy Lock-out: the channel windows allow Repeater only with a decode tone",
         [](const ChannelEntry& e) { return e.busyLockout == 2; }},
        {"2,440,,,,,On,,,,,", "Reverse: the channel windows allow Reverse only with a TX frequency",
         [](const ChannelEntry& e) { return e.reverse == 1 && e.txFreq.raw() == "FFFFFFFF"; }},
        {"2,440,441,,7,,,,,,,", "TX Power: the channel windows do not offer 7 (they offer Low, High)",
         [](const ChannelEntry& e) { return e.txPower == 7; }},
        {"2,440,441,,,,,,,,,5", "TX Entered: the channel windows do not offer 5 (they offer No, Yes)",
         [](const ChannelEntry& e) { return e.txEntryFlag == 5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const QString text = heading + QStringLiteral("1,440,445,,,,,,,,1,Yes\r\n") +
                             QString::fromLatin1(c.row) + QStringLiteral("\r\n");
        const ImportOutcome out = ImportChannelsCsv(Csv(text), OtherDocument());
        EXPECT_EQ(ProblemTexts(out), QStringList());
        ASSERT_EQ(out.warnings.size(), 1);
        EXPECT_EQ(out.warnings[0].text(),
                  "line 3, " + QString::fromLatin1(c.warning) + "; taken as it stands");
        ASSERT_EQ(out.document.channelCount, 2);
        EXPECT_TRUE(c.stored(out.document.channels[1]));
    }

    // A document full of such values, and of fields no column shows, goes out
    // and comes back unchanged.
    DocumentRecord odd = FullDocument();
    for (int k = 0; k < kMaxChannels; ++k) {
        ChannelEntry& e = odd.channels[static_cast<std::size_t>(k)];
        e.autodial = static_cast<int16>(k % 16);
        e.spUnmute = static_cast<int16>(k % 3);
        e.busyLockout = static_cast<int16>(k % 4);
        e.reverse = static_cast<int16>(k % 2);
        e.talkAround = static_cast<int16>(k % 3 == 0);
        e.txPower = static_cast<int16>(k % 5);
        e.scanAdd = static_cast<int16>(k % 7 == 0 ? -1 : e.scanAdd);
        e.txEntryFlag = static_cast<int16>(k % 9 == 0 ? 4 : e.txEntryFlag);
        e.reserved0 = static_cast<int16>(k % 6);
    }
    const ImportOutcome back = ImportChannelsCsv(ExportChannelsCsv(odd), odd);
    EXPECT_EQ(ProblemTexts(back), QStringList());
    EXPECT_FALSE(back.warnings.isEmpty());
    EXPECT_EQ(back.goodRows, kMaxChannels);
    EXPECT_EQ(SerializeDocument(back.document), SerializeDocument(odd));
}

TEST_F(ChannelCsvTest, WhatIsNoChannelTableIsRefusedAsAWhole) {
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
    binary[100] = '\0';
    QByteArray huge = ExportChannelsCsv(FullDocument());
    while (huge.size() < 10 * 1024 * 1024)
        huge += huge;
    struct Case {
        QByteArray bytes;
        const char* refusal;
    } cases[] = {
        {"", "The file is empty."},
        {"\xEF\xBB\xBF \r\n\r\n", "The file is empty."},
        {"CH,RX MHz,TX MHz\r\n", "The file holds no channels, only the line of column names."},
        {binary, "The file is not a text file."},
        {"CH,RX MHz\r\n1,440\x01\r\n", "The file is not a text file."},
        {huge, "The file is too large (10946688 bytes); a channel table never needs more than "
               "1048576 bytes."},
        {"1,440.00000,445.00000\r\n", "The first line does not name the columns; it needs at "
                                      "least CH (or Group and Row) and RX MHz."},
        {"CH,RX MHz,RX Frequency\r\n1,440,440\r\n",
         "The column RX Frequency appears twice in the first line."},
    };
    const DocumentRecord base = OtherDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        const ImportOutcome out = ImportChannelsCsv(c.bytes, base);
        EXPECT_EQ(out.refusal,
                  QString::fromLatin1(c.refusal).replace("10946688", QString::number(huge.size())));
        EXPECT_EQ(TableBytes(out.document), TableBytes(base));
    }
}

TEST_F(ChannelCsvTest, PastingGoesToTheTargetRowsAndStopsAtTheGroupsEnd) {
    DocumentRecord base = OtherDocument(); // channels 3 and 40 (group 3, row 8)
    AppendTestChannel(base, 41, "46100000", "46100000");
    // An empty RX clears the target row.
    // Without heading: a short block starts at RX MHz.
    const QString rows = QStringLiteral("441.5\t\tD023I\n"
                                        "\t\t\n"
                                        "442\n");
    const ImportOutcome out = PasteChannelRows(rows, base, 3, 7);
    EXPECT_EQ(out.goodRows, 3);
    const DocumentRecord& doc = out.document;
    ASSERT_EQ(doc.channelCount, 3);        // 3 stays, 40 cleared, 39 and 41 set
    EXPECT_EQ(doc.channels[1].number, 41); // replaced in place
    EXPECT_EQ(doc.channels[1].rxFreq.raw(), "44200000");
    EXPECT_EQ(doc.channels[2].number, 39);
    EXPECT_EQ(doc.channels[2].txFreq.raw() + doc.channels[2].decodeTone.raw() +
                  doc.channels[2].encodeTone.raw(),
              "FFFFFFFF0301FFFF");
    EXPECT_EQ(doc.settings.features.scan.priorityChannel[2], 7); // 40 (row 8) went

    const ImportOutcome past = PasteChannelRows(ChannelRowsText(base, {3, 40, 41}), base, 1, 15);
    EXPECT_EQ(ProblemTexts(past),
              QStringList{"line 4: row 17 is past the end of the group: a group has 16 rows"});
    EXPECT_EQ(past.goodRows, 2);
    EXPECT_EQ(PasteChannelRows(QStringLiteral("CH\tRX MHz\n"), base, 1, 1).refusal,
              "The clipboard holds no channel rows.");
    EXPECT_EQ(WithoutChannels(base, {40, 3}).channelCount, 1);
}

// A quote closing a field as the very last character of the text ends the
// field there, even when the text is a window into a longer buffer whose next
// character is another quote (the parser never looks past the text's end).
TEST(CsvText, AFieldQuotedToTheVeryEndOfTheTextEndsThere) {
    struct Case {
        const char16_t* buffer; // the text is all of it but the last character
        QStringList fields;
    };
    const Case cases[] = {
        {u"\"ab\"\"", {QStringLiteral("ab")}},
        {u"x,\"a\"\"b\"\"", {QStringLiteral("x"), QStringLiteral("a\"b")}},
        {u"\"\"\"", {QString()}},
    };
    for (const Case& c : cases) {
        const auto size = std::char_traits<char16_t>::length(c.buffer) - 1;
        const QString text = QString::fromRawData(reinterpret_cast<const QChar*>(c.buffer),
                                                  static_cast<qsizetype>(size));
        SCOPED_TRACE(text.toStdString());
        const QList<CsvRecord> records = ParseCsv(text, u',');
        ASSERT_EQ(records.size(), 1);
        EXPECT_EQ(records.front().fields, c.fields);
    }
}

// The records are those of the plain reading, character by character, of the
// rules (quotes, doubled quotes, separators, CR, LF and CRLF, blank records,
// line numbers), for many random texts of the characters that matter.
TEST(CsvText, ReadsAsTheRulesReadCharacterByCharacter) {
    const auto byTheRules = [](const QString& text, QChar separator) {
        QList<CsvRecord> records;
        CsvRecord record{1, {}};
        QString field;
        bool inField = false, quoted = false, hadContent = false;
        int line = 1;
        const auto endField = [&] {
            record.fields.append(inField ? field : QString());
            field.clear();
            inField = false;
        };
        const auto endRecord = [&] {
            endField();
            if (!hadContent) record.fields.clear();
            records.append(record);
            record = CsvRecord{line, {}};
            hadContent = false;
        };
        const auto add = [&](QChar c) {
            field.append(c);
            inField = true;
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted) {
                if (c != u'"') {
                    line += c == u'\n';
                    add(c);
                } else if (i + 1 < text.size() && text[i + 1] == u'"') {
                    add(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (c == u'"') {
                quoted = hadContent = true;
            } else if (c == separator) {
                hadContent = true;
                endField();
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
                ++line;
                endRecord();
            } else {
                hadContent = hadContent || !c.isSpace();
                add(c);
            }
        }
        if (hadContent || inField || !record.fields.isEmpty()) endRecord();
        return records;
    };
    const QString alphabet = QStringLiteral("ab ,;\t\"\r\n\u00e9\u4e2d");
    std::mt19937 random(580);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int length = static_cast<int>(random() % 40); length > 0; --length)
            text.append(alphabet[static_cast<qsizetype>(random() % alphabet.size())]);
        for (const QChar separator : {QChar(u','), QChar(u';'), QChar(u'\t')}) {
            const QList<CsvRecord> expected = byTheRules(text, separator);
            const QList<CsvRecord> read = ParseCsv(text, separator);
            ASSERT_EQ(read.size(), expected.size()) << text.toStdString();
            for (qsizetype r = 0; r < read.size(); ++r) {
                ASSERT_EQ(read[r].line, expected[r].line) << text.toStdString();
                ASSERT_EQ(read[r].fields, expected[r].fields) << text.toStdString();
            }
        }
    }
}
