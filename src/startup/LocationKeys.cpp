// Location and LocationKey texts.
#include "LocationKeys.h"

namespace {

constexpr size_t kStartupPrefixLength = 8;  // "Startup\"

}  // namespace

std::string UserPartOf(const std::string& location) {
    const size_t separator = location.find('\\');
    return separator == std::string::npos ? std::string() : location.substr(0, separator);
}

const StartupSource* UserKeyKindOfRow(const std::string& location) {
    const std::string user = UserPartOf(location);
    return user.empty() ? nullptr : FindUserKeyKind(location.substr(user.size() + 1));
}

std::string ToLocationKey(const std::string& location) {
    if (location.find('\\') == std::string::npos)
        return location;
    const StartupSource* kind = UserKeyKindOfRow(location);
    return std::string(kind != nullptr ? kind->tag : kStartupTag) + "\\" + UserPartOf(location);
}

std::optional<UserKey> UserKeyOf(const std::string& key) {
    const std::string kind = UserPartOf(key);
    const StartupSource* found = kind.empty() ? nullptr : FindUserKeyKind(kind);
    if (found == nullptr || key.size() == kind.size() + 1)
        return std::nullopt;
    return UserKey{found, key.substr(kind.size() + 1)};
}

std::string UserRowLocation(const std::string& user, const StartupSource& kind) {
    return user + "\\" + kind.tag;
}

const StartupSource* SourceOfLocation(const std::string& location) {
    if (const std::optional<UserKey> key = UserKeyOf(location))
        return key->kind;
    if (const StartupSource* kind = UserKeyKindOfRow(location))
        return kind;
    if (IsStartupKey(location))
        return FindSource(kStartupTag);
    const StartupSource* source = FindSource(location);
    return source != nullptr && !source->IsView() ? source : FindStationKey(location);
}

ChangedBy ChangedByOf(const std::string& location) {
    const StartupSource* source = SourceOfLocation(location);
    return source != nullptr ? source->changedBy : ChangedBy::Tellurin;
}

bool ChangedThroughCom(const std::string& locationKey) {
    const StartupSource* source = SourceOfLocation(locationKey);
    return source != nullptr &&
           (source->kind == SourceKindId::StartupShortcuts || source->kind == SourceKindId::LogonTasks);
}

bool IsPolicyLocation(const std::string& location) {
    return ChangedByOf(location) == ChangedBy::GroupPolicy;
}

std::string LocationKeyOf(const std::string& location, const std::string& user) {
    return user.empty() ? location : location + "\\" + user;
}

bool IsStartupKey(const std::string& location) {
    return location.find(kStartupTag) != std::string::npos && !UserKeyOf(location);
}

std::string UserOfStartupKey(const std::string& key) {
    return key.size() > kStartupPrefixLength ? key.substr(kStartupPrefixLength) : std::string();
}

std::string StartupRowLocation(const std::string& user) {
    return user + "\\" + kStartupTag;
}
