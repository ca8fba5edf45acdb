#include "features/ui/FrmOptFeatures.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "core/ui/CommonCaptions.h"
#include "features/FeatureCaptions.h"
#include "features/OptFeatRules.h"
#include "features/ui/EditorParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using namespace OptFeatCaptions;

constexpr int kHelpContext = 3200;
constexpr int kLabelGap = 100; // twips between a label and its box

// Save codes of the numbered controls, in index order.
constexpr std::array<int, 5> kCombo1Codes{OptTotTime, OptTotWarning, OptSquelchLevel,
                                          OptMicSensitivity, OptVoicePrompt};
constexpr std::array<int, 6> kCheck1Codes{OptBatterySave,         OptBeep,
                                          OptScramblerActivation, OptScramblerBackup,
                                          OptAlertLocked,         OptFunctionLocked};
constexpr std::array<int, 2> kCombo2Codes{OptPttIdType, OptPttIdMode};
constexpr std::array<int, 2> kText1Codes{OptBotCode, OptEotCode};
constexpr std::array<int, 4> kCheck2Codes{OptVoxFunction, OptCancelOperation, OptVoxProceedTone,
                                          OptFrequencyShow};
constexpr std::array<int, 2> kCombo3Codes{OptVoxLevel, OptVoxDelay};

void selectShown(QComboBox* list, std::optional<int> index) {
    list->setCurrentIndex(index && *index < list->count() ? *index : -1);
}

// A list greyed like the window while disabled.
void setListEnabled(QWidget* list, bool enabled) {
    list->setEnabled(enabled);
    QPalette palette = list->parentWidget()->palette();
    if (!enabled) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        palette.setColor(QPalette::Button, palette.color(QPalette::Window));
    }
    list->setPalette(palette);
}
} // namespace

FrmOptFeatures::FrmOptFeatures(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmOptFeatures"));
    buildControls();
    fillLists();
    applyCaptions();
    showBlock();
    for (QLineEdit* box : text1_)
        SuppressContextMenu(box);
    // This model hides the scramblers, mic sensitivity and the whole PTT ID group.
    check1_[2]->hide();
    check1_[3]->hide();
    frame1_->hide();
    combo1_[3]->hide();
    label1_[3]->hide();
    connectStores();
}

void FrmOptFeatures::buildControls() {
    setFixedSize(640, 430);
    constexpr int boxLeft = 200, boxWidth = 130, rowHeight = 24;
    constexpr std::array<int, 5> rowTop{20, 52, 84, 116, 116};
    for (int k = 0; k < 5; ++k) {
        combo1_[k] =
            NewList(this, ControlName("Combo1", k), QRect(boxLeft, rowTop[k], boxWidth, rowHeight));
        label1_[k] = NewLabel(this, ControlName("Label1", k));
    }

    frame4_ = NewFrame(this, QStringLiteral("Frame4"), QRect(20, 150, 320, 60));
    combo4_ = NewList(frame4_, QStringLiteral("Combo4"), QRect(130, 24, 176, rowHeight));
    label4_ = NewLabel(frame4_, QStringLiteral("Label4"));

    constexpr std::array<int, 6> checkTop{224, 250, 0, 0, 276, 302};
    for (int k = 0; k < 6; ++k)
        check1_[k] = NewCheck(this, ControlName("Check1", k), QRect(30, checkTop[k], 300, 22));
    check5_ = NewCheck(this, QStringLiteral("Check5"), QRect(30, 328, 300, 22));
    check6_ = NewCheck(this, QStringLiteral("Check6"), QRect(30, 354, 300, 22));

    frame2_ = NewFrame(this, QStringLiteral("Frame2"), QRect(360, 14, 262, 176));
    check2_[0] = NewCheck(frame2_, ControlName("Check2", 0), QRect(14, 24, 230, 22));
    combo3_[0] = NewList(frame2_, ControlName("Combo3", 0), QRect(160, 54, 88, rowHeight));
    combo3_[1] = NewList(frame2_, ControlName("Combo3", 1), QRect(160, 86, 88, rowHeight));
    for (int k = 0; k < 2; ++k)
        label3_[k] = NewLabel(frame2_, ControlName("Label3", k));
    check2_[1] = NewCheck(frame2_, ControlName("Check2", 1), QRect(14, 118, 230, 22));
    check2_[2] = NewCheck(frame2_, ControlName("Check2", 2), QRect(14, 144, 230, 22));
    check2_[3] = NewCheck(this, ControlName("Check2", 3), QRect(374, 198, 240, 22));

    frame3_ = NewFrame(this, QStringLiteral("Frame3"), QRect(360, 226, 262, 58));
    check3_ = NewCheck(frame3_, QStringLiteral("Check3"), QRect(14, 26, 230, 22));

    frame1_ = NewFrame(this, QStringLiteral("Frame1"), QRect(360, 290, 262, 130));
    for (int k = 0; k < 2; ++k) {
        combo2_[k] =
            NewList(frame1_, ControlName("Combo2", k), QRect(120, 22 + 26 * k, 130, rowHeight));
        text1_[k] = new QLineEdit(frame1_);
        text1_[k]->setObjectName(ControlName("Text1", k));
        text1_[k]->setGeometry(120, 74 + 26 * k, 130, rowHeight);
        text1_[k]->setMaxLength(16);
    }
    for (int k = 0; k < 4; ++k)
        label2_[k] = NewLabel(frame1_, ControlName("Label2", k));

    check4_ = NewCheck(this, QStringLiteral("Check4"), QRect(30, 386, 400, 22));
    AddHelpCloseButtons(this, 440, 386, kHelpContext);
}

