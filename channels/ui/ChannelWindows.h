#pragma once
// How the channel grid and the channel edit window find and follow each other,
// and the program hooks they install while either of them is open.

class FrmCommChInfo;
class FrmCHInfoEdit;

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
