// The registered class names of the three windows: scripts and tests find the windows by them, so
// they keep the names they have always had.
#pragma once

inline constexpr const char kMainWindowClass[] = "TForm1";
inline constexpr const char kComputerInfoWindowClass[] = "TForm2";
inline constexpr const char kAboutWindowClass[] = "TAboutBox";
