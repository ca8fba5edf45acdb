// What the link does with the bytes that come back: the echo of an echoing
// cable taken off, the reply classified, and a reply that was not clean (stray
// bytes, a garbled frame) never trusted: its step is repeated.
#include "link/LinkTransfer.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "link/ModelCheck.h"
#include "link/Password.h"

#include <algorithm>

namespace {

quint8 byteAt(const QByteArray& bytes, int i) {
    return static_cast<quint8>(bytes[i]);
}

// The order of the steps of a transfer, so that a step reached for the first
// time can be told from one repeated.
int openingRank(int step) {
    switch (step) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 31:
        return 3;
    case 32:
        return 4;
    case 3:
        return 5;
    default:
        return 0;
    }
}

} // namespace

void RadioLink::resetLine() {
    furthest_ = 0;
    retriesLeft_ = stepRetries_;
    rx_.clear();
    pendingEcho_.clear();
    settling_ = false;
    accepted_ = false;
    current_ = {};
    previous_ = {};
    copies_.clear();
    repeatBlock_ = false;
    doubtedIdent_.clear();
    passedModel_.clear();
    passedBand_ = -1;
}

int RadioLink::progressKey() const {
    const int s = step();
    if (s == 69) return 1 << 30;
    if (s != 4 && s != 5) return openingRank(s);
    const int blocks = t_.blockSize > 0 ? (t_.address + t_.blockSize) / t_.blockSize : 0;
    return 10 + blocks * 2 + (s == 5 ? 1 : 0);
}

int RadioLink::nextBlockAddress() const {
    if (blockList_.isEmpty()) return t_.address + t_.blockSize;
    for (const int address : blockList_)
        if (address > t_.address) return address;
    return t_.endAddress;
}

// The port notifies once the rest of the echo and of the reply can be there
// (at the handshake, before the echo is known, as soon as the reply can be).
void RadioLink::rearmThreshold() {
    const auto echo = echo_ == Echo::Unknown && rx_.isEmpty() ? 0 : pendingEcho_.size();
    const auto needed = echo + t_.expectedLength - rx_.size();
    port_->setThreshold(static_cast<int>(std::max<qsizetype>(needed, 1)));
}

// Takes the echo of the frame last sent off the front of what came. False while
// it has not all come yet, or when what came is not the echo (then the reply
// was not clean). At the handshake it finds out whether the cable echoes.
bool RadioLink::takeEcho() {
    if (echo_ == Echo::None || pendingEcho_.isEmpty()) return true;
    const auto n = std::min(rx_.size(), pendingEcho_.size());
    if (rx_.left(n) != pendingEcho_.left(n)) {
        if (echo_ == Echo::Unknown) {
            echo_ = Echo::None; // the radio's own reply: no echo
            pendingEcho_.clear();
            return true;
        }
        replyNotClean();
        return false;
    }
    rx_.remove(0, n);
    pendingEcho_.remove(0, n);
    if (!pendingEcho_.isEmpty()) return false;
    echo_ = Echo::Echoing;
    return true;
}

void RadioLink::onReceive() {
    if (!t_.receiving || t_.operation == 0 || modalDepth_ > 0 || ending_) return;
    const QByteArray received = port_->readAll();
    // After a reply that was not clean, nothing is taken until the line is quiet
    // and the step is repeated (the reply timer).
    if (received.isEmpty() || settling_) return;
    rx_ += received;
    if (!takeEcho()) {
        if (!settling_) rearmThreshold();
        return;
    }
    if (rx_.isEmpty()) {
        rearmThreshold();
        return;
    }
    heardRadio_ = true;
    // Until a reply moves the transfer on (and the next frame clears it), what
    // came counts as a bad reply.
    t_.badReply = true;
    // Fewer bytes than awaited: wait for the rest; the reply timer decides.
    if (rx_.size() < t_.expectedLength) {
        rearmThreshold();
        return;
    }
    // More than awaited: a stray byte is in the reply, which is not trusted.
    if (rx_.size() > t_.expectedLength) {
        replyNotClean();
        return;
    }
    const QByteArray reply = rx_;
    rx_.clear();
    classify(reply);
}

