// A data file and its side file as File Open loads them, of any size and content.
// The input is one byte choosing the side file (its length 0..6, or 7 for none),
// then the side file, then the data file.
//
// Checked: a file that loads reads back to exactly its bytes; the loaded document
// counts as unmodified; its save loads again to the same document and saves to
// the same bytes; a refused file leaves the open document as it was.
#include "FuzzSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Document.h"
#include "core/DocumentOps.h"

#include <QDir>
#include <QFile>

namespace {
QString DataPath(const char* name) {
    return QDir(FuzzFolder()).filePath(QString::fromLatin1(name));
}

QByteArray ReadRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray DocumentAndSide() {
    const SideValues& v = app().sideValues;
    return SerializeDocument(app().document) + QByteArray::number(v.alertUnlocked) + ',' +
           QByteArray::number(v.functionUnlocked) + ',' + QByteArray::number(v.bandExtension);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    ResetForInput();
    const int sideChoice = input.byte() % 8;
    const QByteArray side = input.take(sideChoice == 7 ? 0 : static_cast<std::size_t>(sideChoice));
    const QByteArray bytes = input.rest();

    // The pure record: any 7979 bytes with valid counts read back to themselves.
    DocumentRecord record;
    if (DeserializeDocument(bytes, &record)) FUZZ_CHECK(SerializeDocument(record) == bytes);

    const QString path = DataPath("input.dat");
    WriteFuzzFile(path, bytes);
    QFile::remove(SideFileNameOf(path));
    if (sideChoice != 7) WriteFuzzFile(SideFileNameOf(path), side);

    const QByteArray before = DocumentAndSide();
    if (!LoadDataFile(path)) {
        FUZZ_CHECK(DocumentAndSide() == before);
        FUZZ_CHECK(app().documentName == QStringLiteral("new.dat"));
        return 0;
    }
    FUZZ_CHECK(!IsModified());

    const QString saved = DataPath("saved.dat");
    FUZZ_CHECK(SaveDataFile(saved));
    FUZZ_CHECK(!IsModified());
    const QByteArray loaded = DocumentAndSide();
    const QByteArray savedBytes = ReadRaw(saved);
    const QByteArray savedSide = ReadRaw(SideFileNameOf(saved));
    FUZZ_CHECK(savedBytes.size() == kDataFileSize && savedSide.size() == kSideFileSize);

    ResetForInput();
    FUZZ_CHECK(LoadDataFile(saved));
    FUZZ_CHECK(DocumentAndSide() == loaded);
    const QString again = DataPath("again.dat");
    FUZZ_CHECK(SaveDataFile(again));
    FUZZ_CHECK(ReadRaw(again) == savedBytes);
    FUZZ_CHECK(ReadRaw(SideFileNameOf(again)) == savedSide);
    return 0;
}
