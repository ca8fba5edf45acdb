#include "core/ui/FrmSetLanguage.h"

#include "core/Language.h"
#include "core/ui/CommonCaptions.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const Tr kCaption{QStringLiteral("Set Language"), QStringLiteral("语言设置")};
const Tr kLabel{QStringLiteral("Language Select"), QStringLiteral("语言选择")};
const Tr kEnglishName{QStringLiteral("English"), QStringLiteral("英语")};
const Tr kChineseName{QStringLiteral("Chinese"), QStringLiteral("中文")};
} // namespace

FrmSetLanguage::FrmSetLanguage(QWidget* parent) : ModalWindow("FrmSetLanguage", parent) {
    label_ = new QLabel;
    label_->setObjectName(QStringLiteral("Label1"));
    list_ = new QComboBox;
    list_->setObjectName(QStringLiteral("Combo1"));
    list_->setMinimumWidth(Twips(2000));
    enterMovesFocus(list_);
    auto* ok = new QPushButton;
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton;
    cancel->setObjectName(QStringLiteral("Command2"));

    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    setWindowTitle(kCaption());
    label_->setText(kLabel());
    SetCommandCaptions(this);

    // Chinese is offered only when the system made the program start in Chinese.
    list_->addItem(kEnglishName());
    if (app().startLanguage == Chinese) list_->addItem(kChineseName());
    list_->setCurrentIndex(
        list_->findText(app().languageIndex == Chinese ? kChineseName() : kEnglishName()));

    connect(ok, &QPushButton::clicked, this, &FrmSetLanguage::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmSetLanguage::ok() {
    const QString chosen = list_->currentText();
    Language language;
    if (chosen == kEnglishName())
        language = English;
    else if (chosen == kChineseName())
        language = Chinese;
    else
        return reject(); // nothing the list offers: no change
    if (language != app().languageIndex) SetCurrentLanguage(language);
    accept();
}
