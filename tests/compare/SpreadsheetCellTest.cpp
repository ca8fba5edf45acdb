// Every text cell the program writes for a spreadsheet (fleet log, channel
// export, compare copy) is kept from being run as a formula, numbers stay
// numbers, and the channel import reads the guarded cell back as it was.
#include "TestSupport.h"

#include "compare/DocumentCompare.h"
#include "core/SpreadsheetCell.h"
#include "exchange/CsvText.h"

TEST(SpreadsheetCell, FormulaTextsGetOneQuoteThatReadsBackAway) {
    const struct {
        const char* text;
        const char* cell; // as CsvCell writes it with ','
    } cases[] = {
        {"=1+cmd|x!A0", "'=1+cmd|x!A0"},
        {"+SUM(A1)", "'+SUM(A1)"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=A1", "'\t=A1"},
        {"\r=A1", "\"'\r=A1\""},
        {"=A1,B1", "\"'=A1,B1\""},
        {"-5", "-5"},
        {"+1.5", "+1.5"},
        {"-inf", "'-inf"},
        {"'=A1", "''=A1"}, // a quote of the text's own is kept
        {"SIM0000001", "SIM0000001"},
        {"a \"b\"", "\"a \"\"b\"\"\""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CsvCell(text, u','), QString::fromLatin1(c.cell));
        EXPECT_EQ(CsvField(text, u','), QString::fromLatin1(c.cell));
        EXPECT_EQ(FromSpreadsheetSafeCell(SpreadsheetSafeCell(text)), text);
    }
    Difference message;
    message.place = QStringLiteral("Embedded Message");
    message.field = QStringLiteral("Line 1");
    message.mine = QStringLiteral("=HYPERLINK(\"x\")");
    message.theirs = QStringLiteral("-3");
    EXPECT_EQ(DifferenceLine(message),
              "Embedded Message\tLine 1\t'=HYPERLINK(\"x\")\t-3");
}
