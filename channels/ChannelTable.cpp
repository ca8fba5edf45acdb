#include "channels/ChannelTable.h"

#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/CNumber.h"
#include "core/DocumentEdits.h"
#include "core/Hooks.h"

#include <QLocale>
#include <algorithm>

namespace {

int ValidCount(const DocumentRecord& doc) {
    return std::clamp<int>(doc.channelCount, 0, kMaxChannels);
}

template <std::size_t N> void SetText(FixedText<N>& text, const QString& value) {
    text.assignLatin1(value);
}

// The text's bytes are `value`, compared where they lie.
template <std::size_t N> bool Holds(const FixedText<N>& text, const QString& value) {
    return QLatin1String(text.bytes.data(), static_cast<qsizetype>(N)) == value;
}

bool HasTone(const FixedText<4>& tone) {
    return !Holds(tone, kNoTone);
}

bool HasTx(const ChannelEntry& entry) {
    return !Holds(entry.txFreq, kNoFrequency);
}

// A lock-out of Repeater needs a decode tone; without one it falls back to Carrier.
void RepeaterNeedsDecodeTone(ChannelEntry& entry) {
    if (!HasTone(entry.decodeTone) && entry.busyLockout == 2) entry.busyLockout = 1;
}

bool ParseInt(const QString& text, int* value) {
    return ParseCInt(QStringView(text).trimmed(), value);
}

} // namespace

ChannelEntry NewChannelEntry(int channelNumber, const QString& rxText) {
    ChannelEntry entry;
    entry.number = static_cast<int16>(channelNumber);
    entry.inUse = 1;
    SetText(entry.rxFreq, ShowToFreData(rxText));
    const QStringView rxTrimmed = QStringView(rxText).trimmed();
    double rx = 0; // as QLocale::c() reads it, group separators and all
    if (!ParseCDouble(rxTrimmed, &rx)) rx = QLocale::c().toDouble(rxTrimmed);
    SetText(entry.txFreq, ShowToFreData(FormatMHz(LimitFre(rx, TxFreq))));
    entry.reserved0 = 0;
    entry.txEntryFlag = 1;
    SetText(entry.decodeTone, kNoTone);
    SetText(entry.encodeTone, kNoTone);
    entry.optSignal = 0;
    entry.spUnmute = 0;
    entry.txPower = 1;
    entry.spacing = 1;
    entry.busyLockout = 0;
    entry.pttId = 0;
    entry.autodial = 0;
    entry.reserved1 = 0;
    entry.scanAdd = 1;
    entry.reserved2 = 0;
    entry.reverse = 0;
    entry.talkAround = 0;
    return entry;
}

int FindChannelEntry(const DocumentRecord& doc, int channelNumber) {
    const int count = ValidCount(doc);
    for (int i = 0; i < count; ++i)
        if (doc.channels[static_cast<std::size_t>(i)].number == channelNumber) return i;
    return -1;
}

ChannelPositions::ChannelPositions(const DocumentRecord& doc) : doc_(doc) {
    at_.fill(-1);
    // Backwards, so that a number the table holds twice is its first entry.
    for (int i = ValidCount(doc) - 1; i >= 0; --i) {
        const int number = doc.channels[static_cast<std::size_t>(i)].number;
        if (number >= 1 && number <= kMaxChannels) at_[static_cast<std::size_t>(number)] = i;
    }
}

int ChannelPositions::of(int channelNumber) const {
    // A number outside the table's range (a damaged file) is looked for as ever.
    if (channelNumber < 1 || channelNumber > kMaxChannels) return FindChannelEntry(doc_, channelNumber);
    return at_[static_cast<std::size_t>(channelNumber)];
}

int FindChannelEntry(int channelNumber) {
    return FindChannelEntry(app().document, channelNumber);
}

void ChangeChannelData(int group, int row, int field, const QString& value) {
    if (group < 1 || group > kGroups || row < 1 || row > kChannelsPerGroup) return;
    const DocumentEdit edit; // one change, with the upkeep of the priority channels
    QString text = value;
    if ((field == FieldRxFreq || field == FieldTxFreq) && !text.isEmpty())
        text = FormatInputFre(text, field, true);

    const int position = FindChannelEntry(ChannelNumberOf(group, row));
    if (position >= 0) {
        if (field == FieldRxFreq && text.isEmpty())
            DeleteChannelData(position);
        else
            SaveChannelField(app().document.channels[static_cast<std::size_t>(position)], field,
                             text);
    } else if (field == FieldRxFreq && !text.isEmpty()) {
        AddChannelData(group, row, text);
    }

    if (hooks().channelsChanged) hooks().channelsChanged();
}

