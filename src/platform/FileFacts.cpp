// A file's facts: its attributes, the string table of its version resource, its signature and hash.
#include "FileFacts.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "FileHash.h"
#include "UniqueHandle.h"
#include "VersionResource.h"

namespace {

// The string tables to look in: the resource's first translation, then US English in Unicode and in
// the Western code page, which is where most files keep their texts when the translation is odd.
std::vector<std::string> TranslationKeys(const VersionResource& resource) {
    std::vector<std::string> keys;
    if (std::string first = resource.TranslationKey(); !first.empty())
        keys.push_back(std::move(first));
    keys.emplace_back("040904B0");
    keys.emplace_back("040904E4");
    return keys;
}

bool ReadEntry(const VersionResource& resource,
               const std::string& translation,
               const char* key,
               std::string& value) {
    std::optional<std::string> text = resource.StringEntry(translation, key);
    if (text)
        value = std::move(*text);
    return text.has_value();
}

void ReadVersionTexts(const std::string& path, FileFacts& facts) {
    const VersionResource resource(path);
    if (!resource.Loaded())
        return;
    for (const std::string& translation : TranslationKeys(resource)) {
        bool found = ReadEntry(resource, translation, "FileDescription", facts.description);
        found = ReadEntry(resource, translation, "CompanyName", facts.publisher) || found;
        found = ReadEntry(resource, translation, "FileVersion", facts.version) || found;
        if (found)
            return;
    }
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_PATHNAME || error == ERROR_INVALID_DRIVE;
}

}  // namespace

FileFacts ReadFileFacts(const std::string& path, bool withHash) {
    FileFacts facts;
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        facts.unreadable = !path.empty() && !IsMissing(GetLastError());
        return facts;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return facts;  // a folder is no program file
    facts.exists = true;
    // There but refused (its folder listed, the file itself locked away): nothing more can be read.
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) {
        facts.unreadable = true;
        return facts;
    }
    ReadVersionTexts(path, facts);
    facts.signature = ReadFileSignature(path);
    if (withHash) {
        facts.sha256 = Sha256OfFile(path);
        facts.unreadable = facts.sha256.empty();
    }
    return facts;
}
