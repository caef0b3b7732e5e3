// AboutWindow: the program's name and version, and two links to its web pages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "GdiObjects.h"
#include "WindowBase.h"

class AboutWindow : public WindowBase {
public:
    // Hands an address to the system's default handler; tests record it instead.
    using LinkOpener = std::function<void(HWND owner, const std::string& address)>;

    AboutWindow(HWND mainWindow, LinkOpener openLink = {});

    // Shows the window modally over the main window until it is closed.
    void ShowModal();

    static constexpr const char* kWebAddress = "https://tellurin.example.org";
    static constexpr const char* kProductAddress = "https://tellurin.example.org/tellurin";

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CentreOnMainWindow();
    void CreateControls();
    void Paint();
    void OkButtonClick();
    void FormClose();
    void OpenLinkOf(int labelId);

    HWND mainWindow_;
    LinkOpener openLink_;
    UniqueGdiObject background_;
    UniqueGdiObject logo_;
    UniqueIcon icon_;        // 48 x 48: the window's icon, and the picture at 96 DPI
    UniqueIcon scaledIcon_;  // the picture at other scales
    int scaledIconSize_ = 0;
    HWND tooltip_ = nullptr;
};

enum AboutWindowId {
    kLabel_Credits = 300,
    kVrScrollText1,
    kLabel_Version,
    kLabel_WebCaption,
    kLabel_Link,
    kLabel_ProductCaption,
    kLabel_Product,
    kLabel_Logo_1,
    kLabel_Logo_2,
    kOkButton,
    kAboutCopyright,
};
