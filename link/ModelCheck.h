#pragma once
// The model and band check of a transfer: the radio's identification against the
// current model and band. Its message and question go through ShowMessage.

#include <QByteArray>
#include <QString>

// Passes when both agree; a different model shows "Model type is wrong." and
// fails; the same model on another band asks whether to overwrite (OK passes).
bool CheckModelAndBand(const QString& radioModel, int radioBand);
// The same from the 14-byte identification reply (model in bytes 1..5, band in byte 6).
bool CheckModelAndBand(const QByteArray& identification);
// The model identifier of an identification reply.
QString RadioModelOf(const QByteArray& identification);
