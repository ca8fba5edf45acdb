#include "core/Ansi.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Windows-1252 bytes 0x80..0x9F; the five undefined positions map to the
// C1 control of the same value so every byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

QByteArray EncodeCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kCp1252High[i] == u) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.append(mapped);
    }
    return out;
}
} // namespace

bool SystemLocaleIsChinese() {
    return QLocale::system().name() == QLatin1String("zh_CN");
}

QString FromCodePage(const QByteArray& bytes, bool gbk) {
    if (gbk) {
        QStringDecoder decoder("GBK");
        if (decoder.isValid()) return decoder.decode(bytes);
        return QString::fromLocal8Bit(bytes);
    }
    return DecodeCp1252(bytes);
}

QByteArray ToCodePage(const QString& text, bool gbk) {
    if (gbk) {
        QStringEncoder encoder("GBK");
        if (encoder.isValid()) return encoder.encode(text);
        return text.toLocal8Bit();
    }
    return EncodeCp1252(text);
}

QString FromAnsi(const QByteArray& bytes) {
    return FromCodePage(bytes, SystemLocaleIsChinese());
}

QByteArray ToAnsi(const QString& text) {
    return ToCodePage(text, SystemLocaleIsChinese());
}
