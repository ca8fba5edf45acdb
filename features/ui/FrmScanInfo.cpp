#include "features/ui/FrmScanInfo.h"

#include "channels/ui/ListGroupChannelsCombo.h"
#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "core/Hooks.h"
#include "core/ui/ComboHelpers.h"
#include "features/FeatureCaptions.h"
#include "features/ScanRules.h"
#include "features/ui/EditorParts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>

namespace {
using namespace ScanCaptions;

constexpr int kHelpContext = 3500;
constexpr int kLabelGap = 50;
constexpr int kFirstPriorityList = 7; // Combo1(6 + g) for group g
constexpr std::array<int, 4> kTimeLists{2, 3, 5, 6};

ScanSettings& scan() {
    return app().document.settings.features.scan;
}

int16& timeField(int k) {
    switch (k) {
    case 2:
        return scan().lookBackA;
    case 3:
        return scan().lookBackB;
    case 5:
        return scan().dropoutDelay;
    default:
        return scan().txDwell;
    }
}
} // namespace

FrmScanInfo::FrmScanInfo(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmScanInfo"));
    setWindowTitle(kCaption());
    setFixedSize(640, 330);

    // Left column: type, look-back, revert and delay lists; right column: the
    // eight priority channels. Combo1(1) has no use on this model and stays hidden.
    constexpr std::array<int, 7> leftTop{20, 20, 56, 92, 128, 164, 200};
    for (int k = 0; k < 7; ++k)
        combo1_[k] = NewList(this, ControlName("Combo1", k), QRect(210, leftTop[k], 160, 24));
    for (int g = 1; g <= 8; ++g)
        combo1_[6 + g] =
            NewList(this, ControlName("Combo1", 6 + g), QRect(540, 20 + 30 * (g - 1), 70, 24));
    for (int k = 0; k < 15; ++k)
        label1_[k] = NewLabel(this, ControlName("Label1", k));

    const std::array<const Tr*, 7> leftCaptions{
        &kPriority, nullptr, &kLookBackA, &kLookBackB, &kRevertChannel, &kDropoutDelay, &kTxDwell};
    for (int k = 0; k < 7; ++k)
        PlaceLabelLeftOf(label1_[k], leftCaptions[k] ? (*leftCaptions[k])() : QString(), combo1_[k],
                         kLabelGap);
    for (int g = 1; g <= 8; ++g)
        PlaceLabelLeftOf(label1_[6 + g], kPriorityChannel() + QStringLiteral(" %1").arg(g),
                         combo1_[6 + g], kLabelGap);
    combo1_[1]->hide();
    label1_[1]->hide();

    SetHelpContext(combo1_[0], 3501);
    for (int k = 2; k < 15; ++k)
        SetHelpContext(combo1_[k], 3500 + k);
    AddHelpCloseButtons(this, 420, 282, kHelpContext);
    InstallContextHelp(this, kHelpContext);

    FillList(combo1_[0], ListTexts(kPriorityTypeTexts));
    for (int k : kTimeLists)
        FillList(combo1_[k], ScanTimeItems());
    showBlock();

    for (int k = 0; k < 15; ++k)
        connect(combo1_[k], &QComboBox::activated, this, [this, k] { store(k); });
    hooks().scanWindowReshow = [this] { ReshowByCh(); };
}

FrmScanInfo::~FrmScanInfo() {
    hooks().scanWindowReshow = nullptr;
}

// A closed window is no longer open for the priority-channel upkeep, although it
// is deleted only later (a channel committed by another window closing with it).
void FrmScanInfo::closeEvent(QCloseEvent* event) {
    hooks().scanWindowReshow = nullptr;
    QWidget::closeEvent(event);
}

// Each list shows its stored value and stores the item shown, as a choice
// would, so a value without an item is replaced (a look-back of 12 becomes 10).
void FrmScanInfo::showBlock() {
    if (scan().priorityType >= 0 && scan().priorityType < combo1_[0]->count()) {
        combo1_[0]->setCurrentIndex(scan().priorityType);
        store(0);
    }
    for (int k : kTimeLists) {
        SelectComboText(combo1_[k], ScanTimeText(timeField(k)));
        store(k);
    }
    fillRevertList(scan().priorityType);
    const int shown = RevertCodesFor(scan().priorityType).indexOf(scan().revertChannel);
    combo1_[4]->setCurrentIndex(shown);
    applyEnabling();
    for (int g = 1; g <= kGroups; ++g)
        showPriorityChannel(g);
}

void FrmScanInfo::fillRevertList(int priorityType) {
    FillList(combo1_[4], RevertItemsFor(priorityType));
}

void FrmScanInfo::applyEnabling() {
    const ScanEnabling enabling = ScanEnablingFor(scan().priorityType);
    combo1_[1]->setEnabled(enabling.priorityChannels);
    combo1_[2]->setEnabled(enabling.lookBack);
    combo1_[3]->setEnabled(enabling.lookBack);
    for (int g = 1; g <= kGroups; ++g)
        combo1_[6 + g]->setEnabled(enabling.priorityChannels);
}

// A group's list: the channels present in the group; the stored position is
// selected when present, else the first channel, and the selection is stored.
void FrmScanInfo::showPriorityChannel(int group) {
    QComboBox* list = combo1_[6 + group];
    ListGroupChannels(list, group);
    if (list->count() == 0) return;
    SelectComboText(list, QString::number(scan().priorityChannel[group - 1]));
    store(6 + group);
}

void FrmScanInfo::store(int k) {
    const DocumentEdit edit;
    QComboBox* list = combo1_[k];
    if (k == 0) {
        if (list->currentIndex() < 0) return;
        scan().priorityType = static_cast<int16>(list->currentIndex());
        fillRevertList(scan().priorityType);
        const int index = RevertIndexAfterTypeChange(scan().priorityType, scan().revertChannel);
        if (index >= 0 && index < combo1_[4]->count()) {
            combo1_[4]->setCurrentIndex(index);
            store(4);
        }
        applyEnabling();
    } else if (k == 4) {
        const int code = RevertCodeOfText(list->currentText());
        if (code >= 0) scan().revertChannel = static_cast<int16>(code);
    } else if (k >= kFirstPriorityList) {
        scan().priorityChannel[k - kFirstPriorityList] = ComboValueOr255(list);
    } else if (k != 1 && list->currentIndex() >= 0) {
        timeField(k) = ScanTimeValue(list->currentText());
    }
}

void FrmScanInfo::ReshowByCh() {
    const bool fixed = ScanEnablingFor(scan().priorityType).priorityChannels;
    for (int g = 1; g <= kGroups; ++g) {
        showPriorityChannel(g);
        QComboBox* list = combo1_[6 + g];
        list->setEnabled(list->currentIndex() >= 0 && fixed);
    }
}
