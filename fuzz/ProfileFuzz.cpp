// The profile-file reader and writer (language files, mysetup.ini) on a file of
// any bytes. The input is: a section name, a key and a value (each a length byte
// and that many bytes, made printable), then the file.
//
// Checked: reading never fails; a key the section does not list reads as the
// default; a key written reads back as written and is listed once among its
// section's keys; the other keys of that section keep their values; a removed
// key reads as the default.
#include "FuzzSupport.h"

#include "core/ProfileFile.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <cctype>

namespace {
// Section and key names of letters and digits; values of printable characters.
QString NamePart(FuzzInput& input) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray raw = input.take(std::max(1, input.byte() % 13));
    QString name;
    for (const char c : raw)
        name.append(QLatin1Char(std::isalnum(static_cast<unsigned char>(c))
                                    ? c
                                    : kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)]));
    return name.isEmpty() ? QStringLiteral("A") : name;
}

QString ValuePart(FuzzInput& input) {
    const QByteArray raw = input.take(input.byte() % 40);
    QString value;
    for (const char c : raw)
        value.append(QLatin1Char(static_cast<char>(0x20 + static_cast<unsigned char>(c) % 95)));
    return value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const QString section = NamePart(input);
    const QString key = NamePart(input);
    const QString value = ValuePart(input);
    const QString path = QDir(FuzzFolder()).filePath(QStringLiteral("profile.ini"));
    WriteFuzzFile(path, input.rest());
    const ProfileFile profile(path);

    // The file before the write, and after it: each one reading of the file,
    // answering every lookup of it exactly as a read of the file then does.
    const ProfileReading before = profile.reading();
    const QStringList keysBefore = before.keys(section);
    const QString missing = QStringLiteral("\x01missing");
    // A key the section does not list reads as the default (the file's bytes
    // may well spell this one too).
    if (const QString absent = key + QStringLiteral("\x02");
        !keysBefore.contains(absent, Qt::CaseInsensitive))
        FUZZ_CHECK(profile.read(section, absent, missing) == missing);

    FUZZ_CHECK(profile.write(section, key, value));
    FUZZ_CHECK(profile.read(section, key, missing) == value.trimmed());
    const ProfileReading after = profile.reading();
    const QStringList keysAfter = after.keys(section);
    FUZZ_CHECK(keysAfter.size() == keysBefore.size() + (keysBefore.contains(key, Qt::CaseInsensitive) ? 0 : 1));
    QSet<QString> checked; // a key listed twice reads its first entry's value
    for (const QString& k : keysBefore)
        if (k.compare(key, Qt::CaseInsensitive) != 0 && !checked.contains(k)) {
            checked.insert(k);
            FUZZ_CHECK(after.read(section, k, QStringLiteral("\x01")) ==
                       before.read(section, k, QStringLiteral("\x01")));
        }

    FUZZ_CHECK(profile.remove(section, key));
    if (!keysBefore.contains(key, Qt::CaseInsensitive))
        FUZZ_CHECK(profile.read(section, key, missing) == missing);

    // The reading kept of the file ends every input the same (that of an empty
    // file), so that no input seems to keep memory: the fuzzer would run it again
    // to look for a leak.
    WriteFuzzFile(path, {});
    FUZZ_CHECK(profile.keys(section).isEmpty());
    return 0;
}
