// Reads into and writes from a link's own image: the frames of a read or write,
// the document and app().image untouched, no completion message, and two links
// side by side never mixing their radios.
#include "LinkRig.h"
#include "TestSupport.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Messages.h"
#include "link/ImageConversion.h"

#include <cmath>

namespace {

QByteArray Slice(const RadioImage& image, int offset, int length) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + offset, length);
}

// A radio memory with a recognisable byte everywhere (identification and
// password area kept as the simulator makes them).
RadioImage Patterned(SimRadio& radio, int seed) {
    RadioImage m = radio.memory();
    for (int a = 0; a < 0xA50; ++a)
        m[a] = static_cast<quint8>((a * 7 + seed) & 0xFF);
    for (int a = 0xB00; a < kImageSize; ++a)
        m[a] = static_cast<quint8>((a + seed) & 0xFF);
    return m;
}

class ImageTransferTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InitNewDocument();
        app().image.fill(0x5A); // whatever a previous transfer left
        documentBefore_ = SerializeDocument(app().document);
    }
    void ExpectProgramStateUntouched() {
        EXPECT_EQ(SerializeDocument(app().document), documentBefore_);
        EXPECT_EQ(Slice(app().image, 0, kImageSize), QByteArray(kImageSize, '\x5A'));
        EXPECT_EQ(app().documentName, QStringLiteral("new.dat"));
    }
    QByteArray documentBefore_;
};

// The same frames as a read, up to the end address; the image holds the radio's
// bytes of every block read and 0xFF beyond; nothing else changes.
TEST_F(ImageTransferTest, ReadIntoImageAtEveryEndAddress) {
    for (const int end : {kImageSize, 0xA60, 0x40}) {
        SCOPED_TRACE(end);
        Rig plain;
        Rig image;
        for (Rig* r : {&plain, &image})
            r->s.radio.setMemory(Patterned(r->s.radio, 3));
        ASSERT_TRUE(plain.link->startRead(plain.ui));
        ASSERT_TRUE(plain.run());
        InitNewDocument();
        app().image.fill(0x5A);
        documentBefore_ = SerializeDocument(app().document);

        ASSERT_TRUE(image.link->startReadImage(image.ui, end));
        ASSERT_TRUE(image.run());
        EXPECT_TRUE(image.ui.success);
        ExpectProgramStateUntouched();
        EXPECT_TRUE(image.ui.messages.isEmpty()); // no "Read Data Completed."
        EXPECT_EQ(image.ui.events.first(), QStringLiteral("opened"));
        EXPECT_EQ(image.ui.events.last(), QStringLiteral("closed"));

        // A read's frames, cut after the last block below the end address.
        const int blocks = (end + 63) / 64;
        const int opening = 10;
        QList<WireFrame> expected = plain.s.wire.mid(0, opening + 4 * blocks);
        expected += plain.s.wire.mid(plain.s.wire.size() - 2);
        ASSERT_EQ(image.s.wire.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            EXPECT_EQ(image.s.wire[i].bytes, expected[i].bytes) << "frame " << i;
        const RadioImage& memory = image.s.radio.memory();
        const int read = std::min(blocks * 64, kImageSize);
        EXPECT_TRUE(Slice(image.link->image(), 0, read) == Slice(memory, 0, read));
        EXPECT_TRUE(Slice(image.link->image(), read, kImageSize - read) ==
                    QByteArray(kImageSize - read, '\xFF'));
        EXPECT_EQ(image.ui.progress.last(),
                  static_cast<int>(std::nearbyint((blocks - 1) * 64 * 100.0 / end)));
    }
}

// Writing an image: a write's frames byte for byte (the radio's identification
// stored into the copy sent), the model check as in a write, app().image untouched.
TEST_F(ImageTransferTest, WriteFromImageIsTheWrite) {
    Rig plain;
    ASSERT_TRUE(plain.link->startWrite(plain.ui));
    ASSERT_TRUE(plain.run());
    RadioImage outgoing;
    outgoing.fill(0xFF);
    DocumentToImage(app().document, app().sideValues, app().currentModel,
                    BandIndexOf(app().bandText), outgoing);
    app().image.fill(0x5A);

    Rig image;
    ASSERT_TRUE(image.link->startWriteImage(image.ui, outgoing));
    ASSERT_TRUE(image.run());
    EXPECT_TRUE(image.ui.success);
    ExpectProgramStateUntouched();
    EXPECT_TRUE(image.ui.messages.isEmpty()); // no "Write Data Completed."
    ASSERT_EQ(image.s.wire.size(), plain.s.wire.size());
    for (int i = 0; i < plain.s.wire.size(); ++i)
        EXPECT_EQ(image.s.wire[i].bytes, plain.s.wire[i].bytes) << "frame " << i;
    EXPECT_EQ(Slice(image.link->image(), 0, 0xA60), Slice(image.s.radio.memory(), 0, 0xA60));

    // The model check of a write stays; a read into an image checks only when asked.
    for (const bool write : {true, false}) {
        for (const bool check : {false, true}) {
            messages_.clear();
            Rig wrong;
            wrong.s.radio.setModel("XX999");
            const bool started = write ? wrong.link->startWriteImage(wrong.ui, outgoing)
                                       : wrong.link->startReadImage(wrong.ui, kImageSize, check);
            ASSERT_TRUE(started);
            ASSERT_TRUE(wrong.run());
            const bool checked = write || check;
            EXPECT_EQ(wrong.ui.success, !checked) << write << check;
            EXPECT_EQ(messages_.texts().contains(MessageText(Msg::ModelWrong)), checked);
            if (write) break;
        }
    }
}

// Two links interleaved step by step, each on its own radio: each image holds
// its own radio's memory, a retry on one leaves the other alone.
TEST_F(ImageTransferTest, TwoLinksSideBySide) {
    Rig a;
    Rig b;
    a.s.radio.setMemory(Patterned(a.s.radio, 1));
    b.s.radio.setMemory(Patterned(b.s.radio, 2));
    b.s.radio.addFault(*ParseSimFault(QStringLiteral("garbage@middle:1")));
    b.ui.retryAnswers = {true};
    ASSERT_TRUE(a.link->startReadImage(a.ui));
    ASSERT_TRUE(b.link->startReadImage(b.ui));
    for (int i = 0; i < 100000 && (a.link->running() || b.link->running()); ++i) {
        if (a.link->running()) a.run(1);
        if (b.link->running()) b.run(1);
    }
    EXPECT_TRUE(a.ui.success);
    EXPECT_TRUE(b.ui.success);
    EXPECT_EQ(a.ui.retryPrompts, 0);
    EXPECT_EQ(b.ui.retryPrompts, 1);
    EXPECT_EQ(a.link->image(), a.s.radio.memory());
    EXPECT_EQ(b.link->image(), b.s.radio.memory());
    ExpectProgramStateUntouched();
}

} // namespace
