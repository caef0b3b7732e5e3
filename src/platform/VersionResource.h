// The version resource of a file, read once: its translations and the texts of its string tables.
#pragma once

#include <optional>
#include <string>
#include <vector>

class VersionResource {
public:
    // Empty when the file has no version information or version.dll cannot be had.
    explicit VersionResource(const std::string& path);

    bool Loaded() const { return !block_.empty(); }
    // The key of the first translation, e.g. "040904E4"; empty when the resource has none.
    std::string TranslationKey() const;
    // The text of key in the string table of translation; nothing when the table has no such entry.
    std::optional<std::string> StringEntry(const std::string& translation, const char* key) const;

private:
    std::vector<char> block_;
};
