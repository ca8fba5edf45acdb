#include "link/SimRadio.h"

#include <QRegularExpression>

namespace {

const QByteArray kProgram = QByteArrayLiteral("PROGRAM");
constexpr char kAckByte = 0x06;
constexpr int kIdentOffset = 0x0A50;
constexpr int kPasswordOffset = 0x0ABC;
// Identification bytes 7..13: kept by the programming tool, not interpreted.
const QByteArray kIdentTail = QByteArrayLiteral("\x10\x11\x12\x13\x14\x15\x16");

struct Named {
    const char* name;
    int value;
};
constexpr Named kKinds[] = {
    {"silence", int(SimFaultKind::Silence)},
    {"garbage", int(SimFaultKind::Garbage)},
    {"short", int(SimFaultKind::Short)},
    {"extra", int(SimFaultKind::Extra)},
    {"wrong-address", int(SimFaultKind::WrongAddress)},
    {"no-store", int(SimFaultKind::NoStore)},
    {"wrong-model", int(SimFaultKind::WrongModel)},
    {"wrong-band", int(SimFaultKind::WrongBand)},
    {"hang-up", int(SimFaultKind::HangUp)},
};
constexpr Named kPlaces[] = {
    {"handshake", int(SimPlace::Handshake)},
    {"ident", int(SimPlace::Identification)},
    {"ack", int(SimPlace::Ack)},
    {"password", int(SimPlace::Password)},
    {"first", int(SimPlace::First)},
    {"middle", int(SimPlace::Middle)},
    {"last", int(SimPlace::Last)},
    {"end", int(SimPlace::End)},
};

int addressOf(const QByteArray& frame) {
    return static_cast<quint8>(frame[1]) * 256 + static_cast<quint8>(frame[2]);
}

// The first, middle and last block addresses of the transfer a request belongs to.
struct Blocks {
    int first, middle, last;
};
Blocks blocksOf(char command, int length) {
    if (command == 'W') return {0x000, 0x530, 0xA50}; // 166 blocks of 16
    if (length == 64) return {0x000, 0x800, 0xFC0};   // 64 blocks of 64
    return {0xA80, 0xB00, 0xB70};                     // 16 blocks of 16
}

} // namespace

QStringList SimFaultKindNames() {
    QStringList names;
    for (const auto& k : kKinds)
        names.append(QString::fromLatin1(k.name));
    return names;
}

QStringList SimPlaceNames() {
    QStringList names;
    for (const auto& p : kPlaces)
        names.append(QString::fromLatin1(p.name));
    return names;
}

std::optional<SimFault> ParseSimFault(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([a-z-]+)@([a-z]+|0x[0-9a-f]{1,3}|\\d{1,4})(?::(\\d+))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = pattern.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    SimFault fault;
    bool kindFound = false;
    for (const auto& k : kKinds)
        if (m.captured(1).compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            fault.kind = static_cast<SimFaultKind>(k.value);
            kindFound = true;
        }
    if (!kindFound) return std::nullopt;
    const QString where = m.captured(2).toLower();
    bool placeFound = false;
    for (const auto& p : kPlaces)
        if (where == QLatin1String(p.name)) {
            fault.place = static_cast<SimPlace>(p.value);
            placeFound = true;
        }
    if (!placeFound) {
        bool ok = false;
        const int address =
            where.startsWith(QLatin1String("0x")) ? where.mid(2).toInt(&ok, 16) : where.toInt(&ok);
        if (!ok || address < 0 || address >= kImageSize) return std::nullopt;
        fault.place = SimPlace::Address;
        fault.address = address;
    }
    if (!m.captured(3).isEmpty()) {
        fault.remaining = m.captured(3).toInt();
        if (fault.remaining <= 0) return std::nullopt;
    }
    return fault;
}

