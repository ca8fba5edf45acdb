#include "link/Password.h"

#include "core/Ansi.h"
#include "core/AppState.h"

namespace {
QString trimRight(QString text) {
    const auto nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}
} // namespace

bool IsPasswordBlock(const QByteArray& reply) {
    if (reply.size() < 20 || static_cast<quint8>(reply[0]) != 0x57) return false;
    const int address = static_cast<quint8>(reply[1]) * 256 + static_cast<quint8>(reply[2]);
    return address == kPasswordBlockAddress && reply.size() == static_cast<quint8>(reply[3]) + 4;
}

QString RadioPasswordOf(const QByteArray& reply) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4 && 16 + i < reply.size(); ++i) {
        const auto b = static_cast<quint8>(reply[16 + i]);
        if (b == 0x00 || b == 0xFF) break;
        bytes[i] = static_cast<char>(b);
    }
    return trimRight(FromAnsi(bytes));
}

bool PasswordMatches(const QByteArray& reply, const QString& heldPassword) {
    const QString radio = RadioPasswordOf(reply);
    return radio.isEmpty() || radio == heldPassword;
}

bool PasswordMatches(const QByteArray& reply) {
    return PasswordMatches(reply, app().heldPassword);
}

QString TrimPasswordEntry(const QString& typed) {
    return trimRight(typed);
}
