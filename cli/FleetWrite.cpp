#include "cli/FleetWrite.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "fleet/FleetRunner.h"
#include "link/Ports.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

// The ports of --port and of the --ports-from file (blank lines and lines
// starting with '#' skipped); false with a message for a port that names
// nothing, an unreadable list or a port given twice.
bool CollectPorts(const QCommandLineParser& parser, const LinkOptions& options,
                  const FleetWriteOptions& fleet, QList<FleetPort>* ports) {
    QStringList names = parser.values(options.port);
    if (parser.isSet(fleet.portsFrom)) {
        QFile file(parser.value(fleet.portsFrom));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            PrintError(QStringLiteral("cannot read %1").arg(file.fileName()));
            return false;
        }
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QString name = line.trimmed();
            if (!name.isEmpty() && !name.startsWith(QLatin1Char('#'))) names.append(name);
        }
    }
    if (names.isEmpty()) {
        PrintError(QStringLiteral("no port given"));
        return false;
    }
    for (const QString& name : names) {
        QString problem;
        const QString device = ResolvePortArgument(name, &problem);
        if (device.isEmpty()) {
            PrintError(problem);
            return false;
        }
        for (const FleetPort& p : *ports)
            if (p.device == device) {
                PrintError(QStringLiteral("%1 is given twice").arg(name));
                return false;
            }
        ports->append({name.trimmed(), device});
    }
    return true;
}

QString ResultLine(const FleetJob& job) {
    QString line = job.port.name + QStringLiteral(": ") + FleetPhaseText(job.phase);
    if (job.phase == FleetPhase::Failed) line += QStringLiteral(": ") + job.failure;
    QStringList about;
    if (!job.radioModel.isEmpty()) about.append(job.radioModel);
    if (job.radioBand >= 0 && job.radioBand < BandTexts().size())
        about.append(BandTexts().at(job.radioBand));
    if (job.info && !job.info->serialNumber.isEmpty())
        about.append(FleetText("Serial") + QLatin1Char(' ') + job.info->serialNumber);
    if (job.info && !job.info->dealerCode.isEmpty())
        about.append(FleetText("Dealer") + QLatin1Char(' ') + job.info->dealerCode);
    if (!job.backupPath.isEmpty())
        about.append(FleetText("Backup") + QLatin1Char(' ') + job.backupPath);
    if (!about.isEmpty()) line += QStringLiteral(" (") + about.join(QStringLiteral(", ")) + u')';
    return line;
}

// The live status lines on stderr, when it is a terminal: redrawn in place at
// most ten times a second.
class StatusBlock {
  public:
    explicit StatusBlock(const FleetRunner& runner) : runner_(runner) {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] { draw(); });
    }
    bool shown() const { return enabled_; }
    void start() {
        if (!enabled_) return;
        draw();
        timer_.start();
    }
    void changed() { dirty_ = true; }
    // Removes the block, so that the results take its place.
    void erase() {
        timer_.stop();
        if (!enabled_ || lines_ == 0) return;
        std::fprintf(stderr, "\033[%dA\033[J", lines_);
        std::fflush(stderr);
        lines_ = 0;
    }

  private:
    void draw() {
        if (lines_ > 0 && !dirty_) return;
        dirty_ = false;
        QByteArray out;
        if (lines_ > 0) out += "\033[" + QByteArray::number(lines_) + 'A';
        for (int row = 0; row < runner_.count(); ++row) {
            const FleetJob& job = runner_.job(row);
            QString line = QStringLiteral("%1  %2").arg(job.port.name, FleetPhaseText(job.phase));
            if (job.running()) line += QStringLiteral(" %1%").arg(job.percent);
            else if (job.phase == FleetPhase::Failed) line += QLatin1Char(' ') + job.failure;
            out += "\r\033[K" + TerminalSafe(line).toUtf8() + '\n';
        }
        lines_ = runner_.count();
        std::fputs(out.constData(), stderr);
        std::fflush(stderr);
    }

    const FleetRunner& runner_;
    const bool enabled_ = isatty(STDERR_FILENO) != 0;
    QTimer timer_;
    int lines_ = 0;
    bool dirty_ = true;
};

} // namespace

bool IsFleetWrite(const QCommandLineParser& parser, const LinkOptions& options,
                  const FleetWriteOptions& fleet) {
    return parser.isSet(fleet.portsFrom) || parser.values(options.port).size() > 1;
}

int RunFleetWrite(const QCommandLineParser& parser, const LinkOptions& options,
                  const FleetWriteOptions& fleet, const SafeWriteOptions& safe) {
    QList<FleetPort> ports;
    if (!CollectPorts(parser, options, fleet, &ports)) return kExitUsage;
    LinkRun run;
    if (const int code = PrepareLinkSettings(parser, options, true, run); code >= 0) return code;
    if (!LoadDataFile(parser.positionalArguments().constFirst())) return kExitBadFile;

    FleetRunner runner;
    FleetOptions settings;
    settings.password = app().heldPassword;
    settings.retries = run.retries;
    settings.otherBand = parser.isSet(options.yes);
    settings.safeWrite = safe;
    if (!safe.backupFolder.isEmpty())
        settings.logPath = QDir(safe.backupFolder).filePath(QFileInfo(FleetLogPath()).fileName());
    runner.setOptions(settings);
    runner.setPorts(ports);

    QEventLoop loop;
    StatusBlock status(runner);
    runner.jobChanged = [&](int) { status.changed(); };
    runner.jobEnded = [&](int) {
        if (!runner.running()) loop.quit();
    };
    QElapsedTimer clock;
    clock.start();
    if (!runner.start()) return kExitBadFile; // a document without channels
    status.start();
    if (runner.running()) loop.exec();
    status.erase();

    for (int row = 0; row < runner.count(); ++row)
        PrintOut(TerminalSafe(ResultLine(runner.job(row))) + QLatin1Char('\n'));
    PrintOut(FleetText("Summary").arg(runner.succeeded()).arg(runner.count()) + QLatin1Char('\n'));
    for (int row = 0; row < runner.count(); ++row)
        if (runner.job(row).failure == FleetText("OtherBandFailure")) {
            PrintError(CliText("OtherBand"));
            break;
        }
    if (runner.logFailed()) PrintError(FleetText("LogFailed") + QLatin1Char(' ') + settings.logPath);
    if (run.timing)
        PrintError(QStringLiteral("transfer took %1 s")
                       .arg(double(clock.nsecsElapsed()) / 1e9, 0, 'f', 3));
    return runner.succeeded() == runner.count() ? kExitOk : kExitFailure;
}
