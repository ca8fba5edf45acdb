#include "link/LinkSettings.h"

#include "core/ProfileFile.h"
#include "core/ProgramFolder.h"

namespace {
const QString kSection = QStringLiteral("Link");
const QString kCheckReadsKey = QStringLiteral("CheckReads");
} // namespace

bool LoadCheckReads() {
    return ProfileFile(SetupFilePath()).read(kSection, kCheckReadsKey, QStringLiteral("0")) ==
           QLatin1String("1");
}

bool StoreCheckReads(bool on) {
    return ProfileFile(SetupFilePath())
        .write(kSection, kCheckReadsKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}
