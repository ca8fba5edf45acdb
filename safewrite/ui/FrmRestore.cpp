#include "safewrite/ui/FrmRestore.h"

#include "core/Band.h"
#include "core/MessageBox.h"
#include "core/ui/CommonCaptions.h"
#include "safewrite/Backup.h"
#include "safewrite/SafeWriteTexts.h"
#include "safewrite/ui/SafeWriteMenus.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QCoreApplication>
#include <QTimer>
#include <QVBoxLayout>

namespace {
enum Column { Taken, Model, Band, Serial, Dealer, File, Columns };
constexpr int kPathRole = Qt::UserRole + 1;

QString takenText(const QDateTime& taken) {
    return taken.isValid() ? taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}
QString bandText(int band) {
    return band >= 0 && band < BandTexts().size() ? BandTexts().at(band) : QString();
}
} // namespace

FrmRestore::FrmRestore(const QStringList& folders, QWidget* parent) : ModalWindow("FrmRestore", parent) {
    setWindowTitle(SafeWriteText("RestoreTitle"));
    const QList<BackupEntry> backups = ListBackups(folders);

    label1_ = new QLabel(backups.isEmpty()
                             ? SafeWriteText("NoBackups")
                             : SafeWriteText("BackupFolder")
                                   .arg(QDir::toNativeSeparators(folders.join(QStringLiteral(", ")))));
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);

    grid_ = new QTableWidget(static_cast<int>(backups.size()), Columns);
    grid_->setObjectName(QStringLiteral("GridBackups"));
    grid_->setHorizontalHeaderLabels({SafeWriteText("ColumnTaken"), SafeWriteText("ColumnModel"),
                                      SafeWriteText("ColumnBand"), SafeWriteText("ColumnSerial"),
                                      SafeWriteText("ColumnDealer"), SafeWriteText("ColumnFile")});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    for (int r = 0; r < backups.size(); ++r) {
        const BackupEntry& b = backups.at(r);
        const QStringList cells{takenText(b.taken), b.model,        bandText(b.band),
                                b.serialNumber,     b.dealerCode,   QFileInfo(b.dataPath).fileName()};
        for (int c = 0; c < Columns; ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            item->setData(kPathRole, b.dataPath);
            item->setToolTip(c == File ? QDir::toNativeSeparators(b.dataPath) : cells.at(c));
            grid_->setItem(r, c, item);
        }
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (!backups.isEmpty()) grid_->setCurrentCell(0, 0);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { restore(); });
    enterMovesFocus(grid_);

    auto* body = new QVBoxLayout;
    body->addWidget(label1_);
    body->addWidget(grid_, 1);
    restoreButton_ = layOutWithOkCancel(body, "CommandRestore", "CommandClose");
    restoreButton_->setText(SafeWriteText("RestoreButton"));
    restoreButton_->setEnabled(!backups.isEmpty());
    SetCloseCaption(this);
    connect(restoreButton_, &QPushButton::clicked, this, &FrmRestore::restore);
    resize(900, 420);
}

QString FrmRestore::chosenBackup() const {
    const QTableWidgetItem* item = grid_->item(grid_->currentRow(), 0);
    return item ? item->data(kPathRole).toString() : QString();
}

void FrmRestore::restore() {
    const QString path = chosenBackup();
    if (path.isEmpty()) return;
    const int row = grid_->currentRow();
    const QString radio = grid_->item(row, Serial)->text().isEmpty()
                              ? grid_->item(row, Model)->text()
                              : grid_->item(row, Model)->text() + u' ' + grid_->item(row, Serial)->text();
    const QString question = SafeWriteText("RestoreChoice").arg(grid_->item(row, Taken)->text(), radio) +
                             QStringLiteral("\n\n") + SafeWriteText("RestoreYes") + u'\n' +
                             SafeWriteText("RestoreNo");
    const MsgAnswer answer = ShowMessage(question, MsgButtons::YesNoCancel, MsgIcon::Question,
                                         SafeWriteText("RestoreTitle"));
    if (answer != MsgAnswer::Yes && answer != MsgAnswer::No) return;
    const bool writeNow = answer == MsgAnswer::Yes;
    accept();
    // The window is gone before the document changes or a transfer starts.
    QTimer::singleShot(0, qApp, [path, writeNow] { RestoreBackup(path, writeNow); });
}
