#include "core/ui/TextWidths.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include <algorithm>

// Whatever the font, the texts and the width a column has anyway, the width a
// list needs is what measuring every text gives: the shortcut that skips
// lists far narrower than the column never changes a column's width.
TEST(TextWidths, ListsNeedWhatMeasuringEveryTextGives) {
    QFont big = QApplication::font();
    big.setPixelSize(40);
    QFont bold = QApplication::font();
    bold.setBold(true);
    QFont kerned = QApplication::font();
    kerned.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QFont spread = QApplication::font();
    spread.setLetterSpacing(QFont::PercentageSpacing, 180);
    spread.setWordSpacing(20);
    QFont capitals = QApplication::font();
    capitals.setCapitalization(QFont::AllUppercase);
    const QList<QStringList> lists = {
        {QStringLiteral("D023N"), QStringLiteral("D754I"), QStringLiteral("67.0"),
         QStringLiteral("None")},
        {QStringLiteral("AVAWAY"), QStringLiteral("To"), QStringLiteral("ffi fl"),
         QStringLiteral("000.00000")},
        {QStringLiteral("宽/窄带"), QStringLiteral("打印"), QStringLiteral("e\u0301\u0301")},
        {QStringLiteral("\U0001F4FB radio"), QString()},
        {},
    };
    for (const QFont& font : {QApplication::font(), big, bold, kerned, spread, capitals}) {
        const QFontMetrics metrics(font);
        TextWidths widths(font);
        for (const QStringList& texts : lists) {
            int widest = 0;
            for (const QString& t : texts) widest = std::max(widest, metrics.horizontalAdvance(t));
            for (const int floor : {0, 1, widest - 1, widest, widest + 1, widest * 2, 500}) {
                SCOPED_TRACE(qPrintable(font.toString() + " | " + texts.join('|') + " | " +
                                        QString::number(floor)));
                EXPECT_EQ(std::max(floor, widths.widestOver(texts, floor)),
                          std::max(floor, widest));
            }
        }
    }
}
