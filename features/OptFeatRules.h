#pragma once
// The rules of the optional-features editor without its widgets: the list
// items, how a control's state is stored into the document (the save codes),
// which list item shows a stored value, and which controls VOX and the PTT ID
// mode enable. The window only forwards control states to these functions.

#include "core/AppState.h"
#include "core/Document.h"
#include "features/ListTexts.h"

#include <QStringList>
#include <array>
#include <optional>

// Save codes: the item code of each control.
enum OptFeatCode {
    OptTotTime = 1,
    OptTotWarning = 2,
    OptSquelchLevel = 3,
    OptMicSensitivity = 4,
    OptVoicePrompt = 5,
    OptBatterySave = 6,
    OptBeep = 7,
    OptScramblerActivation = 8,
    OptScramblerBackup = 9,
    OptPttIdType = 10,
    OptPttIdMode = 11,
    OptBotCode = 12,
    OptEotCode = 13,
    OptVoxFunction = 14,
    OptVoxLevel = 15,
    OptVoxDelay = 16,
    OptCancelOperation = 17,
    OptVoxProceedTone = 18,
    OptFrequencyShow = 19,
    OptCloneMode = 20,
    OptEliminateSquelchTail = 21,
    OptCallResponse = 22,
    OptCompander = 23,
    OptBandExtension = 24,
    OptAlertLocked = 104,
    OptFunctionLocked = 105,
};

// The state of the control behind a save code: the list text and index (-1 when
// nothing is selected), the check box value or the text box content.
struct OptFeatControl {
    QString text;
    int index = -1;
    int checked = 0;
};

// Texts of the language-dependent lists, in code order.
inline const Tr kOptOffText{QStringLiteral("Off"), QStringLiteral("关")};
extern const std::array<Tr, 2> kMicSensitivityTexts;
extern const std::array<Tr, 4> kVoicePromptTexts; // the list offers the first three
extern const std::array<Tr, 2> kPttIdTypeTexts;
extern const std::array<Tr, 3> kPttIdModeTexts;
extern const std::array<Tr, 6> kCallResponseTexts;
constexpr int kVoicePromptListItems = 3;

// Fixed lists.
QStringList TotTimeItems(); // the Off text, then "15" .. "600"
QStringList TotWarningItems();
QStringList SquelchLevelItems();
QStringList VoxLevelItems();
QStringList VoxDelayItems(); // "0.3" .. "3.0"
// Stores one control into its field. A list without a selection and a text that
// matches no item leave the field as it was. Switching the band extension
// re-limits every channel's TX frequency.
void SaveOptFeat(int code, const OptFeatControl& control, OptionalFeatures& features,
                 SideValues& side);

// The list item that shows a stored value when the window opens; nullopt when the
// value has no item (nothing is selected and the stored value is kept).
// TOT: "Off" for values below 1. TOT warning: "5" for an unknown value.
// PTT ID type and mode: item 0 for a value past the list. Call response: "Off"
// for a value above 4.
std::optional<int> TotTimeShownIndex(int16 totTime);
int TotWarningShownIndex(int16 totWarning);
std::optional<int> IndexShown(int value, int itemCount); // value = item number
std::optional<int> PttIdShownIndex(int16 value, int itemCount);
std::optional<int> CallResponseShownIndex(int16 callResponse);

// EnableVOX: the VOX lists, "Cancel Operation" and "VOX Proceed Tone" are enabled
// only for state 1.
constexpr bool VoxControlsEnabled(int state) {
    return state == 1;
}
// The two PTT ID code boxes enabled by a mode (BOT, EOT); nullopt for any other
// mode, which changes nothing.
struct PttCodeBoxes {
    bool begin;
    bool end;
};
std::optional<PttCodeBoxes> PttIdEnabling(int mode);

// The key filter of the PTT ID code boxes: the character to insert for a typed
// code, 0 to drop it, or -1 when it is Enter (focus moves on, key dropped).
int FilterPttCodeKey(int code);
