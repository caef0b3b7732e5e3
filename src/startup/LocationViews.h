// Location texts as a person types them: tags in any letter case, and the bar item that shows a Location.
#pragma once

#include <optional>
#include <string>

// The bar item named by text in any letter case, spelled as the bar spells it; nothing for other text.
std::optional<std::string> CanonicalView(const std::string& text);

// A row's Location in the program's spelling: a tag in any letter case gives the tag, U + "\startup"
// gives U + "\Startup", U + "\runonce" gives U + "\RunOnce" (U as typed, not empty). Nothing for any
// other text.
std::optional<std::string> CanonicalLocation(const std::string& text);

// The bar item whose list shows rows of this Location (as CanonicalLocation gives it).
std::string ViewOfLocation(const std::string& location);

// True when text equals the other text but for letter case, as the registry and file names compare.
bool EqualsIgnoringCase(const std::string& text, const std::string& other);
