#pragma once
// The optional-features editor ("Function Setup"): radio-wide settings stored
// into the document the moment a control is clicked or a code box loses focus.

#include "core/ui/PendingEdit.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class FrmOptFeatures : public QWidget, public CommitsPendingEdit, public ReshowsDocument {
    Q_OBJECT
  public:
    explicit FrmOptFeatures(QWidget* parent = nullptr);
    void commitPendingEdit() override;
    void reshowDocument() override { showBlock(); }

    // Copies the control behind a save code into its field.
    void SaveOptFeat(int code);
    void EnableVOX(int state);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void fillLists();
    void applyCaptions();
    void showBlock();
    void applyPttIdEnabling(int mode);
    void connectStores();

    std::array<QComboBox*, 5> combo1_{};
    std::array<QLabel*, 5> label1_{};
    std::array<QCheckBox*, 6> check1_{};
    std::array<QComboBox*, 2> combo2_{};
    std::array<QLineEdit*, 2> text1_{};
    std::array<QLabel*, 4> label2_{};
    std::array<QCheckBox*, 4> check2_{};
    std::array<QComboBox*, 2> combo3_{};
    std::array<QLabel*, 2> label3_{};
    QCheckBox* check3_ = nullptr;
    QCheckBox* check4_ = nullptr;
    QCheckBox* check5_ = nullptr;
    QCheckBox* check6_ = nullptr;
    QComboBox* combo4_ = nullptr;
    QLabel* label4_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame3_ = nullptr;
    QGroupBox* frame4_ = nullptr;
};
