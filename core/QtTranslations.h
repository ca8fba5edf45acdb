#pragma once
// Qt's own texts (file dialogs, window system menus, the text boxes' standard
// context menus) follow the program's language: Qt's simplified Chinese
// translations are installed while Chinese is active. A missing translation file
// leaves Qt's English texts.

#include "core/Language.h"

// Installs (Chinese) or removes (English) Qt's own translations. Returns true when
// Qt's texts are now in that language.
bool ApplyQtTranslations(Language language);
