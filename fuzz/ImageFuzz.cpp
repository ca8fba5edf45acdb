// A 4,096-byte radio image into the document (channels, model and band, messages,
// keys, optional features, scan, radio flags) and the radio information, and the
// document back into an image. Shorter inputs are padded with 0xFF (erased memory).
//
// Checked: the document read from any image is a valid data file that opens again
// to the same document; writing it and reading that back changes nothing but the
// bytes after the end of the model name and of the message texts, and the trailing
// blanks of a message line that fills its field (a write drops those); a second
// write gives the same image; no radio-information text is longer than its field.
#include "FuzzSupport.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/Document.h"
#include "features/EmbeddedMessageImage.h"
#include "link/ImageConversion.h"
#include "link/RadioInfoImage.h"

#include <algorithm>

namespace {
QByteArray Bytes(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize);
}

// The data file of a document and its side values, the message texts as their
// values (the bytes after a NUL belong to no value), a line that fills its field
// without its trailing blanks.
QByteArray DocumentBytes(DocumentRecord doc, const SideValues& side) {
    for (FixedText<32>* text : {&doc.settings.messageText1, &doc.settings.messageText2})
        text->assignTerminated(text->value().size() == kMessageLength ? text->trimmedValue()
                                                                      : text->value());
    return SerializeDocument(doc) + QByteArray::number(side.alertUnlocked) + ',' +
           QByteArray::number(side.functionUnlocked) + ',' + QByteArray::number(side.bandExtension);
}

void CheckRadioInfo(const RadioInfoRecord& info) {
    FUZZ_CHECK(info.modelText.size() <= 5);
    FUZZ_CHECK(info.areaCode.size() <= 4 && info.customerCode.size() <= 4);
    FUZZ_CHECK(info.productionBatch.size() <= 8);
    for (const QString* text : {&info.serialNumber, &info.productionDate, &info.repairDate,
                                &info.dealerCode, &info.stockDate, &info.saleDate, &info.seller})
        FUZZ_CHECK(text->size() <= 16);
    FUZZ_CHECK(info.repairReason.size() <= 96);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetForInput();
    AppState& s = app();
    s.image.fill(0xFF);
    std::copy(data, data + std::min<std::size_t>(size, kImageSize), s.image.begin());

    ApplyRadioInfoFromImage();
    CheckRadioInfo(s.radioInfo);
    for (const int16 flag : s.radioFlags)
        FUZZ_CHECK(flag == 0 || flag == 1);

    ImageToRecords();
    const DocumentRecord read = s.document;
    const SideValues readSide = s.sideValues;
    DocumentRecord reopened;
    FUZZ_CHECK(DeserializeDocument(SerializeDocument(read), &reopened));
    FUZZ_CHECK(SerializeDocument(reopened) == SerializeDocument(read));

    FillImage();
    RecordsToImage();
    const QByteArray written = Bytes(s.image);
    ImageToRecords();
    DocumentRecord readBack = s.document;
    readBack.model.modelName = read.model.modelName;
    const QByteArray first = DocumentBytes(read, readSide);
    const QByteArray second = DocumentBytes(readBack, s.sideValues);
    if (first != second && std::getenv("ZR580_FUZZ_TRACE")) {
        qsizetype at = 0;
        while (at < first.size() && at < second.size() && first[at] == second[at])
            ++at;
        std::fprintf(stderr, "read and read back differ at byte %lld of the data file: %s / %s\n",
                     static_cast<long long>(at), first.mid(at, 8).toHex(' ').constData(),
                     second.mid(at, 8).toHex(' ').constData());
    }
    FUZZ_CHECK(first == second);

    FillImage();
    RecordsToImage();
    FUZZ_CHECK(Bytes(s.image) == written);
    return 0;
}
