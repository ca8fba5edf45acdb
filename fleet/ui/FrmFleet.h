#pragma once
// The fleet window: the ports present with their adapters, a check box each,
// the open document as the file to write, one password for the batch, and a
// Start button. Each row shows its phase, a progress bar and then the result
// (the radio's model and band, serial number and dealer code where read, the
// backup, "OK" or the failure); an ended row can be restarted alone, with the
// password and options as the window has them then. A document with unsaved
// changes gets the save question before Start. After a run the summary line
// says how many radios were programmed; Details (or a double click) shows a
// row's full texts. Closing the window while radios are programmed asks first
// and ends every transfer.

#include "core/ui/ModalWindow.h"
#include "fleet/FleetRunner.h"

#include <QHash>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class FrmFleet : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmFleet(QWidget* parent = nullptr);
    ~FrmFleet() override;

    enum Column { Port, Adapter, Phase, Progress, Radio, Serial, Dealer, Backup, Result, Restart };

    const FleetRunner& runner() const { return *runner_; }

  protected:
    void done(int result) override;

  private:
    void fillPorts();
    FleetOptions currentOptions() const;
    void start();
    void restart(int row);
    void clearRow(int row);
    void showDetails();
    void showFile();
    void showJob(int job);
    void jobEnded(int job);
    void setIdle(bool idle);

    std::unique_ptr<FleetRunner> runner_;
    QLabel* file_;
    QLineEdit* password_;
    QCheckBox* otherBand_;
    QTableWidget* table_;
    QPushButton* start_;
    QPushButton* details_;
    QLabel* summary_;
    QList<int> jobRows_; // the table row of each job
    QHash<int, QString> phaseTexts_;
    bool logFailureShown_ = false;
};
