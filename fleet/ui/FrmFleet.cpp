#include "fleet/ui/FrmFleet.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentOps.h"
#include "core/MessageBox.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/FileCommands.h"
#include "link/Password.h"
#include "link/Ports.h"
#include "safewrite/SafeWriteSettings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kJobRole = Qt::UserRole + 1;

QTableWidgetItem* readOnlyItem(const QString& text = {}) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// What the system says of the adapter (its description, maker and serial
// number, which tell two cables apart); the device when it says nothing.
QString adapterText(int number) {
    const PortDetails port = DetailsOfPort(number);
    QStringList parts;
    for (const QString& part : {port.description, port.manufacturer, port.serialNumber})
        if (!part.isEmpty() && !parts.contains(part)) parts.append(part);
    return parts.isEmpty() ? port.device : parts.join(QStringLiteral(", "));
}

// Onboard serial ports are rarely programming cables: their rows start unchecked.
bool checkedAtFirst(const QString& device) {
    return !device.startsWith(QStringLiteral("/dev/ttyS"));
}
} // namespace

FrmFleet::FrmFleet(QWidget* parent)
    : ModalWindow("FrmFleet", parent), runner_(std::make_unique<FleetRunner>()) {
    setWindowTitle(FleetText("Title"));
    for (FleetPhase p : {FleetPhase::Waiting, FleetPhase::Backup, FleetPhase::Write,
                         FleetPhase::Verify, FleetPhase::Done, FleetPhase::Failed})
        phaseTexts_.insert(static_cast<int>(p), FleetPhaseText(p));

    file_ = new QLabel;
    file_->setObjectName(QStringLiteral("LabelFile"));
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    showFile();
    password_ = new QLineEdit(app().heldPassword);
    password_->setObjectName(QStringLiteral("TextPassWord"));
    password_->setMaxLength(kPasswordLength);
    password_->setMaximumWidth(Twips(1500));
    otherBand_ = new QCheckBox(FleetText("OtherBand"));
    otherBand_->setObjectName(QStringLiteral("CheckOtherBand"));
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(FleetText("File")), 0, 0, Qt::AlignRight);
    fields->addWidget(file_, 0, 1);
    fields->addWidget(new QLabel(FleetText("PassWord")), 1, 0, Qt::AlignRight);
    fields->addWidget(password_, 1, 1, Qt::AlignLeft);
    fields->addWidget(otherBand_, 2, 1);
    fields->setColumnStretch(1, 1);

    table_ = new QTableWidget(0, Restart + 1);
    table_->setObjectName(QStringLiteral("FleetGrid"));
    table_->setHorizontalHeaderLabels({FleetText("Port"), FleetText("Adapter"), FleetText("Phase"),
                                       FleetText("Progress"), FleetText("Radio"),
                                       FleetText("Serial"), FleetText("Dealer"),
                                       FleetText("Backup"), FleetText("Result"), QString()});
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the table for the next control; the arrows move between rows.
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(Result, QHeaderView::Stretch);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("LabelSummary"));
    summary_->setWordWrap(true);
    details_ = new QPushButton(FleetText("Details"));
    details_->setObjectName(QStringLiteral("CommandDetails"));
    auto* below = new QHBoxLayout;
    below->addWidget(summary_, 1);
    below->addWidget(details_);

    auto* body = new QVBoxLayout;
    body->addLayout(fields);
    body->addWidget(table_, 1);
    body->addLayout(below);
    start_ = layOutWithOkCancel(body, "CommandStart", "CommandClose");
    start_->setText(FleetText("Start"));
    SetCloseCaption(this);
    connect(details_, &QPushButton::clicked, this, &FrmFleet::showDetails);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &FrmFleet::showDetails);
    resize(Twips(19500), Twips(6000));

    connect(start_, &QPushButton::clicked, this, &FrmFleet::start);
    runner_->jobChanged = [this](int job) { showJob(job); };
    runner_->jobEnded = [this](int job) { jobEnded(job); };
    fillPorts();
}

FrmFleet::~FrmFleet() {
    runner_->jobChanged = nullptr;
    runner_->jobEnded = nullptr;
}

