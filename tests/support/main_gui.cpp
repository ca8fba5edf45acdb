#include "compare/ui/CompareCommands.h"
#include "core/ui/WindowRegistry.h"
#include "exchange/ui/ExchangeCommands.h"
#include "fleet/ui/RegisterFleetWindows.h"
#include "history/ui/HistoryCommands.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RegisterAllWindows();
    RegisterFleetWindows();
    RegisterExchangeWindows();
    RegisterHistoryCommands();
    RegisterCompareWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
