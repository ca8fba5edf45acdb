#pragma once
// Whole rows of the channel grid with a spreadsheet: rows are selected by their
// row numbers (click, Shift+click, Ctrl+click; the heading cell selects all 16),
// Ctrl+C copies them as tab-separated text with the CSV columns and headings,
// Ctrl+V pastes rows from the clipboard into the first selected row and the
// ones after it, Delete clears the selected channels after a question. A click
// into a cell ends the selection; editing a cell is the grid's own.

#include <QList>
#include <QObject>

class QTableWidget;

class GridRows : public QObject {
    Q_OBJECT
  public:
    GridRows(QTableWidget* grid, QWidget* window);

    // The selected rows (1..16), ascending.
    QList<int> selectedRows() const;
    void clearSelection();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void clickRowNumber(int row, Qt::KeyboardModifiers modifiers);
    void setSelected(int row, bool selected);
    QList<int> selectedChannels() const;
    void copy();
    void paste();
    void clear();

    QTableWidget* grid_;
    // The grid's viewport, kept from the start: the filter also sees the events
    // sent while the grid is being destroyed, when the grid can no longer be asked.
    QObject* viewport_;
    QWidget* window_;
    QList<int> selected_;
    int anchor_ = 1;
};

// Installs the row selection into every channel grid window that opens.
void InstallGridRows();
