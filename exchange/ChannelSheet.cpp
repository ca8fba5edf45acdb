#include "exchange/ChannelSheet.h"

#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "codec/Frequency.h"
#include "core/AppState.h"
#include "core/Language.h"
#include "exchange/ChannelColumns.h"
#include "features/KeyRules.h"
#include "features/MessageLines.h"
#include "features/OptFeatRules.h"
#include "features/ScanRules.h"

#include <QStringList>
#include <optional>

namespace {
QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}

// Heading cells are shaded as cells: a shade given by style sheet would also lie
// behind their text, over the table's bottom border in the last row.
QString Cell(const QString& text, const char* tag = "td") {
    const bool heading = qstrcmp(tag, "th") == 0;
    return QStringLiteral("<%1%3>%2</%1>")
        .arg(QLatin1String(tag), text.toHtmlEscaped(),
             heading ? QStringLiteral(" bgcolor=\"#e4e4e4\"") : QString());
}

// The list item a window shows for a stored value; "-" when it shows none.
QString ItemShown(const QStringList& items, std::optional<int> index) {
    return index && *index >= 0 && *index < items.size() ? items.at(*index) : QStringLiteral("-");
}

QString OnOff(int value) {
    return WordOfCode(OffOnWords(), value ? 1 : 0);
}

const ChannelColumn kSheetColumns[] = {
    ChannelColumn::Row,     ChannelColumn::Rx,         ChannelColumn::Tx,
    ChannelColumn::Decode,  ChannelColumn::Encode,     ChannelColumn::TxPower,
    ChannelColumn::ScanAdd, ChannelColumn::Spacing,    ChannelColumn::BusyLockout,
    ChannelColumn::Reverse, ChannelColumn::TalkAround,
};

QString ChannelRow(const ChannelEntry& e) {
    const bool hasTx = e.txFreq.trimmedValue() != kNoFrequency.toLatin1();
    QString row = QStringLiteral("<tr>") + Cell(QString::number(InGroupNumberOf(e.number)));
    for (int field : {FieldRxFreq, FieldTxFreq, FieldDecodeTone, FieldEncodeTone, FieldTxPower,
                      FieldScanAddText, FieldSpacing, FieldBusyLockout})
        row += Cell(field == FieldEncodeTone && !hasTx ? QString() : ShowChannelField(e, field));
    row += Cell(OnOff(e.reverse)) + Cell(OnOff(e.talkAround));
    return row + QStringLiteral("</tr>");
}

QString GroupTable(const DocumentRecord& doc, int group, bool newPage) {
    const QList<int> rows = ListGroupChannels(doc, group);
    QString html =
        QStringLiteral("<h3%1>%2</h3>")
            .arg(newPage ? QStringLiteral(" style=\"page-break-before: always\"") : QString(),
                 Say("SheetGroup").arg(group).toHtmlEscaped());
    html += QStringLiteral(
        "<table class=\"channels\" width=\"100%\" border=\"1\" cellspacing=\"0\"><tr>");
    for (ChannelColumn c : kSheetColumns)
        html += Cell(ColumnHeading(c)(), "th");
    html += QStringLiteral("</tr>");
    for (int row : rows)
        html += ChannelRow(doc.channels[static_cast<std::size_t>(
            FindChannelEntry(doc, ChannelNumberOf(group, row)))]);
    return html + QStringLiteral("</table>");
}

struct Setting {
    QString label;
    QString value;
};

