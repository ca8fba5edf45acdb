#pragma once
// How the channel grid and the channel edit window find and follow each other,
// and the program hooks they install while either of them is open.

#include <functional>

class FrmCommChInfo;
class FrmCHInfoEdit;
class QTableWidget;
class QWidget;

// The open windows, or nullptr.
FrmCommChInfo* OpenChannelGrid();
FrmCHInfoEdit* OpenChannelEditWindow();

// The channel table changed: the open grid redisplays its group and the open edit
// window reloads its channel.
void RefreshOpenChannelWindows();

// Called when a channel window opens or closes: the hooks stay installed while at
// least one of the two windows is open.
void ChannelWindowOpened();
void ChannelWindowClosed();

// What other parts of the program add to the channel grid window (row selection,
// the clipboard): installed once at start-up, called by every new grid window
// with its grid and itself once they are built. Single-cell editing stays the
// grid's own.
using ChannelGridExtension = std::function<void(QTableWidget* grid, QWidget* window)>;
void SetChannelGridExtension(ChannelGridExtension extension);
void ExtendChannelGrid(QTableWidget* grid, QWidget* window);
