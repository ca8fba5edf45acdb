#pragma once
// A simulated radio: bytes in, bytes out. It answers "PROGRAM" with ACK, 0x02
// with its 14-byte identification, read requests with data blocks, write
// requests with ACK after storing (never above 0xA5F), "E" with ACK. Its
// password area is never changed. Faults can be injected at chosen replies.
// Used in-process by tests and on a pseudo-terminal by zr580-radiosim.

#include "core/Document.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class SimFaultKind {
    Silence,      // no reply
    Garbage,      // a reply of the same length that matches nothing
    Short,        // the reply without its last byte
    Extra,        // the reply followed by two more bytes
    WrongAddress, // a data block with another address
    NoStore,      // a write acknowledged but not stored
    WrongModel,   // an identification with another model
    WrongBand,    // an identification with another band
    HangUp,       // the line is closed instead of replying
};

enum class SimPlace {
    Handshake,      // the reply to "PROGRAM"
    Identification, // the reply to 0x02
    Ack,            // the reply to an ACK
    Password,       // the reply to a read request at 0xAB0
    First,          // the first, middle and last block of a read, write or
    Middle,         // radio-information read
    Last,
    End,     // the reply to "E"
    Address, // the reply to a read or write request at a given address
};

struct SimFault {
    SimFaultKind kind = SimFaultKind::Silence;
    SimPlace place = SimPlace::Handshake;
    int address = -1;   // for SimPlace::Address
    int remaining = -1; // occurrences still to spoil; -1 = every one
};

// "KIND@WHERE[:COUNT]", e.g. "silence@handshake", "garbage@middle:1",
// "wrong-address@0x400". Nothing for a text that names no fault.
std::optional<SimFault> ParseSimFault(const QString& text);
QStringList SimFaultKindNames();
QStringList SimPlaceNames();

struct SimReply {
    QByteArray bytes;
    int frameLength = 0; // length of the request it answers
    bool hangUp = false;
};

constexpr int kWritableEnd = 0x0A60;

class SimRadio {
  public:
    // An erased radio (0xFF) of model "VM427", band 2, without password, with its
    // identification at 0xA50..0xA5D and a filled radio-information area.
    SimRadio();

    RadioImage& memory() { return memory_; }
    const RadioImage& memory() const { return memory_; }
    // Takes a 4096-byte memory; model and band come from its bytes 0xA51..0xA56
    // unless set afterwards.
    void setMemory(const RadioImage& memory);
    void setModel(const QByteArray& model);
    void setBand(int band);
    // Up to four characters at 0xABC..0xABF; empty means no password.
    void setPassword(const QByteArray& password);
    void addFault(const SimFault& fault) { faults_.append(fault); }
    QByteArray identification() const;

    // Takes received bytes, returns the replies to every complete request in them.
    QList<SimReply> feed(const QByteArray& bytes);
    bool hungUp() const { return hungUp_; }
    // Forgets a frame received only in part: after the line was quiet, the radio
    // waits for a new frame.
    void dropPartialFrame() { buffer_.clear(); }
    // Called after "E" that ends a session in which blocks were written.
    std::function<void()> onWriteCompleted;

  private:
    enum class Request { Program, Identify, Ack, Read, Write, End };
    SimReply answer(Request request, const QByteArray& frame);
    std::optional<SimFault> faultFor(Request request, const QByteArray& frame);
    void writeIdentification();

    RadioImage memory_{};
    QByteArray model_ = QByteArrayLiteral("VM427");
    int band_ = 2;
    QByteArray buffer_;
    QList<SimFault> faults_;
    bool session_ = false;
    bool wroteInSession_ = false;
    bool hungUp_ = false;
};
