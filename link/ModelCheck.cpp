#include "link/ModelCheck.h"

#include "core/Ansi.h"
#include "core/AppState.h"
#include "core/Band.h"
#include "core/MessageBox.h"
#include "core/Messages.h"

bool CheckModelAndBand(const QString& radioModel, int radioBand) {
    const QString model = app().currentModel.trimmed();
    if (model != radioModel) {
        ShowMessage(MessageText(Msg::ModelWrong), MsgButtons::Ok);
        return false;
    }
    if (BandIndexOf(app().bandText) != radioBand) {
        return ShowMessage(MessageText(Msg::BandDifferent), MsgButtons::OkCancel,
                           MsgIcon::Warning) == MsgAnswer::Ok;
    }
    return true;
}

QString RadioModelOf(const QByteArray& identification) {
    return FromAnsi(identification.mid(1, 5));
}

bool CheckModelAndBand(const QByteArray& identification) {
    // A reply too short to carry a band cannot name this model and band.
    if (identification.size() <= 6) {
        ShowMessage(MessageText(Msg::ModelWrong), MsgButtons::Ok);
        return false;
    }
    return CheckModelAndBand(RadioModelOf(identification),
                             static_cast<std::uint8_t>(identification[6]));
}
