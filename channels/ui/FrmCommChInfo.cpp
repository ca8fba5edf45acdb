#include "channels/ui/FrmCommChInfo.h"

#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "channels/ui/ChannelGridLayout.h"
#include "channels/ui/ChannelWindows.h"
#include "channels/ui/ComboItems.h"
#include "channels/ui/FrequencyKeys.h"
#include "channels/ui/FrmCHInfoEdit.h"
#include "channels/ui/GuardedCall.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/ui/ChildPlacement.h"
#include "core/ui/ComboHelpers.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/Help.h"
#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <array>

using namespace ChannelGrid;

namespace {

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// A typed frequency as the cell shows it until the stored value comes back.
QString formatTyped(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? FormatMHz(value) : text;
}

bool isInside(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == ancestor) return true;
    return false;
}
} // namespace

void ChannelGridTable::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event)) {
        emit enterPressed();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.front().unicode() >= 32 && text.front().unicode() != 127 &&
        !(event->modifiers() & Qt::ControlModifier)) {
        // A typed character starts editing the current cell (frequency cells only).
        if (!DropFrequencyKey(event)) emit typedIntoCell(text);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ChannelGridTable::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        emit focusReturned();
}

FrmCommChInfo::FrmCommChInfo(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCommChInfo"));
    GuardedCall("frmCommChInfo_Form_Load", [&] {
        InitShowGrid();
        ChangShowByLanguage();
        ChannelGridState& s = gridState();
        s.skipEntry = false;
        s.skipCommit = false;
        combo6_->setCurrentIndex(0);
        s.group = 1;
        SetGridData();
        s.row = 1;
        s.column = 1;
        moveQuietly(1, 1);
        s.gridOpen = true;
        ChannelWindowOpened();
        EnterGridEdit();
    });
    ExtendChannelGrid(grid_, this);
}

FrmCommChInfo::~FrmCommChInfo() {
    if (!closed_) {
        closed_ = true;
        gridState().gridOpen = false;
        ChannelWindowClosed();
    }
}

QComboBox* FrmCommChInfo::selectorOf(int column) const {
    switch (column) {
    case 3:
    case 4:
        return combo1_;
    case 5:
        return combo2_;
    case 6:
        return combo4_0_;
    case 7:
        return combo5_;
    case 8:
        return combo4_1_;
    case 9:
        return combo3_;
    default:
        return nullptr;
    }
}

void FrmCommChInfo::renewCaption(int row) {
    setWindowTitle(kCaption() + QLatin1Char(' ') + QString::number(row) + QLatin1Char(']'));
}

void FrmCommChInfo::clearRow(int row) {
    for (int c = 1; c <= 9; ++c)
        grid_->item(row, c)->setText(QString());
}

void FrmCommChInfo::showRow(int row, int position) {
    ChannelEntry& entry = app().document.channels[static_cast<std::size_t>(position)];
    if (entry.optSignal > 2) entry.optSignal = 0;
    const bool hasTx = entry.txFreq.trimmedValue() != kNoFrequency.toLatin1();
    for (int field = FieldRxFreq; field <= FieldSpacing; ++field) {
        QString text;
        if (field != FieldEncodeTone || hasTx) text = ShowChannelField(entry, field);
        grid_->item(row, field)->setText(text);
    }
}

void FrmCommChInfo::ShowAllFredata() {
    GuardedCall("frmCommChInfo_ShowAllFredata", [&] {
        const int group = gridState().group;
        const DocumentRecord& doc = app().document;
        for (int i = 0; i < doc.channelCount; ++i) {
            const int number = doc.channels[static_cast<std::size_t>(i)].number;
            if (GroupOf(number) != group) continue;
            showRow(InGroupNumberOf(number), i);
        }
    });
}

void FrmCommChInfo::SetGridData() {
    GuardedCall("frmCommChInfo_SetGridData", [&] {
        for (int r = 1; r < kRows; ++r)
            clearRow(r);
        ShowAllFredata();
        SetShowEditData();
    });
}

void FrmCommChInfo::reShowGrid() {
    GuardedCall("frmCommChInfo_reShowGrid", [&] {
        // Every row of the group: the change may have created, deleted or
        // re-limited channels other than the current one.
        const int group = gridState().group;
        for (int r = 1; r < kRows; ++r) {
            const int position = FindChannelEntry(ChannelNumberOf(group, r));
            if (position < 0)
                clearRow(r);
            else
                showRow(r, position);
        }
        SetShowEditData();
    });
}

void FrmCommChInfo::reshowDocument() {
    reShowGrid();
    // The keyboard goes back into the current cell with its stored value selected,
    // as when the cell is entered, so typing replaces it.
    QWidget* focus = QApplication::focusWidget();
    const int column = grid_->currentColumn();
    if (focus && isAncestorOf(focus) && grid_->currentRow() >= 1 && column >= 1 && column <= 9)
        EnterGridEdit();
}

