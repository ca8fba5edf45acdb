#include "channels/ui/FrmCHBatch.h"

#include "channels/BatchEdit.h"
#include "channels/ui/ComboItems.h"
#include "channels/ui/FrequencyKeys.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/Language.h"
#include "core/ui/ComboHelpers.h"
#include "core/ui/CommonCaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// Text identifiers in the language files (section "CHBatch").
enum BatchText {
    TxtCaption = 10000,
    TxtRangeFrame = 10001,
    TxtAllChannels = 10002,
    TxtFromChannel = 10003,
    TxtTo = 10004,
    TxtHint = 10005,
    TxtDeleteOutside = 10006,
    TxtShowFunctions = 10007,
    TxtHideFunctions = 10008,
    TxtSelectAll = 10009,
    TxtSelectNone = 10010,
    TxtApply = 10011,
    TxtClose = 10012,
    TxtApplied = 10013,
    TxtFunctionsFrame = 10014,
    TxtFunctionBase = 10100, // + Check2 index
    TxtStartMHz = 10200,
    TxtStepKHz = 10201,
    TxtIncrement = 10202,
    TxtDecrement = 10203,
    TxtSameAsRx = 10204,
    TxtOffsetMode = 10205,
    TxtStartMode = 10206,
    TxtOffsetMHz = 10207,
    TxtSplitPlus = 10208,
    TxtSplitMinus = 10209,
    TxtSplitNone = 10210,
    TxtRandom = 10211,
    TxtSameAsDecode = 10212,
    TxtToneStep = 10213,
    TxtPowerBase = 10300,   // Low, High
    TxtSpacingBase = 10310, // 12.5K, 25K
    TxtLockoutBase = 10320, // Off, Carrier, Repeater, Option Signalling
};

// The function check boxes this model offers; the others exist hidden and keep
// their flags.
constexpr std::array<int, 10> kOfferedChecks{0, 1, 2, 3, 6, 9, 10, 14, 17, 18};

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QString text(int id) {
    return LanguageText(id);
}

template <std::size_t N>
void makeOptions(std::array<QRadioButton*, N>& options, const char* name, QWidget* parent,
                 QBoxLayout* layout) {
    for (std::size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(parent);
        options[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        layout->addWidget(options[i]);
    }
    options[0]->setChecked(true);
}

StepDirection directionOf(const std::array<QRadioButton*, 2>& options) {
    return options[1]->isChecked() ? StepDirection::Decrement : StepDirection::Increment;
}
} // namespace

FrmCHBatch::FrmCHBatch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmCHBatch"));
    LoadBatchFunctionFlags();
    buildControls();
    setTexts();
    showOfferedFunctions();
}

// Closing the window while a value box has the focus finishes its editing after
// this window's own part is gone (in the base destructor): nothing of it may run then.
FrmCHBatch::~FrmCHBatch() {
    for (QLineEdit* box : text2_)
        if (box) box->disconnect(this);
}

