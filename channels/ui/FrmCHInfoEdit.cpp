#include "channels/ui/FrmCHInfoEdit.h"

#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "channels/ui/ChannelWindows.h"
#include "channels/ui/ComboItems.h"
#include "channels/ui/FrequencyKeys.h"
#include "channels/ui/FrmCommChInfo.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/ui/ComboHelpers.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/Help.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kHelpContext = 3100;

// Field number edited by each Combo2(i).
constexpr std::array<int, 9> kComboField{FieldDecodeTone,  FieldEncodeTone, FieldOptSignal,
                                         FieldSpUnmute,    FieldTxPower,    FieldSpacing,
                                         FieldBusyLockout, FieldPttId,      FieldAutodial};
// Combo2(i) rows that this model does not show (they are still loaded).
constexpr std::array<bool, 9> kComboHidden{false, false, true, true, false,
                                           false, false, true, true};
constexpr std::array<int, 3> kCheckField{FieldScanAdd, FieldReverse, FieldTalkAround};

const Tr kCaption{QStringLiteral("Channel Edit"), QStringLiteral("信道编辑")};
const Tr kChannel{QStringLiteral("Channel"), QStringLiteral("信道")};
const std::array<Tr, 11> kLabel2{{
    {QStringLiteral("RX Frequency"), QStringLiteral("接收频率")},
    {QStringLiteral("TX Frequency"), QStringLiteral("发射频率")},
    {QStringLiteral("CTCSS/DCS Decode"), QStringLiteral("CTCSS/DCS 解码")},
    {QStringLiteral("CTCSS/DCS Encode"), QStringLiteral("CTCSS/DCS 编码")},
    {QStringLiteral("Option Signaling"), QStringLiteral("可选信令")},
    {QStringLiteral("SP Unmute"), QStringLiteral("SP不静音")},
    {QStringLiteral("TX Power"), QStringLiteral("发射功率")},
    {QStringLiteral("Channel Spacing"), QStringLiteral("宽/窄带")},
    {QStringLiteral("Busy Channel Lock-out"), QStringLiteral("遇忙锁定")},
    {QStringLiteral("PTT ID"), QStringLiteral("PTT ID")},
    {QStringLiteral("Autodial Memory"), QStringLiteral("自动拨号存储器")},
}};
const std::array<Tr, 3> kCheck1{{
    {QStringLiteral("Scan Add"), QStringLiteral("扫描添加")},
    {QStringLiteral("Reverse"), QStringLiteral("倒频")},
    {QStringLiteral("Talk Around"), QStringLiteral("脱网")},
}};

const QString kBlank = QStringLiteral(" ");

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool hasNoTone(const FixedText<4>& tone) {
    return tone.trimmedValue() == kNoTone.toLatin1();
}
} // namespace

FrmCHInfoEdit::FrmCHInfoEdit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmCHInfoEdit"));
    buildControls();
    setCaptions();
    SetGridEditData(true);
    connect(qApp, &QApplication::focusChanged, this, &FrmCHInfoEdit::focusMoved);
    gridState().editOpen = true;
    ChannelWindowOpened();
}

FrmCHInfoEdit::~FrmCHInfoEdit() {
    if (!closed_) {
        closed_ = true;
        gridState().editOpen = false;
        ChannelWindowClosed();
    }
}