void FrmOptFeatures::fillLists() {
    FillList(combo1_[0], TotTimeItems());
    FillList(combo1_[1], TotWarningItems());
    FillList(combo1_[2], SquelchLevelItems());
    FillList(combo3_[0], VoxLevelItems());
    FillList(combo3_[1], VoxDelayItems());
    FillList(combo1_[3], ListTexts(kMicSensitivityTexts));
    FillList(combo1_[4], ListTexts(kVoicePromptTexts, kVoicePromptListItems));
    FillList(combo2_[0], ListTexts(kPttIdTypeTexts));
    FillList(combo2_[1], ListTexts(kPttIdModeTexts));
    FillList(combo4_, ListTexts(kCallResponseTexts));
}

void FrmOptFeatures::applyCaptions() {
    setWindowTitle(kCaption());
    for (int k = 0; k < 5; ++k)
        PlaceLabelLeftOf(label1_[k], kLabel1[k](), combo1_[k], kLabelGap);
    for (int k = 0; k < 6; ++k)
        check1_[k]->setText(kCheck1[k]());
    const std::array<QWidget*, 4> label2Boxes{combo2_[0], combo2_[1], text1_[0], text1_[1]};
    for (int k = 0; k < 4; ++k)
        PlaceLabelLeftOf(label2_[k], kLabel2[k](), label2Boxes[k], kLabelGap);
    for (int k = 0; k < 4; ++k)
        check2_[k]->setText(kCheck2[k]());
    for (int k = 0; k < 2; ++k)
        PlaceLabelLeftOf(label3_[k], kLabel3[k](), combo3_[k], kLabelGap);
    PlaceLabelLeftOf(label4_, kLabel4(), combo4_, kLabelGap);
    check3_->setText(kCheck3());
    check4_->setText(kCheck4());
    check5_->setText(kCheck5());
    check6_->setText(kCheck6());
    frame1_->setTitle(kFrame1());
    frame2_->setTitle(kFrame2());
    frame3_->setTitle(kFrame3());
    frame4_->setTitle(kFrame4());
}

// Shows the stored block. A list shows the item of its stored value and then
// stores that item, as a user's choice would, so a value without its own item is
// replaced by the item shown (TOT warning, PTT ID, call response). A value that
// no rule maps to an item (voice prompt 3, VOX level 0) leaves its list empty and
// the value stored as it was.
void FrmOptFeatures::showBlock() {
    const OptionalFeatures& f = app().document.settings.features.optional;
    const SideValues& side = app().sideValues;

    selectShown(combo1_[0], TotTimeShownIndex(f.totTime));
    selectShown(combo1_[1], TotWarningShownIndex(f.totWarning));
    selectShown(combo1_[2], IndexShown(f.squelchLevel, combo1_[2]->count()));
    selectShown(combo1_[3], IndexShown(f.micSensitivity, combo1_[3]->count()));
    selectShown(combo1_[4], IndexShown(f.voicePrompt, combo1_[4]->count()));
    for (int code : kCombo1Codes)
        SaveOptFeat(code);

    check1_[0]->setChecked(f.batterySave != 0);
    check1_[1]->setChecked(f.beep != 0);
    check1_[2]->setChecked(f.scramblerActivation != 0);
    check1_[3]->setChecked(f.scramblerBackup != 0);
    check1_[4]->setChecked(side.alertUnlocked == 0);
    check1_[5]->setChecked(side.functionUnlocked == 0);

    selectShown(combo2_[0], PttIdShownIndex(f.pttIdType, combo2_[0]->count()));
    selectShown(combo2_[1], PttIdShownIndex(f.pttIdMode, combo2_[1]->count()));
    for (int code : kCombo2Codes)
        SaveOptFeat(code);
    applyPttIdEnabling(combo2_[1]->currentIndex());

    text1_[0]->setText(FromAnsi(f.botCode.trimmedValue()));
    text1_[1]->setText(FromAnsi(f.eotCode.trimmedValue()));

    check2_[0]->setChecked(f.voxFunction != 0);
    EnableVOX(f.voxFunction);
    selectShown(combo3_[0], IndexShown(f.voxLevel - 1, combo3_[0]->count()));
    selectShown(combo3_[1], IndexShown(f.voxDelay, combo3_[1]->count()));
    for (int code : kCombo3Codes)
        SaveOptFeat(code);

    check2_[1]->setChecked(f.cancelOperation != 0);
    check2_[2]->setChecked(f.voxProceedTone != 0);
    check2_[3]->setChecked(f.frequencyShow != 0);
    check3_->setChecked(f.cloneMode != 0);
    check4_->setChecked(f.eliminateSquelchTail != 0);

    selectShown(combo4_, CallResponseShownIndex(f.callResponse));
    SaveOptFeat(OptCallResponse);

    check5_->setChecked(f.compander != 0);
    check6_->setChecked(side.bandExtension != 0);
}

