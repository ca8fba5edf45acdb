#include "exchange/ui/GridRows.h"

#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ui/ChannelWindows.h"
#include "core/AppState.h"
#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/ui/PendingEdit.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"
#include "exchange/ui/ImportReport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>
#include <algorithm>

namespace {
constexpr int kRows = kChannelsPerGroup;

QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}
} // namespace

GridRows::GridRows(QTableWidget* grid, QWidget* window)
    : QObject(window), grid_(grid), viewport_(grid->viewport()), window_(window) {
    viewport_->installEventFilter(this);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { clearSelection(); });
    if (auto* group = window->findChild<QComboBox*>(QStringLiteral("Combo6")))
        connect(group, &QComboBox::activated, this, [this] { clearSelection(); });
}

QList<int> GridRows::selectedRows() const {
    QList<int> rows = selected_;
    std::sort(rows.begin(), rows.end());
    return rows;
}

void GridRows::setSelected(int row, bool selected) {
    if (selected == selected_.contains(row)) return;
    if (selected)
        selected_.append(row);
    else
        selected_.removeAll(row);
    const QPalette palette = grid_->palette();
    QColor selectedCell = palette.color(QPalette::Highlight);
    selectedCell.setAlpha(50);
    for (int c = 0; c < grid_->columnCount(); ++c) {
        QTableWidgetItem* item = grid_->item(row, c);
        if (!item) continue;
        if (c == 0)
            item->setBackground(selected ? palette.brush(QPalette::Highlight)
                                         : palette.brush(QPalette::Button));
        else
            item->setBackground(selected ? QBrush(selectedCell) : QBrush());
        if (c == 0)
            item->setForeground(selected ? palette.brush(QPalette::HighlightedText)
                                         : palette.brush(QPalette::ButtonText));
    }
}

void GridRows::clearSelection() {
    for (int row : selectedRows())
        setSelected(row, false);
}

void GridRows::clickRowNumber(int row, Qt::KeyboardModifiers modifiers) {
    // A value still being typed is stored before the rows take the keyboard.
    if (auto* pending = dynamic_cast<CommitsPendingEdit*>(window_)) pending->commitPendingEdit();
    if (row == 0) { // the heading: every row
        for (int r = 1; r <= kRows; ++r)
            setSelected(r, true);
    } else if (modifiers & Qt::ShiftModifier) {
        clearSelection();
        for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r)
            setSelected(r, true);
    } else if (modifiers & Qt::ControlModifier) {
        setSelected(row, !selected_.contains(row));
        anchor_ = row;
    } else {
        clearSelection();
        setSelected(row, true);
        anchor_ = row;
    }
    // The editor over the current cell stores its value and closes as the grid
    // takes the focus, so the keys below reach the rows.
    grid_->setFocus(Qt::MouseFocusReason);
}

QList<int> GridRows::selectedChannels() const {
    QList<int> numbers;
    for (int row : selectedRows())
        numbers.append(ChannelNumberOf(gridState().group, row));
    return numbers;
}

void GridRows::copy() {
    QApplication::clipboard()->setText(ChannelRowsText(app().document, selectedChannels()));
}

void GridRows::paste() {
    const QList<int> rows = selectedRows();
    const ImportOutcome outcome = PasteChannelRows(QApplication::clipboard()->text(),
                                                   app().document, gridState().group, rows.first());
    if (outcome.refused()) {
        ShowMessage(outcome.refusal, MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    if (!AskToTakeRowsWithoutProblems(outcome, ImportKind::Paste)) return;
    clearSelection();
    ReplaceChannelTable(outcome.document, ChannelTableStepName(ChannelTableStep::Paste));
}

void GridRows::clear() {
    QList<int> existing;
    for (int number : selectedChannels())
        if (FindChannelEntry(number) >= 0) existing.append(number);
    if (existing.isEmpty()) return;
    if (ShowMessage(Say("ClearQuestion").arg(existing.size()), MsgButtons::OkCancel,
                    MsgIcon::Question) != MsgAnswer::Ok)
        return;
    clearSelection();
    ReplaceChannelTable(WithoutChannels(app().document, existing),
                        ChannelTableStepName(ChannelTableStep::Clear));
}

bool GridRows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = grid_->indexAt(mouse->position().toPoint());
        if (index.isValid() && index.column() == 0 && mouse->button() == Qt::LeftButton) {
            clickRowNumber(index.row(), mouse->modifiers());
            return true;
        }
        clearSelection();
        return false;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress && !selected_.isEmpty()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            copy();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            paste();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            clear();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            clearSelection();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InstallGridRows() {
    SetChannelGridExtension(
        [](QTableWidget* grid, QWidget* window) { new GridRows(grid, window); });
}
