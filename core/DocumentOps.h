#pragma once
// Operations on the open document and its saved copy.

#include "core/Document.h"

#include <QString>

// The new document: defaults, then the template of the current model and band.
// False when no template could be used (said in a message; the defaults stand).
bool InitNewDocument();
void StoreSavedCopy();
void LoadFromSavedCopy();
void ApplyDocumentModel(const ModelRecord& model);
bool DocumentEquals();
inline bool IsModified() {
    return !DocumentEquals();
}

QString RemoveAll(const QString& text, const QString& part);
// The part after the last "\" or "/".
QString FileNameOf(const QString& path);