void FrmCommChInfo::SetShowEditData() {
    GuardedCall("frmCommChInfo_SetShowEditData", [&] {
        const int row = grid_->currentRow();
        const int column = grid_->currentColumn();
        if (row < 1) return;
        const QString text = grid_->item(row, column)->text();
        if (column == 1 || column == 2) {
            // A value being typed is never overwritten.
            if (!(text1_->hasFocus() && text1_->isModified())) text1_->setText(text);
        } else if (QComboBox* selector = selectorOf(column)) {
            SelectComboText(selector, text);
        }
    });
}

bool FrmCommChInfo::rowHasRx(int row) const {
    return !grid_->item(row, 1)->text().isEmpty();
}

bool FrmCommChInfo::rowHasTx(int row) const {
    return !grid_->item(row, 2)->text().isEmpty();
}

bool FrmCommChInfo::editorVisible() const {
    if (!text1_->isHidden()) return true;
    for (int c = 3; c <= 9; ++c)
        if (!selectorOf(c)->isHidden()) return true;
    return false;
}

QList<QWidget*> FrmCommChInfo::editors() const {
    return {text1_, combo1_, combo2_, combo3_, combo4_0_, combo4_1_, combo5_};
}

void FrmCommChInfo::hideEditors() {
    for (QWidget* editor : editors()) {
        if (editor->isHidden()) continue;
        if (editor->hasFocus()) grid_->setFocus(Qt::OtherFocusReason);
        editor->hide();
    }
}

void FrmCommChInfo::SaveShowGridData() {
    if (committing_) return;
    GuardedCall("frmCommChInfo_SaveShowGridData", [&] {
        const ChannelGridState& s = gridState();
        const int group = s.group;
        const int row = s.row;
        const int column = s.column;
        if (row < 1 || row >= kRows) return;
        bool pending = false;
        QString text;
        if ((column == 1 || column == 2) && !text1_->isHidden()) {
            text = text1_->text();
            grid_->item(row, column)->setText(formatTyped(text));
            pending = true;
        } else if (QComboBox* selector = selectorOf(column);
                   selector && !selector->isHidden() && selector->isEnabled()) {
            text = selector->currentText();
            grid_->item(row, column)->setText(text);
            pending = true;
        }
        committing_ = true;
        hideEditors();
        if (pending) ChangeChannelData(group, row, column, text);
        committing_ = false;
    });
    committing_ = false;
}

void FrmCommChInfo::moveTo(int row, int column) {
    if (grid_->currentRow() == row && grid_->currentColumn() == column)
        enterCell(row, column);
    else
        grid_->setCurrentCell(row, column);
}

void FrmCommChInfo::moveQuietly(int row, int column) {
    if (grid_->currentRow() == row && grid_->currentColumn() == column) return;
    gridState().skipEntry = true;
    grid_->setCurrentCell(row, column);
    gridState().skipEntry = false;
}

void FrmCommChInfo::enterCell(int row, int column) {
    if (closed_) return;
    ChannelGridState& s = gridState();
    if (s.skipEntry) {
        s.skipEntry = false;
        return;
    }
    if (row < 1 || column < 0) return;
    GuardedCall("frmCommChInfo_EnterCell", [&] {
        renewCaption(row);
        prevRow_ = s.row;
        prevCol_ = s.column;
        if (s.skipCommit) {
            s.skipCommit = false;
        } else {
            SaveShowGridData();
            if (column == 7 || column == 8) {
                moveTo(row, 9);
                return;
            }
            if (column >= 2 && column <= 9 && !rowHasRx(row)) {
                FlexConcludeRx();
                return;
            }
            if (column == 4 && !rowHasTx(row)) {
                s.skipCommit = true;
                moveTo(row, 2);
                return;
            }
        }
        EnterGridEdit();
    });
}

void FrmCommChInfo::FlexConcludeRx() {
    GuardedCall("frmCommChInfo_FlexConcludeRx", [&] {
        gridState().skipCommit = true;
        moveTo(grid_->currentRow(), 1);
    });
}

