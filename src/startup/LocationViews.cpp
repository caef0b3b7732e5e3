// Location texts matched without regard to letter case, against the location table.
#include "LocationViews.h"

#include <windows.h>

#include "LocationKeys.h"
#include "TextCodec.h"
#include "StartupLocations.h"

namespace {

// A registry tag in any letter case, the 32-bit view's included where the system has one.
std::optional<std::string> CanonicalRegistryTag(const std::string& text) {
    auto tagOf = [&](const auto& locations) -> std::optional<std::string> {
        for (const StartupLocation& location : locations)
            if (location.root != nullptr && EqualsIgnoringCase(text, location.tag) &&
                FindRegistryLocation(location.tag) != nullptr)
                return std::string(location.tag);
        return std::nullopt;
    };
    std::optional<std::string> tag = tagOf(StartupLocations());
    if (!tag)
        tag = tagOf(Startup32BitLocations());
    for (const PartnerLocation& partner : PartnerLocations())
        if (!tag && EqualsIgnoringCase(text, partner.location.tag))
            tag = partner.location.tag;
    return tag;
}

// The part after a user's name in any letter case: "Startup" or one of the users' own keys.
std::optional<std::string> CanonicalUserPart(const std::string& text) {
    if (EqualsIgnoringCase(text, kStartupTag))
        return std::string(kStartupTag);
    for (const UserKeyKind& kind : UserKeyKinds())
        if (EqualsIgnoringCase(text, kind.kind))
            return std::string(kind.kind);
    return std::nullopt;
}

}  // namespace

// The rule the registry and the file system use for names: ordinal, upper-casing every letter.
bool EqualsIgnoringCase(const std::string& text, const std::string& other) {
    if (text == other)
        return true;
    const std::wstring a = ToWide(text, CP_ACP);
    const std::wstring b = ToWide(other, CP_ACP);
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::optional<std::string> CanonicalView(const std::string& text) {
    for (const StartupLocation& location : StartupLocations())
        if (EqualsIgnoringCase(text, location.tag))
            return std::string(location.tag);
    return std::nullopt;
}

std::optional<std::string> CanonicalLocation(const std::string& text) {
    const std::string user = UserPartOf(text);
    if (text.find('\\') == std::string::npos)
        return CanonicalRegistryTag(text);
    const std::optional<std::string> part =
        user.empty() ? std::nullopt : CanonicalUserPart(text.substr(user.size() + 1));
    if (!part)
        return std::nullopt;
    return user + "\\" + *part;
}

std::string ViewOfLocation(const std::string& location) {
    if (const UserKeyKind* kind = UserKeyKindOfRow(location))
        return kind->view;
    if (!UserPartOf(location).empty())
        return kStartupTag;
    for (const PartnerLocation& partner : PartnerLocations())
        if (location == partner.location.tag)
            return partner.view;
    // The 32-bit view's rows are shown with the native tag's: "HKLM_Run32" in the view "HKLM_Run".
    const StartupLocation* found = FindRegistryLocation(location);
    if (found != nullptr && found->view != 0 && location.ends_with("32"))
        return location.substr(0, location.size() - 2);
    return location;
}