void FrmFleet::fillPorts() {
    const QList<int> numbers = PresentPorts();
    table_->setRowCount(static_cast<int>(numbers.size()));
    for (int row = 0; row < numbers.size(); ++row) {
        const int n = numbers[row];
        const QString device = PortDevice(n);
        auto* port = readOnlyItem(QStringLiteral("COM") + QString::number(n));
        port->setFlags(port->flags() | Qt::ItemIsUserCheckable);
        port->setCheckState(checkedAtFirst(device) ? Qt::Checked : Qt::Unchecked);
        port->setData(Qt::UserRole, device);
        port->setData(kJobRole, -1);
        table_->setItem(row, Port, port);
        table_->setItem(row, Adapter, readOnlyItem(adapterText(n)));
        for (int c = Phase; c <= Result; ++c)
            if (c != Progress) table_->setItem(row, c, readOnlyItem());
        auto* bar = new QProgressBar;
        bar->setRange(0, 100);
        bar->setValue(0);
        table_->setCellWidget(row, Progress, bar);
        auto* restart = new QPushButton(FleetText("Restart"));
        restart->setObjectName(QStringLiteral("CommandRestart_%1").arg(row));
        restart->setEnabled(false);
        connect(restart, &QPushButton::clicked, this, [this, row] { this->restart(row); });
        table_->setCellWidget(row, Restart, restart);
    }
    start_->setEnabled(!numbers.isEmpty());
    if (numbers.isEmpty()) {
        table_->setRowCount(1);
        table_->setItem(0, Port, readOnlyItem(FleetText("NoPorts")));
        table_->setSpan(0, Port, 1, Restart + 1);
    }
}

void FrmFleet::showFile() {
    QString name = app().documentName;
    if (IsModified()) name += u' ' + UnsavedChangesMark();
    file_->setText(name);
}

// The password and options as the window shows them now.
FleetOptions FrmFleet::currentOptions() const {
    FleetOptions options;
    options.password = TrimPasswordEntry(password_->text());
    options.otherBand = otherBand_->isChecked();
    const SafeWriteSettings safe = LoadSafeWriteSettings();
    options.safeWrite.backup = safe.backup;
    options.safeWrite.verify = safe.verify;
    return options;
}

void FrmFleet::clearRow(int row) {
    for (int c = Phase; c <= Result; ++c)
        if (QTableWidgetItem* item = table_->item(row, c)) {
            item->setText(QString());
            item->setToolTip(QString());
        }
    if (auto* bar = qobject_cast<QProgressBar*>(table_->cellWidget(row, Progress))) bar->setValue(0);
    if (QWidget* restart = table_->cellWidget(row, Restart)) restart->setEnabled(false);
}

void FrmFleet::start() {
    if (runner_->running()) return;
    QList<int> rows;
    for (int row = 0; row < table_->rowCount(); ++row) {
        QTableWidgetItem* port = table_->item(row, Port);
        if (port && !port->data(Qt::UserRole).isNull() && port->checkState() == Qt::Checked)
            rows.append(row);
    }
    if (rows.isEmpty()) return;
    // What goes into the radios is what the log names: unsaved changes are
    // saved first, or written as they are (No), or nothing starts (Cancel).
    if (!OfferToSaveChanges()) return;
    showFile();
    QList<FleetPort> ports;
    jobRows_.clear();
    for (int row = 0; row < table_->rowCount(); ++row) {
        QTableWidgetItem* port = table_->item(row, Port);
        if (!port || port->data(Qt::UserRole).isNull()) continue;
        port->setData(kJobRole, -1);
        clearRow(row); // a row left out keeps no result of an earlier run
        if (!rows.contains(row)) continue;
        port->setData(kJobRole, static_cast<int>(ports.size()));
        jobRows_.append(row);
        ports.append({port->text(), port->data(Qt::UserRole).toString()});
    }
    summary_->clear();
    runner_->setOptions(currentOptions());
    runner_->setPorts(ports);
    setIdle(false);
    if (!runner_->start()) setIdle(true);
}

