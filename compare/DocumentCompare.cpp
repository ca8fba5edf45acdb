#include "compare/DocumentCompare.h"

#include "channels/ChannelTable.h"
#include "core/SpreadsheetCell.h"
#include "channels/ChannelTexts.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/Language.h"
#include "features/FeatureCaptions.h"
#include "features/KeyRules.h"
#include "features/MessageLines.h"
#include "features/OptFeatRules.h"
#include "features/ScanRules.h"
#include "link/ImageConversion.h"

#include <QStringList>
#include <algorithm>
#include <functional>

namespace {

QString text(const char* key) {
    return LanguageText(QStringLiteral("Compare"), QLatin1String(key));
}

// A text as the windows show it: up to its NUL, without the blank fill.
template <std::size_t N> QString shown(const FixedText<N>& t) {
    return FromAnsi(t.trimmedValue());
}

// The word of a code in a caption table, or the number for a code outside it.
template <std::size_t N> QString word(const std::array<Tr, N>& table, int code) {
    const QString w = WordOfCode(table, code);
    return w.isEmpty() ? QString::number(code) : w;
}
QString item(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? items.at(index) : QString::number(index);
}
QString offOn(int value) {
    return word(OffOnWords(), value);
}

// Collects differences: a field is listed when its stored form differs; it is
// shown in the words of its window.
class Collector {
  public:
    QList<Difference> list;

