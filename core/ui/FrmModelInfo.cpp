#include "core/ui/FrmModelInfo.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/DocumentEdits.h"
#include "core/MessageBox.h"
#include "core/Messages.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/MainMenuTable.h"
#include "core/ui/MainWindowApi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmModelInfo::FrmModelInfo(QWidget* parent) : ModalWindow("FrmModelInfo", parent) {
    auto* modelLabel = new QLabel(MainText::model());
    modelLabel->setObjectName(QStringLiteral("Label1_0"));
    auto* bandLabel = new QLabel(MainText::frequency());
    bandLabel->setObjectName(QStringLiteral("Label1_1"));
    model_ = new QComboBox;
    model_->setObjectName(QStringLiteral("Combo1"));
    band_ = new QComboBox;
    band_->setObjectName(QStringLiteral("Combo2"));
    band_->setMinimumWidth(Twips(2400));
    enterMovesFocus(model_);
    enterMovesFocus(band_);
    auto* grid = new QGridLayout;
    grid->addWidget(modelLabel, 0, 0);
    grid->addWidget(model_, 0, 1);
    grid->addWidget(bandLabel, 1, 0);
    grid->addWidget(band_, 1, 1);
    auto* ok = layOutWithOkCancel(grid, "Command1", "Command2");

    setWindowTitle(MainText::modelInformation());
    SetCommandCaptions(this);

    model_->addItem(app().displayModelName);
    band_->addItems(BandTexts());
    band_->setCurrentIndex(qMax(0, band_->findText(app().bandText)));

    connect(ok, &QPushButton::clicked, this, &FrmModelInfo::ok);
}

void FrmModelInfo::ok() {
    AppState& s = app();
    if (band_->currentText() == s.bandText && model_->currentText() == s.displayModelName)
        return accept();
    if (ShowMessage(MessageText(Msg::FreqDataCleared), MsgButtons::OkCancel, MsgIcon::Warning,
                    MessageText(Msg::TitleWarning)) != MsgAnswer::Ok)
        return reject();
    // The band change and the new document built for it are one change.
    const DocumentEdit edit;
    s.displayModelName = model_->currentText();
    s.bandText = band_->currentText();
    s.document.model.modelName.assignTerminated(s.currentModel.toLatin1());
    s.document.model.bandIndex = BandIndexOf(s.bandText);
    SetBandLimits();
    accept();
    // A new document for the new band, from its template.
    LoadNewDoc();
}
