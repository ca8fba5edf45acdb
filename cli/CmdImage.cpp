// zr580-cli image IN.dat OUT.bin: the 4096-byte image a write would send.
#include "cli/CliCommon.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "link/ImageConversion.h"

int RunImage(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the 4096-byte radio image that a write to the radio would send "
                       "(no identification bytes, since no radio answered)."));
    parser.addPositionalArgument(QStringLiteral("IN.dat"), QStringLiteral("The data file."));
    parser.addPositionalArgument(QStringLiteral("OUT.bin"), QStringLiteral("The image to write."));
    if (const int code = ParseCommand(parser, arguments, 2); code >= 0) return code;

    const QStringList paths = parser.positionalArguments();
    if (const int code = CheckCommandFiles({{paths.at(0), true}}, {{paths.at(1)}}); code >= 0)
        return code;
    InstallTerminalMessages();
    if (!LoadDataFile(paths.at(0))) return kExitBadFile;
    FillImage();
    RecordsToImage();
    const RadioImage& image = app().image;
    return WriteOutputFile(paths.at(1),
                           QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize))
               ? kExitOk
               : kExitBadFile;
}