    void add(DiffSection section, const QString& place, const QString& field, const QString& a,
             const QString& b, int channel = 0) {
        list.append(Difference{section, channel, place, field, a, b});
    }
    // A field compared by its stored value, shown by `show`.
    template <typename Record, typename Value>
    void field(DiffSection section, const QString& place, const QString& name, const Record& a,
               const Record& b, Value Record::*member,
               const std::function<QString(const Value&)>& show, int channel = 0) {
        if (a.*member == b.*member) return;
        add(section, place, name, show(a.*member), show(b.*member), channel);
    }
};

QString channelPlace(int number) {
    return text("ChannelPlace").arg(number);
}

// The channel fields in the order of the channel edit window, each with the
// member that stores it.
struct ChannelFieldDef {
    int field; // ChannelField, or 0 for the values no window shows
    const char* captionKey;
    std::function<bool(const ChannelEntry&, const ChannelEntry&)> same;
    std::function<QString(const ChannelEntry&)> show;
};

template <typename T> auto sameMember(T ChannelEntry::*m) {
    return [m](const ChannelEntry& a, const ChannelEntry& b) { return a.*m == b.*m; };
}
auto showField(int field) {
    return [field](const ChannelEntry& e) { return ShowChannelField(e, field); };
}
template <typename T> auto showNumber(T ChannelEntry::*m) {
    return [m](const ChannelEntry& e) { return QString::number(e.*m); };
}
template <typename T> auto showOffOn(T ChannelEntry::*m) {
    return [m](const ChannelEntry& e) { return offOn(e.*m); };
}

const std::vector<ChannelFieldDef>& channelFields() {
    using E = ChannelEntry;
    static const std::vector<ChannelFieldDef> fields = {
        {FieldRxFreq, nullptr, sameMember(&E::rxFreq), showField(FieldRxFreq)},
        {FieldTxFreq, nullptr, sameMember(&E::txFreq), showField(FieldTxFreq)},
        {FieldDecodeTone, nullptr, sameMember(&E::decodeTone), showField(FieldDecodeTone)},
        {FieldEncodeTone, nullptr, sameMember(&E::encodeTone), showField(FieldEncodeTone)},
        {FieldOptSignal, nullptr, sameMember(&E::optSignal), showField(FieldOptSignal)},
        {FieldSpUnmute, nullptr, sameMember(&E::spUnmute), showField(FieldSpUnmute)},
        {FieldTxPower, nullptr, sameMember(&E::txPower), showField(FieldTxPower)},
        {FieldSpacing, nullptr, sameMember(&E::spacing), showField(FieldSpacing)},
        {FieldBusyLockout, nullptr, sameMember(&E::busyLockout), showField(FieldBusyLockout)},
        {FieldPttId, nullptr, sameMember(&E::pttId), showField(FieldPttId)},
        {FieldAutodial, nullptr, sameMember(&E::autodial), showField(FieldAutodial)},
        {FieldScanAdd, nullptr, sameMember(&E::scanAdd), showField(FieldScanAddText)},
        {FieldReverse, nullptr, sameMember(&E::reverse), showOffOn(&E::reverse)},
        {FieldTalkAround, nullptr, sameMember(&E::talkAround), showOffOn(&E::talkAround)},
        {0, "TxEntryFlag", sameMember(&E::txEntryFlag), showNumber(&E::txEntryFlag)},
        {0, "InUse", sameMember(&E::inUse), showNumber(&E::inUse)},
        {0, "Reserved0", sameMember(&E::reserved0), showNumber(&E::reserved0)},
        {0, "Reserved1", sameMember(&E::reserved1), showNumber(&E::reserved1)},
        {0, "Reserved2", sameMember(&E::reserved2), showNumber(&E::reserved2)},
    };
    return fields;
}

QString channelFieldName(const ChannelFieldDef& def) {
    return def.field ? ChannelFieldCaption(def.field)() : text(def.captionKey);
}

void compareModel(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    const QString place = text("ModelPlace");
    // The model name as text: what follows its end does not count.
    const QString ma = shown(a.model.modelName).trimmed();
    const QString mb = shown(b.model.modelName).trimmed();
    if (ma != mb) c.add(DiffSection::Model, place, text("Model"), ma, mb);
    if (a.model.bandIndex != b.model.bandIndex)
        c.add(DiffSection::Model, place, text("Band"), BandTextOf(a.model.bandIndex),
              BandTextOf(b.model.bandIndex));
}

void compareChannels(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    for (int n = 1; n <= kMaxChannels; ++n) {
        const int pa = FindChannelEntry(a, n);
        const int pb = FindChannelEntry(b, n);
        if (pa < 0 && pb < 0) continue;
        const QString place = channelPlace(n);
        const QString rx = ChannelFieldCaption(FieldRxFreq)();
        if (pa < 0 || pb < 0) {
            const QString none = text("NoChannel");
            c.add(DiffSection::Channel, place, rx,
                  pa < 0 ? none : ShowChannelField(a.channels[static_cast<std::size_t>(pa)], 1),
                  pb < 0 ? none : ShowChannelField(b.channels[static_cast<std::size_t>(pb)], 1), n);
            continue;
        }
        const ChannelEntry& ea = a.channels[static_cast<std::size_t>(pa)];
        const ChannelEntry& eb = b.channels[static_cast<std::size_t>(pb)];
        for (const ChannelFieldDef& def : channelFields())
            if (!def.same(ea, eb))
                c.add(DiffSection::Channel, place, channelFieldName(def), def.show(ea),
                      def.show(eb), n);
    }
}

void compareOptionalFeatures(Collector& c, const DocumentSnapshot& a, const DocumentSnapshot& b) {
    using namespace OptFeatCaptions;
    using O = OptionalFeatures;
    const O& fa = a.record.settings.features.optional;
    const O& fb = b.record.settings.features.optional;
    const QString place = kCaption();
    const DiffSection s = DiffSection::Setting;
    const std::function<QString(const int16&)> number = [](const int16& v) {
        return QString::number(v);
    };
    const std::function<QString(const int16&)> check = [](const int16& v) { return offOn(v); };
    const std::function<QString(const FixedText<16>&)> code = [](const FixedText<16>& t) {
        return shown(t);
    };
    auto list = [](QStringList (*items)()) {
        return std::function<QString(const int16&)>(
            [items](const int16& v) { return item(items(), v); });
    };
    auto words = [](const auto& table) {
        return std::function<QString(const int16&)>(
            [&table](const int16& v) { return word(table, v); });
    };
    c.field(s, place, kLabel1[0](), fa, fb, &O::totTime, list(TotTimeItems));
    c.field(s, place, kLabel1[1](), fa, fb, &O::totWarning, number);
    c.field(s, place, kLabel1[2](), fa, fb, &O::squelchLevel, number);
    c.field(s, place, kLabel1[3](), fa, fb, &O::micSensitivity, words(kMicSensitivityTexts));
    c.field(s, place, kLabel1[4](), fa, fb, &O::voicePrompt, words(kVoicePromptTexts));
    c.field(s, place, kCheck1[0](), fa, fb, &O::batterySave, check);
    c.field(s, place, kCheck1[1](), fa, fb, &O::beep, check);
    c.field(s, place, kCheck1[2](), fa, fb, &O::scramblerActivation, check);
    c.field(s, place, kCheck1[3](), fa, fb, &O::scramblerBackup, check);
    // The two lock check boxes show a side value that is 0 when locked.
    const std::function<QString(const int16&)> locked = [](const int16& v) {
        return offOn(v == 0 ? 1 : 0);
    };
    c.field(s, place, kCheck1[4](), a.side, b.side, &SideValues::alertUnlocked, locked);
    c.field(s, place, kCheck1[5](), a.side, b.side, &SideValues::functionUnlocked, locked);
    c.field(s, place, kLabel2[0](), fa, fb, &O::pttIdType, words(kPttIdTypeTexts));
    c.field(s, place, kLabel2[1](), fa, fb, &O::pttIdMode, words(kPttIdModeTexts));
    c.field(s, place, kLabel2[2](), fa, fb, &O::botCode, code);
    c.field(s, place, kLabel2[3](), fa, fb, &O::eotCode, code);
    c.field(s, place, kCheck2[0](), fa, fb, &O::voxFunction, check);
    c.field(s, place, kLabel3[0](), fa, fb, &O::voxLevel, number);
    c.field(s, place, kLabel3[1](), fa, fb, &O::voxDelay, list(VoxDelayItems));
    c.field(s, place, kCheck2[1](), fa, fb, &O::cancelOperation, check);
    c.field(s, place, kCheck2[2](), fa, fb, &O::voxProceedTone, check);
    c.field(s, place, kCheck2[3](), fa, fb, &O::frequencyShow, check);
    c.field(s, place, kCheck3(), fa, fb, &O::cloneMode, check);
    c.field(s, place, kCheck4(), fa, fb, &O::eliminateSquelchTail, check);
    c.field(s, place, kLabel4(), fa, fb, &O::callResponse, words(kCallResponseTexts));
    c.field(s, place, kCheck5(), fa, fb, &O::compander, check);
    c.field(s, place, kCheck6(), a.side, b.side, &SideValues::bandExtension, check);
}

void compareKeys(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    KeyAssignment ka = a.settings.features.keys;
    KeyAssignment kb = b.settings.features.keys;
    auto show = [](int16 code) {
        return code == kNoKeyCode ? kKeyFunctionTexts[0]() : word(kKeyFunctionTexts, code);
    };
    for (int k = 0; k < 4; ++k)
        if (KeyCode(ka, k) != KeyCode(kb, k))
            c.add(DiffSection::Setting, KeyCaptions::kCaption(), KeyCaptions::kKeyLabels[k],
                  show(KeyCode(ka, k)), show(KeyCode(kb, k)));
}

void compareScan(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    using namespace ScanCaptions;
    using S = ScanSettings;
    const S& sa = a.settings.features.scan;
    const S& sb = b.settings.features.scan;
    const QString place = kCaption();
    const DiffSection s = DiffSection::Setting;
    const std::function<QString(const int16&)> time = [](const int16& v) {
        return ScanTimeText(v);
    };
    const std::function<QString(const int16&)> type = [](const int16& v) {
        return word(kPriorityTypeTexts, v);
    };
    const std::function<QString(const int16&)> revert = [](const int16& v) {
        return word(kRevertTexts, v);
    };
    c.field(s, place, kPriority(), sa, sb, &S::priorityType, type);
    c.field(s, place, kLookBackA(), sa, sb, &S::lookBackA, time);
    c.field(s, place, kLookBackB(), sa, sb, &S::lookBackB, time);
    c.field(s, place, kRevertChannel(), sa, sb, &S::revertChannel, revert);
    c.field(s, place, kDropoutDelay(), sa, sb, &S::dropoutDelay, time);
    c.field(s, place, kTxDwell(), sa, sb, &S::txDwell, time);
    auto channel = [](int16 v) { return v == 255 ? QStringLiteral("-") : QString::number(v); };
    for (int g = 1; g <= kGroups; ++g) {
        const int16 pa = sa.priorityChannel[static_cast<std::size_t>(g - 1)];
        const int16 pb = sb.priorityChannel[static_cast<std::size_t>(g - 1)];
        if (pa != pb)
            c.add(s, place, kPriorityChannel() + QStringLiteral(" %1").arg(g), channel(pa),
                  channel(pb));
    }
}

void compareMessages(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    const QString place = MessageCaptions::kCaption();
    const std::array<const FixedText<32>*, 2> la{&a.settings.messageText1,
                                                 &a.settings.messageText2};
    const std::array<const FixedText<32>*, 2> lb{&b.settings.messageText1,
                                                 &b.settings.messageText2};
    for (std::size_t k = 0; k < 2; ++k)
        if (!(*la[k] == *lb[k]))
            c.add(DiffSection::Message, place, text("MessageLine").arg(k + 1),
                  MessageLineText(*la[k]), MessageLineText(*lb[k]));
}

// The data no window shows, each block as one line of its stored values.
QString dtmfText(const DtmfSettings& d) {
    return QStringList{QString::number(d.dtmfSpeed),
                       QString::number(d.firstDigitTime),
                       QString::number(d.firstDigitDelay),
                       QString::number(d.starHashTone),
                       QString::number(d.dCodeAssignment),
                       QString::number(d.sideTone),
                       shown(d.idCode),
                       QString::number(d.groupCode),
                       QString::number(d.autoResetTimer),
                       QString::number(d.callAlert),
                       QString::number(d.transpond),
                       QString::number(d.clearToTranspond),
                       shown(d.stunCode),
                       QString::number(d.stunType)}
        .join(QStringLiteral(", "));
}
QString fleetLinkText(const FleetLinkSettings& f) {
    return QStringList{QString::number(f.ownFleet),         QString::number(f.ownId),
                       QString::number(f.baudRate),         QString::number(f.txModulationDelay),
                       QString::number(f.messageModeTimer), QString::number(f.pttIdSideTone)}
        .join(QStringLiteral(", "));
}
// A list's valid entries, ordered by key (the order of the table does not count).
template <typename Entry, std::size_t N, typename Show>
QString listText(const std::array<Entry, N>& list, int16 count, Show show) {
    const int n = std::clamp<int>(count, 0, static_cast<int>(N));
    std::vector<Entry> entries(list.begin(), list.begin() + n);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& x, const Entry& y) { return x.key < y.key; });
    QStringList parts;
    for (const Entry& e : entries)
        parts.append(QString::number(e.key) + u':' + show(e));
    return QStringLiteral("[%1] ").arg(n) + parts.join(QStringLiteral("; "));
}

