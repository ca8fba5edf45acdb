#pragma once
// The band list and the current band limits.

#include "core/Document.h"

#include <QString>
#include <QStringList>

const QStringList& BandTexts(); // "136 - 174 MHz", "200 - 260 MHz", "400 - 480 MHz"
QString BandTextOf(int16 index);
int16 BandIndexOf(const QString& text);
// bandLower/bandUpper of the program state from its bandText.
void SetBandLimits();
