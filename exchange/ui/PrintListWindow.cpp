#include "exchange/ui/PrintListWindow.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/Language.h"
#include "core/MessageBox.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/FileCommands.h"
#include "exchange/ui/SheetPrinter.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString Say(const char* key) {
    return LanguageText(QStringLiteral("Exchange"), QLatin1String(key));
}
} // namespace

FrmPrintList::FrmPrintList(QWidget* parent) : ModalWindow("FrmPrintList", parent) {
    setWindowTitle(QStringLiteral("打印列表"));
    html_ = OpenDocumentSheetHtml();
    printer_ = new QPrinter(QPrinter::HighResolution);
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    preview_ = new QPrintPreviewWidget(printer_, this);
    preview_->setObjectName(QStringLiteral("Preview1"));
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { PrintChannelSheet(html_, printer); });

    auto* printButton = new QPushButton(Say("PrintButton"));
    printButton->setObjectName(QStringLiteral("CommandPrint"));
    auto* pdfButton = new QPushButton(Say("PdfButton"));
    pdfButton->setObjectName(QStringLiteral("CommandPdf"));
    auto* closeButton = new QPushButton(kCaptionClose());
    closeButton->setObjectName(QStringLiteral("CommandClose"));
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(printButton);
    buttons->addWidget(pdfButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    resize(820, 900);
    preview_->fitToWidth();
}

FrmPrintList::~FrmPrintList() {
    delete preview_; // before the printer it paints on
    preview_ = nullptr;
    delete printer_;
}

void FrmPrintList::print() {
    QPrintDialog dialog(printer_, this);
    if (dialog.exec() == QDialog::Accepted) PrintChannelSheet(html_, printer_);
}

bool FrmPrintList::saveAsPdf() {
    const QString start = QFileInfo(app().documentName).completeBaseName() + QStringLiteral(".pdf");
    QString path = AskFileName({true, RemoveAll(Say("PdfButton"), QStringLiteral("&")), start,
                                Say("PdfFilter") + QStringLiteral(" (*.pdf)")});
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    if (WriteFileSafely(path, ChannelSheetPdf(html_))) return true;
    ShowMessage(Say("WriteFailed").arg(path), MsgButtons::Ok, MsgIcon::Warning);
    return false;
}
