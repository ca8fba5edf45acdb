#pragma once
// The link's item of the Setting menu: "Check Reads" (a read from the radio
// reads every block until two reads agree), kept in mysetup.ini.

class FrmMain;

void InstallLinkMenus(FrmMain& main);
