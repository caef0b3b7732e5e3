// TExeInfo over version.dll and GetComputerNameA.
#include "TExeInfo.h"

#include <windows.h>

#include <cstdio>
#include <vector>

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

constexpr const char* kNotLoaded = "Updated at run-time";

// The key of the first translation, e.g. "040904E4"; empty when the resource has none.
std::string TranslationKey(const void* block) {
    void* entry = nullptr;
    UINT length = 0;
    if (!Version().query(block, "\\VarFileInfo\\Translation", &entry, &length) || length < 4)
        return {};
    const WORD* translation = static_cast<const WORD*>(entry);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
    return key;
}

std::string StringEntry(const void* block, const std::string& translation, const char* key) {
    std::string subBlock = "StringFileInfo\\" + translation + "\\" + key;
    void* text = nullptr;
    UINT length = 0;
    if (!Version().query(block, subBlock.c_str(), &text, &length) || text == nullptr)
        return {};
    // The length counts characters with the zero; never read past it even when the zero is missing.
    const char* chars = static_cast<const char*>(text);
    std::string value(chars, length);
    return value.substr(0, value.find('\0'));
}

}  // namespace

std::string OwnExecutablePath() {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size() - 1));
        if (length == 0)
            return {};
        if (length < buffer.size() - 1)
            return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
}

TExeInfo::TExeInfo(const std::string& exePath)
    : CompanyName(kNotLoaded),
      FileDescription(kNotLoaded),
      FileVersion(kNotLoaded),
      InternalName(kNotLoaded),
      LegalCopyright(kNotLoaded),
      LegalTradeMark(kNotLoaded),
      OriginalFileName(kNotLoaded),
      ProductName(kNotLoaded),
      ProductVersion(kNotLoaded),
      Comments(kNotLoaded) {
    LoadVersionInfo(exePath);
}

void TExeInfo::LoadVersionInfo(const std::string& exePath) {
    if (!Version().Loaded())
        return;
    DWORD handle = 0;
    DWORD size = Version().infoSize(exePath.c_str(), &handle);
    if (size == 0)
        return;
    std::vector<char> block(size, '\0');
    Version().info(exePath.c_str(), 0, size, block.data());

    const std::string translation = TranslationKey(block.data());
    struct Field {
        std::string* property;
        const char* key;
    };
    const Field fields[] = {
        {&CompanyName, "CompanyName"},           {&FileDescription, "FileDescription"},
        {&FileVersion, "FileVersion"},           {&InternalName, "InternalName"},
        {&LegalCopyright, "LegalCopyright"},     {&LegalTradeMark, "LegalTradeMarks"},
        {&OriginalFileName, "OriginalFileName"}, {&ProductName, "ProductName"},
        {&ProductVersion, "ProductVersion"},     {&Comments, "Comments"},
    };
    for (const Field& field : fields)
        *field.property =
            translation.empty() ? std::string() : StringEntry(block.data(), translation, field.key);
}

std::string TExeInfo::ComputerName() {
    return LocalComputerName();
}

std::string LocalComputerName() {
    char buffer[MAX_COMPUTERNAME_LENGTH + 2] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameA(buffer, &size))
        return {};
    return std::string(buffer, strnlen(buffer, MAX_COMPUTERNAME_LENGTH + 1));
}

bool IsThisComputerName(const std::string& name, const std::string& computerName) {
    return name == "." || (!name.empty() && lstrcmpiA(name.c_str(), computerName.c_str()) == 0);
}