void FrmOptFeatures::connectStores() {
    auto onList = [this](QComboBox* list, int code) {
        connect(list, &QComboBox::activated, this, [this, code] { SaveOptFeat(code); });
    };
    auto onCheck = [this](QCheckBox* box, int code) {
        connect(box, &QCheckBox::clicked, this, [this, code] { SaveOptFeat(code); });
    };
    for (int k = 0; k < 5; ++k)
        onList(combo1_[k], kCombo1Codes[k]);
    for (int k = 0; k < 6; ++k)
        onCheck(check1_[k], kCheck1Codes[k]);
    for (int k = 0; k < 2; ++k) {
        onList(combo2_[k], kCombo2Codes[k]);
        onList(combo3_[k], kCombo3Codes[k]);
        InstallKeyFilter(text1_[k], FilterPttCodeKey);
        const int code = kText1Codes[k];
        StoreOnCommit(text1_[k], [this, code] { SaveOptFeat(code); });
    }
    connect(combo2_[1], &QComboBox::activated, this,
            [this](int index) { applyPttIdEnabling(index); });
    for (int k = 0; k < 4; ++k)
        onCheck(check2_[k], kCheck2Codes[k]);
    connect(check2_[0], &QCheckBox::clicked, this,
            [this](bool checked) { EnableVOX(checked ? 1 : 0); });
    onCheck(check3_, OptCloneMode);
    onCheck(check4_, OptEliminateSquelchTail);
    onList(combo4_, OptCallResponse);
    onCheck(check5_, OptCompander);
    onCheck(check6_, OptBandExtension);
}

void FrmOptFeatures::SaveOptFeat(int code) {
    const DocumentEdit edit;
    OptFeatControl control;
    auto fromList = [&](QComboBox* list) {
        control.text = list->currentText();
        control.index = list->currentIndex();
    };
    auto fromCheck = [&](QCheckBox* box) { control.checked = box->isChecked() ? 1 : 0; };
    for (int k = 0; k < 5; ++k)
        if (kCombo1Codes[k] == code) fromList(combo1_[k]);
    for (int k = 0; k < 6; ++k)
        if (kCheck1Codes[k] == code) fromCheck(check1_[k]);
    for (int k = 0; k < 2; ++k) {
        if (kCombo2Codes[k] == code) fromList(combo2_[k]);
        if (kCombo3Codes[k] == code) fromList(combo3_[k]);
        if (kText1Codes[k] == code) control.text = text1_[k]->text();
    }
    for (int k = 0; k < 4; ++k)
        if (kCheck2Codes[k] == code) fromCheck(check2_[k]);
    switch (code) {
    case OptCloneMode:
        fromCheck(check3_);
        break;
    case OptEliminateSquelchTail:
        fromCheck(check4_);
        break;
    case OptCallResponse:
        fromList(combo4_);
        break;
    case OptCompander:
        fromCheck(check5_);
        break;
    case OptBandExtension:
        fromCheck(check6_);
        break;
    default:
        break;
    }
    ::SaveOptFeat(code, control, app().document.settings.features.optional, app().sideValues);
}

void FrmOptFeatures::EnableVOX(int state) {
    const bool enabled = VoxControlsEnabled(state);
    setListEnabled(combo3_[0], enabled);
    setListEnabled(combo3_[1], enabled);
    check2_[1]->setEnabled(enabled);
    check2_[2]->setEnabled(enabled);
}

void FrmOptFeatures::applyPttIdEnabling(int mode) {
    const auto boxes = PttIdEnabling(mode);
    if (!boxes) return;
    setListEnabled(text1_[0], boxes->begin);
    setListEnabled(text1_[1], boxes->end);
}

void FrmOptFeatures::commitPendingEdit() {
    for (QLineEdit* box : text1_)
        CommitBox(box);
}

void FrmOptFeatures::closeEvent(QCloseEvent* event) {
    commitPendingEdit();
    QWidget::closeEvent(event);
}
