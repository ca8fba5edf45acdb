#include "exchange/ui/GridRows.h"

#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ui/ChannelWindows.h"
#include "channels/ui/FrmCommChInfo.h"
#include "core/AppState.h"
#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"
#include "exchange/ui/ImportReport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QMouseEvent>
#include <QTableWidget>
#include <algorithm>

namespace {
constexpr int kRows = kChannelsPerGroup;

QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}

// The row commands of the Edit menu and the grid's context menu.
struct RowCommand {
    const char* item;
    const char* command;
    const char* captionKey;
    const char* shortcut;
};
constexpr RowCommand kRowCommands[] = {
    {"mnuEditCopyRows", "CopyRows", "MenuCopyRows", "Ctrl+C"},
    {"mnuEditPasteRows", "PasteRows", "MenuPasteRows", "Ctrl+V"},
    {"mnuEditClearRows", "ClearRows", "MenuClearRows", "Del"},
};

// The rows of the open channel grid (there is at most one).
QPointer<GridRows>& openRows() {
    static QPointer<GridRows> rows;
    return rows;
}

QAction* mainAction(const char* name) {
    QMainWindow* main = MainWindow();
    return main ? main->findChild<QAction*>(QLatin1String(name)) : nullptr;
}

// A clipboard text that is one value, not rows or columns.
bool isSingleValue(const QString& text) {
    const QString value = text.trimmed();
    return !value.isEmpty() && !value.contains(u'\t') && !value.contains(u'\n');
}

// The commands apply while the grid's window is the one being worked in.
void updateRowActions() {
    GridRows* rows = openRows();
    QWidget* window = rows ? qobject_cast<QWidget*>(rows->parent()) : nullptr;
    QWidget* focus = QApplication::focusWidget();
    const bool working = window && focus && window->isAncestorOf(focus);
    const bool enabled[] = {working && rows->canCopy(), working && rows->canPaste(),
                            working && rows->canCopy()};
    for (std::size_t i = 0; i < std::size(kRowCommands); ++i)
        if (QAction* a = mainAction(kRowCommands[i].item)) a->setEnabled(enabled[i]);
}

void installRowActionUpdates() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, updateRowActions);
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, qApp, updateRowActions);
}
} // namespace

GridRows::GridRows(QTableWidget* grid, QWidget* window)
    : QObject(window), grid_(grid), viewport_(grid->viewport()), window_(window) {
    viewport_->installEventFilter(this);
    grid_->installEventFilter(this);
    // The editors laid over the cells hold the keyboard while a cell is edited.
    for (QWidget* editor : viewport_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        editor->installEventFilter(this);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { clearSelection(); });
    if (auto* group = window->findChild<QComboBox*>(QStringLiteral("Combo6")))
        connect(group, &QComboBox::activated, this, [this] { clearSelection(); });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &GridRows::showContextMenu);
    openRows() = this;
    installRowActionUpdates();
    updateRowActions();
}

GridRows::~GridRows() {
    if (openRows() == this) openRows() = nullptr;
    updateRowActions();
}

bool GridRows::canCopy() const {
    return !selected_.isEmpty();
}

bool GridRows::canPaste() const {
    return !QApplication::clipboard()->text().trimmed().isEmpty();
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
    updateRowActions();
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
    cursor_ = row == 0 ? kRows : row;
    // The editor over the current cell stores its value and closes as the grid
    // takes the focus, so the keys below reach the rows.
    grid_->setFocus(Qt::MouseFocusReason);
    updateRowActions();
}

void GridRows::selectFromKeyboard(int row, bool extend) {
    if (row < 1 || row > kRows) return;
    if (!extend) {
        clickRowNumber(row, Qt::NoModifier);
        return;
    }
    clearSelection();
    for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r)
        setSelected(r, true);
    cursor_ = row;
    updateRowActions();
}

QList<int> GridRows::selectedChannels() const {
    QList<int> numbers;
    for (int row : selectedRows())
        numbers.append(ChannelNumberOf(gridState().group, row));
    return numbers;
}

void GridRows::copy() {
    if (!canCopy()) return;
    QApplication::clipboard()->setText(ChannelRowsText(app().document, selectedChannels()));
}

