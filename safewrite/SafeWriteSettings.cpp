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

bool StoreSafeWriteSettings(const SafeWriteSettings& settings) {
    const ProfileFile file(SetupFilePath());
    const auto value = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const bool backup = file.write(kSection, kBackupKey, value(settings.backup));
    return file.write(kSection, kVerifyKey, value(settings.verify)) && backup;
}