void FrmCHInfoEdit::buildControls() {
    // Rows of label + control, 400 twips apart; the label column is 2700 twips wide.
    const int left = Twips(2700);
    const int width = Twips(2200);
    const int height = Twips(315);
    const int step = Twips(400);
    int y = Twips(200);
    auto place = [&](QWidget* control) {
        control->setGeometry(left, y, width, height);
        y += step;
    };
    auto makeLabel = [&](const QString& name) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };
    auto makeCombo = [&](const QString& name) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        LimitVisibleItems(combo);
        combo->installEventFilter(this);
        return combo;
    };

    label1_ = makeLabel(QStringLiteral("Label1"));
    combo1_ = makeCombo(QStringLiteral("Combo1"));
    for (int r = 1; r <= kChannelsPerGroup; ++r)
        combo1_->addItem(QString::number(r));
    label1_->setBuddy(combo1_);
    place(combo1_);
    connect(combo1_, &QComboBox::activated, this, [this] {
        if (!loading_) SetGridEditData(false);
    });

    for (std::size_t i = 0; i < label2_.size(); ++i)
        label2_[i] = makeLabel(QStringLiteral("Label2_%1").arg(i));

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit* box : {text1_, text2_}) {
        PrepareFrequencyBox(box);
        box->installEventFilter(this);
        place(box);
    }
    label2_[0]->setBuddy(text1_);
    label2_[1]->setBuddy(text2_);

    for (std::size_t i = 0; i < combo2_.size(); ++i) {
        combo2_[i] = makeCombo(QStringLiteral("Combo2_%1").arg(i));
        label2_[i + 2]->setBuddy(combo2_[i]);
        const int index = static_cast<int>(i);
        connect(combo2_[i], &QComboBox::activated, this, [this, index] { comboChosen(index); });
    }
    // The shown rows in their order on the form; the hidden rows lie below them.
    for (int i : {0, 1, 4, 5, 6})
        place(combo2_[static_cast<std::size_t>(i)]);
    for (std::size_t i = 0; i < check1_.size(); ++i) {
        check1_[i] = new QCheckBox(this);
        check1_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        check1_[i]->installEventFilter(this);
        place(check1_[i]);
        const int index = static_cast<int>(i);
        connect(check1_[i], &QCheckBox::clicked, this,
                [this, index](bool checked) { checkClicked(index, checked); });
    }
    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CommandClose"));
    helpButton_ = new QPushButton(this);
    helpButton_->setObjectName(QStringLiteral("CommandHelp"));
    const int buttonWidth = Twips(1200);
    closeButton_->setGeometry(left + width - 2 * buttonWidth - Twips(100), y + Twips(100),
                              buttonWidth, Twips(375));
    helpButton_->setGeometry(left + width - buttonWidth, y + Twips(100), buttonWidth, Twips(375));
    const int formHeight = y + Twips(100) + Twips(375) + Twips(200);
    for (int i : {2, 3, 7, 8}) {
        place(combo2_[static_cast<std::size_t>(i)]);
        combo2_[static_cast<std::size_t>(i)]->hide();
        label2_[static_cast<std::size_t>(i) + 2]->hide();
    }
    setFixedSize(left + width + Twips(300), formHeight);

    // Keyboard order follows the form from top to bottom.
    QList<QWidget*> order{combo1_, text1_, text2_};
    for (int i : {0, 1, 4, 5, 6})
        order.append(combo2_[static_cast<std::size_t>(i)]);
    for (QCheckBox* box : check1_)
        order.append(box);
    order.append(closeButton_);
    order.append(helpButton_);
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(helpButton_, &QPushButton::clicked, this,
            [this] { ShowHelpContext(kHelpContext, this); });
}

void FrmCHInfoEdit::setCaptions() {
    setWindowTitle(kCaption());
    label1_->setText(kChannel());
    for (std::size_t i = 0; i < label2_.size(); ++i)
        label2_[i]->setText(kLabel2[i]());
    for (std::size_t i = 0; i < check1_.size(); ++i)
        check1_[i]->setText(kCheck1[i]());
    SetCloseHelpCaptions(this);
    placeLabels();
}

void FrmCHInfoEdit::placeLabels() {
    // Each label's right edge lies 100 twips left of its control.
    auto placeLabel = [](QLabel* label, QWidget* control) {
        label->adjustSize();
        label->move(control->x() - Twips(100) - label->width(),
                    control->y() + (control->height() - label->height()) / 2);
    };
    placeLabel(label1_, combo1_);
    placeLabel(label2_[0], text1_);
    placeLabel(label2_[1], text2_);
    for (std::size_t i = 0; i < combo2_.size(); ++i)
        placeLabel(label2_[i + 2], combo2_[i]);
}

int FrmCHInfoEdit::currentRow() const {
    return combo1_->currentIndex() + 1;
}

void FrmCHInfoEdit::setBackground(QWidget* widget, bool active) {
    QPalette p = widget->palette();
    const QColor colour = active ? text1_->palette().color(QPalette::Active, QPalette::Base)
                                 : palette().color(QPalette::Active, QPalette::Window);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, colour);
        p.setColor(group, QPalette::Button, colour);
    }
    widget->setPalette(p);
}

