#include "link/SerialLinkPort.h"

#include "link/LowLatency.h"
#include "link/PortDiagnosis.h"

#include <QFileInfo>

SerialLinkPort::SerialLinkPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { onReadyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError e) { onPortError(e); });
}

SerialLinkPort::~SerialLinkPort() {
    port_.disconnect();
    restoreFlags();
    if (port_.isOpen()) port_.close();
}

void SerialLinkPort::restoreFlags() {
    if (savedFlags_ && port_.isOpen()) RestoreSerialFlags(int(port_.handle()), *savedFlags_);
    savedFlags_.reset();
}

bool SerialLinkPort::open(const QString& device) {
    if (port_.isOpen()) close();
    ++session_;
    failed_ = false;
    openFailure_.clear();
    // The lock that keeps a second program off the port is named after the device:
    // open the device itself, so that a symbolic link to it meets the same lock.
    const QFileInfo named(device);
    const QString real = named.isSymLink() && named.exists() ? named.canonicalFilePath() : device;
    port_.setPortName(real);
    const auto fail = [&] {
        openFailure_ =
            PortProblemText(DiagnosePortFailure(device, port_.error(), port_.errorString()));
        if (port_.isOpen()) port_.close();
        return false;
    };
    if (!port_.open(QIODevice::ReadWrite)) return fail();
    if (!port_.setBaudRate(QSerialPort::Baud9600) || !port_.setDataBits(QSerialPort::Data8) ||
        !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::TwoStop) ||
        !port_.setFlowControl(QSerialPort::NoFlowControl))
        return fail();
    port_.clearError();
    savedFlags_ = RequestLowLatency(int(port_.handle()));
    return true;
}

void SerialLinkPort::close() {
    ++session_;
    restoreFlags();
    if (port_.isOpen()) port_.close();
}

bool SerialLinkPort::isOpen() const {
    return port_.isOpen() && !failed_;
}

void SerialLinkPort::clear() {
    if (isOpen()) port_.clear(QSerialPort::AllDirections);
}

void SerialLinkPort::write(const QByteArray& bytes) {
    if (!isOpen()) return;
    port_.write(bytes);
    port_.flush(); // out now, not on the next turn of the event loop
}

void SerialLinkPort::setThreshold(int bytes) {
    threshold_ = bytes < 1 ? 1 : bytes;
}

QByteArray SerialLinkPort::readAll() {
    return isOpen() ? port_.readAll() : QByteArray();
}

void SerialLinkPort::onReadyRead() {
    if (!isOpen()) return;
    if (port_.bytesAvailable() >= threshold_ && onThreshold) onThreshold();
}

void SerialLinkPort::onPortError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!port_.isOpen() || failed_) return;
    failed_ = true;
    // Closing inside the port's own signal is left to the event loop; until then
    // the repeated reports end at the check above.
    const int session = session_;
    QMetaObject::invokeMethod(
        &port_,
        [this, session] {
            if (session != session_) return;
            ++session_;
            restoreFlags();
            if (port_.isOpen()) port_.close();
            if (onError) onError();
        },
        Qt::QueuedConnection);
}

QtReplyTimer::QtReplyTimer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        if (onTimeout) onTimeout();
    });
}

void QtReplyTimer::start(int milliseconds) {
    timer_.start(milliseconds);
}

void QtReplyTimer::stop() {
    timer_.stop();
}

bool QtReplyTimer::isActive() const {
    return timer_.isActive();
}
