#include "link/LinkTransfer.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "link/CableInfo.h"
#include "link/ImageConversion.h"
#include "link/ModelCheck.h"
#include "link/Password.h"
#include "link/PortDiagnosis.h"
#include "link/Ports.h"
#include "link/RadioInfoImage.h"
#include "link/LinkModal.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

const QByteArray kProgram = QByteArrayLiteral("PROGRAM");

quint8 byteAt(const QByteArray& bytes, int i) {
    return static_cast<quint8>(bytes[i]);
}

struct Plan {
    int blockSize;
    int firstBlock;
    int endAddress;
};

Plan planOf(int operation) {
    switch (operation) {
    case 1:
        return {64, 0x0000, 0x1000};
    case 2:
        return {16, 0x0000, 0x0A60};
    case 3:
        return {16, 0x0A80, 0x0B80};
    default:
        return {0, 0, 0};
    }
}

} // namespace

RadioLink::RadioLink(std::unique_ptr<LinkPort> port, std::unique_ptr<ReplyTimer> timer)
    : port_(std::move(port)), timer_(std::move(timer)) {
    port_->onThreshold = [this] { onReceive(); };
    port_->onError = [this] { onPortError(); };
    timer_->onTimeout = [this] { OnReplyTimeout(); };
}

RadioLink::~RadioLink() {
    port_->onThreshold = nullptr;
    port_->onError = nullptr;
    timer_->onTimeout = nullptr;
    timer_->stop();
    if (port_->isOpen()) port_->close();
}

int16 RadioLink::step() const {
    return t_.operation == 2 ? t_.writeStep : t_.readStep;
}

void RadioLink::setStep(int16 step) {
    if (t_.operation == 2)
        t_.writeStep = step;
    else
        t_.readStep = step;
}

int RadioLink::firstBlock() const {
    return planOf(t_.operation).firstBlock;
}

QString RadioLink::device() const {
    return device_.isEmpty() ? PortDevice(app().comPort) : device_;
}

bool RadioLink::OpenLink() {
    const Plan plan = planOf(t_.operation);
    t_.blockSize = static_cast<int16>(plan.blockSize);
    t_.endAddress = plan.endAddress;
    if (ownImage_ && t_.operation == 1) t_.endAddress = imageEnd_;
    t_.address = plan.firstBlock - plan.blockSize;
    t_.lastPercent = 0;
    t_.receiving = false;
    // An identification from an earlier transfer (perhaps another radio) must
    // never pass this one's model check.
    t_.radioModel.clear();
    t_.radioBand = -1;
    t_.stepRetries = 0;
    pendingError_ = false;
    resetLine();
    echo_ = Echo::Unknown;
    heardRadio_ = false;
    if (port_->isOpen()) port_->close();
    if (reopenPort()) return true;
    if (ui_) {
        ModalScope modal(modalDepth_);
        ui_->showMessage(cannotOpenText(), MsgIcon::Error);
    }
    return false;
}

