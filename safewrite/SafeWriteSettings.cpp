#include "safewrite/SafeWriteSettings.h"

#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"

namespace {
const QString kSection = QStringLiteral("SafeWrite");
const QString kBackupKey = QStringLiteral("BackupBeforeWrite");
const QString kVerifyKey = QStringLiteral("VerifyAfterWrite");

bool readSwitch(const ProfileFile& file, const QString& key) {
    return file.read(kSection, key, QStringLiteral("1")) != QLatin1String("0");
}
} // namespace

SafeWriteSettings LoadSafeWriteSettings() {
    const ProfileFile file(SetupFilePath());
    return {readSwitch(file, kBackupKey), readSwitch(file, kVerifyKey)};
}

bool StoreSafeWriteSetting(SafeWriteSwitch which, bool on) {
    return ProfileFile(SetupFilePath())
        .write(kSection, which == SafeWriteSwitch::Backup ? kBackupKey : kVerifyKey,
               on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool StoreSafeWriteSettings(const SafeWriteSettings& settings) {
    const bool backup = StoreSafeWriteSetting(SafeWriteSwitch::Backup, settings.backup);
    return StoreSafeWriteSetting(SafeWriteSwitch::Verify, settings.verify) && backup;
}