void FrmCHInfoEdit::SetGridEditData(bool fromGrid) {
    if (closed_) return;
    ChannelGridState& s = gridState();
    const int row = fromGrid ? qBound(1, s.row, kChannelsPerGroup) : currentRow();
    // Another channel is about to be shown while a frequency box may still hold a
    // value typed for the shown one (a list can change the channel or the group
    // without the box losing the focus, e.g. by the mouse wheel): store it there.
    if (!committing_ && (shownGroup_ != s.group || shownRow_ != row)) storeTypedValues();
    loading_ = true;
    if (fromGrid) {
        combo1_->setCurrentIndex(row - 1);
    } else {
        // The grid stores its pending cell first, which may reload this window
        // with the old row.
        if (FrmCommChInfo* grid = OpenChannelGrid()) grid->followRow(row);
        combo1_->setCurrentIndex(row - 1);
        s.row = row;
    }
    shownGroup_ = s.group;
    shownRow_ = currentRow();
    const int position = FindChannelEntry(ChannelNumberOf(shownGroup_, shownRow_));
    if (position >= 0)
        loadChannel(position);
    else
        loadMissingChannel();
    loading_ = false;
}

void FrmCHInfoEdit::loadChannel(int position) {
    const ChannelEntry& entry = app().document.channels[static_cast<std::size_t>(position)];
    const bool hasTx = entry.txFreq.trimmedValue() != kNoFrequency.toLatin1();
    const bool hasDecode = !hasNoTone(entry.decodeTone);
    const bool hasOptSignal = entry.optSignal != 0;

    // A value being typed is never overwritten by a reload.
    auto setBox = [](QLineEdit* box, const QString& text) {
        if (!(box->hasFocus() && box->isModified())) box->setText(text);
    };
    setBox(text1_, ShowChannelField(entry, FieldRxFreq));
    text2_->setEnabled(true);
    setBackground(text2_, true);
    setBox(text2_, hasTx ? ShowChannelField(entry, FieldTxFreq) : QString());

    for (QComboBox* combo : combo2_) {
        combo->setEnabled(true);
        setBackground(combo, true);
    }
    SetComboItems(combo2_[0], ToneList());
    SelectComboText(combo2_[0], ShowChannelField(entry, FieldDecodeTone));
    if (hasTx) {
        SetComboItems(combo2_[1], ToneList());
        SelectComboText(combo2_[1], ShowChannelField(entry, FieldEncodeTone));
    } else {
        QStringList blankFirst = ToneList();
        blankFirst[0] = kBlank;
        SetComboItems(combo2_[1], blankFirst);
        combo2_[1]->setCurrentIndex(0);
        setBackground(combo2_[1], false);
        combo2_[1]->setEnabled(false);
    }
    SetComboItems(combo2_[2], OptSignalListWords());
    SelectComboText(combo2_[2], WordOfCode(OptSignalWords(), entry.optSignal));
    rebuildSpUnmute(hasDecode, hasOptSignal, entry.spUnmute);
    SetComboItems(combo2_[4], TxPowerListWords());
    SelectComboText(combo2_[4], WordOfCode(TxPowerWords(), entry.txPower));
    SetComboItems(combo2_[5], SpacingListWords());
    SelectComboText(combo2_[5], WordOfCode(SpacingWords(), entry.spacing));
    rebuildBusyLockout(hasDecode, hasOptSignal, entry.busyLockout);
    SetComboItems(combo2_[7], OffOnListWords());
    SelectComboText(combo2_[7], WordOfCode(OffOnWords(), entry.pttId));
    QStringList memories;
    for (int m = 1; m <= 8; ++m)
        memories.append(QString::number(m));
    SetComboItems(combo2_[8], memories);
    SelectComboText(combo2_[8], QString::number(entry.autodial + 1));

    for (QCheckBox* box : check1_)
        box->setEnabled(true);
    check1_[0]->setChecked(entry.scanAdd == 1);
    check1_[1]->setChecked(entry.reverse == 1);
    check1_[2]->setChecked(entry.talkAround == 1);
    if (!hasTx) {
        check1_[1]->setChecked(false);
        check1_[1]->setEnabled(false);
    }
}

void FrmCHInfoEdit::loadMissingChannel() {
    if (!(text1_->hasFocus() && text1_->isModified())) text1_->clear();
    text2_->clear();
    text2_->setEnabled(false);
    setBackground(text2_, false);
    for (QComboBox* combo : combo2_) {
        SetComboItems(combo, {kBlank});
        combo->setCurrentIndex(0);
        setBackground(combo, false);
        combo->setEnabled(false);
    }
    for (QCheckBox* box : check1_) {
        box->setChecked(false);
        box->setEnabled(false);
    }
}

void FrmCHInfoEdit::rebuildSpUnmute(bool hasDecodeTone, bool hasOptSignal, int code) {
    const auto& words = SpUnmuteWords(hasDecodeTone);
    QStringList items{words[0]()};
    if (hasOptSignal) items << words[1]() << words[2]();
    SetComboItems(combo2_[3], items);
    SelectComboText(combo2_[3], WordOfCode(words, code));
}

