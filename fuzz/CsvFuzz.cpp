// Channels coming in as text: a CSV file imported over the channel table, or
// clipboard rows pasted into a group. The input is: a byte choosing import or
// paste (bit 0) and an empty or template base document (bit 1), a byte choosing
// the band, a byte choosing the group and first row of a paste, then the text.
//
// Checked: the outcome is a valid channel table (a data file that opens again)
// whose frequencies lie inside the band; an import holds exactly its good rows
// and exports to a file that imports again, without problems, to the same table;
// a paste changes no channel outside its group; nothing but the channel table and
// the priority channels differs from the base document.
#include "FuzzSupport.h"

#include "channels/ChannelTable.h"
#include "codec/Frequency.h"
#include "core/AppState.h"
#include "core/DataFile.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"

namespace {
bool SameChannels(const DocumentRecord& a, const DocumentRecord& b) {
    return a.channelCount == b.channelCount && a.channels == b.channels;
}

// The document without its channel table and priority channels.
DocumentRecord AllButChannels(DocumentRecord doc) {
    doc.channelCount = 0;
    doc.channels = {};
    doc.settings.features.scan.priorityChannel = {};
    return doc;
}

bool InsideBand(const QString& shown, int kind) {
    double mhz = 0;
    return ParseMHz(shown, &mhz) && mhz >= app().bandLower && mhz <= UpperLimitFor(kind);
}

void CheckTable(const DocumentRecord& doc, const DocumentRecord& base) {
    DocumentRecord reopened;
    FUZZ_CHECK(DeserializeDocument(SerializeDocument(doc), &reopened));
    FUZZ_CHECK(AllButChannels(doc) == AllButChannels(base));
    const ChannelPositions inBase(base);
    for (int i = 0; i < doc.channelCount; ++i) {
        const ChannelEntry& ch = doc.channels[static_cast<std::size_t>(i)];
        const int was = inBase.of(ch.number);
        if (was >= 0 && base.channels[static_cast<std::size_t>(was)] == ch) continue; // as the base had it
        FUZZ_CHECK(InsideBand(FreDataToShow(ch.rxFreq.text()), RxFreq));
        const QString tx = FreDataToShow(ch.txFreq.text());
        if (!tx.isEmpty()) FUZZ_CHECK(InsideBand(tx, TxFreq));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t mode = input.byte();
    ResetForInput(input.byte() % 3);
    const std::uint8_t position = input.byte();
    const QByteArray bytes = input.rest();
    DocumentRecord base = app().document;
    if (mode & 2) base.channelCount = 0;

    if ((mode & 1) == 0) {
        const ImportOutcome out = ImportChannelsCsv(bytes, base);
        if (out.refused()) {
            FUZZ_CHECK(SameChannels(out.document, base));
            return 0;
        }
        CheckTable(out.document, base);
        FUZZ_CHECK(out.document.channelCount == out.goodRows);
        FUZZ_CHECK(out.badRows <= static_cast<int>(out.problems.size()));
        if (out.document.channelCount == 0) return 0;
        const ImportOutcome again = ImportChannelsCsv(ExportChannelsCsv(out.document), base);
        FUZZ_CHECK(!again.refused() && again.problems.isEmpty() && again.badRows == 0);
        FUZZ_CHECK(SameChannels(again.document, out.document));
        return 0;
    }

    const int group = 1 + (position >> 4) % 8;
    const int firstRow = 1 + position % 16;
    const ImportOutcome out = PasteChannelRows(QString::fromUtf8(bytes), base, group, firstRow);
    if (out.refused()) {
        FUZZ_CHECK(SameChannels(out.document, base));
        return 0;
    }
    CheckTable(out.document, base);
    const ChannelPositions before(base);
    const ChannelPositions after(out.document);
    for (int n = 1; n <= kMaxChannels; ++n) {
        if (GroupOf(n) == group) continue;
        const int a = before.of(n);
        const int b = after.of(n);
        FUZZ_CHECK((a < 0) == (b < 0));
        if (a >= 0)
            FUZZ_CHECK(base.channels[static_cast<std::size_t>(a)] ==
                       out.document.channels[static_cast<std::size_t>(b)]);
    }
    return 0;
}
