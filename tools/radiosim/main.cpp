// zr580-radiosim: a simulated radio on a pseudo-terminal, for end-to-end tests
// and the demonstration mode. It makes PATH a symbolic link to the terminal,
// prints the terminal's path, and answers transfers until SIGTERM.
//
//   zr580-radiosim --link PATH [--image IN.bin] [--save OUT.bin] [--model VM427]
//                  [--band 0|1|2] [--password PW] [--pace] [--fault KIND@WHERE[:N]]...
#include "link/SimRadio.h"
#include "tools/radiosim/PtyRadio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {
int Fail(const QString& text, int code) {
    std::fprintf(stderr, "zr580-radiosim: %s\n", text.toUtf8().constData());
    return code;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zr580-radiosim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated radio on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Symbolic link to create to the terminal."),
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
    parser.addOptions({link, image, save, model, band, password, pace, fault});
    parser.process(application);

    if (!parser.isSet(link)) return Fail(QStringLiteral("--link PATH is required"), 2);
    if (const QString problem = PtyRadio::LinkPathProblem(parser.value(link)); !problem.isEmpty())
        return Fail(problem, 2);
    SimRadio radio;
    if (parser.isSet(image)) {
        QFile file(parser.value(image));
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1").arg(file.fileName()), 1);
        const QByteArray bytes = file.readAll();
        if (bytes.size() != kImageSize)
            return Fail(QStringLiteral("%1 is not a 4096-byte image").arg(file.fileName()), 1);
        RadioImage memory;
        std::copy(bytes.begin(), bytes.end(), memory.begin());
        radio.setMemory(memory);
    }
    if (parser.isSet(model)) radio.setModel(parser.value(model).toLatin1());
    if (parser.isSet(band)) {
        bool ok = false;
        const int b = parser.value(band).toInt(&ok);
        if (!ok || b < 0 || b > 255) return Fail(QStringLiteral("--band takes 0, 1 or 2"), 2);
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

    PtyRadio pty(radio, parser.isSet(pace), parser.value(save));
    QString error;
    if (!pty.start(parser.value(link), &error)) return Fail(error, 1);
    std::printf("%s\n", pty.devicePath().toUtf8().constData());
    std::fflush(stdout);
    const int code = application.exec();
    pty.stop();
    return code;
}
