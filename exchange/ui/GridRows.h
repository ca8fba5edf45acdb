#pragma once
// Whole rows of the channel grid with a spreadsheet: rows are selected by their
// row numbers (click, Shift+click, Ctrl+click; the heading cell selects all 16)
// or from the keyboard (Shift+Space the current row, Shift+Up/Down extends),
// Ctrl+C copies them as tab-separated text with the CSV columns and headings,
// Ctrl+V pastes rows from the clipboard into the first selected row (or the
// current one) and the ones after it, Delete clears the selected channels after
// a question. A single value on the clipboard is pasted into the current cell
// through that cell's own rules. The Edit menu and the grid's context menu hold
// the three row commands, enabled only when they apply. A click into a cell ends
// the selection; editing a cell is the grid's own.

#include <QList>
#include <QObject>

class QKeyEvent;
class QTableWidget;

class GridRows : public QObject {
    Q_OBJECT
  public:
    GridRows(QTableWidget* grid, QWidget* window);

    ~GridRows() override;

    // The selected rows (1..16), ascending.
    QList<int> selectedRows() const;
    void clearSelection();

    // The row commands; each does nothing where it does not apply.
    void copy();
    void paste();
    void clear();
    bool canCopy() const;
    bool canPaste() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void clickRowNumber(int row, Qt::KeyboardModifiers modifiers);
    void selectFromKeyboard(int row, bool extend);
    void setSelected(int row, bool selected);
    QList<int> selectedChannels() const;
    bool handleKey(QObject* watched, QKeyEvent* key);
    void pasteValue(const QString& value);
    void showContextMenu(const QPoint& at);

    QTableWidget* grid_;
    // The grid's viewport, kept from the start: the filter also sees the events
    // sent while the grid is being destroyed, when the grid can no longer be asked.
    QObject* viewport_;
    QWidget* window_;
    QList<int> selected_;
    int anchor_ = 1;
    int cursor_ = 1; // the row Shift+Up/Down extends from
};

// Installs the row selection into every channel grid window that opens.
void InstallGridRows();
