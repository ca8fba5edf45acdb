// The built zr580-cli writing four paced zr580-radiosim radios on their own
// pseudo-terminals at once, one of them hanging up mid-write.
#include "FleetRig.h"
#include "TestSupport.h"

#include "../link/ui/SimulatedRadio.h"
#include "core/DataFile.h"
#include "link/SimRadio.h"

#include <QProcess>
#include <array>

namespace {

class FleetEndToEnd : public ProgramTest {};

TEST_F(FleetEndToEnd, FourRadiosOneHangsUp) {
    AppendTestChannel(app().document, 1);
    AppendTestChannel(app().document, 77, "44012500", "44512500");
    ASSERT_TRUE(SaveDataFile(path(QStringLiteral("doc.dat"))));
    // What a write of the file leaves in a radio: a write on its own in-process.
    Rig solo;
    ASSERT_TRUE(solo.link->startWrite(solo.ui));
    ASSERT_TRUE(solo.run());
    const QByteArray expected(reinterpret_cast<const char*>(solo.s.radio.memory().data()),
                              kWritableEnd);

    std::array<SimulatedRadio, 4> radios;
    QStringList links;
    for (int i = 0; i < 4; ++i) {
        QStringList options{QStringLiteral("--pace"), QStringLiteral("--save"),
                            radios[i].file(QStringLiteral("saved.bin"))};
        if (i == 2) options << QStringLiteral("--fault") << QStringLiteral("hang-up@middle");
        radios[i].start(options);
        links.append(radios[i].file(QStringLiteral("radio")));
    }
    // Two ports on the command line, two in a list.
    QFile list(path(QStringLiteral("ports.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(("# bench 2\n" + links[2] + "\n\n  " + links[3] + "  \n").toUtf8());
    list.close();

    QProcess cli;
    cli.start(QDir(BuiltProgramFolder()).filePath(QStringLiteral("zr580-cli")),
              {QStringLiteral("write"), QStringLiteral("--port"), links[0], QStringLiteral("--port"),
               links[1], QStringLiteral("--ports-from"), path(QStringLiteral("ports.txt")),
               path(QStringLiteral("doc.dat"))});
    ASSERT_TRUE(cli.waitForFinished(120000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_EQ(cli.exitCode(), 1) << out.toStdString();

    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << out.toStdString();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(lines[i].startsWith(links[i] + QStringLiteral(": "))) << out.toStdString();
        const bool bad = i == 2;
        EXPECT_EQ(lines[i].contains(FleetText("ConnectionFailed")), bad) << out.toStdString();
        QFile saved(radios[i].file(QStringLiteral("saved.bin")));
        if (bad) {
            EXPECT_FALSE(saved.exists());
            continue;
        }
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().left(kWritableEnd) == expected);
    }
    EXPECT_EQ(lines[4], FleetText("Summary").arg(3).arg(4));

    const QList<QStringList> log = ReadCsv(FleetLogPath());
    ASSERT_EQ(log.size(), 5);
    for (int i = 1; i <= 4; ++i) {
        const bool bad = log[i][1] == links[2];
        EXPECT_EQ(log[i][9], bad ? "FAILED" : "OK");
        EXPECT_EQ(log[i][6], path(QStringLiteral("doc.dat")));
        EXPECT_EQ(log[i][7], Sha256Hex(SerializeDocument(app().document)));
    }
}

} // namespace
