#pragma once
// The shared message table in English and Chinese.

#include <QString>

enum class Msg {
    NeedOneChannel,
    AllDataCleared,
    LabelDataFile,
    FileError,
    FileVersionError,
    CannotOpenPort,
    ReadConfirm,
    WriteConfirm,
    SaveModified,
    Overwrite,
    CheckConnection,
    ReadCompleted,
    WriteCompleted,
    ModelWrong,
    BandDifferent,
    FreqDataCleared,
    CaptionOK,
    CaptionCancel,
    TitleWarning,
    FreqOutOfRange,
};

QString MessageText(Msg entry);
QString MessageText(Msg entry, int language);