SimRadio::SimRadio() {
    memory_.fill(0xFF);
    writeIdentification();
    // A filled radio-information area: flags, model, band, a few texts.
    auto put = [this](int offset, const QByteArray& text) {
        std::copy(text.begin(), text.end(), memory_.begin() + offset);
    };
    memory_[0xA80] = 0x00;
    put(0xA81, model_);
    memory_[0xA86] = static_cast<quint8>(band_);
    put(0xA88, QByteArrayLiteral("0086"));
    put(0xA90, QByteArrayLiteral("SIM0000001"));
    put(0xAA0, QByteArrayLiteral("2026-01-15"));
    put(0xAB0, QByteArrayLiteral("B2601"));
    put(0xAD0, QByteArrayLiteral("D-100"));
}

void SimRadio::setMemory(const RadioImage& memory) {
    memory_ = memory;
    QByteArray model;
    for (int i = 0; i < 5; ++i) {
        const auto b = memory_[kIdentOffset + 1 + i];
        if (b == 0x00 || b == 0xFF) break;
        model.append(static_cast<char>(b));
    }
    if (!model.isEmpty()) model_ = model;
    if (memory_[kIdentOffset + 6] <= 2) band_ = memory_[kIdentOffset + 6];
    writeIdentification();
}

void SimRadio::setModel(const QByteArray& model) {
    model_ = model.left(5);
    writeIdentification();
}

void SimRadio::setBand(int band) {
    band_ = band;
    writeIdentification();
}

void SimRadio::setPassword(const QByteArray& password) {
    for (int i = 0; i < 4; ++i)
        memory_[kPasswordOffset + i] =
            i < password.size() ? static_cast<quint8>(password[i]) : quint8(0xFF);
}

QByteArray SimRadio::identification() const {
    QByteArray id;
    id.append('P');
    id.append(model_.leftJustified(5, '\0', true));
    id.append(static_cast<char>(band_));
    id.append(kIdentTail);
    return id;
}

void SimRadio::writeIdentification() {
    const QByteArray id = identification();
    std::copy(id.begin(), id.end(), memory_.begin() + kIdentOffset);
}

QList<SimReply> SimRadio::feed(const QByteArray& bytes) {
    QList<SimReply> replies;
    if (hungUp_) return replies;
    buffer_.append(bytes);
    while (!buffer_.isEmpty() && !hungUp_) {
        const char c = buffer_[0];
        if (c == 'P') {
            const int n = std::min<int>(buffer_.size(), kProgram.size());
            if (buffer_.left(n) != kProgram.left(n)) {
                buffer_.remove(0, 1);
                continue;
            }
            if (n < kProgram.size()) break; // wait for the rest
            const QByteArray frame = buffer_.left(n);
            buffer_.remove(0, n);
            session_ = true;
            wroteInSession_ = false;
            replies.append(answer(Request::Program, frame));
            continue;
        }
        if (!session_) {
            buffer_.remove(0, 1);
            continue;
        }
        int length = 0;
        Request request;
        switch (c) {
        case 0x02:
            request = Request::Identify;
            length = 1;
            break;
        case kAckByte:
            request = Request::Ack;
            length = 1;
            break;
        case 'E':
            request = Request::End;
            length = 1;
            break;
        case 'R':
            request = Request::Read;
            length = 4;
            break;
        case 'W':
            request = Request::Write;
            length = buffer_.size() >= 4 ? 4 + static_cast<quint8>(buffer_[3]) : 4;
            break;
        default:
            buffer_.remove(0, 1);
            continue;
        }
        if (buffer_.size() < length) break;
        if (request == Request::Write && buffer_.size() >= 4 &&
            buffer_.size() < 4 + static_cast<quint8>(buffer_[3]))
            break;
        const QByteArray frame = buffer_.left(length);
        buffer_.remove(0, length);
        replies.append(answer(request, frame));
        if (request == Request::End) {
            session_ = false;
            if (wroteInSession_ && onWriteCompleted) onWriteCompleted();
            wroteInSession_ = false;
        }
    }
    return replies;
}

