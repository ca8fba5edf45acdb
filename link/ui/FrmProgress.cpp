#include "link/ui/FrmProgress.h"

#include "core/AppState.h"
#include "core/ui/CommonCaptions.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

namespace {
const Tr kReadCaption{QStringLiteral("Read data from radio"), QStringLiteral("从对讲机读取数据")};
const Tr kWriteCaption{QStringLiteral("Write data to radio"), QStringLiteral("向对讲机写入数据")};
const Tr kCompletion{QStringLiteral("Completion percentage:"), QStringLiteral("完成进度:")};
constexpr int kLabelGap = 10; // twips between the caption and the percentage
} // namespace

FrmProgress::FrmProgress(LinkOperation operation, QWidget* parent)
    : QDialog(parent), operation_(operation) {
    setObjectName(QStringLiteral("FrmProgress"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setCaption(QString());
    setFixedSize(400, 110);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setGeometry(20, 20, 360, 24);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);

    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(250, 62, 60, 22);
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label1_->setText(kCompletion());
    label1_->adjustSize();
    label1_->resize(label1_->width(), label2_->height());
    label1_->move(label2_->x() - label1_->width() - Twips(kLabelGap), label2_->y());

    SetProgressValue(0);
}

void FrmProgress::SetProgressValue(int value) {
    bar_->setValue(value);
    label2_->setText(QStringLiteral("%1%").arg(value));
}

void FrmProgress::setCaption(const QString& caption) {
    if (!caption.isEmpty())
        setWindowTitle(caption);
    else
        setWindowTitle(operation_ == LinkOperation::Write ? kWriteCaption() : kReadCaption());
}

void FrmProgress::runModal() {
    if (finished_) return;
    setModal(true);
    exec();
}

void FrmProgress::finish() {
    finished_ = true;
    if (isVisible()) done(Accepted);
}

void FrmProgress::closeEvent(QCloseEvent* event) {
    if (finished_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void FrmProgress::reject() {
    if (finished_) QDialog::reject(); // Escape does not stop a transfer
}
