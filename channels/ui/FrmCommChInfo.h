#pragma once
// The channel grid: one group of 16 channels in a spreadsheet-like grid with an
// editor laid over the current cell (a text box for the frequencies, a selector
// for the coded fields). Every committed cell is stored at once through
// ChangeChannelData; the rules of the channel table decide what is stored.

#include "core/ui/PendingEdit.h"

#include <QTableWidget>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The grid itself: row 0 holds the headings and column 0 the row numbers; the
// keys it does not own go to the window.
class ChannelGridTable : public QTableWidget {
    Q_OBJECT
  public:
    using QTableWidget::QTableWidget;

  signals:
    void enterPressed();
    void typedIntoCell(const QString& text);
    void focusReturned();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyboardSearch(const QString&) override {}
};

class FrmCommChInfo : public QWidget, public CommitsPendingEdit, public ReshowsDocument {
    Q_OBJECT
  public:
    explicit FrmCommChInfo(QWidget* parent = nullptr);
    ~FrmCommChInfo() override;

    void commitPendingEdit() override;
    // Shows the stored channels again; the keyboard goes back into the current cell
    // when it was in this window.
    void reshowDocument() override;

    // Clears the cells and shows the channels of the current group.
    void SetGridData();
    // Redisplays the stored channels of the group (after any change of the table).
    void reShowGrid();
    // Re-applies every text in the current language and refills.
    void ReShowChInfoByLanguage();
    // Moves the current row (the edit window chose another channel) without
    // taking the focus; a pending edit is stored first.
    void followRow(int row);

    // The selector laid over cells of a grid column (3 to 9), or nullptr.
    QComboBox* selectorOf(int column) const;

    // A single value from the clipboard put into the current cell as if typed or
    // chosen there, then stored through the cell's own rules.
    enum class CellPaste { Taken, NoCell, NotFrequency, NotChoice };
    CellPaste pasteIntoCell(const QString& value);
    // The current cell's column heading and, for a selector, its choices.
    QString currentHeading() const;
    QStringList currentChoices() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void InitShowGrid();
    void ChangShowByLanguage();
    void fitColumns();
    void ShowAllFredata();
    void showRow(int row, int position);
    void clearRow(int row);
    void SetShowEditData();
    void SaveShowGridData();
    void EnterGridEdit(bool takeFocus = true, bool reloadEditWindow = true);
    void FlexConcludeRx();
    void GridNextLine();
    void GridNextCol();
    void gridPreviousCol();
    void enterCell(int row, int column);
    void moveTo(int row, int column);
    void moveQuietly(int row, int column);
    void renewCaption(int row);
    QList<QWidget*> editors() const;
    void hideEditors();
    bool editorVisible() const;
    bool rowHasRx(int row) const;
    bool rowHasTx(int row) const;
    void openEditWindow();
    bool handleEditorKey(QWidget* editor, QKeyEvent* event);
    void editorFocusLost(QWidget* editor, QFocusEvent* event);
    void selectorChosen(QComboBox* selector);
    void groupChosen();

    ChannelGridTable* grid_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QComboBox* combo1_ = nullptr;   // tones, columns 3 and 4
    QComboBox* combo2_ = nullptr;   // TX power
    QComboBox* combo3_ = nullptr;   // channel spacing
    QComboBox* combo4_0_ = nullptr; // scan add
    QComboBox* combo4_1_ = nullptr; // PTT ID
    QComboBox* combo5_ = nullptr;   // option signalling
    QComboBox* combo6_ = nullptr;   // group
    QLabel* label1_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;

    int prevRow_ = 0;
    int prevCol_ = 0;
    bool committing_ = false;
    bool closed_ = false;
};
