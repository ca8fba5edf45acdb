#pragma once
// A simulated radio for end-to-end tests: zr580-radiosim of the built program
// folder on a pseudo-terminal, selected as the program's port through a [ports]
// assignment in the test's language/mysetup.ini. Also a silent line: a
// pseudo-terminal nobody answers on.

#include "TestSupport.h"

#include "core/AppState.h"
#include "link/Ports.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <fcntl.h>
#include <functional>
#include <stdlib.h>
#include <unistd.h>

inline constexpr int kTestPortNumber = 7;

inline void SelectTestPort(const QString& device) {
    ASSERT_TRUE(AssignPort(kTestPortNumber, device));
    app().comPort = kTestPortNumber;
}

class SimulatedRadio {
  public:
    ~SimulatedRadio() { stop(); }

    // Starts the simulator with the arguments (after --link) and selects it.
    void start(const QStringList& arguments) {
        ASSERT_TRUE(folder_.isValid());
        link_ = folder_.filePath(QStringLiteral("radio"));
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QDir(BuiltProgramFolder()).filePath(QStringLiteral("zr580-radiosim")),
                       QStringList{QStringLiteral("--link"), link_} + arguments);
        ASSERT_TRUE(process_.waitForStarted(5000));
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(link_) && waited.elapsed() < 5000 &&
               process_.state() == QProcess::Running)
            process_.waitForReadyRead(50);
        ASSERT_TRUE(QFileInfo::exists(link_)) << "the simulated radio did not open its line";
        SelectTestPort(link_);
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(1000);
    }

    QString file(const QString& name) const { return folder_.filePath(name); }

  private:
    QTemporaryDir folder_;
    QString link_;
    QProcess process_;
};

// A pseudo-terminal whose far end never answers.
class SilentLine {
  public:
    SilentLine() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            device_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~SilentLine() {
        if (master_ >= 0) close(master_);
    }
    const QString& device() const { return device_; }

  private:
    int master_ = -1;
    QString device_;
};

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// Records the caption of every progress window shown, however short it lives,
// and each caption it takes while shown.
class ProgressWatch : public QObject {
  public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    QStringList captions;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched->objectName() != QLatin1String("FrmProgress")) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show ||
            (event->type() == QEvent::WindowTitleChange && window->isVisible()))
            captions.append(window->windowTitle());
        return false;
    }
};
