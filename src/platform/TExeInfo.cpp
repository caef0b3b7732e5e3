// TExeInfo over version.dll and GetComputerNameA.
#include "TExeInfo.h"

#include <windows.h>

#include <vector>

#include "VersionResource.h"

namespace {

constexpr const char* kNotLoaded = "Updated at run-time";

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
    const VersionResource resource(exePath);
    if (!resource.Loaded())
        return;
    const std::string translation = resource.TranslationKey();
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
            translation.empty() ? std::string() : resource.StringEntry(translation, field.key).value_or("");
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
