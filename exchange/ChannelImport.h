#pragma once
// Channels coming in as text: a CSV file that replaces the channel table, or rows
// from the clipboard pasted into the rows of a group. Every row is entered as the
// channel windows enter it (the side effects of RX, TX and tones on the columns
// the text leaves out) on a copy of the document, and then every value the text
// gives is stored as it stands. A value the data file cannot hold (a frequency
// outside the band, a tone not in the list, text in a number column) is a
// problem: the row is reported with its line and column and left out, never
// changed to fit. A value the data file holds but the channel windows never
// offer (autodial memory 9, Reverse and Talk Around both on) is a warning: the
// row is taken as it stands. The caller decides whether the copy replaces the
// open document (one change).

#include "core/AppState.h"
#include "core/Document.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Nothing larger is taken for a channel table (128 rows need a few kilobytes).
inline constexpr qsizetype kMaxImportBytes = 1024 * 1024;

struct ImportProblem {
    int line = 0;   // line of the text the row starts on
    QString column; // the column's heading: in Chinese as the program names it,
                    // else as the text names it; empty for the row as a whole
    QString message;
    bool warning = false; // taken as it stands
    // "line 7, TX MHz: 512.000 is outside 400-480 MHz" in the current language;
    // a warning says that the value was taken as it stands.
    QString text() const;
};

// What an import does to the channel table, channel by channel.
struct ChannelChanges {
    int added = 0;   // channels the table did not have
    int changed = 0; // channels it had, with another value somewhere
    int removed = 0; // channels it had that are gone
};
ChannelChanges CountChannelChanges(const DocumentRecord& before, const DocumentRecord& after);

struct ImportOutcome {
    // Set when the text as a whole is refused (empty, not text, too large, no
    // heading line, no rows): nothing else holds then.
    QString refusal;
    // The base document with every row without problems applied.
    DocumentRecord document;
    int goodRows = 0; // rows applied (channels set or cleared)
    int badRows = 0;  // rows left out
    QList<ImportProblem> problems; // the rows left out
    QList<ImportProblem> warnings; // values taken as they stand
    QStringList unknownColumns;    // headings the program does not know, ignored
    ChannelChanges changes;        // of the base document's channel table
    bool refused() const { return !refusal.isEmpty(); }
};

// A CSV file (bytes as read): the channels of its rows replace the channel table
// of the base document, in the file's order. Columns are found by their headings
// in any order; unknown columns are listed and ignored, missing ones take the
// new-channel defaults (what no column can give, the base document's channel of
// the same number keeps). The export of a table imports back to the same bytes.
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
// redisplay. The undo history names the step `name`.
void ReplaceChannelTable(const DocumentRecord& edited, const Tr& name);

// The names of the steps: "Import Channels", "Paste Channels", "Clear Channels".
enum class ChannelTableStep { Import, Paste, Clear };
Tr ChannelTableStepName(ChannelTableStep step);
