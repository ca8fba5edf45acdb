#pragma once
// What the transfer needs of a serial port and of its reply timer. The program
// uses the QSerialPort and QTimer versions (SerialLinkPort.h); tests use an
// in-process radio and a fake clock.

#include <QByteArray>
#include <QString>
#include <functional>

class LinkPort {
  public:
    virtual ~LinkPort() = default;
    // Opens the device at 9600 baud, 8 data bits, no parity, 2 stop bits, no flow control.
    virtual bool open(const QString& device) = 0;
    // Why the last open failed and what to do, in the current language; empty
    // when the port cannot tell.
    virtual QString openFailure() const { return {}; }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Discards everything received and everything not yet sent.
    virtual void clear() = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // onThreshold is called when at least this many bytes are waiting.
    virtual void setThreshold(int bytes) = 0;
    virtual QByteArray readAll() = 0;

    std::function<void()> onThreshold;
    // The port failed (hang-up, device gone). Called once; the port is closed by then.
    std::function<void()> onError;
};

// A one-shot timer: onTimeout once, start() after each expiry.
class ReplyTimer {
  public:
    virtual ~ReplyTimer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    std::function<void()> onTimeout;
};
