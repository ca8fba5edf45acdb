#include "exchange/ui/ImportReport.h"

#include "core/Language.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/WindowRegistry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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

    auto* accept = new QPushButton(Say("ReportAccept"));
    accept->setObjectName(QStringLiteral("CommandOK"));
    accept->setEnabled(outcome.goodRows > 0);
    auto* cancel = new QPushButton(kCaptionCancel());
    cancel->setObjectName(QStringLiteral("CommandCancel"));
    cancel->setDefault(true); // taking part of the rows is the step to think about
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(problems, 1);
    layout->addWidget(effect);
    layout->addLayout(buttons);
    resize(640, 360);
}
