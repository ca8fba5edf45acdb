#include "core/ui/Help.h"

// Placeholder until the help window exists.
void ShowHelpContext(int, QWidget*) {}
void ShowHelpTopics(QWidget*) {}
