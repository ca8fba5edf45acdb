#include "core/ui/MainMenuTable.h"

#include "core/Language.h"

#include <cstring>

namespace {
Tr t(const char* en, const char* zh) {
    return Tr{QString::fromUtf8(en), QString::fromUtf8(zh)};
}
// A caption from the language files.
Tr text(const char* section, const char* key) {
    return LanguageTextPair(QLatin1String(section), QLatin1String(key));
}
} // namespace

const std::vector<MenuDef>& MainMenus() {
    static const std::vector<MenuDef> menus = {
        {"mnuFile",
         t("&File", "文件&F"),
         100,
         true,
         {
             {"mnuFileNew", t("&New", "新建(&N)"), "Ctrl+N", 101},
             {"mnuFileOpen", t("&Open", "打开(&O)"), "Ctrl+O", 102},
             {"mnuFileSave", t("&Save", "保存(&S)"), "", 103},
             {"mnuFileSaveAs", t("Save &As", "另存为(&A)"), "", 104},
             {"mnuFileCompare", text("Compare", "MenuCompareFile")},
             {"mnuFileBar0", {}},
             {"mnuFileExportCsv", t("&Export Channels (CSV)...", "导出信道 (CSV)(&E)..."), "", 100},
             {"mnuFileImportCsv", t("&Import Channels (CSV)...", "导入信道 (CSV)(&I)..."), "", 100},
             {"mnuFilePrint", t("&Print", "打印(&P)"), "", 0, false},
             {"mnuFileBar1", {}},
             {"mnuFileExit", t("E&xit", "退出(&X)"), "", 105},
         }},
        {"mnuModel",
         t("&Model", "机型(&M)"),
         200,
         true,
         {
             {"mnuModelInfo", t("&Model Information", "机型信息(&M)"), "", 201},
         }},
        {"mnuEdit",
         t("&Edit", "编辑(E)"),
         300,
         true,
         {
             {"mnuEditUndo", text("History", "Undo"), "Ctrl+Z"},
             {"mnuEditRedo", text("History", "Redo"), "Ctrl+Y; Ctrl+Shift+Z"},
             {"mnuEditBarUndo", {}},
             {"mnuChannelInfo", t("&Channel Information", "信道信息(&C)"), "", 3100},
             {"mnuEditBar0", {}},
             {"mnuOptFeature", t("&Function Setup", "功能设定(&O)"), "", 3200},
             {"mnuKeyAssignm", t("&Key Setting", "键设置(&K)"), "", 3400},
             {"mnuScanInfo", t("&Scan Information", "扫描信息(&S)"), "", 3500},
             {"mnuEditBar1", {}},
             {"mnuDTMF", t("&DTMF", "DTMF(双音多频)(&D)"), "", 0, false},
             {"mnuFleetLink", t("&Fleet Link", "Fleet Link(队列同步)(&F)"), "", 0, false},
             {"mnuEditBar2", {}},
             {"mnuTestFre", t("&Test FreQuence", "测试频率(&T)"), "", 0, false},
             {"mnuEmbeddedMsg", t("&Local Message", "嵌入信息(&M)"), "", 3700},
             {"mnuEMG", t("Embedded &Message", "本机信息(&I)"), "", 3800},
             {"mnuEditBar3", {}},
             {"MnuBatch", t("&Batch ChannelEdit", "批信道编辑(&B)"), "", 3900},
         }},
        {"mnuProgram",
         t("&Program", "编程(&P)"),
         400,
         true,
         {
             {"mnuReadFromRadio", t("&Read from Radio", "从对讲机读取数据(&R)"), "", 401},
             {"mnuWriteToRadio", t("&Write to Radio", "向对讲机写入数据(&W)"), "", 402},
             {"mnuTest", t("&Test Mode", "测试模式(&T)"), "", 0, false},
             {"mnuMWriteToRadio", t("&Multiple Write to Radio", "批量写入对讲机(&M)"), "", 0,
              false},
             {"mnuCompareRadio", text("Compare", "MenuCompareRadio")},
             {"mnuProgramBar0", {}},
             {"MnuProPassWord", t("&PassWord", "密码(&P)"), "", 403},
         }},
        {"mnuTools",
         t("&Tools", "工具(&T)"),
         0,
         false,
         {
             {"mnuRadioInfo", t("&Radio Information", "对讲机信息(&R)")},
             {"mnuSetRadioInfo", t("&Set Radio Information", "设置对讲机信息(&S)")},
         }},
        {"mnuSet",
         t("&Setting", "设置(&S)"),
         500,
         true,
         {
             {"mnuComm", t("Set &COM", "串口设置(&C)"), "", 501},
             {"mnuLanguage", t("Set &Language", "语言设置(&L)"), "", 502},
         }},
        {"mnuView",
         t("&View", "视图(&V)"),
         600,
         true,
         {
             {"mnuTreeView", t("Tree &View", "树视图(&V)"), "", 601, true, true},
             {"mnuViewBar0", {}},
             {"mnuViewToolbar", t("&Toolbar", "工具栏(&T)"), "", 602, true, true},
             {"mnuViewStatusBar", t("&Status Bar", "状态栏(&S)"), "", 603, true, true},
         }},
        {"mnuWindow",
         t("&Window", "窗口(&W)"),
         700,
         true,
         {
             {"mnuWindowCascade", t("&Cascade", "层叠(&C)"), "", 701},
             {"mnuWindowTileHorizontal", t("Tile Windows &Horizontally", "横向平铺窗口(&H)"), "", 0,
              false},
             {"mnuWindowTileVertical", t("Tile Windows &Vertically", "纵向平铺窗口(&V)"), "", 0,
              false},
             {"mnuWindowArrangeIcons", t("&Arrange Icons", "排列图标(&A)"), "", 0, false},
             {"mnuWindowBar0", {}},
             {"mnuCloseAll", t("Close All &Windows", "关闭所有窗口(&W)"), "", 702},
             {"mnuWindowBar1", {}},
         }},
        {"mnuHelp",
         t("&Help", "帮助(&H)"),
         800,
         true,
         {
             {"mnuHelpTopic", t("&Help topics", "帮助主题(&H)"), "", 801},
             {"mnuHelpBar0", {}},
             {"mnuHelpAbout", t("&About ZR580", "关于 ZR580(&A)"), "", 802},
         }},
    };
    return menus;
}

