#pragma once
// The columns in which channels leave and enter the program as text (CSV files
// and the clipboard): one row per channel, readable English words and numbers,
// frequencies and tones as the channel grid shows them.

#include "core/AppState.h"
#include "core/Document.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

enum class ChannelColumn {
    Channel,
    Group,
    Row,
    Rx,
    Tx,
    Decode,
    Encode,
    TxPower,
    ScanAdd,
    Spacing,
    BusyLockout,
    Reverse,
    TalkAround,
    OptSignal,
    SpUnmute,
    PttId,
    Autodial,
    TxEntered,
    Reserved1,
    Reserved2,
};
inline constexpr int kChannelColumnCount = 20;

// The column's heading in both languages (the file gets the English one).
const Tr& ColumnHeading(ChannelColumn column);
// The column a heading names (English or Chinese, blanks and case ignored, a few
// other spellings such as the grid's headings too); -1 when it names none.
int ColumnOfHeading(const QString& heading);

// The English headings in column order.
QStringList ColumnHeadings();
// The cells of a channel in column order. A channel number without an entry
// gives its position and empty cells.
QStringList ChannelCells(const DocumentRecord& doc, int channelNumber);

// The whole channel table as a CSV file: UTF-8 with a byte-order mark, a heading
// line, one line per channel in table order, CRLF line ends.
QByteArray ExportChannelsCsv(const DocumentRecord& doc);
// Channels as tab-separated text with the heading line, for the clipboard.
QString ChannelRowsText(const DocumentRecord& doc, const QList<int>& channelNumbers);

// The code of a word of a column in either language (case ignored), or -1.
int CodeOfColumnWord(ChannelColumn column, const QString& word);
// The English word of a code of a column; "" when the column has no such code.
QString ColumnWord(ChannelColumn column, int code);
