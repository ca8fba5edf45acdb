#pragma once
// What differs between two documents, field by field, in the words the editor
// windows use: first the model and band, then every channel (by channel number,
// whatever the order of the table), then the radio-wide settings by window and
// field, the messages, and last the data no window shows. One list serves the
// compare window, the command line and the names of undo steps.

#include "core/Document.h"

#include <QList>
#include <QString>

// A whole document: the record and the three values kept beside it.
struct DocumentSnapshot {
    DocumentRecord record;
    SideValues side;
    bool operator==(const DocumentSnapshot&) const = default;
};
// The open document as it is now.
DocumentSnapshot OpenDocumentSnapshot();

enum class DiffSection { Model, Channel, Setting, Message, Other };

struct Difference {
    DiffSection section = DiffSection::Other;
    int channel = 0; // channel number for a channel difference
    QString place;   // "Channel 5", a window caption
    QString field;   // the field as its window names it
    QString mine;    // this document's value
    QString theirs;  // the other document's value
};

// Every difference between the two documents, texts in the current language.
QList<Difference> CompareDocuments(const DocumentSnapshot& mine, const DocumentSnapshot& theirs);

// What a radio would hold of a document after a write and a read back: the
// fields a write does not send keep the document's values.
DocumentSnapshot AsRadioHolds(const DocumentSnapshot& doc);
// The differences between a document and a radio's memory image that the radio
// can hold: a field a write does not send is never listed.
QList<Difference> CompareWithRadioImage(const DocumentSnapshot& mine, const RadioImage& radio);

// A difference as one line: place, field, this value, other value, separated by tabs.
QString DifferenceLine(const Difference& difference);
// The whole list, a line each, or "No differences." when it is empty.
QString DifferenceReport(const QList<Difference>& differences);
// "No differences." / "无差别。"
QString NoDifferencesText();
// A short name of a difference: "Channel 5 RX Frequency" / "信道5 接收频率".
QString DifferenceName(const Difference& difference);
// Where a difference is, as the windows show it: a channel by its group and row
// as the channel grid names it, with its channel number beside ("Group 2 CH 1
// (channel 17)"); anything else by its window.
QString DifferencePlace(const Difference& difference);
// The differences between two images of a radio's memory written from the
// document `base` (what no image holds comes from it), as CompareWithRadioImage
// finds them: `sent` is what was written, `radio` what the radio holds.
QList<Difference> CompareRadioImages(const DocumentRecord& base, const RadioImage& sent,
                                     const RadioImage& radio);
// The same, each as its place and field, the value sent and the value held.
QList<QStringList> NamedRadioImageDifferences(const DocumentRecord& base, const RadioImage& sent,
                                              const RadioImage& radio);
// The compare window's copy: a heading line (what was compared with what and the
// number of differences), the column headings, then a line per difference with
// its place as DifferencePlace names it; or "No differences.".
QString DifferenceCopyText(const QList<Difference>& differences, const QString& mine,
                           const QString& other);
