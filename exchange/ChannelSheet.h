#pragma once
// The channel sheet handed to the radio's user: a heading with model, band, file
// name and date, the channels of every group that has channels, and the
// radio-wide settings in a compact table. Built as rich text (HTML) in the
// current language, for the print preview, the printer and PDF files.

#include "core/Document.h"

#include <QDate>
#include <QString>

// Groups per printed page: three full groups fit an A4 page.
inline constexpr int kSheetGroupsPerPage = 3;

QString ChannelSheetHtml(const DocumentRecord& doc, const SideValues& side, const QString& fileName,
                         const QDate& date);

// The line at the foot of every page beside its number: title, model, band and file.
QString ChannelSheetRunningHeading(const QString& fileName);
// "Page 1 of 3" in the current language.
QString ChannelSheetPageNumber(int page, int pages);
