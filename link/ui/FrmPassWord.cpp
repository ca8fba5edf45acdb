#include "link/ui/FrmPassWord.h"

#include "core/AppState.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/WindowRegistry.h"
#include "link/Password.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const Tr kCaption{QStringLiteral("Program PassWord"), QStringLiteral("编程密码")};
const Tr kLabel{QStringLiteral("PassWord"), QStringLiteral("密码")};

PasswordWindowHandler& handler() {
    static PasswordWindowHandler current;
    return current;
}
} // namespace

FrmPassWord::FrmPassWord(QWidget* parent) : ModalWindow("FrmPassWord", parent) {
    auto* label = new QLabel(kLabel());
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    text_ = new QLineEdit;
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setMaxLength(kPasswordLength);
    text_->setMinimumWidth(Twips(1500));
    auto* row = labelledRow(label, text_, Twips(50)); // label ends 50 twips left of the box
    auto* ok = layOutWithOkCancel(row, "CommandOK", "CommandCancel");

    setWindowTitle(kCaption());
    SetOkCancelCaptions(this);
    text_->setText(app().heldPassword);
    text_->selectAll();

    connect(ok, &QPushButton::clicked, this, &FrmPassWord::ok);
}

void FrmPassWord::ok() {
    app().heldPassword = TrimPasswordEntry(text_->text());
    accept();
}

std::optional<QString> ShowPasswordWindow() {
    if (handler()) return handler()();
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = DialogParent();
    QPointer<FrmPassWord> window = new FrmPassWord(parent);
    const int result = window->exec();
    delete window.data();
    if (result != QDialog::Accepted) return std::nullopt;
    return app().heldPassword;
}

PasswordWindowHandler SetPasswordWindowHandler(PasswordWindowHandler next) {
    PasswordWindowHandler previous = handler();
    handler() = std::move(next);
    return previous;
}
