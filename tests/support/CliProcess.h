#pragma once
// The built zr580-cli and zr580-radiosim as processes: a command run to its end
// with its exit code and output, and a simulated radio on a pseudo-terminal.

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

inline QString Program(const QString& name) {
    return QDir(BuiltProgramFolder()).filePath(name);
}

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// One of the built programs run to its end, in `folder` when given, with
// `environment` when given (else this process's).
inline CliResult
RunProgram(const QString& name, const QStringList& arguments, const QString& folder = QString(),
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.setWorkingDirectory(folder);
    p.setProcessEnvironment(environment);
    p.start(Program(name), arguments);
    p.closeWriteChannel();
    CliResult r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.ms = clock.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline CliResult RunCli(const QStringList& arguments) {
    return RunProgram(QStringLiteral("zr580-cli"), arguments);
}

// A running zr580-radiosim; stopped with SIGTERM when it goes out of scope.
class Sim {
  public:
    Sim(const QString& link, const QStringList& options) : link_(link) {
        process_.start(Program(QStringLiteral("zr580-radiosim")),
                       QStringList{QStringLiteral("--link"), link} + options);
        if (process_.waitForReadyRead(5000))
            device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~Sim() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
    }
    const QString& device() const { return device_; }
    int stop() {
        process_.terminate();
        process_.waitForFinished(3000);
        return process_.exitCode();
    }

  private:
    QString link_;
    QProcess process_;
    QString device_;
};
