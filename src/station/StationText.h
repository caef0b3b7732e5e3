// How a station name is written: its UNC form for connecting, its form inside messages.
#pragma once

#include <string>

// Two backslashes and the name as typed, even when the name already starts with backslashes.
std::string UncForm(const std::string& station);

// The name with a to z upper-cased (every other byte as typed), followed by " !".
std::string StationInMessage(const std::string& station);
