#pragma once
// The channel sheet of the open document laid out on pages: for the print
// preview, a printer or a PDF file (A4). Chinese texts take a CJK font.

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// The sheet of the open document (current language, today's date).
QString OpenDocumentSheetHtml();
// Lays the sheet out on the device's pages and paints it.
void PrintChannelSheet(const QString& html, QPagedPaintDevice* device);
// The sheet as the bytes of an A4 PDF file.
QByteArray ChannelSheetPdf(const QString& html);
