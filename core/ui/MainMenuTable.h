#pragma once
// The main window's menus, toolbar and fixed texts in both languages: object
// names, captions, shortcuts, help context numbers and visibility.

#include "core/AppState.h"

#include <vector>

struct MenuItemDef {
    const char* name; // object name
    Tr caption;       // none: a separator line
    const char* shortcut = ""; // several separated by "; "
    int helpId = 0;
    bool visible = true;
    bool checkable = false;
};

struct MenuDef {
    const char* name;
    Tr caption;
    int helpId = 0;
    bool visible = true;
    std::vector<MenuItemDef> items;
};

const std::vector<MenuDef>& MainMenus();
// The caption table of a menu or menu item by object name (empty Tr when unknown).
const Tr& MenuCaption(const char* name);

struct ToolButtonDef {
    int position;                      // identifies the button: 1-14 in the original row,
                                       // later buttons numbered on; separators have no key
    const char* key;                   // nullptr for a separator
    Tr caption{};                      // empty: icon only
    const char* tooltipMenu = nullptr; // menu item whose caption is the tooltip
    Tr tooltip{};                      // used when there is no tooltipMenu
    bool visible = true;
};
const std::vector<ToolButtonDef>& MainToolButtons();

// Fixed two-language texts of the main window and the windows around it.
namespace MainText {
inline const Tr fileNameLabel{QStringLiteral("File Name"), QStringLiteral("文件名")};
inline const Tr portLabel{QStringLiteral("COM"), QStringLiteral("通信口")};
inline const Tr model{QStringLiteral("Model"), QStringLiteral("机型")};
inline const Tr frequency{QStringLiteral("Frequency"), QStringLiteral("频率")};
inline const Tr modelInformation{QStringLiteral("Model Information"), QStringLiteral("机型信息")};
} // namespace MainText
