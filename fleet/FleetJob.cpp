#include "fleet/FleetJob.h"

#include "core/Language.h"

QString FleetText(const char* key) {
    return LanguageText(QStringLiteral("Fleet"), QLatin1String(key));
}

QString FleetPhaseText(FleetPhase phase) {
    switch (phase) {
    case FleetPhase::Waiting:
        return FleetText("Waiting");
    case FleetPhase::Backup:
        return FleetText("BackingUp");
    case FleetPhase::Write:
        return FleetText("Writing");
    case FleetPhase::Verify:
        return FleetText("Verifying");
    case FleetPhase::Done:
        return FleetText("Done");
    case FleetPhase::Failed:
        return FleetText("Failed");
    }
    return {};
}