void compareOther(Collector& c, const DocumentRecord& a, const DocumentRecord& b) {
    const QString place = text("OtherPlace");
    auto add = [&](const char* key, const QString& x, const QString& y) {
        if (x != y) c.add(DiffSection::Other, place, text(key), x, y);
    };
    const SettingsRecord& sa = a.settings;
    const SettingsRecord& sb = b.settings;
    add("DtmfSettings", dtmfText(sa.features.dtmf), dtmfText(sb.features.dtmf));
    add("FleetLinkSettings", fleetLinkText(sa.features.fleetLink),
        fleetLinkText(sb.features.fleetLink));
    auto dtmf = [](const DtmfListEntry& e) { return shown(e.code); };
    add("DtmfList", listText(sa.dtmfList, sa.dtmfListCount, dtmf),
        listText(sb.dtmfList, sb.dtmfListCount, dtmf));
    auto reserved = [](const ReservedListEntry& e) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(shown(e.text1), shown(e.text2))
            .arg(e.value1)
            .arg(e.value2);
    };
    add("ReservedList", listText(sa.reservedList, sa.reservedListCount, reserved),
        listText(sb.reservedList, sb.reservedListCount, reserved));
    auto fleet = [](const FleetLinkListEntry& e) {
        return QStringLiteral("%1 %2").arg(e.fleetCode).arg(e.idCode);
    };
    add("FleetLinkList", listText(sa.fleetLinkList, sa.fleetLinkListCount, fleet),
        listText(sb.fleetLinkList, sb.fleetLinkListCount, fleet));
}

} // namespace

