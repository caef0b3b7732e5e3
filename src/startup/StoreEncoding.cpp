// Converting store lines between UTF-8, the legacy code page and the program's own code page.
#include "StoreEncoding.h"

#include <algorithm>
#include <charconv>

#include "TRegistry.h"

namespace {

constexpr UINT kWesternCodePage = 1252;

bool IsValidUtf8(std::string_view text) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                               nullptr, 0) > 0;
}

std::string Converted(std::string_view text, UINT from, UINT to) {
    if (text.empty() || from == to)
        return std::string(text);
    const int length = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0), L'\0');
    MultiByteToWideChar(from, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    const int wideLength = static_cast<int>(wide.size());
    std::string converted(WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr),
                          '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(), static_cast<int>(converted.size()),
                        nullptr, nullptr);
    return converted;
}

// The process's own code page: UTF-8 where the manifest's setting is honoured, else the legacy one.
UINT ProgramCodePage() {
    return GetACP();
}

UINT ReadLegacyCodePage() {
    TRegistry registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    if (!registry.OpenPathForReading("\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage"))
        return kWesternCodePage;
    const std::string text = registry.ReadBytes("ACP");
    UINT codePage = 0;
    const std::from_chars_result parsed = std::from_chars(text.data(), text.data() + text.size(), codePage);
    return parsed.ec == std::errc() && codePage != 0 && IsValidCodePage(codePage) ? codePage
                                                                                  : kWesternCodePage;
}

}  // namespace

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

UINT LegacyCodePage() {
    static const UINT codePage = ReadLegacyCodePage();
    return codePage;
}

std::string FromStoreLine(std::string_view line, UINT legacyCodePage) {
    if (IsAscii(line))
        return std::string(line);
    return Converted(line, IsValidUtf8(line) ? CP_UTF8 : legacyCodePage, ProgramCodePage());
}

std::string ToStoreLine(std::string_view text) {
    return IsAscii(text) ? std::string(text) : Converted(text, ProgramCodePage(), CP_UTF8);
}