void GridRows::pasteValue(const QString& value) {
    auto* grid = dynamic_cast<FrmCommChInfo*>(window_);
    if (!grid) return;
    switch (grid->pasteIntoCell(value)) {
    case FrmCommChInfo::CellPaste::Taken:
    case FrmCommChInfo::CellPaste::NoCell:
        return;
    case FrmCommChInfo::CellPaste::NotFrequency:
        ShowMessage(Say("NotFrequency").arg(value.trimmed()), MsgButtons::Ok, MsgIcon::Warning);
        return;
    case FrmCommChInfo::CellPaste::NotChoice:
        ShowMessage(Say("NotChoice").arg(value.trimmed(), grid->currentHeading()), MsgButtons::Ok,
                    MsgIcon::Warning);
        return;
    }
}

void GridRows::paste() {
    const QString text = QApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) return;
    QList<int> rows = selectedRows();
    if (rows.isEmpty() && isSingleValue(text)) {
        pasteValue(text);
        return;
    }
    // Without selected rows the rows go in from the current row on.
    if (rows.isEmpty()) {
        if (auto* pending = dynamic_cast<CommitsPendingEdit*>(window_)) pending->commitPendingEdit();
        rows.append(std::clamp(grid_->currentRow(), 1, kRows));
    }
    const ImportOutcome outcome =
        PasteChannelRows(text, app().document, gridState().group, rows.first());
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

void GridRows::showContextMenu(const QPoint& at) {
    QMenu menu;
    menu.setObjectName(QStringLiteral("mnuGridRows"));
    updateRowActions();
    for (const RowCommand& c : kRowCommands)
        if (QAction* a = mainAction(c.item)) menu.addAction(a);
    if (!menu.isEmpty()) menu.exec(grid_->viewport()->mapToGlobal(at));
}

bool GridRows::handleKey(QObject* watched, QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const int row = grid_->currentRow();
    if (modifiers == Qt::ShiftModifier && key->key() == Qt::Key_Space) {
        selectFromKeyboard(row, false);
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (watched != grid_ || selected_.isEmpty()) return false;
    if (modifiers == Qt::ShiftModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        selectFromKeyboard(std::clamp(cursor_ + (key->key() == Qt::Key_Up ? -1 : 1), 1, kRows), true);
        return true;
    }
    if (key->matches(QKeySequence::Copy)) {
        copy();
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
    return false;
}

bool GridRows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = grid_->indexAt(mouse->position().toPoint());
        if (index.isValid() && index.column() == 0 && mouse->button() != Qt::MiddleButton) {
            // A right click on a selected row keeps the selection for the context menu.
            if (mouse->button() == Qt::LeftButton || !selected_.contains(index.row()))
                clickRowNumber(index.row(), mouse->modifiers());
            return mouse->button() == Qt::LeftButton;
        }
        if (mouse->button() == Qt::LeftButton) clearSelection();
        return false;
    }
    if (event->type() == QEvent::KeyPress && (watched == grid_ || watched->parent() == viewport_))
        return handleKey(watched, static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

void InstallGridRows() {
    SetChannelGridExtension(
        [](QTableWidget* grid, QWidget* window) { new GridRows(grid, window); });
    AddMenuItem({QStringLiteral("mnuEdit"), QStringLiteral("mnuEditBarUndo"),
                 QStringLiteral("mnuEditBarRows"), {}, {}});
    for (const RowCommand& c : kRowCommands) {
        const char* command = c.command;
        RegisterCommand(QLatin1String(command), [command] {
            GridRows* rows = openRows();
            if (!rows) return;
            if (qstrcmp(command, "CopyRows") == 0)
                rows->copy();
            else if (qstrcmp(command, "PasteRows") == 0)
                rows->paste();
            else
                rows->clear();
        });
        AddMenuItem({QStringLiteral("mnuEdit"), QStringLiteral("mnuEditBarUndo"),
                     QLatin1String(c.item), [key = c.captionKey] { return Say(key); },
                     QLatin1String(command), QLatin1String(c.shortcut)});
    }
}