// "Cannot Open Communication Port." and, on a second line, why.
QString RadioLink::cannotOpenText() const {
    const QString reason = device().isEmpty()
                               ? PortProblemText(DiagnosePortFailure({}, QSerialPort::NoError, {}))
                               : port_->openFailure();
    const QString message = MessageText(Msg::CannotOpenPort);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

bool RadioLink::reopenPort() {
    const QString path = device();
    if (path.isEmpty() || !port_->open(path)) return false;
    port_->setThreshold(1);
    return true;
}

void RadioLink::send(const QByteArray& frame, int expectedLength, bool dataReply) {
    // Bytes still waiting after an accepted reply belong to no frame: that reply
    // was not clean, and its step is repeated instead of this frame sent.
    if (accepted_ && !port_->readAll().isEmpty()) {
        replyNotClean();
        return;
    }
    // A step reached for the first time has the whole retry budget.
    if (const int key = progressKey(); key > furthest_) {
        furthest_ = key;
        retriesLeft_ = stepRetries_;
    }
    previous_ = current_;
    current_ = {true, t_, frame, expectedLength, dataReply, copies_, repeatBlock_};
    transmit(frame, expectedLength);
}

void RadioLink::transmit(const QByteArray& frame, int expectedLength) {
    timer_->start(kReplyTimeoutMs);
    t_.badReply = false;
    t_.expectedLength = static_cast<int16>(expectedLength);
    accepted_ = false;
    settling_ = false;
    rx_.clear();
    // An echoing cable (or one not known yet, at the handshake) returns the frame first.
    pendingEcho_ = echo_ == Echo::None ? QByteArray() : frame;
    port_->clear();
    rearmThreshold();
    port_->write(frame);
}

void RadioLink::sendProgram() {
    t_.receiving = true;
    if (t_.operation == 2) {
        t_.writeStep = 1;
        t_.readStep = 0;
    } else {
        t_.readStep = 1;
    }
    // A new handshake has no exchange before it to go back to.
    current_ = {};
    accepted_ = false;
    send(kProgram, 1);
}

void RadioLink::sendAck() {
    send(QByteArray(1, static_cast<char>(kAck)), 1);
}

void RadioLink::StartHandshake() {
    t_.handshakeTries = 0;
    sendProgram();
}

void RadioLink::RequestNextBlock() {
    t_.address = nextBlockAddress();
    if (t_.address >= t_.endAddress) {
        FinishTransfer();
        return;
    }
    QByteArray frame;
    frame.append('R');
    frame.append(static_cast<char>((t_.address >> 8) & 0xFF));
    frame.append(static_cast<char>(t_.address & 0xFF));
    frame.append(static_cast<char>(t_.blockSize));
    send(frame, t_.blockSize + 4, true);
}

void RadioLink::SendNextBlock() {
    t_.address += t_.blockSize;
    if (t_.address >= t_.endAddress) {
        FinishTransfer();
        return;
    }
    updateProgress();
    QByteArray frame;
    frame.append('W');
    frame.append(static_cast<char>((t_.address >> 8) & 0xFF));
    frame.append(static_cast<char>(t_.address & 0xFF));
    frame.append(static_cast<char>(t_.blockSize));
    frame.append(reinterpret_cast<const char*>(transferImage().data()) + t_.address, t_.blockSize);
    send(frame, 1);
}

void RadioLink::RequestPasswordBlock() {
    QByteArray frame;
    frame.append('R');
    frame.append(static_cast<char>(kPasswordBlockAddress >> 8));
    frame.append(static_cast<char>(kPasswordBlockAddress & 0xFF));
    frame.append(static_cast<char>(t_.blockSize));
    send(frame, t_.blockSize + 4, true);
}

void RadioLink::FinishTransfer() {
    setStep(69);
    send(QByteArrayLiteral("E"), 1);
}

void RadioLink::updateProgress() {
    // Nearest integer, halves to even (the default rounding mode).
    const double exact = static_cast<double>(t_.address) * 100.0 / t_.endAddress;
    const int percent = static_cast<int>(std::nearbyint(exact));
    if (percent - t_.lastPercent >= 1) {
        t_.lastPercent = static_cast<int16>(percent);
        if (ui_) ui_->progressValue(percent);
    }
}

void RadioLink::storeIdentification(const QByteArray& reply) {
    t_.radioModel = RadioModelOf(reply);
    t_.radioBand = byteAt(reply, 6);
    // A read into an image holds exactly the radio's memory it read.
    if (ownImage_ && t_.operation == 1) return;
    for (int i = 0; i < kIdentificationLength; ++i)
        if (i != 6) transferImage()[kIdentificationOffset + i] = byteAt(reply, i);
}

void RadioLink::handlePasswordBlock(const QByteArray& reply) {
    QString& held = password_ ? *password_ : app().heldPassword;
    if (PasswordMatches(reply, held)) {
        AdvanceTransfer();
        return;
    }
    timer_->stop();
    std::optional<QString> typed;
    if (ui_) {
        ModalScope modal(modalDepth_);
        typed = ui_->askPassword(held);
    }
    if (t_.operation == 0) return;
    pendingError_ = false; // a restart reopens the port
    if (typed) held = TrimPasswordEntry(*typed);
    if (PasswordMatches(reply, held)) {
        AskRetry(false);
        return;
    }
    if (ui_) {
        ModalScope modal(modalDepth_);
        ui_->showMessage(QStringLiteral("PassWord Failure!"), MsgIcon::None);
    }
    EndTransfer(false);
}

void RadioLink::AdvanceTransfer() {
    timer_->stop();
    const int s = step();
    if (t_.operation >= 1 && t_.operation <= 3) {
        // Steps every operation shares: the identification request after the
        // acknowledged handshake, and the end after "E".
        if (s == 1) {
            setStep(2);
            send(QByteArray(1, '\x02'), kIdentificationLength, true);
            return;
        }
        if (s == 69) {
            EndTransfer(true);
            return;
        }
    }
    switch (t_.operation) {
    case 1:
    case 2: {
        const bool read = t_.operation == 1;
        switch (s) {
        case 2:
            setStep(31);
            sendAck();
            return;
        case 31:
            setStep(32);
            RequestPasswordBlock();
            return;
        case 32:
            setStep(3);
            sendAck();
            return;
        case 3: {
            // A step repeated after the check passed does not ask again.
            bool passed = !checkModel_ || (!passedModel_.isEmpty() &&
                                           t_.radioModel == passedModel_ &&
                                           t_.radioBand == passedBand_);
            if (!passed) {
                ModalScope modal(modalDepth_);
                passed = ui_ ? ui_->checkModelAndBand(t_.radioModel, t_.radioBand)
                             : CheckModelAndBand(t_.radioModel, t_.radioBand);
            }
            if (t_.operation == 0 || handlePendingError()) return;
            if (!passed) {
                EndTransfer(false);
                return;
            }
            passedModel_ = t_.radioModel;
            passedBand_ = t_.radioBand;
            setStep(4);
            if (read)
                RequestNextBlock();
            else
                SendNextBlock();
            return;
        }
        case 4:
            if (read) {
                setStep(5);
                sendAck();
            } else {
                SendNextBlock();
            }
            return;
        case 5:
            if (read) {
                setStep(4);
                // A checked read whose reads of the block do not agree yet reads it again.
                if (repeatBlock_) t_.address -= t_.blockSize;
                repeatBlock_ = false;
                RequestNextBlock();
                return;
            }
            break;
        default:
            break;
        }
        EndTransfer(false);
        return;
    }
    case 3:
        switch (s) {
        case 2:
            setStep(3);
            sendAck();
            return;
        case 3:
        case 5:
            setStep(4);
            RequestNextBlock();
            return;
        case 4:
            setStep(5);
            sendAck();
            return;
        default:
            EndTransfer(false);
            return;
        }
    default:
        EndTransfer(false);
    }
}

void RadioLink::OnReplyTimeout() {
    if (t_.operation == 0 || ending_) return;
    // Bytes that came but never made a whole reply (a reply cut short): a bad reply.
    if (!port_->readAll().isEmpty() || !rx_.isEmpty()) t_.badReply = true;
    const int s = step();
    if (s == 69) {
        EndTransfer(true); // a missing ACK after "E" is no error
        return;
    }
    if (s == 1) {
        t_.handshakeTries += 1;
        if (t_.handshakeTries < kHandshakeTries) {
            sendProgram();
        } else if (retryStep()) {
        } else if (t_.operation == 3) {
            connectionFailure();
        } else {
            AskRetry(true);
        }
        return;
    }
    if (retryStep()) return;
    if (t_.operation == 3) {
        connectionFailure();
        return;
    }
    switch (s) {
    case 2:
    case 3:
        // A reply that came but could not be trusted is no reply to go on with.
        if (t_.badReply)
            AskRetry(true);
        else
            AdvanceTransfer();
        return;
    case 31:
    case 32:
    case 4:
        AskRetry(true);
        return;
    case 5:
        if (t_.operation == 1) {
            AskRetry(true);
            return;
        }
        break;
    default:
        break;
    }
    EndTransfer(false);
}

void RadioLink::AskRetry(bool ask) {
    timer_->stop();
    t_.receiving = false;
    bool retry = true;
    if (ask) {
        ModalScope modal(modalDepth_);
        retry = ui_ ? ui_->askRetry(MessageText(Msg::CheckConnection)) : false;
    }
    if (t_.operation == 0) return;
    pendingError_ = false;
    if (!retry) {
        EndTransfer(false);
        return;
    }
    if (!port_->isOpen() && !reopenPort()) {
        if (ui_) {
            ModalScope modal(modalDepth_);
            ui_->showMessage(cannotOpenText(), MsgIcon::Error);
        }
        EndTransfer(false);
        return;
    }
    // The whole transfer starts again: every step has its retries again.
    t_.address = firstBlock() - t_.blockSize;
    resetLine();
    StartHandshake();
    if (ui_) ui_->progressReset();
    t_.lastPercent = 0;
}

void RadioLink::connectionFailure() {
    timer_->stop();
    t_.receiving = false;
    if (ui_) {
        ModalScope modal(modalDepth_);
        ui_->showMessage(MessageText(Msg::CheckConnection), MsgIcon::Warning);
    }
    EndTransfer(false);
}

void RadioLink::onPortError() {
    if (t_.operation == 0 || ending_) return;
    if (modalDepth_ > 0) {
        pendingError_ = true;
        return;
    }
    timer_->stop();
    // After "E" every block was exchanged; the ACK to "E" is optional.
    if (step() == 69) {
        EndTransfer(true);
        return;
    }
    if (t_.operation == 3)
        connectionFailure();
    else
        AskRetry(true);
}

bool RadioLink::handlePendingError() {
    if (!pendingError_) return false;
    pendingError_ = false;
    onPortError();
    return true;
}

void RadioLink::EndTransfer(bool success) {
    if (t_.operation == 0 || ending_) return;
    ending_ = true;
    const int operation = t_.operation;
    // Image transfers leave the document and the completion message to their caller.
    const bool ownImage = ownImage_;
    timer_->stop();
    t_.receiving = false;
    // What the handshake found out of the cable, for the COM port window.
    if (echo_ != Echo::Unknown) NoteCableEcho(device(), echo_ == Echo::Echoing);
    if (port_->isOpen()) port_->close();
    t_.handshakeTries = 0;
    if ((operation == 1 || operation == 2) && ui_) ui_->progressClosed();
    if (success) {
        if (operation == 1 && !ownImage) afterRead();
        if (operation == 3) afterRadioInfo();
        if ((operation == 1 || operation == 2) && ui_ && !ownImage) {
            ModalScope modal(modalDepth_);
            ui_->showMessage(MessageText(operation == 1 ? Msg::ReadCompleted : Msg::WriteCompleted),
                             MsgIcon::None);
        }
    }
    timer_->stop();
    t_.operation = 0;
    t_.readStep = 0;
    t_.writeStep = 0;
    pendingError_ = false;
    ownImage_ = false;
    checkModel_ = true;
    checked_ = false;
    blockList_.clear();
    ending_ = false;
    LinkUi* ui = ui_;
    ui_ = nullptr;
    if (ui) ui->transferEnded(static_cast<LinkOperation>(operation), success);
}

