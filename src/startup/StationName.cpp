// The station name rule: nothing in a name may step out of "\\name\C$\" or "<name>_reg_disabled.ini";
// the name a station's store takes.
#include "StationName.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr size_t kMostCharacters = 255;

bool IsNameCharacter(char c) {
    return c == '-' || c == '_' || c == '.' || IsCharAlphaNumericA(c);
}

}  // namespace

bool IsStationName(const std::string& name) {
    if (name.empty() || name.size() > kMostCharacters)
        return false;
    if (!std::all_of(name.begin(), name.end(), IsNameCharacter))
        return false;
    return name == "." || name.find_first_not_of('.') != std::string::npos;
}

std::string NotAStationNameText(const std::string& name) {
    return "'" + name + "' is not a station name (letters, digits, '-', '_' and '.', at most 255)";
}

std::string StoreNameOf(const Station& station, const std::string& computerName) {
    if (station.IsThisComputer())
        return computerName;
    std::string name = station.Name();
    CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
}
