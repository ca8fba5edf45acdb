#pragma once
// The channel table of the open document: the one operation through which every
// single-field channel edit passes (ChangeChannelData), channel creation and
// deletion, field texts, and the upkeep of the per-group priority channels.
// Table positions are 0-based indexes into document().channels.

#include "core/Document.h"

#include <QList>
#include <QString>

// Field numbers of a channel entry, shared by every channel editor.
enum ChannelField {
    FieldRxFreq = 1,
    FieldTxFreq = 2,
    FieldDecodeTone = 3,
    FieldEncodeTone = 4,
    FieldTxPower = 5,
    FieldScanAddText = 6,
    FieldOptSignal = 7,
    FieldPttId = 8,
    FieldSpacing = 9,
    FieldSpUnmute = 10,
    FieldBusyLockout = 11,
    FieldAutodial = 12,
    FieldReserved1 = 13,
    FieldReserved2 = 14,
    FieldScanAdd = 15,
    FieldReverse = 16,
    FieldTalkAround = 17,
};

constexpr int ChannelNumberOf(int group, int row) {
    return (group - 1) * kChannelsPerGroup + row;
}
constexpr int GroupOf(int channelNumber) {
    return (channelNumber - 1) / kChannelsPerGroup + 1;
}
constexpr int InGroupNumberOf(int channelNumber) {
    return (channelNumber - 1) % kChannelsPerGroup + 1;
}

// The table position of the valid entry with that channel number, or -1.
int FindChannelEntry(const DocumentRecord& doc, int channelNumber);
int FindChannelEntry(int channelNumber); // in the open document
// FindChannelEntry for every channel number, the table walked once: for looking
// up many channels of one document that does not change meanwhile.
class ChannelPositions {
  public:
    explicit ChannelPositions(const DocumentRecord& doc);
    // FindChannelEntry(doc, channelNumber).
    int of(int channelNumber) const;

  private:
    const DocumentRecord& doc_;
    std::array<int, kMaxChannels + 1> at_; // of 1..kMaxChannels
};

// Stores one edited field of channel (group, row): frequencies are formatted and
// limited first (with the out-of-range warning), an empty RX deletes the channel,
// an RX typed for a missing channel creates it; other edits of a missing channel
// are ignored. Then the open channel windows redisplay (hooks().channelsChanged).
// Check boxes pass "0" or "1".
void ChangeChannelData(int group, int row, int field, const QString& value);

// Appends channel (group, row) with the new-channel defaults, then revalidates the
// priority channels. Ignored when the channel exists or the table is full.
void AddChannelData(int group, int row, const QString& rxText);
// As AddChannelData by channel number, without the priority-channel upkeep
// (batch edit runs it itself). Returns the new table position, or -1 when refused.
int AddChannelByNumber(int channelNumber, const QString& rxText);
// The same on any document (an edited copy that replaces the open one as a whole).
int AddChannelByNumber(DocumentRecord& doc, int channelNumber, const QString& rxText);
// A channel entry with the new-channel defaults for a receive display text.
ChannelEntry NewChannelEntry(int channelNumber, const QString& rxText);
// Removes the entry at a table position, closes the gap, revalidates the
// priority channels.
void DeleteChannelData(int position);
// Removes the entry at a table position of any document and closes the gap
// (no priority-channel upkeep).
void RemoveChannelEntry(DocumentRecord& doc, int position);

// The display text of a field of an entry in the current language.
QString ShowChannelField(const ChannelEntry& entry, int field);
QString ShowChannelField(int position, int field);
// Stores a display text into a field of an entry, with the side effects on tones,
// busy lock-out, reverse and SP unmute.
void SaveChannelField(ChannelEntry& entry, int field, const QString& text);

// Keeps the eight per-group priority channels valid after channels were added or
// deleted (the open scan window does it through its own refresh instead).
void CheckGroupScanCh();
// The priority-channel rule on a given document, whatever window is open.
void RevalidatePriorityChannels(DocumentRecord& doc);

// The in-group numbers (1..16) of the channels of group g, ascending.
QList<int> ListGroupChannels(int group);
QList<int> ListGroupChannels(const DocumentRecord& doc, int group);
