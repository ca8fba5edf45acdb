// Writes the seed inputs of every fuzzing harness, made by the program's own code:
// new documents of every band and a document with every table full (data files,
// radio images, exported and copied channels), the shipped profile files, and
// complete transfers of each operation.
//   zr580-fuzz-seeds SEED_FOLDER LANGUAGE_FOLDER
#include "../FuzzSupport.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/Document.h"
#include "core/DocumentOps.h"
#include "exchange/ChannelColumns.h"
#include "link/ImageConversion.h"
#include "link/SimRadio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QDir seedDir;

void Seed(const QString& harness, const QString& name, const QByteArray& bytes) {
    seedDir.mkpath(harness);
    WriteFuzzFile(seedDir.filePath(harness + u'/' + name), bytes);
}

QByteArray SideBytes(const SideValues& v) {
    QByteArray bytes;
    for (const int16 value : {v.alertUnlocked, v.functionUnlocked, v.bandExtension}) {
        bytes.append(static_cast<char>(value & 0xFF));
        bytes.append(static_cast<char>((value >> 8) & 0xFF));
    }
    return bytes;
}

// Every channel, every list entry used.
void FillDocument(DocumentRecord& doc) {
    const ChannelEntry first = doc.channels[0];
    doc.channelCount = kMaxChannels;
    for (int i = 0; i < kMaxChannels; ++i) {
        ChannelEntry& ch = doc.channels[static_cast<std::size_t>(i)];
        ch = first;
        ch.number = static_cast<int16>(kMaxChannels - i);
        ch.scanAdd = static_cast<int16>(i % 2);
        ch.spacing = static_cast<int16>(i % 3 == 0);
    }
    SettingsRecord& s = doc.settings;
    s.dtmfListCount = static_cast<int16>(s.dtmfList.size());
    s.reservedListCount = static_cast<int16>(s.reservedList.size());
    s.fleetLinkListCount = static_cast<int16>(s.fleetLinkList.size());
    s.messageText1.assignTerminated("ZR580 FUZZ SEED");
}

void DocumentSeeds(const QString& name) {
    const AppState& s = app();
    // The channel table as an exported file, and its first rows as copied to the
    // clipboard, pasted into row 3 of group 2.
    const char band = static_cast<char>(BandIndexOf(s.bandText));
    Seed(QStringLiteral("csv"), name + QStringLiteral("-import"),
         QByteArray(1, '\0') + band + '\0' + ExportChannelsCsv(s.document));
    QList<int> copied;
    for (int i = 0; i < std::min<int>(s.document.channelCount, 6); ++i)
        copied.append(s.document.channels[static_cast<std::size_t>(i)].number);
    Seed(QStringLiteral("csv"), name + QStringLiteral("-paste"),
         QByteArray(1, '\1') + band + '\x12' + ChannelRowsText(s.document, copied).toUtf8());
    Seed(QStringLiteral("datafile"), name,
         QByteArray(1, kSideFileSize) + SideBytes(s.sideValues) + SerializeDocument(s.document));
    SimRadio radio;
    RadioImage memory = radio.memory();
    DocumentToImage(s.document, s.sideValues, s.currentModel, BandIndexOf(s.bandText), memory);
    Seed(QStringLiteral("image"), name,
         QByteArray(reinterpret_cast<const char*>(memory.data()), kImageSize));
}

// A transfer in which the radio answers everything properly: the operation, the
// set-up byte (passwords), OK at the confirmation, then "deliver the reply" events.
void LinkSeed(const QString& name, char operation, char setup, int events) {
    QByteArray bytes;
    bytes.append(operation);
    bytes.append(setup);
    bytes.append('\x01');
    bytes.append(QByteArray(events, '\0'));
    Seed(QStringLiteral("link"), name, bytes);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: zr580-fuzz-seeds SEED_FOLDER LANGUAGE_FOLDER\n", stderr);
        return 2;
    }
    seedDir = QDir(QString::fromLocal8Bit(argv[1]));
    InitFuzzProgram();

    for (int16 band = 0; band < 3; ++band) {
        ResetForInput(band);
        DocumentSeeds(QStringLiteral("new-band-%1").arg(band));
    }
    FillDocument(app().document);
    DocumentSeeds(QStringLiteral("full"));

    const QDir languages(QString::fromLocal8Bit(argv[2]));
    for (const QString& file : languages.entryList({QStringLiteral("*.ini")}, QDir::Files)) {
        QFile in(languages.filePath(file));
        if (!in.open(QIODevice::ReadOnly)) return 1;
        // Section "OTHER", key "1", value "x", then the file.
        Seed(QStringLiteral("profile"), file,
             QByteArrayLiteral("\x05OTHER\x01" "1\x01x") + in.readAll());
    }
    // A file that lists the key the harness takes to be absent ("1" and \x02).
    Seed(QStringLiteral("profile"), QStringLiteral("absent-key-listed"),
         QByteArrayLiteral("\x05OTHER\x01" "1\x01x" "[OTHER]\r\n1\x02=listed\r\n"));

    LinkSeed(QStringLiteral("read"), 0, 0, 400);
    LinkSeed(QStringLiteral("write"), 1, 0, 500);
    LinkSeed(QStringLiteral("radio-info"), 2, 0, 80);
    LinkSeed(QStringLiteral("read-password"), 0, 3, 400);
    LinkSeed(QStringLiteral("write-password"), 1, 3, 500);
    return 0;
}
