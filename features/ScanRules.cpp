#include "features/ScanRules.h"

#include <QLocale>
#include <cmath>

const std::array<Tr, 3> kPriorityTypeTexts{{
    {QStringLiteral("None"), QStringLiteral("无")},
    {QStringLiteral("Fixd"), QStringLiteral("固定")},
    {QStringLiteral("Selected"), QStringLiteral("选定")},
}};

const std::array<Tr, 4> kRevertTexts{{
    {QStringLiteral("Selected"), QStringLiteral("选定")},
    {QStringLiteral("Selected+Talk Back"), QStringLiteral("选定+当前通话")},
    {QStringLiteral("Priority"), QStringLiteral("优先")},
    {QStringLiteral("Priority+Talk Back"), QStringLiteral("优先+当前通话")},
}};

QStringList ScanTimeItems() {
    QStringList items;
    for (int tenths = 10; tenths <= 50; tenths += 5)
        items.append(ScanTimeText(static_cast<int16>(tenths)));
    return items;
}

QString ScanTimeText(int16 tenths) {
    return QLocale::c().toString(tenths / 10.0, 'f', 1);
}

int16 ScanTimeValue(const QString& text) {
    bool ok = false;
    const double seconds = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? static_cast<int16>(std::lround(seconds * 10)) : int16{0};
}

QList<int> RevertCodesFor(int priorityType) {
    switch (priorityType) {
    case 1:
        return {0, 1, 2, 3};
    case 2:
        return {2, 3};
    default:
        return {0, 1};
    }
}

QStringList RevertItemsFor(int priorityType) {
    QStringList items;
    for (int code : RevertCodesFor(priorityType))
        items.append(kRevertTexts[static_cast<std::size_t>(code)]());
    return items;
}

int RevertCodeOfText(const QString& text) {
    for (std::size_t i = 0; i < kRevertTexts.size(); ++i)
        if (kRevertTexts[i]() == text) return static_cast<int>(i);
    return -1;
}

int RevertIndexAfterTypeChange(int priorityType, int16 revertChannel) {
    return priorityType == 1 ? revertChannel : (revertChannel & 1);
}

ScanEnabling ScanEnablingFor(int priorityType) {
    switch (priorityType) {
    case 1:
        return {true, true};
    case 2:
        return {true, false};
    default:
        return {false, false};
    }
}
