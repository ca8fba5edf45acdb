#pragma once
// Channels coming in as text: a CSV file that replaces the channel table, or rows
// from the clipboard pasted into the rows of a group. Every row passes through
// the channel table's own rules (band limits, the tone list, the side effects of
// entering RX, TX and tones) on a copy of the document; a row that breaks a rule
// is reported with its line and column and left out, never changed to fit. The
// caller decides whether the copy replaces the open document (one change).

#include "core/Document.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Nothing larger is taken for a channel table (128 rows need a few kilobytes).
inline constexpr qsizetype kMaxImportBytes = 1024 * 1024;

struct ImportProblem {
    int line = 0;   // line of the text the row starts on
    QString column; // the column's heading as the text names it
    QString message;
    // "line 7, TX MHz: 512.000 is outside 400-480 MHz" in the current language.
    QString text() const;
};

struct ImportOutcome {
    // Set when the text as a whole is refused (empty, not text, too large, no
    // heading line, no rows): nothing else holds then.
    QString refusal;
    // The base document with every row without problems applied.
    DocumentRecord document;
    int goodRows = 0; // rows applied (channels set or cleared)
    int badRows = 0;  // rows left out
    QList<ImportProblem> problems;
    bool refused() const { return !refusal.isEmpty(); }
};

// A CSV file (bytes as read): the channels of its rows replace the channel table
// of the base document, in the file's order. Columns are found by their headings
// in any order; unknown columns are ignored, missing ones take the new-channel
// defaults.
ImportOutcome ImportChannelsCsv(const QByteArray& bytes, const DocumentRecord& base);

// Clipboard text (tab-separated, with or without the heading line): row k of the
// text goes to row firstRow + k of the group, whatever channel numbers it names.
// Without a heading line, rows of all the columns are in the copy order and
// shorter rows start at RX MHz. A row with an empty RX and nothing else clears
// that channel.
ImportOutcome PasteChannelRows(const QString& text, const DocumentRecord& base, int group,
                               int firstRow);

// The base document without those channels.
DocumentRecord WithoutChannels(const DocumentRecord& base, const QList<int>& channelNumbers);

// One change of the open document: the channel table (and the priority channels
// kept valid with it) of the edited copy replaces the open one, the open windows
// redisplay.
void ReplaceChannelTable(const DocumentRecord& edited);
