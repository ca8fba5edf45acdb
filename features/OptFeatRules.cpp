#include "features/OptFeatRules.h"

#include "codec/Frequency.h"
#include "core/Ansi.h"

#include <QLocale>
#include <cmath>

const std::array<Tr, 2> kMicSensitivityTexts{{
    {QStringLiteral("Normal"), QStringLiteral("常规")},
    {QStringLiteral("High"), QStringLiteral("高")},
}};

const std::array<Tr, 4> kVoicePromptTexts{{
    {QStringLiteral("Off"), QStringLiteral("关")},
    {QStringLiteral("Chinese"), QStringLiteral("中文")},
    {QStringLiteral("English"), QStringLiteral("英文")},
    {QStringLiteral("Russian"), QStringLiteral("俄文")},
}};

const std::array<Tr, 2> kPttIdTypeTexts{{
    {QStringLiteral("DTMF"), QStringLiteral("DTMF(双音多频)")},
    {QStringLiteral("FleetLink"), QStringLiteral("FleetLink(队列同步)")},
}};

const std::array<Tr, 3> kPttIdModeTexts{{
    {QStringLiteral("BOT"), QStringLiteral("发射开始")},
    {QStringLiteral("EOT"), QStringLiteral("发射结束")},
    {QStringLiteral("Both"), QStringLiteral("两者")},
}};

const std::array<Tr, 6> kCallResponseTexts{{
    {QStringLiteral("Off"), QStringLiteral("关")},
    {QStringLiteral("Vibration"), QStringLiteral("振动")},
    {QStringLiteral("Chord1"), QStringLiteral("和弦1")},
    {QStringLiteral("Chord2"), QStringLiteral("和弦2")},
    {QStringLiteral("Vibration + Chord1"), QStringLiteral("振动+和弦1")},
    {QStringLiteral("Vibration + Chord2"), QStringLiteral("振动+和弦2")},
}};

namespace {
QStringList numbers(int from, int to, int step = 1) {
    QStringList items;
    for (int n = from; n <= to; n += step)
        items.append(QString::number(n));
    return items;
}

// The leading number of a list text ("15", "2.0"); 0 when there is none.
double numberIn(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? value : 0;
}

// Position (0-based code) of the text among a caption table's items, or -1.
template <std::size_t N> int codeOfText(const std::array<Tr, N>& table, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i]() == text) return static_cast<int>(i);
    return -1;
}

int16 checkValue(const OptFeatControl& control) {
    return control.checked ? 1 : 0;
}
} // namespace

QStringList TotTimeItems() {
    QStringList items{kOptOffText()};
    items += numbers(15, 600, 15);
    return items;
}
QStringList TotWarningItems() {
    return numbers(5, 10);
}
QStringList SquelchLevelItems() {
    return numbers(0, 9);
}
QStringList VoxLevelItems() {
    return numbers(1, 9);
}
QStringList VoxDelayItems() {
    QStringList items;
    for (int n = 0; n <= 27; ++n)
        items.append(QLocale::c().toString((3 + n) / 10.0, 'f', 1));
    return items;
}

