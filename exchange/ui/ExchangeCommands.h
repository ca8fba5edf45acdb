#pragma once
// The File menu's channel commands and the windows of channel exchange.

// Export Channels (CSV): the channel table to a file the user chooses.
void ExportChannelsCsvCommand();
// Import Channels (CSV): a file's channels replace the channel table, as one
// change, after the report when rows have problems.
void ImportChannelsCsvCommand();

// Registers the commands, the print-list window and the grid's row selection.
void RegisterExchangeWindows();
