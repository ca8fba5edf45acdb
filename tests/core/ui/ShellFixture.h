#pragma once
// A started program with its main window, in a temporary program folder: the
// language forced, the serial device list replaced and scripted file dialogs.

#include "TestSupport.h"

#include "core/AppState.h"
#include "core/QtTranslations.h"
#include "core/Startup.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/WindowRegistry.h"
#include "link/Ports.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTimer>
#include <memory>

class ShellTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetSystemPortLister([this] { return devices_; });
        SetFileDialogHandler([this](const FileDialogRequest& request) {
            dialogs_.append(request);
            return dialogAnswers_.isEmpty() ? QString() : dialogAnswers_.takeFirst();
        });
        // A stand-in channel window while the real one is not part of the program.
        if (!IsRegistered(QStringLiteral("frmCommChInfo")))
            RegisterWindow(
                QStringLiteral("frmCommChInfo"), [] { return named("frmCommChInfo"); },
                WindowKind::Child);
        RegisterWindow(
            QStringLiteral("TestChild"), [] { return named("TestChild"); }, WindowKind::Child);
    }
    void TearDown() override {
        main_.reset();
        SetFileDialogHandler({});
        SetSystemPortLister({});
        qunsetenv("ZR580_LANG");
        ApplyQtTranslations(English); // Qt's own texts back in English for later tests
        ProgramTest::TearDown();
    }

    static QWidget* named(const char* name) {
        auto* w = new QWidget;
        w->setObjectName(QLatin1String(name));
        w->setWindowTitle(QLatin1String(name));
        return w;
    }

    // Start-up in a language ("en"/"zh") up to the shown main window, with the
    // work the program does once its first frame is on screen (without waiting
    // for that frame, which would also make the window active).
    FrmMain* start(const char* language = "en") {
        qputenv("ZR580_LANG", language);
        StartProgram();
        main_ = std::make_unique<FrmMain>();
        FinishStartup();
        main_->show();
        FinishStartupWhenShown();
        main_->RefreshTitle();
        return main_.get();
    }

    QAction* action(const char* name) { return main_->menuAction(QLatin1String(name)); }
    QString panel(int n) {
        return main_->findChild<QLabel*>(QStringLiteral("sbStatusBar_%1").arg(n))->text();
    }
    QStringList openChildren() {
        QStringList names;
        for (QWidget* w : main_->children())
            names.append(w->objectName());
        return names;
    }
    // Runs something that opens a modal window; the window is handed to `inside`
    // once shown (it must close it). Returns the object name of the modal window.
    QString whileModal(const std::function<void()>& open,
                       const std::function<void(QWidget*)>& inside = {}) {
        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            seen = modal->objectName();
            if (inside)
                inside(modal);
            else
                modal->close();
        });
        open();
        return seen;
    }

    std::unique_ptr<FrmMain> main_;
    QStringList devices_;
    QList<FileDialogRequest> dialogs_;
    QStringList dialogAnswers_;
};