int AddChannelByNumber(int channelNumber, const QString& rxText) {
    return AddChannelByNumber(app().document, channelNumber, rxText);
}

int AddChannelByNumber(DocumentRecord& doc, int channelNumber, const QString& rxText) {
    if (channelNumber < 1 || channelNumber > kMaxChannels) return -1;
    if (FindChannelEntry(doc, channelNumber) >= 0) return -1;
    const int count = ValidCount(doc);
    if (count >= kMaxChannels) return -1;
    doc.channels[static_cast<std::size_t>(count)] = NewChannelEntry(channelNumber, rxText);
    doc.channelCount = static_cast<int16>(count + 1);
    return count;
}

void AddChannelData(int group, int row, const QString& rxText) {
    if (AddChannelByNumber(ChannelNumberOf(group, row), rxText) >= 0) CheckGroupScanCh();
}

void RemoveChannelEntry(DocumentRecord& doc, int position) {
    const int count = ValidCount(doc);
    if (position < 0 || position >= count) return;
    for (int i = position; i + 1 < count; ++i)
        doc.channels[static_cast<std::size_t>(i)] = doc.channels[static_cast<std::size_t>(i + 1)];
    doc.channelCount = static_cast<int16>(count - 1);
}

void DeleteChannelData(int position) {
    const int count = ValidCount(app().document);
    if (position < 0 || position >= count) return;
    RemoveChannelEntry(app().document, position);
    CheckGroupScanCh();
}

void SaveChannelField(ChannelEntry& entry, int field, const QString& text) {
    int number = 0;
    switch (field) {
    case FieldRxFreq:
        SetText(entry.rxFreq, ShowToFreData(text));
        break;
    case FieldTxFreq:
        if (text.isEmpty()) {
            SetText(entry.txFreq, kNoFrequency);
            entry.txEntryFlag = 1;
            SetText(entry.encodeTone, kNoTone);
            entry.reverse = 0;
        } else {
            SetText(entry.txFreq, ShowToFreData(text));
            entry.txEntryFlag = 0;
        }
        break;
    case FieldDecodeTone: {
        const bool hadDecode = HasTone(entry.decodeTone);
        SetText(entry.decodeTone, ShowToToneData(text));
        RepeaterNeedsDecodeTone(entry);
        // A first decode tone on a channel without tones becomes its encode tone too.
        if (!hadDecode && !HasTone(entry.encodeTone)) entry.encodeTone = entry.decodeTone;
        break;
    }
    case FieldEncodeTone: {
        const bool hadEncode = HasTone(entry.encodeTone);
        SetText(entry.encodeTone, ShowToToneData(text));
        if (!hadEncode && !HasTone(entry.decodeTone)) {
            entry.decodeTone = entry.encodeTone;
            RepeaterNeedsDecodeTone(entry);
        }
        break;
    }
    case FieldTxPower:
        entry.txPower = text == TxPowerWords()[0]() ? 0 : 1;
        break;
    case FieldScanAddText:
        entry.scanAdd = text == ScanAddWords()[1]() ? 1 : 0;
        break;
    case FieldOptSignal: {
        const int code = CodeOfWord(OptSignalWords(), text);
        if (code >= 0) entry.optSignal = static_cast<int16>(code);
        if (code == 0) {
            if (entry.busyLockout == 3) entry.busyLockout = 0;
            if (entry.spUnmute == 1 || entry.spUnmute == 2) entry.spUnmute = 0;
        }
        RepeaterNeedsDecodeTone(entry);
        break;
    }
    case FieldPttId:
        entry.pttId = text == OffOnWords()[0]() ? 0 : 1;
        break;
    case FieldSpacing:
        entry.spacing = text == SpacingWords()[0]() ? 0 : 1;
        break;
    case FieldSpUnmute: {
        const int code = CodeOfWord(SpUnmuteWords(HasTone(entry.decodeTone)), text);
        if (code >= 0) entry.spUnmute = static_cast<int16>(code);
        break;
    }
    case FieldBusyLockout: {
        const int code = CodeOfWord(BusyLockoutWords(), text);
        if (code >= 0) entry.busyLockout = static_cast<int16>(code);
        break;
    }
    case FieldAutodial:
        if (ParseInt(text, &number)) entry.autodial = static_cast<int16>(number - 1);
        break;
    case FieldReserved1:
        if (ParseInt(text, &number)) entry.reserved1 = static_cast<int16>(number);
        break;
    case FieldReserved2:
        if (ParseInt(text, &number)) entry.reserved2 = static_cast<int16>(number);
        break;
    case FieldScanAdd:
        if (ParseInt(text, &number)) entry.scanAdd = static_cast<int16>(number);
        break;
    case FieldReverse:
        if (ParseInt(text, &number)) entry.reverse = static_cast<int16>(number);
        break;
    case FieldTalkAround:
        if (ParseInt(text, &number)) entry.talkAround = static_cast<int16>(number);
        break;
    default:
        break;
    }
}