const Tr& MenuCaption(const char* name) {
    static const Tr none;
    for (const MenuDef& menu : MainMenus()) {
        if (std::strcmp(menu.name, name) == 0) return menu.caption;
        for (const MenuItemDef& item : menu.items)
            if (std::strcmp(item.name, name) == 0) return item.caption;
    }
    return none;
}

const std::vector<ToolButtonDef>& MainToolButtons() {
    static const std::vector<ToolButtonDef> buttons = {
        {1, "新建", t("New", "新建"), "mnuFileNew"},
        {2, "打开", t("Open", "打开"), "mnuFileOpen"},
        {3, "保存", t("Save", "保存"), "mnuFileSave"},
        {15, "Undo", text("History", "UndoButton"), "mnuEditUndo"},
        {16, "Redo", text("History", "RedoButton"), "mnuEditRedo"},
        {4, nullptr, {}},
        {5, "打印", t("打印", "打印"), "mnuFilePrint"},
        {6, nullptr, {}},
        {7, "ReadRadio", t("Read", "读数"), "mnuReadFromRadio"},
        {8, "CommSet", {}, "mnuComm"},
        {9, "WriteRadio", t("Write", "写数"), "mnuWriteToRadio"},
        {10, nullptr, {}},
        {11, "MWriteRadio", {}, nullptr, {}, false},
        {12, nullptr, {}},
        {13, "About", t("Help", "帮助"), nullptr, t("Help", "帮助")},
        {14, "Exit", t("Exit", "退出"), "mnuFileExit"},
    };
    return buttons;
}
