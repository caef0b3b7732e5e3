// How a station name is written inside the texts the station logic returns.
#pragma once

#include <string>

// The name with a to z upper-cased (every other byte as typed), followed by " !".
std::string StationInMessage(const std::string& station);
