// Generates the files installed beside the program: the template data files
// of every band with their side files, and dec.tbl.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("Init"));
    for (int band = 0; band < 3; ++band) {
        for (const char* ext : {"dat", "NVD"}) {
            QFile f(
                dir.filePath(QStringLiteral("Init/VM427_%1.%2").arg(band).arg(QLatin1String(ext))));
            f.open(QIODevice::WriteOnly);
        }
    }
    QFile tbl(dir.filePath(QStringLiteral("dec.tbl")));
    tbl.open(QIODevice::WriteOnly);
    return 0;
}
