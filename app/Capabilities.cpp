#include "app/Capabilities.h"

#include "compare/DocumentCompare.h"
#include "compare/ui/CompareCommands.h"
#include "exchange/ui/ExchangeCommands.h"
#include "fleet/ui/RegisterFleetWindows.h"
#include "history/ui/HistoryCommands.h"
#include "safewrite/SafeWrite.h"

void RegisterCapabilities() {
    RegisterFleetWindows();
    RegisterExchangeWindows();
    RegisterHistoryCommands();
    RegisterCompareWindows();
    // A failed check of a write names channels and fields, as Compare with Radio does.
    SetWrittenDifferenceNamer(NamedRadioImageDifferences);
}
