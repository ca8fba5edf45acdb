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

ImportReportHandler& reportHandler() {
    static ImportReportHandler handler;
    return handler;
}
} // namespace

ImportReportHandler SetImportReportHandler(ImportReportHandler handler) {
    ImportReportHandler previous = reportHandler();
    reportHandler() = std::move(handler);
    return previous;
}

bool AskToTakeRowsWithoutProblems(const ImportOutcome& outcome, ImportKind kind) {
    if (reportHandler()) return reportHandler()(outcome, kind);
    FrmImportReport report(outcome, kind, DialogParent());
    return report.exec() == QDialog::Accepted;
}

FrmImportReport::FrmImportReport(const ImportOutcome& outcome, ImportKind kind, QWidget* parent)
    : ModalWindow("FrmImportReport", parent) {
    setWindowTitle(Say("ReportTitle"));
    auto* summary = new QLabel(Say("ReportSummary").arg(outcome.goodRows).arg(outcome.badRows));
    summary->setObjectName(QStringLiteral("Label1"));
    summary->setWordWrap(true);
    auto* problems = new QListWidget;
    problems->setObjectName(QStringLiteral("List1"));
    for (const ImportProblem& p : outcome.problems)
        problems->addItem(p.text());
    auto* effect = new QLabel(Say(kind == ImportKind::File ? "ReportImport" : "ReportPaste"));
    effect->setObjectName(QStringLiteral("Label2"));
    effect->setWordWrap(true);

    auto* fields = new QVBoxLayout;
    fields->addWidget(summary);
    fields->addWidget(problems, 1);
    fields->addWidget(effect);
    QPushButton* accept = layOutWithOkCancel(fields, "CommandOK", "CommandCancel");
    accept->setText(Say("ReportAccept"));
    accept->setEnabled(outcome.goodRows > 0);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    // Taking only part of the rows is the step to think about: Enter cancels.
    auto* cancel = findChild<QPushButton*>(QStringLiteral("CommandCancel"));
    cancel->setText(kCaptionCancel());
    accept->setDefault(false);
    cancel->setDefault(true);
    resize(640, 360);
}