void FrmFleet::restart(int row) {
    const int job = table_->item(row, Port)->data(kJobRole).toInt();
    if (job < 0 || !runner_->restart(job, currentOptions())) return;
    table_->cellWidget(row, Restart)->setEnabled(false);
    summary_->clear();
    setIdle(false);
}

// Every column of the current row with its heading, the texts uncut.
void FrmFleet::showDetails() {
    const int row = table_->currentRow();
    if (row < 0 || !table_->item(row, Port) || table_->item(row, Port)->data(Qt::UserRole).isNull())
        return;
    QStringList lines;
    for (int c = Port; c <= Result; ++c) {
        QString value;
        if (c == Progress) {
            if (auto* bar = qobject_cast<QProgressBar*>(table_->cellWidget(row, c)))
                value = QString::number(bar->value()) + u'%';
        } else if (QTableWidgetItem* item = table_->item(row, c)) {
            value = item->toolTip().isEmpty() ? item->text() : item->toolTip();
        }
        lines.append(table_->horizontalHeaderItem(c)->text() + QStringLiteral(": ") + value);
    }
    ShowMessage(lines.join(u'\n'), MsgButtons::Ok, MsgIcon::Information);
}

// While radios are programmed, the batch's password and options stay as they
// were started with; idle again, they can be changed for the next Start or Restart.
void FrmFleet::setIdle(bool idle) {
    start_->setEnabled(idle);
    password_->setEnabled(idle);
    otherBand_->setEnabled(idle);
    for (int row = 0; row < table_->rowCount(); ++row)
        if (QTableWidgetItem* port = table_->item(row, Port)) {
            const auto flags = port->flags();
            port->setFlags(idle ? flags | Qt::ItemIsUserCheckable : flags & ~Qt::ItemIsUserCheckable);
        }
}

void FrmFleet::showJob(int job) {
    if (job < 0 || job >= jobRows_.size()) return;
    const int row = jobRows_[job];
    const FleetJob& j = runner_->job(job);
    table_->item(row, Phase)->setText(phaseTexts_.value(static_cast<int>(j.phase)));
    static_cast<QProgressBar*>(table_->cellWidget(row, Progress))->setValue(j.percent);
    QString radio = j.radioModel;
    if (j.radioBand >= 0 && j.radioBand < BandTexts().size())
        radio += QStringLiteral(" [") + BandTexts().at(j.radioBand) + u']';
    table_->item(row, Radio)->setText(radio);
    table_->item(row, Serial)->setText(j.info ? j.info->serialNumber : QString());
    table_->item(row, Dealer)->setText(j.info ? j.info->dealerCode : QString());
    // The backup's file name; the whole path and a long failure in the tooltip.
    table_->item(row, Backup)->setText(QFileInfo(j.backupPath).fileName());
    table_->item(row, Backup)->setToolTip(j.backupPath);
    const QString result = j.phase == FleetPhase::Done
                               ? phaseTexts_.value(static_cast<int>(FleetPhase::Done))
                           : j.phase == FleetPhase::Failed ? j.failure
                                                           : QString();
    table_->item(row, Result)->setText(result);
    table_->item(row, Result)->setToolTip(result);
}

void FrmFleet::jobEnded(int job) {
    if (job >= 0 && job < jobRows_.size())
        table_->cellWidget(jobRows_[job], Restart)->setEnabled(true);
    if (runner_->logFailed() && !logFailureShown_) {
        logFailureShown_ = true;
        ShowMessage(FleetText("LogFailed") + u' ' + runner_->options().logPath, MsgButtons::Ok,
                    MsgIcon::Warning);
    }
    if (!runner_->running()) {
        setIdle(true);
        summary_->setText(FleetText("Summary").arg(runner_->succeeded()).arg(runner_->count()));
    }
}

void FrmFleet::done(int result) {
    if (runner_->running()) {
        if (ShowMessage(FleetText("StopQuestion"), MsgButtons::OkCancel, MsgIcon::Question) !=
            MsgAnswer::Ok)
            return;
        runner_->stopAll();
    }
    ModalWindow::done(result);
}
