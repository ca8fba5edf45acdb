#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    RegisterAllWindows();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ZR580"));
    window.show();
    return application.exec();
}
