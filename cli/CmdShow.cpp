// zr580-cli show FILE.dat: the document printed readably.
#include "channels/ChannelTexts.h"
#include "cli/CliCommon.h"
#include "cli/ImageView.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/DataFile.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {
// The word for a code, or the number itself when the code has no word.
QString Word(int code, std::initializer_list<const char*> words) {
    if (code >= 0 && code < static_cast<int>(words.size()))
        return QString::fromUtf8(*(words.begin() + code));
    return QString::number(code);
}

QString OffOn(int code) {
    return Word(code, {"Off", "On"});
}

// A channel field's list word, or the number for a code outside the list.
template <std::size_t N> QString ChannelWord(const std::array<Tr, N>& table, int code) {
    const QString word = WordOfCode(table, code);
    return word.isEmpty() ? QString::number(code) : word;
}

QString Column(const QString& text, int width) {
    return text.leftJustified(width) + u' ';
}

// A text of the file, shown with its control characters escaped.
template <std::size_t N> QString Text(const FixedText<N>& t) {
    return TerminalSafe(FromAnsi(t.value()));
}

QString ChannelLine(const ChannelEntry& c) {
    const int group = (c.number - 1) / kChannelsPerGroup + 1;
    const int row = (c.number - 1) % kChannelsPerGroup + 1;
    QString line = Column(QString::number(c.number).rightJustified(3), 3);
    line += Column(QStringLiteral("%1/%2").arg(group).arg(row), 6);
    line += Column(FreDataToShow(Text(c.rxFreq)), 10);
    line += Column(FreDataToShow(Text(c.txFreq)), 10);
    line += Column(ToneDataToShow(Text(c.decodeTone)), 7);
    line += Column(ToneDataToShow(Text(c.encodeTone)), 7);
    line += Column(ChannelWord(TxPowerWords(), c.txPower), 5);
    line += Column(ChannelWord(SpacingWords(), c.spacing), 13);
    line += Column(ChannelWord(ScanAddWords(), c.scanAdd), 4);
    line += Column(ChannelWord(BusyLockoutWords(), c.busyLockout), 17);
    line += Column(OffOn(c.reverse), 7);
    line += OffOn(c.talkAround);
    while (line.endsWith(u' '))
        line.chop(1);
    return line + u'\n';
}

QString Field(const char* name, const QString& value) {
    return QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(name) + u':', -28).arg(value);
}

QString Field(const char* name, int value) {
    return Field(name, QString::number(value));
}

QString Channels(const DocumentRecord& doc) {
    std::vector<ChannelEntry> list(doc.channels.begin(), doc.channels.begin() + doc.channelCount);
    std::sort(list.begin(), list.end(),
              [](const ChannelEntry& a, const ChannelEntry& b) { return a.number < b.number; });
    QString out = QStringLiteral("Channels: %1\n").arg(doc.channelCount);
    if (list.empty()) return out;
    out += QStringLiteral("   CH Grp/Rw RX         TX         Decode  Encode  Power Spacing       "
                          "Scan Lock-out          Reverse Talk around\n");
    for (const ChannelEntry& c : list)
        out += QStringLiteral("  ") + ChannelLine(c);
    return out;
}

QString Features(const DocumentRecord& doc, const SideValues& side) {
    const OptionalFeatures& o = doc.settings.features.optional;
    QString out = QStringLiteral("Optional features:\n");
    out += Field("TOT time", o.totTime);
    out += Field("TOT warning", o.totWarning);
    out += Field("Squelch level", o.squelchLevel);
    out += Field("Mic sensitivity", o.micSensitivity);
    out += Field("Voice prompt", o.voicePrompt);
    out += Field("Battery save", o.batterySave);
    out += Field("Beep", OffOn(o.beep));
    out += Field("Scrambler activation", o.scramblerActivation);
    out += Field("Scrambler backup", o.scramblerBackup);
    out += Field("PTT ID type", o.pttIdType);
    out += Field("PTT ID mode", o.pttIdMode);
    out += Field("BOT code", u'"' + Text(o.botCode) + u'"');
    out += Field("EOT code", u'"' + Text(o.eotCode) + u'"');
    out += Field("VOX function", OffOn(o.voxFunction));
    out += Field("VOX level", o.voxLevel);
    out += Field("VOX delay", o.voxDelay);
    out += Field("Cancel operation", o.cancelOperation);
    out += Field("VOX proceed tone", o.voxProceedTone);
    out += Field("Frequency show", o.frequencyShow);
    out += Field("Clone mode", o.cloneMode);
    out += Field("Eliminate squelch tail", OffOn(o.eliminateSquelchTail));
    out += Field("Call response", o.callResponse);
    out += Field("Compander", OffOn(o.compander));
    out += Field("Alert unlocked", OffOn(side.alertUnlocked));
    out += Field("Function unlocked", OffOn(side.functionUnlocked));
    out += Field("Band extension", OffOn(side.bandExtension));
    return out;
}

QString KeyText(int code) {
    return code == 255 ? QStringLiteral("None") : QString::number(code);
}

QString Keys(const KeyAssignment& k) {
    QString out = QStringLiteral("Keys:\n");
    out += Field("PF1 short press", KeyText(k.pf1Short));
    out += Field("PF2 short press", KeyText(k.pf2Short));
    out += Field("PF1 long press", KeyText(k.pf1Long));
    out += Field("PF2 long press", KeyText(k.pf2Long));
    return out;
}

QString Scan(const ScanSettings& s) {
    QString out = QStringLiteral("Scan:\n");
    out += Field("Priority type", s.priorityType);
    QStringList priority;
    for (int16 p : s.priorityChannel)
        priority.append(p == 255 ? QStringLiteral("-") : QString::number(p));
    out += Field("Priority channel by group", priority.join(u' '));
    out += Field("Look back time A", s.lookBackA);
    out += Field("Look back time B", s.lookBackB);
    out += Field("Revert channel", s.revertChannel);
    out += Field("Dropout delay", s.dropoutDelay);
    out += Field("TX dwell", s.txDwell);
    return out;
}
} // namespace

int RunShow(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Print a document readably."));
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The data file."));
    const QCommandLineOption image(
        QStringLiteral("image"),
        QStringLiteral("Also print each channel's slot in the radio image (offset and bytes)."));
    parser.addOption(image);
    if (const int code = ParseCommand(parser, arguments, 1); code >= 0) return code;

    InstallTerminalMessages();
    const QString path = parser.positionalArguments().constFirst();
    if (!LoadDataFile(path)) return kExitBadFile;
    const int unreadable = ReportUnreadableFields(app().document);

    const AppState& s = app();
    const DocumentRecord& doc = s.document;
    QString out;
    out += QStringLiteral("File: %1\n").arg(TerminalSafe(path));
    out += QStringLiteral("Model: %1\n").arg(s.currentModel);
    out += QStringLiteral("Band: %1 (%2)\n").arg(s.bandText).arg(doc.model.bandIndex);
    out += Channels(doc);
    if (parser.isSet(image)) out += ChannelSlotView();
    out += Features(doc, s.sideValues);
    out += Keys(doc.settings.features.keys);
    out += Scan(doc.settings.features.scan);
    out += QStringLiteral("Messages:\n");
    out += Field("Line 1", u'"' + Text(doc.settings.messageText1) + u'"');
    out += Field("Line 2", u'"' + Text(doc.settings.messageText2) + u'"');
    PrintOut(out);
    return unreadable > 0 ? kExitFailure : kExitOk;
}
