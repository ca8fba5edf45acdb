#include "compare/ui/CompareCommands.h"

#include "compare/DocumentCompare.h"
#include "compare/ui/FrmCompare.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Language.h"
#include "core/ui/FileCommands.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "link/RadioCommands.h"
#include "link/ui/GuiLinkUi.h"

namespace {
QString text(const char* key) {
    return LanguageText(QStringLiteral("Compare"), QLatin1String(key));
}

void showCompareWindow(const QList<Difference>& differences, const QString& other) {
    if (auto* window = qobject_cast<FrmCompare*>(ShowChildWindow(QStringLiteral("FrmCompare"))))
        window->showDifferences(differences, other);
}

// The desktop's transfer windows, and the compare window once the memory is read.
class CompareLinkUi : public GuiLinkUi {
  public:
    void transferEnded(LinkOperation operation, bool success) override {
        if (operation != LinkOperation::Read || !success) return;
        showCompareWindow(CompareWithRadioImage(compared, ProgramLinkImage()),
                          text("ColumnRadio"));
    }
    // The document as it was when the read started: what is compared.
    DocumentSnapshot compared;
};

CompareLinkUi& compareLinkUi() {
    static CompareLinkUi ui;
    return ui;
}
} // namespace

void CompareWithFileCommand() {
    CommitPendingEdits();
    const QString path = AskFileName({false, text("FileDialogTitle"), QString(), DataFileFilter()});
    if (path.isEmpty()) return;
    DocumentSnapshot other;
    if (!ReadDataFile(path, &other.record, &other.side)) return;
    showCompareWindow(CompareDocuments(OpenDocumentSnapshot(), other), FileNameOf(path));
}

void CompareWithRadioCommand() {
    if (TransferRunning()) return;
    CommitPendingEdits();
    compareLinkUi().compared = OpenDocumentSnapshot();
    ReadRadioImage(compareLinkUi());
}

void RegisterCompareWindows() {
    RegisterWindow(
        QStringLiteral("FrmCompare"), [] { return new FrmCompare; }, WindowKind::Child);
    RegisterCommand(QStringLiteral("CompareWithFile"), CompareWithFileCommand);
    RegisterCommand(QStringLiteral("CompareWithRadio"), CompareWithRadioCommand);
}
