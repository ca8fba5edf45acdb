#include "features/EmbeddedMessageImage.h"

void MessageToImage(const FixedText<32>& text, RadioImage& image, int offset) {
    // Trailing blanks of the whole field go first, then the NUL ends the line, so
    // blanks typed before the end of a shorter line are kept.
    QByteArray line = text.raw();
    while (!line.isEmpty() && line.back() == ' ')
        line.chop(1);
    const qsizetype nul = line.indexOf('\0');
    if (nul >= 0) line.truncate(nul);
    for (int i = 0; i < kMessageLength; ++i)
        image[static_cast<std::size_t>(offset + i)] =
            i < line.size() ? static_cast<std::uint8_t>(line[i]) : std::uint8_t{0xFF};
}

void ImageToMessage(const RadioImage& image, int offset, FixedText<32>& text) {
    QByteArray line;
    for (int i = 0; i < kMessageLength; ++i) {
        const std::uint8_t b = image[static_cast<std::size_t>(offset + i)];
        if (b == 0xFF) break;
        line.append(static_cast<char>(b));
    }
    text.assignTerminated(line);
}

void MessagesToImage(const SettingsRecord& settings, RadioImage& image) {
    MessageToImage(settings.messageText1, image, kMessage1Offset);
    MessageToImage(settings.messageText2, image, kMessage2Offset);
}

void ImageToMessages(const RadioImage& image, SettingsRecord& settings) {
    ImageToMessage(image, kMessage1Offset, settings.messageText1);
    ImageToMessage(image, kMessage2Offset, settings.messageText2);
}
