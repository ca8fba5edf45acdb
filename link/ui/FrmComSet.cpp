#include "link/ui/FrmComSet.h"

#include "core/AppState.h"
#include "core/Language.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/MainWindowApi.h"
#include "link/CableInfo.h"
#include "link/Ports.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const Tr kCaption{QStringLiteral("Set COM"), QStringLiteral("串口设置")};
const Tr kLabel{QStringLiteral("Comm Port"), QStringLiteral("串口")};
constexpr int kRefreshMs = 1000;
} // namespace

FrmComSet::FrmComSet(QWidget* parent) : ModalWindow("FrmComSet", parent) {
    auto* label = new QLabel(kLabel());
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    list_ = new QComboBox;
    list_->setObjectName(QStringLiteral("Combo1"));
    list_->setMinimumWidth(Twips(1800));
    enterMovesFocus(list_);
    auto* row = labelledRow(label, list_, Twips(100)); // label ends 100 twips left of the list

    // What the system tells of the selected port, to tell two cables apart.
    auto* details = new QFormLayout;
    const char* const kDetails[][3] = {{"PortDevice", "Install", "Device"},
                                       {"PortDescription", "Install", "Description"},
                                       {"PortManufacturer", "Install", "Manufacturer"},
                                       {"PortSerialNumber", "Install", "SerialNumber"},
                                       {"PortCable", "Link", "Cable"},
                                       {"PortLatency", "Link", "LatencyTimer"}};
    for (std::size_t i = 0; i < details_.size(); ++i) {
        details_[i] = new QLabel;
        details_[i]->setObjectName(QLatin1String(kDetails[i][0]));
        details_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        details->addRow(LanguageText(QLatin1String(kDetails[i][1]), QLatin1String(kDetails[i][2])),
                        details_[i]);
    }
    // A latency timer above 1 ms: the rule that sets it.
    latencyHint_ = new QLabel;
    latencyHint_->setObjectName(QStringLiteral("PortLatencyHint"));
    latencyHint_->setWordWrap(true);
    latencyHint_->setMaximumWidth(Twips(6000));
    latencyHint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details->addRow(latencyHint_);
    auto* fields = new QVBoxLayout;
    fields->addLayout(row);
    fields->addLayout(details);
    auto* ok = layOutWithOkCancel(fields, "CommandOK", "CommandCancel");

    setWindowTitle(kCaption());
    SetOkCancelCaptions(this);

    fill();
    if (list_->count() == 0) {
        portId_ = 0;
        list_->setCurrentIndex(-1);
    } else {
        selectPort(app().comPort);
    }

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("ReShowComPortTimer"));
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &FrmComSet::refreshPorts);
    timer_->start();

    connect(list_, &QComboBox::activated, this, [this](int) {
        portId_ = PortNumberOfEntry(list_->currentText());
        showDetails();
    });
    showDetails();
    connect(ok, &QPushButton::clicked, this, &FrmComSet::ok);
}

bool FrmComSet::fill() {
    QStringList entries;
    FillPortList(entries);
    QStringList shown;
    for (int i = 0; i < list_->count(); ++i)
        shown.append(list_->itemText(i));
    // An unchanged list is left alone, so an open drop-down stays open.
    if (entries == shown && !shown.isEmpty()) return false;
    const QSignalBlocker block(list_);
    list_->clear();
    list_->addItems(entries);
    return true;
}

// Selects "COM" + number, the first entry when it is not listed; PortID follows.
void FrmComSet::selectPort(int number) {
    const QSignalBlocker block(list_);
    const int index = list_->findText(QStringLiteral("COM") + QString::number(number));
    list_->setCurrentIndex(index >= 0 ? index : 0);
    portId_ = PortNumberOfEntry(list_->currentText());
}

void FrmComSet::refreshPorts() {
    if (!fill()) return;
    if (list_->count() == 0) {
        portId_ = 0;
        list_->setCurrentIndex(-1);
    } else {
        selectPort(portId_);
    }
    showDetails();
}

void FrmComSet::showDetails() {
    const PortDetails port = portId_ > 0 ? DetailsOfPort(portId_) : PortDetails{};
    const QString values[] = {port.device,          port.description,
                              port.manufacturer,    port.serialNumber,
                              CableEchoText(port.device), LatencyText(port.device)};
    for (std::size_t i = 0; i < details_.size(); ++i)
        details_[i]->setText(values[i].isEmpty() ? QStringLiteral("-") : values[i]);
    const QString hint = port.device.isEmpty() ? QString() : LatencyHint(port.device);
    latencyHint_->setText(hint);
    latencyHint_->setVisible(!hint.isEmpty());
}

void FrmComSet::ok() {
    AppState& s = app();
    if (list_->currentIndex() < 0) {
        s.comPort = 0;
    } else {
        const int number = PortNumberOfEntry(list_->currentText());
        s.comPort = static_cast<int16>(number);
        if (number > 0) WriteComPortSetting(number);
    }
    RefreshMainTitle();
    accept();
}

void FrmComSet::done(int result) {
    timer_->stop();
    ModalWindow::done(result);
}