void FrmCHInfoEdit::rebuildBusyLockout(bool hasDecodeTone, bool hasOptSignal, int code) {
    const auto& words = BusyLockoutWords();
    QStringList items{words[0](), words[1]()};
    if (hasDecodeTone) items << words[2]();
    if (hasOptSignal) items << words[3]();
    SetComboItems(combo2_[6], items);
    // A stored code the list does not offer in this situation shows "Off"; the
    // stored code stays until the user chooses.
    SelectComboText(combo2_[6], WordOfCode(words, code));
}

void FrmCHInfoEdit::rebuildDependentLists() {
    const int position = FindChannelEntry(ChannelNumberOf(shownGroup_, shownRow_));
    if (position < 0) return;
    const ChannelEntry& entry = app().document.channels[static_cast<std::size_t>(position)];
    const bool hasDecode = combo2_[0]->currentIndex() > 0;
    const bool hasOptSignal = combo2_[2]->currentIndex() > 0;
    rebuildSpUnmute(hasDecode, hasOptSignal, entry.spUnmute);
    rebuildBusyLockout(hasDecode, hasOptSignal, entry.busyLockout);
}

void FrmCHInfoEdit::store(int field, const QString& value) {
    if (shownRow_ < 1) return;
    committing_ = true;
    ChangeChannelData(shownGroup_, shownRow_, field, value);
    committing_ = false;
}

void FrmCHInfoEdit::storeTypedValues() {
    for (QLineEdit* box : {text1_, text2_}) {
        if (!box->isModified() || !box->isEnabled()) continue;
        box->setModified(false);
        store(box == text1_ ? FieldRxFreq : FieldTxFreq, box->text());
    }
}

void FrmCHInfoEdit::commitText(QLineEdit* box) {
    if (loading_ || committing_ || closed_) return;
    const QString text = box->text();
    box->setModified(false);
    store(box == text1_ ? FieldRxFreq : FieldTxFreq, text);
    SetGridEditData(false);
}

void FrmCHInfoEdit::comboChosen(int index) {
    if (loading_ || committing_) return;
    QComboBox* combo = combo2_[static_cast<std::size_t>(index)];
    const QString text = combo->currentText();
    if (text.isEmpty() || text == kBlank) return;
    if (index == 0 || index == 2) rebuildDependentLists();
    store(kComboField[static_cast<std::size_t>(index)], text);
}

void FrmCHInfoEdit::checkClicked(int index, bool checked) {
    if (loading_ || committing_) return;
    store(kCheckField[static_cast<std::size_t>(index)],
          checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (!checked || index == 0) return;
    // Reverse and Talk Around exclude each other: the other one is unchecked and stored.
    const int position = FindChannelEntry(ChannelNumberOf(shownGroup_, shownRow_));
    if (position < 0) return;
    const ChannelEntry& entry = app().document.channels[static_cast<std::size_t>(position)];
    if (index == 1 && entry.talkAround == 1) store(FieldTalkAround, QStringLiteral("0"));
    if (index == 2 && entry.reverse == 1) store(FieldReverse, QStringLiteral("0"));
}

void FrmCHInfoEdit::focusMoved(QWidget* from, QWidget* to) {
    // Moving on from another control of this window into an empty TX box offers
    // the RX value. The focus coming back with the window (after a click
    // elsewhere) is no such move: a TX the user cleared stays cleared.
    if (to != text2_ || !from || !isAncestorOf(from) || loading_ || closed_) return;
    if (!text2_->text().isEmpty() || !text2_->isEnabled()) return;
    text2_->setText(text1_->text());
    text2_->setModified(true);
    text2_->selectAll();
}

void FrmCHInfoEdit::commitPendingEdit() {
    for (QLineEdit* box : {text1_, text2_})
        if (box->isModified()) commitText(box);
}

bool FrmCHInfoEdit::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key)) {
            // Enter stores a text box first, so that the controls a new channel
            // enables are there to move on to; then it moves on like Tab.
            if (box) commitText(box);
            focusNextChild();
            return true;
        }
        if (box && DropFrequencyKey(key)) return true;
    } else if (box && event->type() == QEvent::FocusOut) {
        if (box->isEnabled()) commitText(box);
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCHInfoEdit::closeEvent(QCloseEvent* event) {
    commitPendingEdit();
    closed_ = true;
    gridState().editOpen = false;
    RestoreContextMenu(text1_);
    RestoreContextMenu(text2_);
    ChannelWindowClosed();
    event->accept();
}
