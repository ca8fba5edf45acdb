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
    auto* row = labelledRow(label_, list_);
    auto* ok = layOutWithOkCancel(row, "Command1", "Command2");

    setWindowTitle(kCaption());
    label_->setText(kLabel());
    SetCommandCaptions(this);

    // Chinese is offered only when the system made the program start in Chinese.
    list_->addItem(kEnglishName());
    if (app().startLanguage == Chinese) list_->addItem(kChineseName());
    list_->setCurrentIndex(
        list_->findText(app().languageIndex == Chinese ? kChineseName() : kEnglishName()));

    connect(ok, &QPushButton::clicked, this, &FrmSetLanguage::ok);
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
