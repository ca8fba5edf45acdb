#include "fleet/ui/FrmFleet.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/MessageBox.h"
#include "core/ui/CommonCaptions.h"
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

    file_ = new QLabel(app().documentName);
    file_->setObjectName(QStringLiteral("LabelFile"));
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
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(Result, QHeaderView::Stretch);

    auto* body = new QVBoxLayout;
    body->addLayout(fields);
    body->addWidget(table_, 1);
    start_ = layOutWithOkCancel(body, "CommandStart", "CommandClose");
    start_->setText(FleetText("Start"));
    SetCloseCaption(this);
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
        connect(restart, &QPushButton::clicked, this, [this, row] {
            const int job = table_->item(row, Port)->data(kJobRole).toInt();
            if (job >= 0 && runner_->restart(job)) {
                table_->cellWidget(row, Restart)->setEnabled(false);
                start_->setEnabled(false);
            }
        });
        table_->setCellWidget(row, Restart, restart);
    }
    start_->setEnabled(!numbers.isEmpty());
    if (numbers.isEmpty()) {
        table_->setRowCount(1);
        table_->setItem(0, Port, readOnlyItem(FleetText("NoPorts")));
        table_->setSpan(0, Port, 1, Restart + 1);
    }
}

void FrmFleet::start() {
    if (runner_->running()) return;
    QList<FleetPort> ports;
    jobRows_.clear();
    for (int row = 0; row < table_->rowCount(); ++row) {
        QTableWidgetItem* port = table_->item(row, Port);
        if (!port || port->data(Qt::UserRole).isNull()) continue;
        port->setData(kJobRole, -1);
        if (port->checkState() != Qt::Checked) continue;
        port->setData(kJobRole, static_cast<int>(ports.size()));
        jobRows_.append(row);
        ports.append({port->text(), port->data(Qt::UserRole).toString()});
    }
    if (ports.isEmpty()) return;
    FleetOptions options;
    options.password = TrimPasswordEntry(password_->text());
    options.otherBand = otherBand_->isChecked();
    const SafeWriteSettings safe = LoadSafeWriteSettings();
    options.safeWrite.backup = safe.backup;
    options.safeWrite.verify = safe.verify;
    runner_->setOptions(options);
    runner_->setPorts(ports);
    for (int row = 0; row < table_->rowCount(); ++row)
        if (QWidget* restart = table_->cellWidget(row, Restart)) restart->setEnabled(false);
    setIdle(false);
    if (!runner_->start()) setIdle(true);
}

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
    if (!runner_->running()) setIdle(true);
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
