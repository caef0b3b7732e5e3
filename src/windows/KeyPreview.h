// Key preview: the main window sees F5 before the focused control does, whatever loop runs.
#pragma once

#include <windows.h>

// Posted to the window with the virtual key in wParam.
inline constexpr UINT kKeyPreviewMessage = WM_APP + 2;

// Watches the thread's messages for F5 (with any modifier) aimed at the window or its children.
void StartKeyPreview(HWND window);
void StopKeyPreview(HWND window);
