#pragma once
// The open document: the fixed-size record that the editors change in place and
// the data file stores byte for byte (field order = file order), and the values
// kept beside it. Arrays are 0-based here: channels[0] is channel entry 1.

#include "core/FixedText.h"

#include <array>
#include <cstdint>

using int16 = std::int16_t;
using int32 = std::int32_t;

constexpr int kMaxChannels = 128;
constexpr int kChannelsPerGroup = 16;
constexpr int kGroups = 8;

struct ChannelEntry {
    int16 number = 0;    // 1..128
    int16 inUse = 0;     // always 1 for a valid entry
    FixedText<8> rxFreq; // working form, never absent for a valid entry
    FixedText<8> txFreq; // working form, "FFFFFFFF" = none
    int16 reserved0 = 0;
    int16 txEntryFlag = 0;   // 0 after a TX frequency was entered, 1 otherwise
    FixedText<4> decodeTone; // working form, "FFFF" = none
    FixedText<4> encodeTone;
    int16 optSignal = 0;   // 0 None, 1 DTMF, 2 FleetLink
    int16 spUnmute = 0;    // 0 carrier/tone, 1 "+ Opt.Sig.", 2 "or Opt.Sig"
    int16 txPower = 0;     // 0 Low, 1 High
    int16 spacing = 0;     // 0 12.5 kHz, 1 25 kHz
    int16 busyLockout = 0; // 0 Off, 1 Carrier, 2 Repeater, 3 Option Signalling
    int16 pttId = 0;       // 0 Off, 1 On
    int16 autodial = 0;    // memory number - 1
    int16 reserved1 = 0;
    int16 scanAdd = 0; // 1 Add, 0 Del
    int16 reserved2 = 0;
    int16 reverse = 0;
    int16 talkAround = 0;
    bool operator==(const ChannelEntry&) const = default;
};

struct ModelRecord {
    FixedText<5> modelName;
    int16 bandIndex = 0; // 0 "136 - 174 MHz", 1 "200 - 260 MHz", 2 "400 - 480 MHz"
    bool operator==(const ModelRecord&) const = default;
};

struct OptionalFeatures {
    int16 totTime = 0;
    int16 totWarning = 0;
    int16 squelchLevel = 0;
    int16 micSensitivity = 0;
    int16 voicePrompt = 0;
    int16 batterySave = 0;
    int16 beep = 0;
    int16 scramblerActivation = 0;
    int16 scramblerBackup = 0;
    int16 pttIdType = 0;
    int16 pttIdMode = 0;
    FixedText<16> botCode;
    FixedText<16> eotCode;
    int16 voxFunction = 0;
    int16 voxLevel = 0;
    int16 voxDelay = 0;
    int16 cancelOperation = 0;
    int16 voxProceedTone = 0;
    int16 frequencyShow = 0;
    int16 cloneMode = 0;
    int16 eliminateSquelchTail = 0;
    int16 callResponse = 0;
    int16 compander = 0;
    bool operator==(const OptionalFeatures&) const = default;
};

struct KeyAssignment {
    int16 pf1Short = 0;
    int16 pf2Short = 0;
    int16 pf1Long = 0;
    int16 pf2Long = 0;
    bool operator==(const KeyAssignment&) const = default;
};

struct ScanSettings {
    int16 priorityType = 0;
    std::array<int16, kGroups> priorityChannel{}; // [g-1] for group g; 255 = none
    int16 lookBackA = 0;
    int16 lookBackB = 0;
    int16 revertChannel = 0;
    int16 dropoutDelay = 0;
    int16 txDwell = 0;
    bool operator==(const ScanSettings&) const = default;
};

struct DtmfSettings {
    int16 dtmfSpeed = 0;
    int16 firstDigitTime = 0;
    int16 firstDigitDelay = 0;
    int16 starHashTone = 0;
    int16 dCodeAssignment = 0;
    int16 sideTone = 0;
    FixedText<10> idCode;
    int16 groupCode = 0;
    int16 autoResetTimer = 0;
    int16 callAlert = 0;
    int16 transpond = 0;
    int16 clearToTranspond = 0;
    FixedText<10> stunCode;
    int16 stunType = 0;
    bool operator==(const DtmfSettings&) const = default;
};

struct FleetLinkSettings {
    int16 ownFleet = 0;
    int32 ownId = 0;
    int16 baudRate = 0;
    int32 txModulationDelay = 0;
    int32 messageModeTimer = 0;
    int16 pttIdSideTone = 0;
    bool operator==(const FleetLinkSettings&) const = default;
};

struct FeatureBlock {
    OptionalFeatures optional;
    KeyAssignment keys;
    ScanSettings scan;
    DtmfSettings dtmf;
    FleetLinkSettings fleetLink;
    bool operator==(const FeatureBlock&) const = default;
};

struct DtmfListEntry {
    int16 key = 0;
    FixedText<16> code;
    bool operator==(const DtmfListEntry&) const = default;
};

struct ReservedListEntry {
    int16 key = 0;
    FixedText<8> text1;
    FixedText<8> text2;
    int16 value1 = 0;
    int16 value2 = 0;
    bool operator==(const ReservedListEntry&) const = default;
};

struct FleetLinkListEntry {
    int16 key = 0;
    int16 fleetCode = 0;
    int32 idCode = 0;
    bool operator==(const FleetLinkListEntry&) const = default;
};

struct SettingsRecord {
    FeatureBlock features;
    int16 dtmfListCount = 0;
    std::array<DtmfListEntry, 8> dtmfList{};
    int16 reservedListCount = 0;
    std::array<ReservedListEntry, 16> reservedList{};
    FixedText<32> messageText1;
    FixedText<32> messageText2;
    int16 fleetLinkListCount = 0;
    std::array<FleetLinkListEntry, 8> fleetLinkList{};
    bool operator==(const SettingsRecord&) const = default;
};

struct DocumentRecord {
    int16 channelCount = 0;
    std::array<ChannelEntry, kMaxChannels> channels{};
    ModelRecord model;
    SettingsRecord settings;
    // Byte for byte, entries past the counts included (DocumentEquals is the change test).
    bool operator==(const DocumentRecord&) const = default;
};

// The three values kept outside the record (side file, image 2248/2249/2252).
struct SideValues {
    int16 alertUnlocked = 0;
    int16 functionUnlocked = 0;
    int16 bandExtension = 0;
    bool operator==(const SideValues&) const = default;
};

constexpr int kDataFileSize = 7979;
constexpr int kSideFileSize = 6;
constexpr int kImageSize = 4096;

using RadioImage = std::array<std::uint8_t, kImageSize>;
