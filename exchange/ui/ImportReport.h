#pragma once
// The report shown before an import or a paste is taken, when it has something
// to say: rows that break the channel rules (each with its line and column),
// values taken as they stand, columns not recognised, and how many channels are
// added, changed and removed. Nothing happens until the user accepts. Tests
// answer it through a replaceable handler, as they answer message boxes.

#include "core/ui/ModalWindow.h"
#include "exchange/ChannelImport.h"

#include <functional>

enum class ImportKind { File, Paste };

// True when the import (the rows without problems) is to be taken.
using ImportReportHandler = std::function<bool(const ImportOutcome&, ImportKind)>;
// Installs the handler (an empty one restores the report window); returns the previous one.
ImportReportHandler SetImportReportHandler(ImportReportHandler handler);
// Asks when the outcome needs the report (see ImportNeedsReport), else true at once.
bool AskToTakeRowsWithoutProblems(const ImportOutcome& outcome, ImportKind kind);
// An outcome with problems, warnings or unknown columns needs the report; a file
// import also when it changes or removes channels.
bool ImportNeedsReport(const ImportOutcome& outcome, ImportKind kind);

class FrmImportReport : public ModalWindow {
    Q_OBJECT
  public:
    FrmImportReport(const ImportOutcome& outcome, ImportKind kind, QWidget* parent = nullptr);
};
