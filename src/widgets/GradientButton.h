// Gradient push button: window text as caption ("&" marks the mnemonic), BN_CLICKED to the parent.
#pragma once

#include <windows.h>

enum class GradientScheme { Blue, Sky };
// What the button shows at the moment.
enum class ButtonLook { Normal, Hot, Pressed, Disabled };

// Private messages of the gradient button class.
inline constexpr UINT GBM_SETSCHEME = WM_USER + 1;  // wParam: GradientScheme
inline constexpr UINT GBM_GETLOOK = WM_USER + 2;    // returns ButtonLook

inline void SetGradientButtonScheme(HWND button, GradientScheme scheme) {
    SendMessageA(button, GBM_SETSCHEME, static_cast<WPARAM>(scheme), 0);
}

inline ButtonLook GradientButtonLook(HWND button) {
    return static_cast<ButtonLook>(SendMessageA(button, GBM_GETLOOK, 0, 0));
}
