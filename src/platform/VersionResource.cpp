// VersionResource over version.dll, taken from the system folder.
#include "VersionResource.h"

#include <windows.h>

#include <cstdio>

#include "SystemLibrary.h"

namespace {

// version.dll is not a known DLL of the loader: take its functions from the system folder.
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

}  // namespace

VersionResource::VersionResource(const std::string& path) {
    if (!Version().Loaded())
        return;
    DWORD handle = 0;
    const DWORD size = Version().infoSize(path.c_str(), &handle);
    if (size == 0)
        return;
    block_.assign(size, '\0');
    if (!Version().info(path.c_str(), 0, size, block_.data()))
        block_.clear();
}

std::string VersionResource::TranslationKey() const {
    void* entry = nullptr;
    UINT length = 0;
    if (!Loaded() || !Version().query(block_.data(), "\\VarFileInfo\\Translation", &entry, &length) ||
        length < 4)
        return {};
    const WORD* translation = static_cast<const WORD*>(entry);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
    return key;
}

std::optional<std::string> VersionResource::StringEntry(const std::string& translation,
                                                        const char* key) const {
    const std::string subBlock = "StringFileInfo\\" + translation + "\\" + key;
    void* text = nullptr;
    UINT length = 0;
    if (!Loaded() || !Version().query(block_.data(), subBlock.c_str(), &text, &length) || text == nullptr)
        return std::nullopt;
    // The length counts characters with the zero; never read past it even when the zero is missing.
    const std::string value(static_cast<const char*>(text), length);
    return value.substr(0, value.find('\0'));
}
