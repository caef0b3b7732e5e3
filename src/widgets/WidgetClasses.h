// The window class names of the skinned controls, and their one-time registration.
#pragma once

#include <windows.h>

inline constexpr char kGradientButtonClass[] = "TellurinGradientButton";
inline constexpr char kSideBarClass[] = "TellurinSideBar";
inline constexpr char kColorLabelClass[] = "TellurinColorLabel";
inline constexpr char kBevelFrameClass[] = "TellurinBevelFrame";
inline constexpr char kLinkLabelClass[] = "TellurinLinkLabel";
inline constexpr char kScrollTextClass[] = "TellurinScrollText";
inline constexpr char kSwitchCheckBoxClass[] = "TellurinSwitchCheckBox";
inline constexpr char kFlatRadioClass[] = "TellurinFlatRadio";

// Registers every class above for the instance; calling it again changes nothing.
void RegisterWidgetClasses(HINSTANCE instance);
