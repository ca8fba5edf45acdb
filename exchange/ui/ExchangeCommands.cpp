#include "exchange/ui/ExchangeCommands.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/ui/FileCommands.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "exchange/ChannelColumns.h"
#include "exchange/ChannelImport.h"
#include "exchange/ui/GridRows.h"
#include "exchange/ui/ImportReport.h"
#include "exchange/ui/PrintListWindow.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}

QString CsvFilter() {
    return Say("CsvFilter") + QStringLiteral(" (*.csv)");
}

void Warn(const QString& text) {
    ShowMessage(text, MsgButtons::Ok, MsgIcon::Warning);
}
} // namespace

void ExportChannelsCsvCommand() {
    CommitPendingEdits(); // the file gets what the windows show
    const QString start = QFileInfo(app().documentName).completeBaseName() + QStringLiteral(".csv");
    QString path = AskFileName({true, Say("ExportTitle"), start, CsvFilter()});
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    if (!WriteFileSafely(path, ExportChannelsCsv(app().document)))
        Warn(Say("WriteFailed").arg(path));
}

void ImportChannelsCsvCommand() {
    CommitPendingEdits();
    const QString path = AskFileName({false, Say("ImportTitle"), QString(), CsvFilter()});
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Warn(Say("ReadFailed").arg(path));
        return;
    }
    // One byte more than is ever taken is enough to refuse a larger file.
    const QByteArray bytes = file.read(kMaxImportBytes + 1);
    const ImportOutcome outcome = ImportChannelsCsv(bytes, app().document);
    if (outcome.refused()) {
        Warn(outcome.refusal);
        return;
    }
    // Problems, warnings, unknown columns or channels changed or removed: the
    // report first, and nothing happens unless the user accepts.
    if (!AskToTakeRowsWithoutProblems(outcome, ImportKind::File)) return;
    ReplaceChannelTable(outcome.document, ChannelTableStepName(ChannelTableStep::Import));
    ShowMessage(Say("Imported").arg(outcome.document.channelCount).arg(FileNameOf(path)),
                MsgButtons::Ok, MsgIcon::Information);
}

void RegisterExchangeWindows() {
    RegisterCommand(QStringLiteral("ExportChannelsCsv"), ExportChannelsCsvCommand);
    RegisterCommand(QStringLiteral("ImportChannelsCsv"), ImportChannelsCsvCommand);
    RegisterWindow(
        QStringLiteral("FrmPrintList"), [] { return new FrmPrintList; }, WindowKind::Modal);
    InstallGridRows();
}
