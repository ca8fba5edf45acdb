// The link's commands and the ends of its operations: starting a read, a write,
// a radio-information read or an image transfer, and what follows a completed
// read.
#include "link/LinkTransfer.h"

#include "core/AppState.h"
#include "core/DataFile.h"
#include "core/DocumentOps.h"
#include "core/ProgramFolder.h"
#include "link/ImageConversion.h"
#include "link/LinkModal.h"
#include "link/RadioInfoImage.h"

#include <QFileInfo>
#include <algorithm>

// "Setting.ini" holds the radio flags; it is rewritten when a read changed them
// (or when it is missing), so an unchanged file is not synced to disk again.
void RadioLink::storeRadioFlags(const std::array<int16, 3>& before) {
    if (app().radioFlags != before ||
        !QFileInfo::exists(UserPath(QStringLiteral("Setting.ini"))))
        WriteSettingsFile();
}

void RadioLink::afterRead() {
    if (ui_) ui_->beforeDocumentReplaced();
    const auto flags = app().radioFlags;
    ImageToRecords();
    app().documentName = QStringLiteral("new.dat");
    app().isNewDocument = true;
    storeRadioFlags(flags);
    if (ui_) ui_->documentReplaced();
}

void RadioLink::afterRadioInfo() {
    const auto flags = app().radioFlags;
    ApplyRadioInfoFromImage();
    storeRadioFlags(flags);
    if (ui_) {
        ModalScope modal(modalDepth_);
        ui_->showRadioInfo();
    }
}

// The commands below the windows.

// A command that stops before its transfer started leaves the link idle.
bool RadioLink::abandonStart() {
    t_.operation = 0;
    ownImage_ = false;
    checkModel_ = true;
    checked_ = false;
    blockList_.clear();
    ui_ = nullptr;
    return false;
}

bool RadioLink::confirmStart(LinkUi& ui, Msg question) {
    ModalScope modal(modalDepth_);
    return ui.confirm(MessageText(question));
}

// The port is open, or is opened again; otherwise the user is told.
bool RadioLink::portOpenOrSay(LinkUi& ui) {
    if (port_->isOpen() || reopenPort()) return true;
    ModalScope modal(modalDepth_);
    ui.showMessage(cannotOpenText(), MsgIcon::Error);
    return false;
}

bool RadioLink::startRead(LinkUi& ui) {
    if (running()) return false;
    ui_ = &ui;
    t_.operation = 1;
    t_.readStep = 0;
    if (!OpenLink()) return abandonStart();
    if (port_->isOpen()) port_->close();
    if (!confirmStart(ui, Msg::ReadConfirm)) return abandonStart();
    checked_ = checkedReads_;
    FillImage();
    if (!portOpenOrSay(ui)) return abandonStart();
    ui.progressReset();
    StartHandshake();
    ui.progressOpened(LinkOperation::Read);
    return true;
}

bool RadioLink::startWrite(LinkUi& ui) {
    if (running()) return false;
    if (app().document.channelCount <= 0) {
        ui.showMessage(MessageText(Msg::NeedOneChannel), MsgIcon::None);
        return false;
    }
    ui_ = &ui;
    t_.operation = 2;
    t_.writeStep = 0;
    if (!OpenLink()) return abandonStart();
    if (!confirmStart(ui, Msg::WriteConfirm)) {
        if (port_->isOpen()) port_->close();
        return abandonStart();
    }
    FillImage();
    RecordsToImage();
    if (!portOpenOrSay(ui)) return abandonStart();
    // The confirmation left time for bytes to arrive or the port to fail.
    pendingError_ = false;
    ui.progressReset();
    StartHandshake();
    ui.progressOpened(LinkOperation::Write);
    return true;
}

bool RadioLink::startRadioInfo(LinkUi& ui) {
    if (running()) return false;
    ui_ = &ui;
    t_.operation = 3;
    t_.readStep = 0;
    if (!OpenLink()) return abandonStart();
    FillImage();
    StartHandshake();
    return true;
}

RadioImage& RadioLink::transferImage() {
    return ownImage_ ? image_ : app().image;
}

bool RadioLink::startReadImage(LinkUi& ui, int endAddress, bool checkModel, bool checked) {
    if (running()) return false;
    image_.fill(0xFF);
    imageEnd_ = std::clamp(endAddress, 1, kImageSize);
    checkModel_ = checkModel;
    checked_ = checked;
    return beginImageTransfer(ui, LinkOperation::Read);
}

bool RadioLink::startReadBlocks(LinkUi& ui, const QList<int>& blockAddresses) {
    if (running() || blockAddresses.isEmpty()) return false;
    image_.fill(0xFF);
    blockList_ = blockAddresses;
    std::sort(blockList_.begin(), blockList_.end());
    imageEnd_ = std::clamp(blockList_.constLast() + 64, 1, kImageSize);
    checkModel_ = false;
    return beginImageTransfer(ui, LinkOperation::Read);
}

bool RadioLink::startWriteImage(LinkUi& ui, const RadioImage& image) {
    if (running()) return false;
    image_ = image;
    return beginImageTransfer(ui, LinkOperation::Write);
}

bool RadioLink::beginImageTransfer(LinkUi& ui, LinkOperation operation) {
    ui_ = &ui;
    ownImage_ = true;
    t_.operation = static_cast<int16>(operation);
    t_.readStep = 0;
    t_.writeStep = 0;
    if (!OpenLink()) return abandonStart();
    ui.progressReset();
    StartHandshake();
    ui.progressOpened(operation);
    return true;
}
