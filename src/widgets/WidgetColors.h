// The colours the skinned controls are drawn in by default.
#pragma once

#include <windows.h>

inline constexpr COLORREF kAccentColor = RGB(0, 89, 179);
inline constexpr COLORREF kLightColor = RGB(217, 236, 255);
inline constexpr COLORREF kWhiteColor = RGB(255, 255, 255);
inline constexpr COLORREF kBlackColor = RGB(0, 0, 0);
// "No colour": the control shows its parent's background instead.
inline constexpr COLORREF kTransparentColor = 0xFFFFFFFF;  // no RGB value has the top byte set
