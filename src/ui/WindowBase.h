// Routes a window's messages to its C++ object, every handler through the default error display.
#pragma once

#include <windows.h>

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

protected:
    // Registers the class once; its window procedure dispatches to HandleMessage.
    static void RegisterClassOnce(const char* className, HICON icon, HBRUSH background);
    // Creates the top-level window with this object as its owner of messages.
    void CreateTopLevel(const char* className,
                        const char* caption,
                        DWORD style,
                        DWORD exStyle,
                        int left,
                        int top,
                        int clientWidth,
                        int clientHeight,
                        HWND owner);

    // Answers one message; errors raised here are shown and the default answer is used instead.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    // WM_ERASEBKGND: fills the client area with the window's background brush.
    LRESULT EraseBackground(HDC dc, HGDIOBJ brush);
    // WM_NCHITTEST: the window's own body drags it like its title bar; controls answer for themselves.
    LRESULT HitTestDraggingBody(WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};