void FrmCHBatch::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto makeLabel = [&](int slot, QWidget* parent) {
        auto* label = new QLabel(parent);
        label->setObjectName(QStringLiteral("Label%1").arg(slot));
        labels_[static_cast<std::size_t>(slot)] = label;
        return label;
    };
    auto makeBox = [&](QLineEdit*& box, const QString& name, QWidget* parent) {
        box = new QLineEdit(parent);
        box->setObjectName(name);
        SuppressContextMenu(box);
        box->installEventFilter(this);
        box->setMaximumWidth(Twips(1400));
        return box;
    };

    // Range.
    auto* range = new QGroupBox(this);
    range->setObjectName(QStringLiteral("Frame1"));
    auto* rangeLayout = new QGridLayout(range);
    for (std::size_t i = 0; i < 2; ++i) {
        option1_[i] = new QRadioButton(range);
        option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        makeBox(text1_[i], QStringLiteral("Text1_%1").arg(i), range)->setText(QStringLiteral("1"));
        connect(text1_[i], &QLineEdit::textEdited, this, [box = text1_[i]](const QString& t) {
            const QString value = RangeBoxValue(t);
            if (value != t) box->setText(value);
        });
    }
    option1_[0]->setChecked(true);
    rangeLayout->addWidget(option1_[0], 0, 0);
    rangeLayout->addWidget(option1_[1], 1, 0);
    rangeLayout->addWidget(text1_[0], 1, 1);
    rangeLayout->addWidget(makeLabel(0, range), 1, 2);
    rangeLayout->addWidget(text1_[1], 1, 3);
    hint_ = new QLabel(range);
    hint_->setObjectName(QStringLiteral("LabelHint"));
    rangeLayout->addWidget(hint_, 2, 0, 1, 4);
    check4_ = new QCheckBox(range);
    check4_->setObjectName(QStringLiteral("Check4"));
    rangeLayout->addWidget(check4_, 3, 0, 1, 4);
    rangeLayout->setColumnStretch(4, 1);
    layout->addWidget(range);

    // Function selection.
    commandFun_ = new QPushButton(this);
    commandFun_->setObjectName(QStringLiteral("CommandFun"));
    auto* funRow = new QHBoxLayout;
    funRow->addWidget(commandFun_);
    funRow->addStretch(1);
    layout->addLayout(funRow);
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("Frame2"));
    functionPanel_ = panel;
    auto* panelLayout = new QGridLayout(panel);
    int cell = 0;
    for (std::size_t i = 0; i < check2_.size(); ++i) {
        check2_[i] = new QCheckBox(panel);
        check2_[i]->setObjectName(QStringLiteral("Check2_%1").arg(i));
        const int index = static_cast<int>(i);
        connect(check2_[i], &QCheckBox::clicked, this,
                [this, index](bool checked) { functionClicked(index, checked); });
        const bool offered =
            std::find(kOfferedChecks.begin(), kOfferedChecks.end(), index) != kOfferedChecks.end();
        if (offered) {
            panelLayout->addWidget(check2_[i], cell / 3, cell % 3);
            ++cell;
        } else {
            check2_[i]->hide();
        }
    }
    commandSelAll_ = new QPushButton(panel);
    commandSelAll_->setObjectName(QStringLiteral("CommandSelAll"));
    commandSelNone_ = new QPushButton(panel);
    commandSelNone_->setObjectName(QStringLiteral("CommandSelNone"));
    const int buttonRow = (cell + 2) / 3;
    panelLayout->addWidget(commandSelAll_, buttonRow, 0);
    panelLayout->addWidget(commandSelNone_, buttonRow, 1);
    panel->hide();
    layout->addWidget(panel);
    connect(commandFun_, &QPushButton::clicked, this, [this] {
        functionPanel_->setVisible(!functionPanel_->isVisible());
        commandFun_->setText(
            text(functionPanel_->isVisible() ? TxtHideFunctions : TxtShowFunctions));
        adjustSize();
    });
    auto selectAll = [this](bool on) {
        for (std::size_t i = 0; i < check2_.size(); ++i) {
            if (check2_[i]->isHidden() || check2_[i]->isChecked() == on) continue;
            check2_[i]->setChecked(on);
            functionClicked(static_cast<int>(i), on);
        }
    };
    connect(commandSelAll_, &QPushButton::clicked, this, [selectAll] { selectAll(true); });
    connect(commandSelNone_, &QPushButton::clicked, this, [selectAll] { selectAll(false); });

    // Values, one frame per function.
    auto* values = new QGridLayout;
    layout->addLayout(values);
    for (std::size_t i = 0; i < text2_.size(); ++i) {
        makeBox(text2_[i], QStringLiteral("Text2_%1").arg(i), this);
        const int index = static_cast<int>(i);
        connect(text2_[i], &QLineEdit::editingFinished, this,
                [this, index] { validateValueBox(index); });
        if (i <= 4) PrepareFrequencyBox(text2_[i]);
    }
    auto frame = [&](const char* name, int flagByte, int row, int column) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QLatin1String(name));
        functionControls_[static_cast<std::size_t>(flagByte)] = box;
        values->addWidget(box, row, column);
        return box;
    };
    auto optionRow = [](QWidget* parent, QGridLayout* grid, int row) {
        auto* holder = new QWidget(parent);
        auto* h = new QHBoxLayout(holder);
        h->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(holder, row, 0, 1, 2);
        return std::pair{holder, h};
    };

    QGroupBox* rx = frame("FrameRx", BatchRx, 0, 0);
    auto* rxGrid = new QGridLayout(rx);
    rxGrid->addWidget(makeLabel(1, rx), 0, 0);
    text2_[0]->setParent(rx);
    rxGrid->addWidget(text2_[0], 0, 1);
    rxGrid->addWidget(makeLabel(2, rx), 1, 0);
    text2_[1]->setParent(rx);
    rxGrid->addWidget(text2_[1], 1, 1);
    {
        auto [holder, h] = optionRow(rx, rxGrid, 2);
        makeOptions(option2_, "Option2", holder, h);
    }
    rxGrid->setRowStretch(3, 1);

    QGroupBox* tx = frame("FrameTx", BatchTx, 0, 1);
    auto* txGrid = new QGridLayout(tx);
    {
        auto* holder = new QWidget(tx);
        auto* v = new QVBoxLayout(holder);
        v->setContentsMargins(0, 0, 0, 0);
        makeOptions(option3_, "Option3", holder, v);
        txGrid->addWidget(holder, 0, 0, 1, 2);
    }
    {
        auto [holder, h] = optionRow(tx, txGrid, 1);
        makeOptions(option4_, "Option4", holder, h);
    }
    txGrid->addWidget(makeLabel(3, tx), 2, 0);
    text2_[2]->setParent(tx);
    txGrid->addWidget(text2_[2], 2, 1);
    txGrid->addWidget(makeLabel(4, tx), 3, 0);
    text2_[3]->setParent(tx);
    txGrid->addWidget(text2_[3], 3, 1);
    txGrid->addWidget(makeLabel(5, tx), 4, 0);
    text2_[4]->setParent(tx);
    txGrid->addWidget(text2_[4], 4, 1);
    {
        auto [holder, h] = optionRow(tx, txGrid, 5);
        makeOptions(option5_, "Option5", holder, h);
    }

    auto toneFrame = [&](const char* name, int flagByte, int column, QComboBox*& list,
                         const char* listName, int label, QLineEdit* step,
                         std::array<QRadioButton*, 2>& options, const char* optionName) {
        QGroupBox* box = frame(name, flagByte, 1, column);
        auto* grid = new QGridLayout(box);
        list = new QComboBox(box);
        list->setObjectName(QLatin1String(listName));
        LimitVisibleItems(list);
        list->installEventFilter(this);
        grid->addWidget(list, 0, 0, 1, 2);
        grid->addWidget(makeLabel(label, box), 3, 0);
        step->setParent(box);
        grid->addWidget(step, 3, 1);
        auto [holder, h] = optionRow(box, grid, 4);
        makeOptions(options, optionName, holder, h);
        return std::pair{box, grid};
    };
    auto [decode, decodeGrid] = toneFrame("FrameDecode", BatchDecode, 0, combo1_[0], "Combo1_0", 6,
                                          text2_[5], option6_, "Option6");
    auto [encode, encodeGrid] = toneFrame("FrameEncode", BatchEncode, 1, combo1_[1], "Combo1_1", 7,
                                          text2_[6], option7_, "Option7");
    for (std::size_t i = 0; i < check3_.size(); ++i) {
        check3_[i] = new QCheckBox(this);
        check3_[i]->setObjectName(QStringLiteral("Check3_%1").arg(i));
        check3_[i]->installEventFilter(this);
    }
    check3_[0]->setParent(decode);
    decodeGrid->addWidget(check3_[0], 1, 0, 1, 2);
    check3_[2]->setParent(encode);
    encodeGrid->addWidget(check3_[2], 1, 0, 1, 2);
    check3_[1]->setParent(encode);
    encodeGrid->addWidget(check3_[1], 2, 0, 1, 2);

    // Power, spacing and lock-out lists; the three check box values.
    auto* others = new QGridLayout;
    layout->addLayout(others);
    auto listRow = [&](int index, int flagByte, int label, int row) {
        auto* holder = new QWidget(this);
        auto* h = new QHBoxLayout(holder);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(makeLabel(label, holder));
        combo1_[static_cast<std::size_t>(index)] = new QComboBox(holder);
        combo1_[static_cast<std::size_t>(index)]->setObjectName(
            QStringLiteral("Combo1_%1").arg(index));
        combo1_[static_cast<std::size_t>(index)]->installEventFilter(this);
        h->addWidget(combo1_[static_cast<std::size_t>(index)]);
        h->addStretch(1);
        functionControls_[static_cast<std::size_t>(flagByte)] = holder;
        others->addWidget(holder, row, 0);
    };
    listRow(2, BatchPower, 8, 0);
    listRow(5, BatchSpacing, 9, 1);
    listRow(6, BatchLockout, 10, 2);
    const std::array<int, 3> checkFlags{BatchScanAdd, BatchTalkAround, BatchReverse};
    for (std::size_t i = 0; i < check1_.size(); ++i) {
        check1_[i] = new QCheckBox(this);
        check1_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        check1_[i]->installEventFilter(this);
        functionControls_[static_cast<std::size_t>(checkFlags[i])] = check1_[i];
        others->addWidget(check1_[i], static_cast<int>(i), 1);
    }

    // Result and buttons.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("LabelStatus"));
    commandApply_ = new QPushButton(this);
    commandApply_->setObjectName(QStringLiteral("CommandApply"));
    commandClose_ = new QPushButton(this);
    commandClose_->setObjectName(QStringLiteral("CommandClose"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(commandApply_);
    bottom->addWidget(commandClose_);
    layout->addLayout(bottom);
    connect(commandApply_, &QPushButton::clicked, this, &FrmCHBatch::apply);
    connect(commandClose_, &QPushButton::clicked, this, &QWidget::close);

    // Initial values.
    const QString lower = QString::number(app().bandLower, 'f', 5);
    text2_[0]->setText(lower);
    text2_[3]->setText(lower);
    text2_[2]->setText(QStringLiteral("0.00000"));
    for (int i : {1, 4, 5, 6})
        text2_[static_cast<std::size_t>(i)]->setText(QStringLiteral("0"));
}

void FrmCHBatch::setTexts() {
    setWindowTitle(text(TxtCaption));
    findChild<QGroupBox*>(QStringLiteral("Frame1"))->setTitle(text(TxtRangeFrame));
    functionPanel_->setProperty("title", text(TxtFunctionsFrame));
    option1_[0]->setText(text(TxtAllChannels));
    option1_[1]->setText(text(TxtFromChannel));
    labels_[0]->setText(text(TxtTo));
    hint_->setText(text(TxtHint));
    check4_->setText(text(TxtDeleteOutside));
    commandFun_->setText(text(TxtShowFunctions));
    commandSelAll_->setText(text(TxtSelectAll));
    commandSelNone_->setText(text(TxtSelectNone));
    commandApply_->setText(text(TxtApply));
    commandClose_->setText(text(TxtClose));
    for (std::size_t i = 0; i < check2_.size(); ++i)
        check2_[i]->setText(text(TxtFunctionBase + static_cast<int>(i)));

    // Frames and value labels.
    auto title = [&](int flagByte, int checkIndex) {
        static_cast<QGroupBox*>(functionControls_[static_cast<std::size_t>(flagByte)])
            ->setTitle(text(TxtFunctionBase + checkIndex));
    };
    title(BatchRx, 0);
    title(BatchTx, 1);
    title(BatchDecode, 2);
    title(BatchEncode, 3);
    labels_[1]->setText(text(TxtStartMHz));
    labels_[2]->setText(text(TxtStepKHz));
    labels_[3]->setText(text(TxtOffsetMHz));
    labels_[4]->setText(text(TxtStartMHz));
    labels_[5]->setText(text(TxtStepKHz));
    labels_[6]->setText(text(TxtToneStep));
    labels_[7]->setText(text(TxtToneStep));
    labels_[8]->setText(text(TxtFunctionBase + 6));
    labels_[9]->setText(text(TxtFunctionBase + 9));
    labels_[10]->setText(text(TxtFunctionBase + 10));
    for (auto* options : {&option2_, &option5_, &option6_, &option7_}) {
        (*options)[0]->setText(text(TxtIncrement));
        (*options)[1]->setText(text(TxtDecrement));
    }
    option3_[0]->setText(text(TxtSameAsRx));
    option3_[1]->setText(text(TxtOffsetMode));
    option3_[2]->setText(text(TxtStartMode));
    option4_[0]->setText(text(TxtSplitPlus));
    option4_[1]->setText(text(TxtSplitMinus));
    option4_[2]->setText(text(TxtSplitNone));
    check3_[0]->setText(text(TxtRandom));
    check3_[1]->setText(text(TxtRandom));
    check3_[2]->setText(text(TxtSameAsDecode));
    check1_[0]->setText(text(TxtFunctionBase + 14));
    check1_[1]->setText(text(TxtFunctionBase + 17));
    check1_[2]->setText(text(TxtFunctionBase + 18));

    // Lists.
    SetComboItems(combo1_[0], ToneList());
    SetComboItems(combo1_[1], ToneList());
    auto words = [](int base, int count) {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list.append(text(base + i));
        return list;
    };
    SetComboItems(combo1_[2], words(TxtPowerBase, 2));
    SetComboItems(combo1_[5], words(TxtSpacingBase, 2));
    SetComboItems(combo1_[6], words(TxtLockoutBase, 4));
    for (int i : {0, 1, 2, 5, 6})
        combo1_[static_cast<std::size_t>(i)]->setCurrentIndex(0);
}

void FrmCHBatch::showOfferedFunctions() {
    const BatchFlags& flags = batchFlags();
    for (std::size_t i = 0; i < check2_.size(); ++i) {
        const int flag = FlagByteOfCheck(static_cast<int>(i));
        check2_[i]->setChecked(flag >= 0 && flags[static_cast<std::size_t>(flag)] == 1);
    }
    for (std::size_t b = 0; b < functionControls_.size(); ++b)
        if (functionControls_[b]) functionControls_[b]->setVisible(flags[b] == 1);
}

void FrmCHBatch::functionClicked(int checkIndex, bool checked) {
    const int flag = FlagByteOfCheck(checkIndex);
    if (flag < 0) return;
    StoreBatchFunctionFlag(flag, checked);
    if (QWidget* controls = functionControls_[static_cast<std::size_t>(flag)])
        controls->setVisible(checked);
}

void FrmCHBatch::validateValueBox(int index) {
    QLineEdit* box = text2_[static_cast<std::size_t>(index)];
    QString value;
    switch (index) {
    case 0:
        value = FrequencyBoxValue(box->text(), RxFreq);
        break;
    case 3:
        value = FrequencyBoxValue(box->text(), TxFreq);
        break;
    case 1:
    case 2:
    case 4:
        value = PlainNumberBoxValue(box->text());
        break;
    default:
        value = NumberBoxValue(box->text());
        break;
    }
    if (value != box->text()) box->setText(value);
}

void FrmCHBatch::apply() {
    BatchRequest r;
    r.allChannels = option1_[0]->isChecked();
    r.fromText = text1_[0]->text();
    r.toText = text1_[1]->text();
    r.deleteOutside = check4_->isChecked();
    r.rxStart = text2_[0]->text();
    r.rxStep = text2_[1]->text();
    r.rxDirection = directionOf(option2_);
    r.txMode = option3_[1]->isChecked()   ? TxMode::Offset
               : option3_[2]->isChecked() ? TxMode::Start
                                          : TxMode::SameAsRx;
    r.txSplit = option4_[1]->isChecked()   ? TxSplit::Minus
                : option4_[2]->isChecked() ? TxSplit::None
                                           : TxSplit::Plus;
    r.txOffset = text2_[2]->text();
    r.txStart = text2_[3]->text();
    r.txStep = text2_[4]->text();
    r.txDirection = directionOf(option5_);
    r.decodePosition = std::max(0, combo1_[0]->currentIndex());
    r.decodeRandom = check3_[0]->isChecked();
    r.decodeStep = text2_[5]->text();
    r.decodeDirection = directionOf(option6_);
    r.encodePosition = std::max(0, combo1_[1]->currentIndex());
    r.encodeRandom = check3_[1]->isChecked();
    r.encodeCopyDecode = check3_[2]->isChecked();
    r.encodeStep = text2_[6]->text();
    r.encodeDirection = directionOf(option7_);
    r.powerPosition = std::max(0, combo1_[2]->currentIndex());
    r.spacingPosition = std::max(0, combo1_[5]->currentIndex());
    r.lockoutPosition = std::max(0, combo1_[6]->currentIndex());
    r.scanAdd = check1_[0]->isChecked();
    r.talkAround = check1_[1]->isChecked();
    r.reverse = check1_[2]->isChecked();

    const BatchResult result = ApplyBatch(r, batchFlags());

    // The boxes show the values as validated and used.
    const std::array<const QString*, 7> used{&r.rxStart, &r.rxStep,     &r.txOffset,  &r.txStart,
                                             &r.txStep,  &r.decodeStep, &r.encodeStep};
    for (std::size_t i = 0; i < text2_.size(); ++i)
        text2_[i]->setText(*used[i]);
    if (!r.allChannels) {
        text1_[0]->setText(r.fromText);
        text1_[1]->setText(r.toText);
    }
    status_->setText(text(TxtApplied)
                         .replace(QLatin1String("%1"), QString::number(result.channelsSet))
                         .replace(QLatin1String("%2"), QString::number(result.from))
                         .replace(QLatin1String("%3"), QString::number(result.to)));
}

bool FrmCHBatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (isEnterKey(key)) {
        focusNextChild();
        return true;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    const bool rangeBox = box == text1_[0] || box == text1_[1];
    const bool toneStepBox = box == text2_[5] || box == text2_[6];
    if (rangeBox) {
        // Digits only.
        const QString t = key->text();
        if (DropFrequencyKey(key) || (!t.isEmpty() && t.front() == QLatin1Char('.'))) return true;
    } else if (toneStepBox) {
        // Anything but the clipboard keys and characters above 127.
        const QString t = key->text();
        if ((key->modifiers() & Qt::ControlModifier) &&
            (key->key() == Qt::Key_X || key->key() == Qt::Key_C || key->key() == Qt::Key_V))
            return true;
        if (!t.isEmpty() && t.front().unicode() > 127) return true;
    } else if (DropFrequencyKey(key)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
