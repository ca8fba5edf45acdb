#pragma once
// Operations on the open document and its saved copy.

#include "core/Document.h"

#include <QString>

void InitNewDocument();
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
