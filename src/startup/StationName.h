// Whether a typed text can name a station, before it goes into a network path or a store's file name,
// and the name a station's DisabledStore file takes.
#pragma once

#include <string>

#include "Station.h"

// Letters, digits, "-", "_" and "." (a NetBIOS or DNS name, an IPv4 address), 1 to 255 characters,
// "." for this computer; a name of dots only other than "." names no computer.
bool IsStationName(const std::string& name);

// The one-line reason a name is refused.
std::string NotAStationNameText(const std::string& name);

// The computer name in the DisabledStore's file name: this computer's own, else the name in upper case.
std::string StoreNameOf(const Station& station, const std::string& computerName);