void SaveOptFeat(int code, const OptFeatControl& control, OptionalFeatures& f, SideValues& side) {
    const bool listCode = code == OptTotTime || code == OptTotWarning || code == OptSquelchLevel ||
                          code == OptVoxLevel || code == OptVoxDelay || code == OptCallResponse;
    if (listCode && control.index < 0) return; // nothing chosen: keep the stored value

    auto setByText = [&](auto& table, int16& field) {
        const int position = codeOfText(table, control.text);
        if (position >= 0) field = static_cast<int16>(position);
    };
    auto setCode = [&](FixedText<16>& field) { field.assign(ToAnsi(control.text)); };

    switch (code) {
    case OptTotTime:
        f.totTime = control.index > 0 ? static_cast<int16>(std::lround(numberIn(control.text) / 15))
                                      : int16{0};
        break;
    case OptTotWarning:
        f.totWarning =
            control.text == kOptOffText() ? int16{0} : static_cast<int16>(numberIn(control.text));
        break;
    case OptVoxLevel:
        f.voxLevel =
            control.text == kOptOffText() ? int16{0} : static_cast<int16>(numberIn(control.text));
        break;
    case OptSquelchLevel:
        f.squelchLevel = static_cast<int16>(numberIn(control.text));
        break;
    case OptMicSensitivity:
        setByText(kMicSensitivityTexts, f.micSensitivity);
        break;
    case OptVoicePrompt:
        setByText(kVoicePromptTexts, f.voicePrompt);
        break;
    case OptPttIdType:
        setByText(kPttIdTypeTexts, f.pttIdType);
        break;
    case OptPttIdMode:
        setByText(kPttIdModeTexts, f.pttIdMode);
        break;
    case OptBatterySave:
        f.batterySave = checkValue(control);
        break;
    case OptBeep:
        f.beep = checkValue(control);
        break;
    case OptScramblerActivation:
        f.scramblerActivation = checkValue(control);
        break;
    case OptScramblerBackup:
        f.scramblerBackup = checkValue(control);
        break;
    case OptVoxFunction:
        f.voxFunction = checkValue(control);
        break;
    case OptCancelOperation:
        f.cancelOperation = checkValue(control);
        break;
    case OptVoxProceedTone:
        f.voxProceedTone = checkValue(control);
        break;
    case OptFrequencyShow:
        f.frequencyShow = checkValue(control);
        break;
    case OptCloneMode:
        f.cloneMode = checkValue(control);
        break;
    case OptEliminateSquelchTail:
        f.eliminateSquelchTail = checkValue(control);
        break;
    case OptCompander:
        f.compander = checkValue(control);
        break;
    case OptBotCode:
        setCode(f.botCode);
        break;
    case OptEotCode:
        setCode(f.eotCode);
        break;
    case OptVoxDelay:
        f.voxDelay = static_cast<int16>(control.index);
        break;
    case OptCallResponse:
        f.callResponse = static_cast<int16>(control.index);
        break;
    case OptBandExtension:
        side.bandExtension = checkValue(control);
        ReLimitAllTxFre();
        break;
    case OptAlertLocked:
        side.alertUnlocked = static_cast<int16>(1 - checkValue(control));
        break;
    case OptFunctionLocked:
        side.functionUnlocked = static_cast<int16>(1 - checkValue(control));
        break;
    default:
        break;
    }
}

std::optional<int> TotTimeShownIndex(int16 totTime) {
    if (totTime < 1) return 0;
    return IndexShown(totTime, 41);
}

int TotWarningShownIndex(int16 totWarning) {
    return totWarning >= 5 && totWarning <= 10 ? totWarning - 5 : 0;
}

std::optional<int> IndexShown(int value, int itemCount) {
    if (value < 0 || value >= itemCount) return std::nullopt;
    return value;
}

std::optional<int> PttIdShownIndex(int16 value, int itemCount) {
    if (value > itemCount - 1) return 0;
    return IndexShown(value, itemCount);
}

std::optional<int> CallResponseShownIndex(int16 callResponse) {
    if (callResponse > 4) return 0;
    return IndexShown(callResponse, static_cast<int>(kCallResponseTexts.size()));
}

std::optional<PttCodeBoxes> PttIdEnabling(int mode) {
    switch (mode) {
    case 0:
        return PttCodeBoxes{true, false};
    case 1:
        return PttCodeBoxes{false, true};
    case 2:
        return PttCodeBoxes{true, true};
    default:
        return std::nullopt;
    }
}

int FilterPttCodeKey(int code) {
    if (code == 24 || code == 22 || code == 3) return 0; // cut, paste, copy
    if (code == '\r' || code == '\n') return -1;
    if (code > 127) return 0;
    if (code < 32 || code == 127) return code;
    if ((code >= '0' && code <= '9') || code == '#' || code == '*') return code;
    if (code >= 'a' && code <= 'd') return code - 'a' + 'A';
    if (code >= 'A' && code <= 'D') return code;
    return 0;
}
