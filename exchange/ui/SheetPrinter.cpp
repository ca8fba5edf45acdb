#include "exchange/ui/SheetPrinter.h"

#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "exchange/ChannelSheet.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <algorithm>

namespace {
// Latin texts in a plain sans font, Chinese ones in a CJK font, when the
// machine has them (digits in the CJK font's mixed lines do not come back out
// of a PDF as text).
QFont SheetFont() {
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const char* name : {"DejaVu Sans", "Liberation Sans", "Noto Sans"})
        if (installed.contains(QLatin1String(name))) {
            families.append(QLatin1String(name));
            break;
        }
    for (const char* name : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei",
                             "Source Han Sans SC", "Droid Sans Fallback"})
        if (installed.contains(QLatin1String(name))) {
            families.append(QLatin1String(name));
            break;
        }
    // A Chinese sheet is set in the CJK font throughout, so its lines keep one
    // baseline.
    if (app().languageIndex == Chinese && families.size() == 2) families.swapItemsAt(0, 1);
    QFont font;
    if (!families.isEmpty()) font.setFamilies(families);
    font.setPointSizeF(8);
    return font;
}
} // namespace

QString OpenDocumentSheetHtml() {
    const AppState& s = app();
    return ChannelSheetHtml(s.document, s.sideValues, FileNameOf(s.documentName),
                            QDate::currentDate());
}

void PrintChannelSheet(const QString& html, QPagedPaintDevice* device) {
    QTextDocument document;
    const QFont font = SheetFont();
    document.setDefaultFont(font);
    document.setHtml(html);
    // The pages are the device's printable area (its own margins only), measured
    // in the document's 96 dpi units. Every page keeps a band at the bottom for a
    // line with the title, model, band and file and the page number: the layout
    // leaves the root frame's bottom margin free on each page.
    constexpr qreal kUnitsPerPoint = 96.0 / 72.0;
    const QRectF area = device->pageLayout().paintRect(QPageLayout::Point);
    const QSizeF page = area.size() * kUnitsPerPoint;
    const qreal band = std::max<qreal>(20, QFontMetricsF(font).height() + 4);
    document.setPageSize(page);
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setBottomMargin(band);
    document.rootFrame()->setFrameFormat(frame);

    QPainter painter(device);
    if (!painter.isActive()) return;
    // Painted in the document's units.
    const qreal scale = device->logicalDpiY() / 96.0;
    painter.scale(device->logicalDpiX() / 96.0, scale);
    const QString heading = ChannelSheetRunningHeading(FileNameOf(app().documentName));
    // The foot's font in the document's units, as the sheet's own text is laid out.
    QFont footFont = font;
    footFont.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
    const int pages = document.pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0) device->newPage();
        painter.save();
        painter.setFont(footFont);
        const QRectF foot(0, page.height() - band, page.width(), band);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, heading);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                         ChannelSheetPageNumber(p + 1, pages));
        const QRectF shown(0, p * page.height(), page.width(), page.height());
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        document.drawContents(&painter, shown);
        painter.restore();
    }
}

QByteArray ChannelSheetPdf(const QString& html) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("ZR580"));
        writer.setCreator(QStringLiteral("ZR580"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        PrintChannelSheet(html, &writer);
    }
    return buffer.data();
}
