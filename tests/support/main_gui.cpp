#include "core/ui/WindowRegistry.h"
#include "fleet/ui/RegisterFleetWindows.h"
#include "exchange/ui/ExchangeCommands.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RegisterAllWindows();
    RegisterFleetWindows();
    RegisterExchangeWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