DocumentSnapshot OpenDocumentSnapshot() {
    return DocumentSnapshot{app().document, app().sideValues};
}

QList<Difference> CompareDocuments(const DocumentSnapshot& mine, const DocumentSnapshot& theirs) {
    Collector c;
    compareModel(c, mine.record, theirs.record);
    compareChannels(c, mine.record, theirs.record);
    compareOptionalFeatures(c, mine, theirs);
    compareKeys(c, mine.record, theirs.record);
    compareScan(c, mine.record, theirs.record);
    compareMessages(c, mine.record, theirs.record);
    compareOther(c, mine.record, theirs.record);
    return c.list;
}

DocumentSnapshot AsRadioHolds(const DocumentSnapshot& doc) {
    RadioImage image;
    image.fill(0xFF);
    DocumentToImage(doc.record, doc.side, shown(doc.record.model.modelName).trimmed(),
                    doc.record.model.bandIndex, image);
    DocumentSnapshot held = doc;
    ImageToDocument(image, held.record, held.side);
    return held;
}

QList<Difference> CompareWithRadioImage(const DocumentSnapshot& mine, const RadioImage& radio) {
    DocumentSnapshot theirs = mine;
    ImageToDocument(radio, theirs.record, theirs.side);
    return CompareDocuments(AsRadioHolds(mine), theirs);
}

QString DifferenceLine(const Difference& d) {
    QStringList cells;
    for (const QString& cell : {d.place, d.field, d.mine, d.theirs})
        cells.append(SpreadsheetSafeCell(cell));
    return cells.join(u'\t');
}

QString NoDifferencesText() {
    return text("NoDifferences");
}

QString DifferenceReport(const QList<Difference>& differences) {
    if (differences.isEmpty()) return NoDifferencesText() + u'\n';
    QString out;
    for (const Difference& d : differences)
        out += DifferenceLine(d) + u'\n';
    return out;
}

QString DifferenceName(const Difference& d) {
    return d.place + u' ' + d.field;
}
