// zr580-radiosim: a simulated radio on a pseudo-terminal, for end-to-end tests
// and the demonstration mode. It makes PATH a symbolic link to the terminal,
// prints the terminal's path, and answers transfers until SIGTERM.
//
//   zr580-radiosim --link PATH [--image IN.bin] [--save OUT.bin] [--model VM427]
//                  [--band 0|1|2] [--password PW] [--pace] [--fault KIND@WHERE[:N]]...
//                  [--echo] [--latency MS] [--dropout MS@BYTE] [--noise RATE] [--seed N]

#include "core/CommandLine.h"
#include "link/SimRadio.h"
#include "tools/radiosim/PtyRadio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
const QString kName = QStringLiteral("zr580-radiosim");

int Fail(const QString& text, int code) {
    PrintUsageError(kName, text);
    return code;
}

// Why the memory cannot be saved at PATH after a write; empty when it can. The
// file itself is made only by the first write.
QString SaveProblem(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) return QStringLiteral("--save %1 is a folder").arg(path);
    if (file.exists())
        return file.isWritable() ? QString()
                                 : QStringLiteral("--save %1 cannot be written").arg(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("--save %1: there is no folder %2").arg(path, folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("--save %1: folder %2 cannot be written")
            .arg(path, folder.filePath());
    return {};
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(kName);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated radio on a pseudo-terminal."));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Symbolic link to create to the terminal "
                                                 "(required)."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption image(QStringLiteral("image"),
                                   QStringLiteral("The radio's 4096-byte memory."),
                                   QStringLiteral("IN.bin"));
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("Write the memory here after every write."),
                                  QStringLiteral("OUT.bin"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model identifier."),
                                   QStringLiteral("ID"));
    const QCommandLineOption band(QStringLiteral("band"), QStringLiteral("Band index 0, 1 or 2."),
                                  QStringLiteral("N"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Programming password (up to 4 characters)."),
                                      QStringLiteral("PW"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Take the time of a 9600-baud 8N2 line."));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("Spoil replies: KIND@WHERE[:COUNT]; kinds %1; places %2 or an address.")
            .arg(SimFaultKindNames().join(QStringLiteral(", ")),
                 SimPlaceNames().join(QStringLiteral(", "))),
        QStringLiteral("FAULT"));
    const QCommandLineOption echo(QStringLiteral("echo"),
                                  QStringLiteral("Echo every byte received, as a single-wire "
                                                 "cable does."));
    const QCommandLineOption latency(
        QStringLiteral("latency"),
        QStringLiteral("Hold every reply back MS milliseconds, as a USB adapter's latency timer."),
        QStringLiteral("MS"));
    const QCommandLineOption dropout(
        QStringLiteral("dropout"),
        QStringLiteral("Go dead for MS milliseconds from the BYTEth byte received on."),
        QStringLiteral("MS@BYTE"));
    const QCommandLineOption noise(
        QStringLiteral("noise"),
        QStringLiteral("Spoil this share of the replies (0..1) with a stray byte or a flipped bit."),
        QStringLiteral("RATE"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the noise (default 1)."),
                                  QStringLiteral("N"));
    parser.addOptions({link, image, save, model, band, password, pace, fault, echo, latency,
                       dropout, noise, seed});
    if (const int code = ParseProgramOptions(parser, application.arguments(), kName); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("unexpected argument '%1'")
                        .arg(parser.positionalArguments().constFirst()),
                    2);

    if (!parser.isSet(link)) return Fail(QStringLiteral("--link PATH is required"), 2);
    if (const QString problem = PtyRadio::LinkPathProblem(parser.value(link)); !problem.isEmpty())
        return Fail(problem, 2);
    if (parser.isSet(save)) {
        if (const QString problem = SaveProblem(parser.value(save)); !problem.isEmpty())
            return Fail(problem, 2);
    }
    SimRadio radio;
    if (parser.isSet(image)) {
        QFile file(parser.value(image));
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1").arg(file.fileName()), 2);
        const QByteArray bytes = file.readAll();
        if (bytes.size() != kImageSize)
            return Fail(QStringLiteral("%1 is not a 4096-byte image").arg(file.fileName()), 2);
        RadioImage memory;
        std::copy(bytes.begin(), bytes.end(), memory.begin());
        radio.setMemory(memory);
    }
    if (parser.isSet(model)) radio.setModel(parser.value(model).toLatin1());
    if (parser.isSet(band)) {
        bool ok = false;
        const int b = parser.value(band).toInt(&ok);
        if (!ok || b < 0 || b > 2) return Fail(QStringLiteral("--band takes 0, 1 or 2"), 2);
        radio.setBand(b);
    }
    if (parser.isSet(password)) {
        const QByteArray pw = parser.value(password).toLatin1();
        if (pw.size() > 4) return Fail(QStringLiteral("--password takes up to 4 characters"), 2);
        radio.setPassword(pw);
    }
    for (const QString& text : parser.values(fault)) {
        const auto f = ParseSimFault(text);
        if (!f) return Fail(QStringLiteral("bad --fault %1").arg(text), 2);
        radio.addFault(*f);
    }

    CableBehaviour cable;
    cable.echo = parser.isSet(echo);
    bool ok = true;
    if (parser.isSet(latency)) cable.latencyMs = parser.value(latency).toInt(&ok);
    if (!ok || cable.latencyMs < 0 || cable.latencyMs > 10000)
        return Fail(QStringLiteral("--latency takes 0 to 10000 milliseconds"), 2);
    if (parser.isSet(dropout)) {
        const QStringList parts = parser.value(dropout).split(u'@');
        bool msOk = false;
        bool byteOk = false;
        if (parts.size() == 2) {
            cable.dropoutMs = parts[0].toInt(&msOk);
            cable.dropoutByte = parts[1].toLongLong(&byteOk);
        }
        if (!msOk || !byteOk || cable.dropoutMs < 0 || cable.dropoutByte < 0)
            return Fail(QStringLiteral("--dropout takes MS@BYTE"), 2);
    }
    if (parser.isSet(noise)) cable.noise = parser.value(noise).toDouble(&ok);
    if (!ok || cable.noise < 0 || cable.noise > 1)
        return Fail(QStringLiteral("--noise takes a rate from 0 to 1"), 2);
    if (parser.isSet(seed)) cable.seed = parser.value(seed).toUInt(&ok);
    if (!ok) return Fail(QStringLiteral("--seed takes a number"), 2);

    PtyRadio pty(radio, parser.isSet(pace), parser.value(save), cable);
    QString error;
    if (!pty.start(parser.value(link), &error)) return Fail(error, 1);
    std::printf("%s\n", pty.devicePath().toUtf8().constData());
    std::fflush(stdout);
    const int code = application.exec();
    pty.stop();
    // What the program sent, for a benchmark that places drop-outs along a transfer.
    std::printf("received %lld bytes\n", static_cast<long long>(pty.receivedBytes()));
    return code;
}
