// Control and menu identifiers of the main window.
#pragma once

enum MainWindowId {
    kXPBar_Location = 100,
    kXPBar_Users,
    kUsersList,
    kLabel_Splitter,
    kStartUpListView,
    kLabel_preInstall,
    kLE_ApplicationPath,
    kButton_Browse,
    kButton_ComputerInfo,
    kLE_ApplicationName,
    kButton_Add,
    kButton_About,
    kLabel_StartUpApps,
    kLabel_Copyright,
    kLabel_ApplicationPath,
    kLabel_ApplicationName,
    kDisableApp1 = 200,
    kEnableApp1,
    kRemoveApp1,
    kExit1,
};
