#include "features/KeyRules.h"

const std::array<Tr, 16> kKeyFunctionTexts{{
    {QStringLiteral("None"), QStringLiteral("无")},
    {QStringLiteral("Squelch Off"), QStringLiteral("取消静噪")},
    {QStringLiteral("Monitor"), QStringLiteral("监听")},
    {QStringLiteral("Current Channel Power Inquiry"), QStringLiteral("当前信道功率查询")},
    {QStringLiteral("Scan"), QStringLiteral("扫描")},
    {QStringLiteral("Reverse"), QStringLiteral("倒频")},
    {QStringLiteral("Talk Around"), QStringLiteral("脱网")},
    {QStringLiteral("Check Power"), QStringLiteral("电池电量查询")},
    {QStringLiteral("Call"), QStringLiteral("呼叫")},
    {QStringLiteral("Interference Channel Momentarily Delete"), QStringLiteral("干扰信道暂时删除")},
    {QStringLiteral("Compander"), QStringLiteral("压扩")},
    {QStringLiteral("Temporary Delete"), QStringLiteral("暂时删除")},
    {QStringLiteral("Keylock And Back-up"), QStringLiteral("按键锁定及备份")},
    {QStringLiteral("Instantaneously Monitor"), QStringLiteral("监听瞬时")},
    {QStringLiteral("Keylock"), QStringLiteral("按键锁定")},
    {QStringLiteral("Scan+Temporary Delete"), QStringLiteral("扫描+暂时删除")},
}};

namespace {
bool offered(int16 code) {
    return code >= 0 && code < kOfferedKeyFunctions;
}

// The text of a code the list does not offer: its function name when it has
// one, else the code itself, marked as not offered by this window.
QString extraItemText(int16 code) {
    const Tr notOffered{QStringLiteral("(not offered)"), QStringLiteral("(不可选)")};
    const QString name = code >= 0 && code < static_cast<int16>(kKeyFunctionTexts.size())
                             ? kKeyFunctionTexts[static_cast<std::size_t>(code)]()
                             : QStringLiteral("%1").arg(code);
    return QStringLiteral("%1 %2").arg(name, notOffered());
}
} // namespace

QList<KeyListItem> KeyListItems(int16 storedCode) {
    QList<KeyListItem> items;
    for (int i = 0; i < kOfferedKeyFunctions; ++i)
        items.append({kKeyFunctionTexts[static_cast<std::size_t>(i)](), static_cast<int16>(i)});
    if (!offered(storedCode) && storedCode != kNoKeyCode)
        items.append({extraItemText(storedCode), storedCode});
    return items;
}

int KeyShownIndex(int16 storedCode) {
    if (storedCode == kNoKeyCode) return 0;
    if (offered(storedCode)) return storedCode;
    return kOfferedKeyFunctions;
}

int16& KeyCode(KeyAssignment& keys, int k) {
    switch (k) {
    case 0:
        return keys.pf1Short;
    case 1:
        return keys.pf2Short;
    case 2:
        return keys.pf1Long;
    default:
        return keys.pf2Long;
    }
}
