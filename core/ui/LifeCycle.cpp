#include "core/ui/LifeCycle.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Hooks.h"
#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/Recovery.h"
#include "core/Startup.h"
#include "core/ui/FileCommands.h"
#include "core/ui/FrmMain.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}

struct LifeState {
    bool ending = false;
    // The document as it was last kept as a recovery copy or let go by the user
    // at a logout: the same document is neither kept nor asked about again.
    QByteArray settled;
    QString keptCopy; // the recovery copy this run wrote
};

LifeState& state() {
    static LifeState s;
    return s;
}

QByteArray openDocumentBytes() {
    return SerializeDocument(app().document) + SerializeSideValues(app().sideValues);
}

bool unsettledChanges() {
    return IsModified() && openDocumentBytes() != state().settled;
}

void keepUnsavedChanges() {
    if (!unsettledChanges()) return;
    const QString path = WriteRecoveryCopy();
    if (path.isEmpty()) {
        std::fprintf(stderr, "zr580: the unsaved changes could not be kept in %s\n",
                     qPrintable(RecoveryFolder()));
        return;
    }
    if (!state().keptCopy.isEmpty()) DiscardRecoveryCopy(state().keptCopy);
    state().keptCopy = path;
    state().settled = openDocumentBytes();
}
} // namespace

void CatchTerminationSignals() {
    if (g_signalPipe[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0) {
        std::perror("zr580: termination signals end the program at once");
        return;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void InstallShutdownRequests(FrmMain& main) {
    CatchTerminationSignals();
    if (g_signalPipe[0] >= 0) {
        QPointer<FrmMain> window(&main);
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &main);
        QObject::connect(notifier, &QSocketNotifier::activated, &main, [window] {
            char byte = 0;
            [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &byte, 1);
            if (window) EndWithoutQuestion(*window);
        });
    }
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, &main,
                         [](QSessionManager& manager) {
                             const bool canAsk = manager.allowsInteraction();
                             CommitSessionData(canAsk, [&manager] { manager.cancel(); });
                             if (canAsk) manager.release();
                         });
    state() = LifeState{};
}

void EndWithoutQuestion(FrmMain& main) {
    if (state().ending) return;
    state().ending = true;
    // Nobody answers from here on.
    SetMessageHandler({});
    CommitPendingEdits();
    if (hooks().endTransfers) hooks().endTransfers();
    keepUnsavedChanges();
    main.CloseWithoutQuestion();
    // Every running event loop ends, a modal window's too; outside any (a test
    // driving the window) there is nothing to end.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::quit();
}

void CommitSessionData(bool canAsk, const std::function<void()>& cancelLogout) {
    CommitPendingEdits();
    if (!unsettledChanges()) return;
    if (!canAsk) {
        keepUnsavedChanges();
        return;
    }
    if (!ConfirmCloseWithChanges()) {
        cancelLogout();
        return;
    }
    // Saved, or let go with No.
    state().settled = openDocumentBytes();
}

void ProgramClosing() {
    if (state().ending || state().keptCopy.isEmpty()) return;
    DiscardRecoveryCopy(state().keptCopy);
    state().keptCopy.clear();
}

void OfferRecoveryCopy() {
    const QString path = PendingRecoveryCopy();
    if (path.isEmpty()) return;
    const QString when =
        RecoveryCopyTime(path).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const MsgAnswer answer =
        ShowMessage(LanguageText(QStringLiteral("Recovery"), QStringLiteral("Offer")).arg(when),
                    MsgButtons::YesNo, MsgIcon::Question);
    if (state().ending) return; // the program ends before the user answered
    if (answer != MsgAnswer::Yes) {
        DiscardRecoveryCopy(path);
        return;
    }
    CloseCurAllWindows();
    OpenRecoveryCopy(path);
    ShowChildWindow(QStringLiteral("frmCommChInfo"));
    ApplyMainCaptions();
    CascadeChildWindows();
}

namespace {
// Runs its work once: in a queued call after the window's first expose (the
// frame is painted and flushed within that event), or after a second when no
// expose comes.
class AfterFirstFrame : public QObject {
  public:
    AfterFirstFrame(QWidget* window, std::function<void()> work)
        : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { run(); });
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        // The native window exists once the widget is shown.
        if (e->type() == QEvent::Show && watched->isWidgetType()) {
            if (QWindow* window = static_cast<QWidget*>(watched)->windowHandle())
                window->installEventFilter(this);
            watched->removeEventFilter(this);
        } else if (e->type() == QEvent::Expose && !watched->isWidgetType() &&
                   static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] { run(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void run() {
        if (!work_) return;
        const std::function<void()> work = std::move(work_);
        work_ = nullptr;
        deleteLater();
        work();
    }

    std::function<void()> work_;
};
} // namespace

void FinishStartupOnceShown(FrmMain& main) {
    QPointer<FrmMain> window(&main);
    new AfterFirstFrame(&main, [window] {
        FinishStartupWhenShown();
        if (window) window->RefreshTitle();
    });
}
