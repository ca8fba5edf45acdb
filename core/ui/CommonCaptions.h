#pragma once
// The common button captions every window takes from the language tables.

#include "core/AppState.h"

class QWidget;

inline const Tr kCaptionClose{QStringLiteral("&Close"), QStringLiteral("关闭(&C)")};
inline const Tr kCaptionHelp{QStringLiteral("&Help"), QStringLiteral("帮助(&H)")};
inline const Tr kCaptionOK{QStringLiteral("&OK"), QStringLiteral("确定(&O)")};
inline const Tr kCaptionCancel{QStringLiteral("&Cancel"), QStringLiteral("取消(&C)")};

// Each sets the caption of the window's button with that object name, when present.
void SetCloseCaption(QWidget* window);      // CommandClose
void SetHelpCaption(QWidget* window);       // CommandHelp
void SetCloseHelpCaptions(QWidget* window); // both
void SetOkCancelCaptions(QWidget* window);  // CommandOK, CommandCancel
void SetCommandCaptions(QWidget* window);   // Command1 (OK), Command2 (Cancel)

// Text boxes whose context menu must not open.
void SuppressContextMenu(QWidget* textBox);
void RestoreContextMenu(QWidget* textBox);

// Twips to pixels (15 twips per pixel).
constexpr int Twips(int twips) {
    return twips / 15;
}
