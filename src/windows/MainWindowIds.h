// Control and menu identifiers of the main window.
#pragma once

#include <string>

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
    kLink_MoreViews,  // + the view's place among the views below the bar
    kDisableApp1 = 200,
    kEnableApp1,
    kRemoveApp1,
    kExit1,
};

// The id of the link of a view below the location bar, and the view of a link's id; -1 and "" for
// anything else.
int LinkIdOf(const std::string& view);
std::string ViewOfLinkId(int id);
