// Generates the files installed beside the program: the template data files
// of every band with their side files (new-document defaults plus a few starter
// channels in group 1), the memory of the demo radio, and dec.tbl.
#include "codec/Frequency.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "link/ImageConversion.h"
#include "link/SimRadio.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {
struct Starter {
    const char* rx;   // display form
    const char* tx;   // display form
    const char* tone; // working form for decode and encode
    int16 spacing;    // 0 narrow, 1 wide
};

// Four simplex channels per band, inside the band's limits.
const Starter kStarters[3][4] = {
    {{"146.52000", "146.52000", "FFFF", 1},
     {"151.62500", "151.62500", "0108", 1},
     {"154.57000", "154.57000", "FFFF", 0},
     {"162.55000", "162.55000", "FFFF", 0}},
    {{"223.50000", "223.50000", "FFFF", 1},
     {"224.10000", "224.10000", "0108", 1},
     {"245.00000", "245.00000", "FFFF", 0},
     {"250.00000", "250.00000", "FFFF", 0}},
    {{"446.00625", "446.00625", "FFFF", 0},
     {"446.01875", "446.01875", "0108", 0},
     {"446.03125", "446.03125", "FFFF", 0},
     {"446.04375", "446.04375", "FFFF", 0}},
};

void AddStarterChannels(int band) {
    DocumentRecord& doc = app().document;
    doc.channelCount = 0;
    int16 number = 1;
    for (const Starter& s : kStarters[band]) {
        ChannelEntry ch;
        ch.number = number++;
        ch.inUse = 1;
        ch.rxFreq.assign(ShowToFreData(QString::fromLatin1(s.rx)).toLatin1());
        ch.txFreq.assign(ShowToFreData(QString::fromLatin1(s.tx)).toLatin1());
        ch.txEntryFlag = 0; // as after a TX frequency was entered
        ch.decodeTone.assign(s.tone);
        ch.encodeTone.assign(s.tone);
        ch.txPower = 1;
        ch.spacing = s.spacing;
        ch.scanAdd = 1;
        doc.channels[static_cast<std::size_t>(doc.channelCount++)] = ch;
    }
}

QByteArray DecTableBytes() {
    // 107 bytes: 83 table values (the last 33 have 256 added when read) and padding.
    QByteArray bytes(107, '\0');
    for (int i = 0; i < 83; ++i)
        bytes[i] = static_cast<char>(i < 50 ? i : i - 50);
    return bytes;
}
} // namespace

// The memory of the demo radio: a radio as it leaves the simulator (identification
// and dealer information) programmed with the 400 - 480 MHz starter document plus a
// second group of channels and a welcome message, so a first read shows something.
QByteArray DemoRadioImage() {
    DocumentRecord doc = app().document;
    for (int i = 0; i < 8; ++i) {
        ChannelEntry ch = doc.channels[0];
        ch.number = static_cast<int16>(17 + i);
        const QString mhz = FormatMHz(462.5625 + 0.025 * i);
        ch.rxFreq.assign(ShowToFreData(mhz).toLatin1());
        ch.txFreq.assign(ShowToFreData(mhz).toLatin1());
        ch.spacing = 1;
        doc.channels[static_cast<std::size_t>(doc.channelCount++)] = ch;
    }
    doc.settings.messageText1.assignTerminated("ZR580 DEMO RADIO");
    SimRadio radio;
    RadioImage memory = radio.memory();
    DocumentToImage(doc, app().sideValues, app().currentModel, 2, memory);
    return QByteArray(reinterpret_cast<const char*>(memory.data()), kImageSize);
}

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: zr580-mkdata PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("Init"))) return 1;

    // Build from the program's defaults alone, never from templates already there.
    QTemporaryDir empty;
    qputenv("ZR580_HOME", empty.path().toLocal8Bit());

    for (int16 band = 0; band < 3; ++band) {
        resetAppState();
        app().currentModel = QStringLiteral("VM427");
        app().bandText = BandTextOf(band);
        SetBandLimits();
        InitNewDocument();
        AddStarterChannels(band);
        const QString path = dir.filePath(QStringLiteral("Init/VM427_%1.dat").arg(band));
        if (!SaveDataFile(path)) {
            std::fprintf(stderr, "zr580-mkdata: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    // The loop ended on the 400 - 480 MHz document.
    if (!WriteFileSafely(dir.filePath(QStringLiteral("demo-radio.bin")), DemoRadioImage()))
        return 1;
    if (!WriteFileSafely(dir.filePath(QStringLiteral("dec.tbl")), DecTableBytes())) return 1;
    return 0;
}
