// zr580-cli from-image IN.bin OUT.dat: a document built from a radio image as a
// completed read would build it, saved with its side file.
#include "cli/CliCommon.h"
#include "cli/ImageFile.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "link/ImageConversion.h"

int RunFromImage(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build a document from a 4096-byte radio image, as a read from the "
                       "radio would, and save it with its side file."));
    parser.addPositionalArgument(QStringLiteral("IN.bin"), QStringLiteral("The radio image."));
    parser.addPositionalArgument(QStringLiteral("OUT.dat"), QStringLiteral("The data file."));
    if (const int code = ParseCommand(parser, arguments, 2); code >= 0) return code;

    const QStringList paths = parser.positionalArguments();
    if (const int code = CheckCommandFiles({{paths.at(0)}}, {{paths.at(1), true}}); code >= 0)
        return code;
    InstallTerminalMessages();
    RadioImage image;
    if (!ReadImageFile(paths.at(0), &image)) return kExitBadFile;

    InitNewDocument();
    app().image = image;
    ImageToRecords();
    if (!SaveDataFile(paths.at(1))) return kExitBadFile;
    return kExitOk;
}
