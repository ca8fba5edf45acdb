#include "core/DocumentOps.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentEdits.h"
#include "core/Hooks.h"

#include <algorithm>

namespace {
void SetFeatureDefaults(FeatureBlock& f) {
    OptionalFeatures& o = f.optional;
    o.totTime = 4;
    o.totWarning = 5;
    o.squelchLevel = 4;
    o.micSensitivity = 0;
    o.voicePrompt = 0;
    o.batterySave = 0;
    o.beep = 1;
    o.scramblerActivation = 0;
    o.scramblerBackup = 0;
    o.pttIdType = 0;
    o.pttIdMode = 0;
    o.botCode.assignTerminated("12345");
    o.eotCode.assignTerminated("");
    o.voxFunction = 0;
    o.voxLevel = 3;
    o.voxDelay = 17;
    o.cancelOperation = 0;
    o.voxProceedTone = 0;
    o.frequencyShow = 0;
    o.cloneMode = 0;
    o.eliminateSquelchTail = 0;
    o.callResponse = 0;
    o.compander = 0;

    f.keys = KeyAssignment{255, 1, 255, 255};

    ScanSettings& s = f.scan;
    s.priorityType = 0;
    s.priorityChannel.fill(255);
    s.lookBackA = 20;
    s.lookBackB = 20;
    s.revertChannel = 1;
    s.dropoutDelay = 30;
    s.txDwell = 30;

    DtmfSettings& d = f.dtmf;
    d.dtmfSpeed = 0;
    d.firstDigitTime = 0;
    d.firstDigitDelay = 10;
    d.starHashTone = 0;
    d.dCodeAssignment = 0;
    d.sideTone = 1;
    d.idCode.assign("000");
    d.groupCode = 0;
    d.autoResetTimer = 10;
    d.callAlert = 0;
    d.transpond = 0;
    d.clearToTranspond = 0;
    d.stunCode.assignTerminated("");
    d.stunType = 0;

    f.fleetLink = FleetLinkSettings{255, 0, 0, 400, 10, 1};
}

int ValidCount(int16 count, int capacity) {
    return std::clamp<int>(count, 0, capacity);
}

// The entry of `list` (valid part) with the same key as `wanted`: same position
// first, else searched; nullptr when none has it.
template <typename Entry, std::size_t N>
const Entry* FindByKey(const std::array<Entry, N>& list, int count, std::size_t position, int16 key,
                       int16 Entry::*keyField) {
    if (position < N && list[position].*keyField == key) return &list[position];
    for (int i = 0; i < count; ++i)
        if (list[static_cast<std::size_t>(i)].*keyField == key)
            return &list[static_cast<std::size_t>(i)];
    return nullptr;
}

template <typename Entry, std::size_t N, typename Same>
bool ListsEqual(const std::array<Entry, N>& saved, const std::array<Entry, N>& current, int count,
                Same same) {
    const int n = ValidCount(static_cast<int16>(count), static_cast<int>(N));
    for (int i = 0; i < n; ++i) {
        const Entry& s = saved[static_cast<std::size_t>(i)];
        const Entry* c = FindByKey(current, n, static_cast<std::size_t>(i), s.key, &Entry::key);
        if (!c || !same(s, *c)) return false;
    }
    return true;
}
} // namespace

bool InitNewDocument() {
    AppState& s = app();
    s.isNewDocument = true;
    s.documentName = QStringLiteral("new.dat");
    if (hooks().setLinkIdle) hooks().setLinkIdle();

    s.document.channelCount = 0;
    if (hooks().resetGridEditState) hooks().resetGridEditState();

    SettingsRecord& settings = s.document.settings;
    SetFeatureDefaults(settings.features);
    settings.dtmfListCount = 0;
    settings.fleetLinkListCount = 0;
    settings.messageText1.assignTerminated("");
    settings.messageText2.assignTerminated("");

    s.radioInfo = RadioInfoRecord{};
    s.sideValues = SideValues{};

    const bool fromTemplate = LoadTemplate();
    DocumentReplaced();
    return fromTemplate;
}

void StoreSavedCopy() {
    AppState& s = app();
    s.document.model.modelName.assignTerminated(ToAnsi(s.currentModel));
    s.document.model.bandIndex = BandIndexOf(s.bandText);
    s.savedDocument = s.document;
    s.savedSideValues = s.sideValues;
}

void LoadFromSavedCopy() {
    AppState& s = app();
    s.document = s.savedDocument;
    s.sideValues = s.savedSideValues;
    ApplyDocumentModel(s.document.model);
}

void ApplyDocumentModel(const ModelRecord& model) {
    AppState& s = app();
    s.currentModel = FromAnsi(model.modelName.value()).trimmed();
    s.bandText = BandTextOf(model.bandIndex);
    SetBandLimits();
}

bool DocumentEquals() {
    const AppState& s = app();
    const DocumentRecord& saved = s.savedDocument;
    const DocumentRecord& doc = s.document;

    // Channels: compared by channel number, whatever their order in the table.
    if (saved.channelCount != doc.channelCount) return false;
    const int count = ValidCount(saved.channelCount, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        const ChannelEntry& a = saved.channels[static_cast<std::size_t>(i)];
        const ChannelEntry* b = FindByKey(doc.channels, count, static_cast<std::size_t>(i),
                                          a.number, &ChannelEntry::number);
        if (!b || !(a == *b)) return false;
    }

    const SettingsRecord& ss = saved.settings;
    const SettingsRecord& ds = doc.settings;
    if (ss.dtmfListCount != ds.dtmfListCount || ss.fleetLinkListCount != ds.fleetLinkListCount ||
        ss.reservedListCount != ds.reservedListCount)
        return false;
    if (!ListsEqual(
            ss.dtmfList, ds.dtmfList, ss.dtmfListCount,
            [](const DtmfListEntry& a, const DtmfListEntry& b) { return a.code == b.code; }))
        return false;
    if (!ListsEqual(ss.fleetLinkList, ds.fleetLinkList, ss.fleetLinkListCount,
                    [](const FleetLinkListEntry& a, const FleetLinkListEntry& b) {
                        return a.fleetCode == b.fleetCode && a.idCode == b.idCode;
                    }))
        return false;
    if (!ListsEqual(ss.reservedList, ds.reservedList, ss.reservedListCount,
                    [](const ReservedListEntry& a, const ReservedListEntry& b) {
                        return a.text1 == b.text1 && a.text2 == b.text2 && a.value1 == b.value1 &&
                               a.value2 == b.value2;
                    }))
        return false;

    if (!(saved.model == doc.model)) return false;
    if (!(ss.messageText1 == ds.messageText1) || !(ss.messageText2 == ds.messageText2))
        return false;
    if (!(ss.features == ds.features)) return false;
    return s.savedSideValues == s.sideValues;
}

QString RemoveAll(const QString& text, const QString& part) {
    if (part.isEmpty()) return text;
    QString result = text;
    return result.remove(part);
}

QString FileNameOf(const QString& path) {
    const auto slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(slash + 1);
}