void FrmCommChInfo::EnterGridEdit(bool takeFocus, bool reloadEditWindow) {
    GuardedCall("frmCommChInfo_EnterGridEdit", [&] {
        ChannelGridState& s = gridState();
        const int row = grid_->currentRow();
        const int column = grid_->currentColumn();
        if (row < 1) return;
        s.row = row;
        s.column = column;
        renewCaption(row);
        if (reloadEditWindow) {
            if (FrmCHInfoEdit* edit = OpenChannelEditWindow()) edit->SetGridEditData(true);
        }

        QTableWidgetItem* cell = grid_->item(row, column);
        const QRect rect = grid_->visualItemRect(cell);
        // Another cell's editor goes away without storing anything.
        QWidget* editor =
            (column == 1 || column == 2) ? static_cast<QWidget*>(text1_) : selectorOf(column);
        const bool wasCommitting = committing_;
        committing_ = true;
        for (QWidget* other : editors())
            if (other != editor && !other->isHidden()) other->hide();
        committing_ = wasCommitting;
        if (column == 1 || column == 2) {
            // Moving on from the RX cell to an empty TX cell offers the RX value.
            if (column == 2 && cell->text().isEmpty() && prevRow_ == row && prevCol_ == 1)
                cell->setText(grid_->item(row, 1)->text());
            text1_->setGeometry(rect);
            text1_->setText(cell->text());
            text1_->show();
            text1_->raise();
            if (takeFocus) text1_->setFocus(Qt::OtherFocusReason);
            text1_->selectAll();
        } else if (QComboBox* selector = selectorOf(column)) {
            selector->setGeometry(rect);
            SelectComboText(selector, cell->text());
            selector->show();
            selector->raise();
            if (takeFocus) selector->setFocus(Qt::OtherFocusReason);
        } else if (column == kMoreColumn) {
            if (takeFocus) openEditWindow();
        }
        // From now on this cell is the one edited before: showing its editor again
        // (focus back, window activated, a pending edit stored) is no move from the
        // RX cell, so a TX the user cleared stays cleared.
        prevRow_ = row;
        prevCol_ = column;
    });
}

void FrmCommChInfo::openEditWindow() {
    const bool wasOpen = OpenChannelEditWindow() != nullptr;
    QWidget* edit = ShowChildWindow(QStringLiteral("FrmCHInfoEdit"));
    // A new edit window opens beside the grid, covering as little of it as it can.
    if (edit && !wasOpen) PlaceBeside(edit, this);
}

void FrmCommChInfo::GridNextLine() {
    GuardedCall("frmCommChInfo_GridNextLine", [&] {
        const int row = grid_->currentRow();
        moveTo(row >= kRows - 1 ? 1 : row + 1, grid_->currentColumn());
    });
}

void FrmCommChInfo::GridNextCol() {
    GuardedCall("rmCommChInfo_GridNextCol", [&] {
        const int row = grid_->currentRow();
        int column = grid_->currentColumn() + 1;
        // Enter never leads into the encode cell of a channel without TX frequency:
        // that cell sends the cursor back to the TX cell, and Enter there would
        // come back here forever.
        if (column == 4 && !rowHasTx(row)) column = 5;
        if (column < kMoreColumn)
            moveTo(row, column);
        else
            moveTo(row >= kRows - 1 ? 1 : row + 1, 1);
    });
}

void FrmCommChInfo::gridPreviousCol() {
    const int row = grid_->currentRow();
    int column = grid_->currentColumn() - 1;
    while (column > 1 && grid_->isColumnHidden(column))
        --column;
    if (column == 4 && !rowHasTx(row)) column = 3;
    if (column >= 1)
        moveTo(row, column);
    else if (row > 1)
        moveTo(row - 1, 9);
}

bool FrmCommChInfo::handleEditorKey(QWidget* editor, QKeyEvent* key) {
    const int column = grid_->currentColumn();
    if (isEnterKey(key)) {
        if (editor == text1_ && column == 1 && text1_->text().isEmpty())
            GridNextLine();
        else if (column >= 1 && column <= 9)
            GridNextCol();
        else if (column == kMoreColumn && !OpenChannelEditWindow())
            openEditWindow();
        return true;
    }
    if (key->key() == Qt::Key_Tab) {
        GridNextCol();
        return true;
    }
    if (key->key() == Qt::Key_Backtab) {
        gridPreviousCol();
        return true;
    }
    if (editor == text1_) {
        const int row = grid_->currentRow();
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            const int target = row + (key->key() == Qt::Key_Up ? -1 : 1);
            if (target >= 1 && target < kRows) moveTo(target, column);
            return true;
        }
        bool dropped = false;
        GuardedCall("rmCommChInfo_Text1_KeyPress", [&] { dropped = DropFrequencyKey(key); });
        return dropped;
    }
    return false;
}

void FrmCommChInfo::editorFocusLost(QWidget* editor, QFocusEvent* event) {
    if (committing_ || closed_ || editor->isHidden()) return;
    if (event->reason() == Qt::PopupFocusReason && editor != text1_) return; // its own list
    if (editor != text1_ && !editor->isEnabled()) return;
    QWidget* now = QApplication::focusWidget();
    if (now && now != editor && isInside(now, editor)) return; // into its own open list
    const bool leavesWindow = !now || !isInside(now, this);
    SaveShowGridData();
    // The window lost the focus: the value is stored and the editor stays over its
    // cell, so the focus comes back to it when the window is active again.
    if (leavesWindow && !closed_) EnterGridEdit(false, false);
}

