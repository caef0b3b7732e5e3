// Location texts matched without regard to letter case, against the location table.
#include "LocationViews.h"

#include <windows.h>

#include "LocationKeys.h"
#include "TextCodec.h"
#include "StartupSources.h"

namespace {

// The tag of a source of the station's own (a key, the log-on tasks) in any letter case, spelled as
// the table spells it.
std::optional<std::string> CanonicalRegistryTag(const std::string& text) {
    for (const StartupSource& source : StartupSources())
        if (source.scope == SourceScope::Station && source.kind != SourceKindId::None &&
            source.kind != SourceKindId::StartupShortcuts && EqualsIgnoringCase(text, source.tag))
            return std::string(source.tag);
    return std::nullopt;
}

// The part after a user's name in any letter case: "Startup" or one of the users' own keys.
std::optional<std::string> CanonicalUserPart(const std::string& text) {
    for (const StartupSource& source : StartupSources())
        if (source.scope != SourceScope::Station && EqualsIgnoringCase(text, source.tag))
            return std::string(source.tag);
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
    for (const StartupSource* item : Views())
        if (EqualsIgnoringCase(text, item->tag))
            return std::string(item->tag);
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
    if (const StartupSource* kind = UserKeyKindOfRow(location))
        return kind->view;
    if (!UserPartOf(location).empty())
        return kStartupTag;
    const StartupSource* source = FindSource(location);
    return source != nullptr ? source->view : location;
}
