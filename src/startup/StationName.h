// Whether a typed text can name a station, before it goes into a network path or a store's file name.
#pragma once

#include <string>

// Letters, digits, "-", "_" and "." (a NetBIOS or DNS name, an IPv4 address), 1 to 255 characters,
// "." for this computer; a name of dots only other than "." names no computer.
bool IsStationName(const std::string& name);

// The one-line reason a name is refused.
std::string NotAStationNameText(const std::string& name);
