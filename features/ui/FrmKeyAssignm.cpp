#include "features/ui/FrmKeyAssignm.h"

#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "features/FeatureCaptions.h"
#include "features/KeyRules.h"
#include "features/ui/EditorParts.h"

#include <QComboBox>
#include <QLabel>

namespace {
using namespace KeyCaptions;
constexpr std::array<int, 4> kListHelp{3401, 3402, 3403, 3404};
constexpr int kHelpContext = 3400;
constexpr int kLabelGap = 100;

KeyAssignment& keys() {
    return app().document.settings.features.keys;
}
} // namespace

FrmKeyAssignm::FrmKeyAssignm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmKeyAssignm"));
    setWindowTitle(kCaption());
    setFixedSize(470, 220);
    for (int k = 0; k < 4; ++k) {
        combo1_[k] = NewList(this, ControlName("Combo1", k), QRect(110, 20 + 36 * k, 330, 24));
        label1_[k] = NewLabel(this, ControlName("Label1", k));
        PlaceLabelLeftOf(label1_[k], kKeyLabels[k], combo1_[k], kLabelGap);
        SetHelpContext(combo1_[k], kListHelp[k]);
    }
    AddHelpCloseButtons(this, 250, 172, kHelpContext);
    InstallContextHelp(this, kHelpContext);
    SetShowData();
    for (int k = 0; k < 4; ++k)
        connect(combo1_[k], &QComboBox::activated, this, [this, k] { storeKey(k); });
}

// Each list shows its stored code and stores the item shown, as a choice would:
// 255 becomes "None" (0). A code the list does not offer (10..16 from a radio)
// gets an extra last item naming it and is kept until another item is chosen.
void FrmKeyAssignm::SetShowData() {
    for (int k = 0; k < 4; ++k) {
        const int16 code = KeyCode(keys(), k);
        FillList(combo1_[k], {});
        for (const KeyListItem& item : KeyListItems(code))
            combo1_[k]->addItem(item.text, item.code);
        combo1_[k]->setCurrentIndex(KeyShownIndex(code));
        storeKey(k);
    }
}

void FrmKeyAssignm::storeKey(int k) {
    const DocumentEdit edit;
    const QVariant chosen = combo1_[k]->currentData();
    if (chosen.isValid()) KeyCode(keys(), k) = static_cast<int16>(chosen.toInt());
}

void FrmKeyAssignm::commitPendingEdit() {
    for (int k = 0; k < 4; ++k)
        if (combo1_[k]->hasFocus()) storeKey(k);
}

void FrmKeyAssignm::closeEvent(QCloseEvent* event) {
    commitPendingEdit();
    QWidget::closeEvent(event);
}