void RadioLink::classify(const QByteArray& reply) {
    const int size = static_cast<int>(reply.size());
    accepted_ = true;
    if (size == 1 && byteAt(reply, 0) == kAck) {
        AdvanceTransfer();
        return;
    }
    if (size == kIdentificationLength && byteAt(reply, 0) == 0x50) {
        if (identificationNeedsConfirming(reply)) return;
        if (t_.operation == 1 || t_.operation == 2) storeIdentification(reply);
        AdvanceTransfer();
        return;
    }
    if (IsPasswordBlock(reply) &&
        ((t_.operation == 1 && t_.readStep == 32) || (t_.operation == 2 && t_.writeStep == 32) ||
         t_.operation == 3)) {
        handlePasswordBlock(reply);
        return;
    }
    if (size >= 4 && byteAt(reply, 0) == 0x57) {
        const int address = byteAt(reply, 1) * 256 + byteAt(reply, 2);
        const int length = byteAt(reply, 3);
        if (address == t_.address && length == t_.blockSize && size == length + 4 &&
            address + length <= kImageSize) {
            const QByteArray data = reply.mid(4);
            if (checked_ && !checkedBlockAgrees(data)) return;
            std::copy(data.begin(), data.end(), transferImage().begin() + address);
            if (t_.operation == 1 || t_.operation == 2) updateProgress();
            AdvanceTransfer();
            return;
        }
    }
    // A reply that matches nothing is a bad reply.
    accepted_ = false;
    replyNotClean();
}

// A well-formed identification of another model or band than the program's is
// read once more while the step may be repeated: only one that comes twice is
// the radio's (a bit spoilt on the line would otherwise fail the model check).
bool RadioLink::identificationNeedsConfirming(const QByteArray& reply) {
    if (stepRetries_ == 0 || !checkModel_ || t_.operation == 3) return false;
    const bool same = RadioModelOf(reply) == app().currentModel.trimmed() &&
                      byteAt(reply, 6) == BandIndexOf(app().bandText);
    if (same || reply == doubtedIdent_) return false;
    doubtedIdent_ = reply;
    if (retriesLeft_ <= 0) return false;
    --retriesLeft_;
    ++t_.stepRetries;
    accepted_ = false;
    transmit(current_.frame, current_.expectedLength);
    return true;
}

// A checked read keeps a block once two of its reads agree; until then the
// block is read again (after its ACK), at most kCheckedReadTries times.
bool RadioLink::checkedBlockAgrees(const QByteArray& data) {
    const bool agrees = copies_.contains(data);
    copies_.append(data);
    if (agrees) {
        copies_.clear();
        repeatBlock_ = false;
        return true;
    }
    if (copies_.size() >= kCheckedReadTries) {
        copies_.clear();
        accepted_ = false;
        timer_->stop();
        t_.badReply = true;
        AskRetry(true);
        return false;
    }
    // Acknowledged like any block; the ACK's step then asks for it again.
    std::copy(data.begin(), data.end(), transferImage().begin() + t_.address);
    repeatBlock_ = true;
    AdvanceTransfer();
    return false;
}

// The reply to the last frame (or, when that carried no data, the data reply
// before it, whose tail may be what spoilt this one) is not trusted: the state
// goes back to where that frame was sent, nothing more is taken until the line
// has been quiet for the reply time, and then the step is repeated.
void RadioLink::replyNotClean() {
    const Exchange& back =
        !current_.dataReply && previous_.valid && previous_.dataReply ? previous_ : current_;
    if (back.valid) {
        const int16 percent = t_.lastPercent;
        const int16 retries = t_.stepRetries;
        t_ = back.state;
        t_.lastPercent = percent;
        t_.stepRetries = retries;
        copies_ = back.copies;
        repeatBlock_ = back.repeatBlock;
        current_ = back;
        previous_ = {};
    }
    t_.badReply = true;
    t_.receiving = true;
    settling_ = true;
    accepted_ = false;
    rx_.clear();
    pendingEcho_.clear();
    timer_->start(kReplyTimeoutMs);
}

// Repeats the step of the last frame when retries are left; false otherwise.
bool RadioLink::retryStep() {
    if (retriesLeft_ <= 0 || !current_.valid) return false;
    --retriesLeft_;
    ++t_.stepRetries;
    const int16 percent = t_.lastPercent;
    const int16 retries = t_.stepRetries;
    const int16 tries = t_.handshakeTries;
    t_ = current_.state;
    t_.lastPercent = percent;
    t_.stepRetries = retries;
    t_.handshakeTries = tries;
    copies_ = current_.copies;
    repeatBlock_ = current_.repeatBlock;
    transmit(current_.frame, current_.expectedLength);
    return true;
}