std::optional<SimFault> SimRadio::faultFor(Request request, const QByteArray& frame) {
    for (SimFault& fault : faults_) {
        if (fault.remaining == 0) continue;
        bool here = false;
        switch (fault.place) {
        case SimPlace::Handshake:
            here = request == Request::Program;
            break;
        case SimPlace::Identification:
            here = request == Request::Identify;
            break;
        case SimPlace::Ack:
            here = request == Request::Ack;
            break;
        case SimPlace::End:
            here = request == Request::End;
            break;
        case SimPlace::Password:
            here = request == Request::Read && addressOf(frame) == 0x0AB0;
            break;
        case SimPlace::First:
        case SimPlace::Middle:
        case SimPlace::Last:
            if (request == Request::Read || request == Request::Write) {
                const Blocks b = blocksOf(frame[0], static_cast<quint8>(frame[3]));
                const int want = fault.place == SimPlace::First    ? b.first
                                 : fault.place == SimPlace::Middle ? b.middle
                                                                   : b.last;
                here = addressOf(frame) == want;
            }
            break;
        case SimPlace::Address:
            here = (request == Request::Read || request == Request::Write) &&
                   addressOf(frame) == fault.address;
            break;
        }
        if (!here) continue;
        if (fault.remaining > 0) --fault.remaining;
        return fault;
    }
    return std::nullopt;
}

SimReply SimRadio::answer(Request request, const QByteArray& frame) {
    SimReply reply;
    reply.frameLength = static_cast<int>(frame.size());
    const std::optional<SimFault> fault = faultFor(request, frame);
    const bool spoiled = fault.has_value();
    const SimFaultKind kind = spoiled ? fault->kind : SimFaultKind::Silence;
    auto is = [&](SimFaultKind k) { return spoiled && kind == k; };

    QByteArray identification = this->identification();
    switch (request) {
    case Request::Program:
    case Request::Ack:
    case Request::End:
        reply.bytes = QByteArray(1, kAckByte);
        break;
    case Request::Identify:
        if (is(SimFaultKind::WrongModel)) identification.replace(1, 5, "XX999");
        if (is(SimFaultKind::WrongBand)) identification[6] = static_cast<char>((band_ + 1) % 3);
        reply.bytes = identification;
        break;
    case Request::Read: {
        const int address = addressOf(frame);
        const int length = static_cast<quint8>(frame[3]);
        reply.bytes = frame;
        reply.bytes[0] = 'W';
        for (int i = 0; i < length; ++i) {
            const int a = address + i;
            reply.bytes.append(a < kImageSize ? static_cast<char>(memory_[a]) : '\xFF');
        }
        if (is(SimFaultKind::WrongAddress)) {
            const int moved = (address + 0x10) & 0xFFFF;
            reply.bytes[1] = static_cast<char>(moved >> 8);
            reply.bytes[2] = static_cast<char>(moved & 0xFF);
        }
        break;
    }
    case Request::Write: {
        if (!is(SimFaultKind::NoStore) && !is(SimFaultKind::HangUp) && !is(SimFaultKind::Silence)) {
            const int address = addressOf(frame);
            for (int i = 4; i < frame.size(); ++i) {
                const int a = address + i - 4;
                if (a < kWritableEnd) memory_[a] = static_cast<quint8>(frame[i]);
            }
            wroteInSession_ = true;
        }
        reply.bytes = QByteArray(1, kAckByte);
        break;
    }
    }

    if (!spoiled) return reply;
    switch (kind) {
    case SimFaultKind::Silence:
        reply.bytes.clear();
        break;
    case SimFaultKind::Garbage:
        reply.bytes.fill('?');
        break;
    case SimFaultKind::Short:
        reply.bytes.chop(1);
        break;
    case SimFaultKind::Extra:
        reply.bytes.append("\x55\xAA", 2);
        break;
    case SimFaultKind::HangUp:
        reply.bytes.clear();
        reply.hangUp = true;
        hungUp_ = true;
        session_ = false;
        break;
    default:
        break;
    }
    return reply;
}
