#pragma once
// The Restore from Backup window: the backups in the backup folder, newest
// first, with when each was taken and the model, band, serial number and dealer
// code of the radio it came from. Restore asks whether to write the chosen
// backup to the radio now (a safe write, so the radio's present memory is itself
// backed up first) or only to open it as a new document.

#include "core/ui/ModalWindow.h"

class QLabel;
class QPushButton;
class QTableWidget;

class FrmRestore : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmRestore(const QStringList& folders, QWidget* parent = nullptr);

    // The data file of the backup in the current row; empty when there is none.
    QString chosenBackup() const;

  private:
    void restore();

    QLabel* label1_ = nullptr;
    QTableWidget* grid_ = nullptr; // GridBackups
    QPushButton* restoreButton_ = nullptr;
};
