#include "features/ui/FrmEmbMsg.h"

#include "core/AppState.h"
#include "core/DocumentEdits.h"
#include "core/ui/CommonCaptions.h"
#include "features/FeatureCaptions.h"
#include "features/MessageLines.h"
#include "features/ui/EditorParts.h"

#include <QLineEdit>

namespace {
using namespace MessageCaptions;
constexpr int kHelpContext = 3700;

FixedText<32>& line(int k) {
    SettingsRecord& settings = app().document.settings;
    return k == 0 ? settings.messageText1 : settings.messageText2;
}
} // namespace

FrmEmbMsg::FrmEmbMsg(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmEmbMsg"));
    setWindowTitle(kCaption());
    setFixedSize(440, 150);
    for (int k = 0; k < 2; ++k) {
        auto* box = new QLineEdit(this);
        box->setObjectName(ControlName("Text1", k));
        box->setGeometry(20, 20 + 34 * k, 400, 26);
        box->setMaxLength(kMessageLineLength);
        box->setText(MessageLineText(line(k)));
        SuppressContextMenu(box);
        InstallKeyFilter(box, [](int code) {
            if (code == '\r' || code == '\n') return -1;
            return MessageKeyPasses(code) ? code : 0;
        });
        StoreOnCommit(box, [box, k] {
            const DocumentEdit edit;
            StoreMessageLine(box->text(), line(k));
        });
        text1_[k] = box;
    }
    AddHelpCloseButtons(this, 230, 106, kHelpContext);
    InstallContextHelp(this, kHelpContext);
}

void FrmEmbMsg::reshowDocument() {
    for (int k = 0; k < 2; ++k)
        text1_[k]->setText(MessageLineText(line(k)));
}

void FrmEmbMsg::commitPendingEdit() {
    for (QLineEdit* box : text1_)
        CommitBox(box);
}

void FrmEmbMsg::closeEvent(QCloseEvent* event) {
    commitPendingEdit();
    QWidget::closeEvent(event);
}
