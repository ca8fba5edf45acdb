#pragma once
// The report shown when rows of an import or a paste break the channel rules:
// each problem with its line and column, and the question whether to take the
// rows without problems. Tests answer it through a replaceable handler, as they
// answer message boxes.

#include "core/ui/ModalWindow.h"
#include "exchange/ChannelImport.h"

#include <functional>

enum class ImportKind { File, Paste };

// True when the rows without problems are to be taken.
using ImportReportHandler = std::function<bool(const ImportOutcome&, ImportKind)>;
// Installs the handler (an empty one restores the report window); returns the previous one.
ImportReportHandler SetImportReportHandler(ImportReportHandler handler);
bool AskToTakeRowsWithoutProblems(const ImportOutcome& outcome, ImportKind kind);

class FrmImportReport : public ModalWindow {
    Q_OBJECT
  public:
    FrmImportReport(const ImportOutcome& outcome, ImportKind kind, QWidget* parent = nullptr);
};
