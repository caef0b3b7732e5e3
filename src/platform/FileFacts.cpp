// A file's facts: its attributes, the string table of its version resource, its signature and hash.
#include "FileFacts.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "FileHash.h"
#include "SystemLibrary.h"
#include "UniqueHandle.h"

namespace {

// version.dll is not a known DLL of the loader: its functions come from the system folder.
struct VersionApi {
    decltype(&GetFileVersionInfoSizeA) infoSize =
        SystemFunctionAs<decltype(GetFileVersionInfoSizeA)>("version.dll", "GetFileVersionInfoSizeA");
    decltype(&GetFileVersionInfoA) info =
        SystemFunctionAs<decltype(GetFileVersionInfoA)>("version.dll", "GetFileVersionInfoA");
    decltype(&VerQueryValueA) query =
        SystemFunctionAs<decltype(VerQueryValueA)>("version.dll", "VerQueryValueA");
    bool Loaded() const { return infoSize && info && query; }
};

const VersionApi& Version() {
    static const VersionApi api;
    return api;
}

// The string tables to look in: the resource's first translation, then US English in Unicode and in
// the Western code page, which is where most files keep their texts when the translation is odd.
std::vector<std::string> TranslationKeys(const void* block) {
    std::vector<std::string> keys;
    void* entry = nullptr;
    UINT length = 0;
    if (Version().query(block, "\\VarFileInfo\\Translation", &entry, &length) && length >= 4) {
        const WORD* translation = static_cast<const WORD*>(entry);
        char key[9];
        std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
        keys.emplace_back(key);
    }
    keys.emplace_back("040904B0");
    keys.emplace_back("040904E4");
    return keys;
}

bool StringEntry(const void* block, const std::string& translation, const char* key, std::string& value) {
    const std::string subBlock = "\\StringFileInfo\\" + translation + "\\" + key;
    void* text = nullptr;
    UINT length = 0;
    if (!Version().query(block, subBlock.c_str(), &text, &length) || text == nullptr)
        return false;
    // The length counts characters with the zero; never read past it even when the zero is missing.
    value.assign(static_cast<const char*>(text), length);
    value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
    return true;
}

void ReadVersionTexts(const std::string& path, FileFacts& facts) {
    if (!Version().Loaded())
        return;
    DWORD handle = 0;
    const DWORD size = Version().infoSize(path.c_str(), &handle);
    if (size == 0)
        return;
    std::vector<char> block(size, '\0');
    if (!Version().info(path.c_str(), 0, size, block.data()))
        return;
    for (const std::string& translation : TranslationKeys(block.data())) {
        bool found = StringEntry(block.data(), translation, "FileDescription", facts.description);
        found = StringEntry(block.data(), translation, "CompanyName", facts.publisher) || found;
        found = StringEntry(block.data(), translation, "FileVersion", facts.version) || found;
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
