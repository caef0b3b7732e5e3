// VersionResource over version.dll, taken from the system folder.
#include "VersionResource.h"

#include <windows.h>

#include <cstdio>

#include "SystemLibrary.h"
#include "TextCodec.h"

namespace {

// version.dll is not a known DLL of the loader: take its functions from the system folder. The wide
// ones: the ANSI query counts a text in characters on Windows, and Wine's has room for its UTF-8 copy
// only as long as it is no longer than its UTF-16 one.
struct VersionApi {
    decltype(&GetFileVersionInfoSizeW) infoSize =
        SystemFunctionAs<decltype(GetFileVersionInfoSizeW)>("version.dll", "GetFileVersionInfoSizeW");
    decltype(&GetFileVersionInfoW) info =
        SystemFunctionAs<decltype(GetFileVersionInfoW)>("version.dll", "GetFileVersionInfoW");
    decltype(&VerQueryValueW) query =
        SystemFunctionAs<decltype(VerQueryValueW)>("version.dll", "VerQueryValueW");
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
    const std::wstring widePath = ToWide(path, CP_ACP);
    DWORD handle = 0;
    const DWORD size = Version().infoSize(widePath.c_str(), &handle);
    if (size == 0)
        return;
    block_.assign(size, '\0');
    if (!Version().info(widePath.c_str(), 0, size, block_.data()))
        block_.clear();
}

std::string VersionResource::TranslationKey() const {
    void* entry = nullptr;
    UINT length = 0;
    if (!Loaded() || !Version().query(block_.data(), L"\\VarFileInfo\\Translation", &entry, &length) ||
        length < 4)
        return {};
    const WORD* translation = static_cast<const WORD*>(entry);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
    return key;
}

std::optional<std::string> VersionResource::StringEntry(const std::string& translation,
                                                        const char* key) const {
    const std::wstring subBlock = ToWide("StringFileInfo\\" + translation + "\\" + key, CP_ACP);
    void* text = nullptr;
    UINT length = 0;
    if (!Loaded() || !Version().query(block_.data(), subBlock.c_str(), &text, &length) || text == nullptr)
        return std::nullopt;
    // The length counts UTF-16 characters with the zero; never read past it even when the zero is missing.
    const std::wstring value(static_cast<const wchar_t*>(text), length);
    return FromWide(value.substr(0, value.find(L'\0')), CP_ACP);
}