QString ShowChannelField(const ChannelEntry& entry, int field) {
    switch (field) {
    case FieldRxFreq:
        return FreDataToShow(entry.rxFreq.text());
    case FieldTxFreq:
        return HasTx(entry) ? FreDataToShow(entry.txFreq.text()) : QString();
    case FieldDecodeTone:
        return ToneDataToShow(entry.decodeTone.text());
    case FieldEncodeTone:
        return ToneDataToShow(entry.encodeTone.text());
    case FieldTxPower:
        return WordOfCode(TxPowerWords(), entry.txPower);
    case FieldScanAddText:
        return WordOfCode(ScanAddWords(), entry.scanAdd);
    case FieldOptSignal:
        return WordOfCode(OptSignalWords(), entry.optSignal);
    case FieldPttId:
        return WordOfCode(OffOnWords(), entry.pttId);
    case FieldSpacing:
        return WordOfCode(SpacingWords(), entry.spacing);
    case FieldSpUnmute:
        return WordOfCode(SpUnmuteWords(HasTone(entry.decodeTone)), entry.spUnmute);
    case FieldBusyLockout:
        return WordOfCode(BusyLockoutWords(), entry.busyLockout);
    case FieldAutodial:
        return QString::number(entry.autodial + 1);
    case FieldReserved1:
        return QString::number(entry.reserved1);
    case FieldReserved2:
        return QString::number(entry.reserved2);
    case FieldScanAdd:
        return QString::number(entry.scanAdd);
    case FieldReverse:
        return QString::number(entry.reverse);
    case FieldTalkAround:
        return QString::number(entry.talkAround);
    default:
        return QString();
    }
}

QString ShowChannelField(int position, int field) {
    if (position < 0 || position >= ValidCount(app().document)) return QString();
    return ShowChannelField(app().document.channels[static_cast<std::size_t>(position)], field);
}

void RevalidatePriorityChannels(DocumentRecord& doc) {
    const int count = ValidCount(doc);
    for (int g = 1; g <= kGroups; ++g) {
        int16& priority =
            doc.settings.features.scan.priorityChannel[static_cast<std::size_t>(g - 1)];
        // Only an in-group number 1..16 can name a channel of this group.
        if (priority >= 1 && priority <= kChannelsPerGroup &&
            FindChannelEntry(doc, ChannelNumberOf(g, priority)) >= 0)
            continue;
        int16 last = 255;
        for (int i = 0; i < count; ++i) {
            const int number = doc.channels[static_cast<std::size_t>(i)].number;
            if (number >= 1 && number <= kMaxChannels && GroupOf(number) == g)
                last = static_cast<int16>(InGroupNumberOf(number));
        }
        priority = last;
    }
}

void CheckGroupScanCh() {
    if (hooks().scanWindowReshow)
        hooks().scanWindowReshow();
    else
        RevalidatePriorityChannels(app().document);
}

QList<int> ListGroupChannels(const DocumentRecord& doc, int group) {
    QList<int> numbers;
    const int count = ValidCount(doc);
    for (int i = 0; i < count; ++i) {
        const int number = doc.channels[static_cast<std::size_t>(i)].number;
        if (number >= 1 && number <= kMaxChannels && GroupOf(number) == group)
            numbers.append(InGroupNumberOf(number));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QList<int> ListGroupChannels(int group) {
    return ListGroupChannels(app().document, group);
}
