// Location and LocationKey texts.
#include "LocationKeys.h"

#include "StartupLocations.h"

namespace {

constexpr size_t kStartupPrefixLength = 8;  // "Startup\"

}  // namespace

std::string UserPartOf(const std::string& location) {
    const size_t separator = location.find('\\');
    return separator == std::string::npos ? std::string() : location.substr(0, separator);
}

std::string ToLocationKey(const std::string& location) {
    if (location.find('\\') == std::string::npos)
        return location;
    return std::string(kStartupTag) + "\\" + UserPartOf(location);
}

bool IsStartupKey(const std::string& location) {
    return location.find(kStartupTag) != std::string::npos;
}

std::string UserOfStartupKey(const std::string& key) {
    return key.size() > kStartupPrefixLength ? key.substr(kStartupPrefixLength) : std::string();
}

std::string StartupRowLocation(const std::string& user) {
    return user + "\\" + kStartupTag;
}
