#pragma once
// The batch channel edit window (modal): a range of channels, the functions the
// user offers himself in "BatchFun.ini", and for each function a fixed, stepped,
// derived or random value. Its texts come from the language text files.

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class FrmCHBatch : public QWidget {
    Q_OBJECT
  public:
    explicit FrmCHBatch(QWidget* parent = nullptr);
    ~FrmCHBatch() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void setTexts();
    void showOfferedFunctions();
    void functionClicked(int checkIndex, bool checked);
    void validateValueBox(int index);
    void apply();

    std::array<QRadioButton*, 2> option1_{};
    std::array<QLineEdit*, 2> text1_{};
    QCheckBox* check4_ = nullptr;
    QPushButton* commandFun_ = nullptr;
    QWidget* functionPanel_ = nullptr;
    std::array<QCheckBox*, 22> check2_{};
    QPushButton* commandSelAll_ = nullptr;
    QPushButton* commandSelNone_ = nullptr;
    std::array<QLineEdit*, 7> text2_{};
    std::array<QRadioButton*, 2> option2_{};      // RX increment / decrement
    std::array<QRadioButton*, 3> option3_{};      // TX mode
    std::array<QRadioButton*, 3> option4_{};      // split +, -, none
    std::array<QRadioButton*, 2> option5_{};      // TX increment / decrement
    std::array<QRadioButton*, 2> option6_{};      // decode increment / decrement
    std::array<QRadioButton*, 2> option7_{};      // encode increment / decrement
    std::array<QComboBox*, 7> combo1_{};          // 0, 1 tones; 2 power; 5 spacing; 6 lock-out
    std::array<QCheckBox*, 3> check3_{};          // decode random, encode random, encode = decode
    std::array<QCheckBox*, 3> check1_{};          // scan add, talk around, reverse
    std::array<QWidget*, 20> functionControls_{}; // by flag byte
    QLabel* hint_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* commandApply_ = nullptr;
    QPushButton* commandClose_ = nullptr;
    std::array<QLabel*, 16> labels_{};
};
