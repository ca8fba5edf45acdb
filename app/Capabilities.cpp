#include "app/Capabilities.h"

#include "compare/ui/CompareCommands.h"
#include "exchange/ui/ExchangeCommands.h"
#include "fleet/ui/RegisterFleetWindows.h"
#include "history/ui/HistoryCommands.h"

void RegisterCapabilities() {
    RegisterFleetWindows();
    RegisterExchangeWindows();
    RegisterHistoryCommands();
    RegisterCompareWindows();
}
