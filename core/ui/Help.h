#pragma once
// The help books (one per language, in the program folder) shown in a help window.

class QWidget;
class QTextBrowser;

// Opens the page of a help context number in the current language's book.
void ShowHelpContext(int contextId, QWidget* owner = nullptr);
// Opens the contents page of the current language's book.
void ShowHelpTopics(QWidget* owner = nullptr);
// The browser of the open help window, or nullptr.
QTextBrowser* CurrentHelpBrowser();
