#pragma once
// The channel edit window: every setting of one channel of the current group in a
// form, including those the grid does not show. It holds no data of its own: each
// change is stored at once through ChangeChannelData and the window reloads, so it
// always shows what is stored. It follows the grid's current row and moves it.

#include "core/ui/PendingEdit.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmCHInfoEdit : public QWidget, public CommitsPendingEdit {
    Q_OBJECT
  public:
    explicit FrmCHInfoEdit(QWidget* parent = nullptr);
    ~FrmCHInfoEdit() override;

    void commitPendingEdit() override;

    // Loads the window. fromGrid: the channel is the grid's current row and Combo1
    // follows it; otherwise the grid's current row follows Combo1.
    void SetGridEditData(bool fromGrid);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void setCaptions();
    void placeLabels();
    void loadChannel(int position);
    void loadMissingChannel();
    void rebuildSpUnmute(bool hasDecodeTone, bool hasOptSignal, int code);
    void rebuildBusyLockout(bool hasDecodeTone, bool hasOptSignal, int code);
    void rebuildDependentLists();
    void commitText(QLineEdit* box);
    void focusMoved(QWidget* from, QWidget* to);
    void storeTypedValues();
    void comboChosen(int index);
    void checkClicked(int index, bool checked);
    int currentRow() const;
    void store(int field, const QString& value);
    void setBackground(QWidget* widget, bool active);

    QLabel* label1_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    std::array<QComboBox*, 9> combo2_{};
    std::array<QLabel*, 11> label2_{};
    std::array<QCheckBox*, 3> check1_{};
    QPushButton* closeButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;

    // The channel whose values the controls show: every store goes to it.
    int shownGroup_ = 0;
    int shownRow_ = 0;
    bool loading_ = false;
    bool committing_ = false;
    bool closed_ = false;
};
