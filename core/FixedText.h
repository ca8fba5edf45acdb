#pragma once
// A fixed-length text of the document record, kept as its bytes so a data file
// loads and saves byte for byte. A NUL inside the text ends its value for every
// consumer; assigning a shorter value fills the rest with blanks.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>

template <std::size_t N> struct FixedText {
    std::array<char, N> bytes{};

    FixedText() { bytes.fill(' '); }

    static constexpr std::size_t size() { return N; }

    // Stores the bytes, cut to N and blank-filled on the right.
    void assign(const QByteArray& value) {
        assignEach(value.size(), [&](qsizetype i) { return value[i]; });
    }
    // assign(value.toLatin1()) without making that array: a character beyond
    // Latin-1 is stored as "?".
    void assignLatin1(QStringView value) {
        assignEach(value.size(), [&](qsizetype i) {
            const char16_t c = value[i].unicode();
            return c > 0xFF ? '?' : static_cast<char>(c);
        });
    }

    // Stores the value followed by a NUL (when it is shorter than N), blank-filled.
    void assignTerminated(const QByteArray& value) {
        if (static_cast<std::size_t>(value.size()) >= N) {
            assign(value);
        } else {
            QByteArray v = value;
            v.append('\0');
            assign(v);
        }
    }

    // All N bytes as held.
    QByteArray raw() const { return QByteArray(bytes.data(), static_cast<qsizetype>(N)); }
    // All N bytes as Latin-1 text (QString::fromLatin1(raw()) without the array).
    QString text() const { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(N)); }

    // The value: the bytes up to the first NUL (blank padding kept).
    QByteArray value() const {
        std::size_t n = 0;
        while (n < N && bytes[n] != '\0')
            ++n;
        return QByteArray(bytes.data(), static_cast<qsizetype>(n));
    }

    // The value without trailing blanks.
    QByteArray trimmedValue() const {
        QByteArray v = value();
        while (!v.isEmpty() && v.back() == ' ')
            v.chop(1);
        return v;
    }

    bool operator==(const FixedText& other) const = default;

  private:
    template <class ByteAt> void assignEach(qsizetype count, ByteAt byteAt) {
        bytes.fill(' ');
        const auto n = std::min<std::size_t>(N, static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = byteAt(static_cast<qsizetype>(i));
    }
};
