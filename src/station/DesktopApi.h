// The user32 calls that show and hide the desktop icons, as a table so that tests can watch them.
#pragma once

#include <windows.h>

struct DesktopApi {
    decltype(&FindWindowA) findWindow;
    decltype(&GetWindow) getWindow;
    decltype(&ShowWindow) showWindow;
};

// The real functions of user32.
const DesktopApi& RealDesktopApi();
