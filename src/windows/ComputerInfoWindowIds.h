// Control identifiers of the Computer Information window.
#pragma once

enum ComputerInfoId {
    kLE_Computer = 400,
    kButton_GetValues,
    kLE_OwnersName,
    kLE_Organization,
    kButton_WriteValues,
    kLE_HomePage,
    kLE_Proxy,
    kButton_SetProxy,
    kButton_SetHomePage,
    kRB_ProxyEnabled,
    kRB_ProxyDisabled,
    kButton_Close,
    kCB_CheckAll,
    kaButton,
    kxminButton,
    kxButton,
    kFrame,
    kFooter,
    kHeadingSystem,
    kHeadingInternetExplorer,
    kHeadingErrorMessages,
    kFieldLabels = 450,  // one per labelled edit, in the order of the edits
    kRules = 460,        // the four accent rules
    kSwitchBoxes = 500,  // + the SwitchBox number
};
