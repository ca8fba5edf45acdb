#include "exchange/ui/ImportReport.h"

#include "core/Language.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/WindowRegistry.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}

// A text with a count: the key's singular form ("...1") for one.
QString Counted(const char* key, int n) {
    const QString singular = Say((QByteArray(key) + '1').constData());
    return (n == 1 && !singular.isEmpty() ? singular : Say(key)).arg(n);
}

ImportReportHandler& reportHandler() {
    static ImportReportHandler handler;
    return handler;
}

QLabel* wrappedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}
} // namespace

ImportReportHandler SetImportReportHandler(ImportReportHandler handler) {
    ImportReportHandler previous = reportHandler();
    reportHandler() = std::move(handler);
    return previous;
}

bool ImportNeedsReport(const ImportOutcome& outcome, ImportKind kind) {
    if (!outcome.problems.isEmpty() || !outcome.warnings.isEmpty() ||
        !outcome.unknownColumns.isEmpty())
        return true;
    return kind == ImportKind::File && (outcome.changes.changed > 0 || outcome.changes.removed > 0);
}

bool AskToTakeRowsWithoutProblems(const ImportOutcome& outcome, ImportKind kind) {
    if (!ImportNeedsReport(outcome, kind)) return true;
    if (reportHandler()) return reportHandler()(outcome, kind);
    FrmImportReport report(outcome, kind, DialogParent());
    return report.exec() == QDialog::Accepted;
}

FrmImportReport::FrmImportReport(const ImportOutcome& outcome, ImportKind kind, QWidget* parent)
    : ModalWindow("FrmImportReport", parent) {
    setWindowTitle(Say("ReportTitle"));
    QString rows = Counted("RowsTaken", outcome.goodRows);
    if (outcome.badRows > 0) rows += u' ' + Counted("RowsLeftOut", outcome.badRows);
    auto* summary = wrappedLabel("Label1", rows);
    const ChannelChanges& c = outcome.changes;
    auto* changes = wrappedLabel(
        "LabelChanges", Say("ReportChanges").arg(c.added).arg(c.changed).arg(c.removed));
    auto* unknown = wrappedLabel(
        "LabelUnknown",
        Say("ReportUnknown").arg(outcome.unknownColumns.join(QStringLiteral(", "))));
    unknown->setVisible(!outcome.unknownColumns.isEmpty());
    auto* problems = new QListWidget;
    problems->setObjectName(QStringLiteral("List1"));
    for (const QList<ImportProblem>* list : {&outcome.problems, &outcome.warnings})
        for (const ImportProblem& p : *list)
            problems->addItem(p.text());
    problems->setVisible(problems->count() > 0);
    auto* effect = wrappedLabel("Label2", Say(kind == ImportKind::File ? "ReportImport"
                                                                       : "ReportPaste"));

    auto* fields = new QVBoxLayout;
    fields->addWidget(summary);
    fields->addWidget(changes);
    fields->addWidget(unknown);
    fields->addWidget(problems, 1);
    fields->addWidget(effect);
    QPushButton* accept = layOutWithOkCancel(fields, "CommandOK", "CommandCancel");
    accept->setText(Say(outcome.badRows > 0 ? "ReportAccept" : "ReportAcceptAll"));
    accept->setEnabled(outcome.goodRows > 0 || c.removed > 0);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    // Replacing channels is the step to think about: Enter cancels.
    auto* cancel = findChild<QPushButton*>(QStringLiteral("CommandCancel"));
    cancel->setText(kCaptionCancel());
    accept->setDefault(false);
    cancel->setDefault(true);
    resize(640, 360);
}
