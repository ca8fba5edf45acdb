#include "channels/ui/ChannelWindows.h"

#include "channels/ChannelGridState.h"
#include "channels/ui/FrmCHInfoEdit.h"
#include "channels/ui/FrmCommChInfo.h"
#include "core/Hooks.h"
#include "core/ui/WindowRegistry.h"

FrmCommChInfo* OpenChannelGrid() {
    return qobject_cast<FrmCommChInfo*>(FindOpenWindow(QStringLiteral("frmCommChInfo")));
}

FrmCHInfoEdit* OpenChannelEditWindow() {
    return qobject_cast<FrmCHInfoEdit*>(FindOpenWindow(QStringLiteral("FrmCHInfoEdit")));
}

void RefreshOpenChannelWindows() {
    if (FrmCommChInfo* grid = OpenChannelGrid()) grid->reShowGrid();
    if (FrmCHInfoEdit* edit = OpenChannelEditWindow()) edit->SetGridEditData(true);
}

void ChannelWindowOpened() {
    hooks().channelsChanged = RefreshOpenChannelWindows;
    hooks().resetGridEditState = ResetGridEditState;
}

void ChannelWindowClosed() {
    const ChannelGridState& s = gridState();
    if (s.gridOpen || s.editOpen) return;
    hooks().channelsChanged = nullptr;
    hooks().resetGridEditState = nullptr;
}

namespace {
ChannelGridExtension& gridExtension() {
    static ChannelGridExtension extension;
    return extension;
}
} // namespace

void SetChannelGridExtension(ChannelGridExtension extension) {
    gridExtension() = std::move(extension);
}

void ExtendChannelGrid(QTableWidget* grid, QWidget* window) {
    if (gridExtension()) gridExtension()(grid, window);
}
