// Routes a window's messages to its C++ object, every handler through the default error display.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "GdiObjects.h"
#include "Dpi.h"

// A child control of the given class; WS_CHILD is added to the style.
HWND CreateChild(HWND parent,
                 const char* className,
                 const char* text,
                 DWORD style,
                 int id,
                 int left,
                 int top,
                 int width,
                 int height,
                 DWORD exStyle = 0);
// Gives a control the window's font (the window keeps the font alive).
void SetControlFont(HWND control, HFONT font);

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ControlText(int id) const;
    Dpi WindowDpi() const { return dpi_; }

protected:
    // Registers the class once; its window procedure dispatches to HandleMessage.
    static void RegisterClassOnce(const char* className, HICON icon, HBRUSH background);
    // Creates the top-level window with this object as its owner of messages. Place and client size
    // are the design's, at 96 DPI; the window is made at the system's DPI, then at its monitor's.
    void CreateTopLevel(const char* className,
                        const char* caption,
                        DWORD style,
                        DWORD exStyle,
                        int left,
                        int top,
                        int clientWidth,
                        int clientHeight,
                        HWND owner);

    // A font of the given character height at 96 DPI, made at the window's DPI and kept by the window.
    HFONT Font(const char* face, int characterHeight, bool bold = false);
    // Once every control stands at its design box: remembers those boxes and places the controls at
    // the window's DPI. Controls created later are not re-laid out.
    void PlaceControlsAtDpi();
    // WM_DPICHANGED: the same controls re-laid out at the new DPI, placed at the suggested rectangle.
    LRESULT DpiChanged(WPARAM wParam, LPARAM lParam);
    // What a window scales beyond its controls' boxes and fonts (list columns, images); after each change.
    virtual void ScaleExtras() {}

    // Answers one message; errors raised here are shown and the default answer is used instead.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    // WM_ERASEBKGND: fills the client area with the window's background brush.
    LRESULT EraseBackground(HDC dc, HGDIOBJ brush);
    // WM_NCHITTEST: the window's own body drags it like its title bar; controls answer for themselves.
    LRESULT HitTestDraggingBody(WPARAM wParam, LPARAM lParam);

    // What the windows' bodies have in common: laid out anew at a new DPI, filled with background,
    // and, where asked, dragged by the body with static texts drawn on that background. True, with
    // the answer, when the message was one of these.
    enum class Body { Fixed, Dragged };
    bool AnswerBodyMessage(UINT message,
                           WPARAM wParam,
                           LPARAM lParam,
                           HGDIOBJ background,
                           Body body,
                           LRESULT& answer);

private:
    struct DesignBox {
        HWND control;
        RECT box;  // left, top, width, height at 96 DPI
    };
    struct ScaledFont {
        std::string face;
        int characterHeight;
        bool bold;
        UniqueGdiObject font;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(Dpi dpi, POINT windowTopLeft);
    void RescaleFonts();
    RECT FrameFor(int clientWidth, int clientHeight) const;

    HWND hwnd_ = nullptr;
    Dpi dpi_ = Dpi::OfSystem();
    SIZE designClient_{};
    std::vector<DesignBox> layout_;
    std::vector<ScaledFont> fonts_;
};