void FrmCommChInfo::selectorChosen(QComboBox* selector) {
    if (committing_ || selector != selectorOf(gridState().column)) return;
    const bool hadFocus = selector->hasFocus();
    SaveShowGridData();
    // The selector stays open over its cell for the next choice or Enter.
    EnterGridEdit(hadFocus || selector->isActiveWindow());
}

void FrmCommChInfo::groupChosen() {
    GuardedCall("frmCommChInfo_Combo6_Click", [&] {
        SaveShowGridData();
        ChannelGridState& s = gridState();
        s.group = combo6_->currentIndex() + 1;
        const int row = grid_->currentRow() >= 1 ? grid_->currentRow() : 1;
        moveQuietly(row, 1);
        s.row = row;
        s.column = 1;
        SetGridData();
        renewCaption(row);
        EnterGridEdit(false);
    });
}

void FrmCommChInfo::followRow(int row) {
    if (row < 1 || row >= kRows) return;
    SaveShowGridData();
    int column = grid_->currentColumn();
    if (column < 1 || column > 9 || (column >= 2 && !rowHasRx(row)) ||
        (column == 4 && !rowHasTx(row)))
        column = 1;
    moveQuietly(row, column);
    prevRow_ = 0;
    prevCol_ = 0;
    ChannelGridState& s = gridState();
    s.row = row;
    s.column = column;
    renewCaption(row);
    // Shown without the focus and without reloading the edit window, which chose
    // the row and keeps the focus.
    EnterGridEdit(false, false);
}

FrmCommChInfo::CellPaste FrmCommChInfo::pasteIntoCell(const QString& value) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (row < 1 || row >= kRows || column < 1 || column > 9 || !editorVisible())
        return CellPaste::NoCell;
    QString text = value.trimmed();
    if (column == 1 || column == 2) {
        // "440.125", "440.125 MHz": the digits the box would take when typed.
        if (text.endsWith(QStringLiteral("MHz"), Qt::CaseInsensitive)) text = text.chopped(3).trimmed();
        QString acceptable = text;
        int position = 0;
        if (text.isEmpty() || !text1_->validator() ||
            text1_->validator()->validate(acceptable, position) != QValidator::Acceptable)
            return CellPaste::NotFrequency;
        text1_->setText(text);
        text1_->setModified(true);
        SaveShowGridData();
        EnterGridEdit();
        return CellPaste::Taken;
    }
    QComboBox* selector = selectorOf(column);
    if (!selector || !selector->isEnabled()) return CellPaste::NoCell;
    int index = selector->findText(text, Qt::MatchFixedString); // without case
    if (index < 0) return CellPaste::NotChoice;
    selector->setCurrentIndex(index);
    SaveShowGridData();
    EnterGridEdit();
    return CellPaste::Taken;
}

QString FrmCommChInfo::currentHeading() const {
    const int column = grid_->currentColumn();
    return column >= 0 && column < kColumns ? kHeadings[static_cast<std::size_t>(column)]() : QString();
}

QStringList FrmCommChInfo::currentChoices() const {
    QStringList choices;
    if (const QComboBox* selector = selectorOf(grid_->currentColumn()))
        for (int i = 0; i < selector->count(); ++i)
            choices.append(selector->itemText(i));
    return choices;
}

void FrmCommChInfo::commitPendingEdit() {
    if (!editorVisible()) return;
    const bool hadFocus =
        QApplication::focusWidget() && isInside(QApplication::focusWidget(), grid_);
    SaveShowGridData();
    EnterGridEdit(hadFocus);
}

bool FrmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return QWidget::eventFilter(watched, event);
    if (watched == combo6_) {
        if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
            EnterGridEdit();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched != text1_ && !isEnterKey(key) && key->key() != Qt::Key_Tab &&
            key->key() != Qt::Key_Backtab)
            return QWidget::eventFilter(watched, event);
        bool handled = false;
        GuardedCall("frmCommChInfo_Combo1_KeyPress",
                    [&] { handled = handleEditorKey(widget, key); });
        return handled;
    }
    if (event->type() == QEvent::FocusOut) {
        editorFocusLost(widget, static_cast<QFocusEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCommChInfo::closeEvent(QCloseEvent* event) {
    GuardedCall("frmCommChInfo_Form_Unload", [&] {
        SaveShowGridData();
        closed_ = true;
        gridState().gridOpen = false;
        ChannelWindowClosed();
        RestoreContextMenu(text1_);
    });
    event->accept();
}
