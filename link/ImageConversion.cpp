#include "link/ImageConversion.h"

#include "channels/ChannelImage.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentOps.h"
#include "features/EmbeddedMessageImage.h"
#include "features/KeyAssignmentImage.h"
#include "features/OptionalFeaturesImage.h"
#include "features/ScanImage.h"
#include "link/RadioInfoImage.h"

namespace {
constexpr int kModelNameLength = 5;
}

void FillImage() {
    app().image.fill(0xFF);
}

void ModelToImage(const QString& model, int16 bandIndex, RadioImage& image) {
    QString name = model;
    const qsizetype nul = name.indexOf(QChar(u'\0'));
    if (nul >= 0) name.truncate(nul);
    while (!name.isEmpty() && name.back() == QChar(u' '))
        name.chop(1);
    const QByteArray bytes = ToAnsi(name);
    for (int i = 0; i < kModelNameLength; ++i)
        image[static_cast<std::size_t>(kModelNameOffset + i)] =
            i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : std::uint8_t{0x00};
    image[kBandIndexOffset] = static_cast<std::uint8_t>(bandIndex);
}

ModelRecord ImageToModel(const RadioImage& image) {
    ModelRecord model;
    QByteArray name;
    for (int i = 0; i < kModelNameLength; ++i) {
        const std::uint8_t b = image[static_cast<std::size_t>(kModelNameOffset + i)];
        name.append(b == 0xFF ? '\0' : static_cast<char>(b));
    }
    model.modelName.assign(name);
    // A band byte outside the list is taken as the band its text falls back to.
    model.bandIndex = BandIndexOf(BandTextOf(image[kBandIndexOffset]));
    return model;
}

void DocumentToImage(const DocumentRecord& doc, const SideValues& side, const QString& model,
                     int16 bandIndex, RadioImage& image) {
    ChannelsToImage(doc, image);
    ModelToImage(model, bandIndex, image);
    MessagesToImage(doc.settings, image);
    KeysToImage(doc.settings.features.keys, image);
    OptionalFeaturesToImage(doc.settings.features.optional, side, image);
    ScanToImage(doc.settings.features.scan, image);
}

void RecordsToImage() {
    AppState& state = app();
    DocumentToImage(state.document, state.sideValues, state.currentModel,
                    BandIndexOf(state.bandText), state.image);
}

RadioImage OpenDocumentImage() {
    const AppState& state = app();
    RadioImage image;
    image.fill(0xFF);
    DocumentToImage(state.document, state.sideValues, state.currentModel,
                    BandIndexOf(state.bandText), image);
    return image;
}

void ImageToDocument(const RadioImage& image, DocumentRecord& doc, SideValues& side) {
    ImageToChannels(image, doc);
    doc.model = ImageToModel(image);
    ImageToMessages(image, doc.settings);
    ImageToKeys(image, doc.settings.features.keys);
    ImageToOptionalFeatures(image, doc.settings.features.optional, side);
    ImageToScan(image, doc.settings.features.scan);
}

void ImageToRecords() {
    AppState& state = app();
    ImageToDocument(state.image, state.document, state.sideValues);
    ApplyDocumentModel(state.document.model);
    MergeRadioFlags(state.image, state.radioFlags);
}
