#pragma once
// The link's port on a real serial device (QSerialPort) and its reply timer
// (QTimer), both on the user-interface thread.
//
// readyRead arrives in small pieces, so every readyRead compares the bytes
// waiting with the threshold and notifies once it is reached. A device whose far
// end hangs up makes Qt report a read error over and over while the port stays
// open: the first error closes the port and is reported once. Pseudo-terminals
// are opened by path; the modem lines are never touched. An open port asks the
// driver for low latency (LowLatency.h) and puts its flags back at close.

#include "link/LinkPort.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <optional>

class SerialLinkPort : public LinkPort {
  public:
    SerialLinkPort();
    ~SerialLinkPort() override;

    bool open(const QString& device) override;
    QString openFailure() const override { return openFailure_; }
    void close() override;
    bool isOpen() const override;
    void clear() override;
    void write(const QByteArray& bytes) override;
    void setThreshold(int bytes) override;
    QByteArray readAll() override;

  private:
    void onReadyRead();
    void onPortError(QSerialPort::SerialPortError error);
    void restoreFlags();

    QSerialPort port_;
    int threshold_ = 1;
    QString openFailure_;
    bool failed_ = false;
    std::optional<int> savedFlags_; // the driver's flags before low latency
    // Distinguishes the port's sessions, so a queued error report of a closed
    // session never reaches the next one.
    int session_ = 0;
};

class QtReplyTimer : public ReplyTimer {
  public:
    QtReplyTimer();
    void start(int milliseconds) override;
    void stop() override;
    bool isActive() const override;

  private:
    QTimer timer_;
};