QList<Setting> Settings(const DocumentRecord& doc, const SideValues& side) {
    const OptionalFeatures& o = doc.settings.features.optional;
    const KeyAssignment& k = doc.settings.features.keys;
    const ScanSettings& s = doc.settings.features.scan;
    auto key = [](int16 code) {
        const QList<KeyListItem> items = KeyListItems(code);
        const int index = KeyShownIndex(code);
        return index < items.size() ? items.at(index).text : QString::number(code);
    };
    QStringList priority;
    for (int16 p : s.priorityChannel)
        priority.append(p == 255 ? QStringLiteral("-") : QString::number(p));
    QStringList voicePrompt;
    for (int i = 0; i < kVoicePromptListItems; ++i)
        voicePrompt.append(kVoicePromptTexts[static_cast<std::size_t>(i)]());
    return {
        {Say("SetTot"), ItemShown(TotTimeItems(), TotTimeShownIndex(o.totTime))},
        {Say("SetTotWarning"), ItemShown(TotWarningItems(), TotWarningShownIndex(o.totWarning))},
        {Say("SetSquelch"), ItemShown(SquelchLevelItems(), IndexShown(o.squelchLevel, 10))},
        {Say("SetVoicePrompt"), ItemShown(voicePrompt, IndexShown(o.voicePrompt, 3))},
        {Say("SetBatterySave"), OnOff(o.batterySave)},
        {Say("SetBeep"), OnOff(o.beep)},
        {Say("SetVox"), OnOff(o.voxFunction)},
        {Say("SetVoxLevel"), ItemShown(VoxLevelItems(), IndexShown(o.voxLevel - 1, 9))},
        {Say("SetVoxDelay"), ItemShown(VoxDelayItems(), IndexShown(o.voxDelay, 28))},
        {Say("SetCallResponse"),
         ItemShown(ListTexts(kCallResponseTexts), CallResponseShownIndex(o.callResponse))},
        {Say("SetCompander"), OnOff(o.compander)},
        {Say("SetBandExtension"), OnOff(side.bandExtension == 1)},
        {Say("SetAlertLocked"), OnOff(side.alertUnlocked == 0)},
        {Say("SetFunctionLocked"), OnOff(side.functionUnlocked == 0)},
        {Say("SetPf1"), key(k.pf1Short)},
        {Say("SetPf2"), key(k.pf2Short)},
        {Say("SetPf1Long"), key(k.pf1Long)},
        {Say("SetPf2Long"), key(k.pf2Long)},
        {Say("SetPriority"),
         ItemShown(ListTexts(kPriorityTypeTexts), IndexShown(s.priorityType, 3))},
        {Say("SetPriorityChannels"), priority.join(u' ')},
        {Say("SetLookBackA"), ScanTimeText(s.lookBackA)},
        {Say("SetLookBackB"), ScanTimeText(s.lookBackB)},
        {Say("SetRevert"), ItemShown(ListTexts(kRevertTexts), IndexShown(s.revertChannel, 4))},
        {Say("SetDropout"), ScanTimeText(s.dropoutDelay)},
        {Say("SetTxDwell"), ScanTimeText(s.txDwell)},
        {Say("SetMessage1"), MessageLineText(doc.settings.messageText1)},
        {Say("SetMessage2"), MessageLineText(doc.settings.messageText2)},
    };
}

QString SettingsTable(const DocumentRecord& doc, const SideValues& side) {
    constexpr int kPairsPerRow = 3;
    const QList<Setting> settings = Settings(doc, side);
    QString html =
        QStringLiteral(
            "<h3>%1</h3><table class=\"settings\" width=\"100%\" border=\"1\" cellspacing=\"0\">")
            .arg(Say("SheetSettings").toHtmlEscaped());
    for (qsizetype i = 0; i < settings.size(); i += kPairsPerRow) {
        html += QStringLiteral("<tr>");
        for (qsizetype j = i; j < i + kPairsPerRow; ++j) {
            const Setting s = j < settings.size() ? settings.at(j) : Setting{};
            html += Cell(s.label, "th") + Cell(s.value);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}
} // namespace

QString ChannelSheetHtml(const DocumentRecord& doc, const SideValues& side, const QString& fileName,
                         const QDate& date) {
    const AppState& s = app();
    QString html = QStringLiteral(
        "<html><head><style>"
        "h2 { font-size: 13pt; margin: 0; } h3 { font-size: 10pt; margin-top: 6px; "
        "margin-bottom: 2px; } table { border-collapse: collapse; font-size: 8pt; } "
        "td, th { padding: 0px 3px; } td { white-space: nowrap; }"
        // The settings' bold labels reach below their line: room for them above
        // the table's bottom border.
        "table.settings td, table.settings th { padding-bottom: 1px; }"
        "</style></head><body>");
    html += QStringLiteral("<h2>%1</h2>").arg(Say("SheetTitle").toHtmlEscaped());
    html += QStringLiteral("<table class=\"heading\" cellpadding=\"2\"><tr>") +
            Cell(Say("SheetModel"), "th") + Cell(s.displayModelName) +
            Cell(Say("SheetBand"), "th") + Cell(s.bandText) + Cell(Say("SheetFile"), "th") +
            Cell(fileName) + Cell(Say("SheetDate"), "th") + Cell(date.toString(Qt::ISODate)) +
            QStringLiteral("</tr></table>");
    int shown = 0;
    for (int g = 1; g <= kGroups; ++g) {
        if (ListGroupChannels(doc, g).isEmpty()) continue;
        html += GroupTable(doc, g, shown > 0 && shown % kSheetGroupsPerPage == 0);
        ++shown;
    }
    if (shown == 0) html += QStringLiteral("<p>%1</p>").arg(Say("SheetNoChannels").toHtmlEscaped());
    html += SettingsTable(doc, side);
    return html + QStringLiteral("</body></html>");
}

QString ChannelSheetRunningHeading(const QString& fileName) {
    const AppState& s = app();
    return QStringList{Say("SheetTitle"), Say("SheetModel") + u' ' + s.displayModelName,
                       Say("SheetBand") + u' ' + s.bandText, Say("SheetFile") + u' ' + fileName}
        .join(QStringLiteral("   "));
}

QString ChannelSheetPageNumber(int page, int pages) {
    return Say("SheetPage").arg(page).arg(pages);
}
