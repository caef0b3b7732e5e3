// Stored names decoded, upper-cased with the system's own case table, and hashed as lh lists keep them.
#include "HiveNames.h"

#include <windows.h>

#include <algorithm>

#include "TextCodec.h"

std::wstring NameOfBytes(const std::string& bytes, bool compressed) {
    std::wstring name;
    if (compressed) {
        for (char byte : bytes)
            name.push_back(static_cast<unsigned char>(byte));
        return name;
    }
    for (size_t at = 0; at + 1 < bytes.size(); at += 2)
        name.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) |
                                            static_cast<unsigned char>(bytes[at + 1]) << 8));
    return name;
}

std::string AnsiOfUtf16(const std::string& bytes) {
    return FromWide(NameOfBytes(bytes, false), CP_ACP);
}

std::wstring UpperName(const std::wstring& name) {
    if (name.empty())
        return name;
    // The invariant locale without linguistic casing maps one character to one, as the file system
    // and the registry do.
    std::wstring upper(name.size(), L'\0');
    const int length = static_cast<int>(name.size());
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, name.data(), length, upper.data(), length);
    return upper;
}

uint32_t NameHash(const std::wstring& upperName) {
    uint32_t hash = 0;
    for (wchar_t c : upperName)
        hash = hash * 37 + static_cast<uint16_t>(c);
    return hash;
}

bool IsAsciiName(const std::wstring& name) {
    return std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; });
}

bool HintAllows(uint32_t hint, const std::wstring& upperName) {
    for (size_t at = 0; at < 4 && at < upperName.size(); ++at) {
        const wchar_t letter = static_cast<wchar_t>((hint >> (8 * at)) & 0xFF);
        const bool judged = letter != 0 && letter < 0x80 && upperName[at] < 0x80;
        if (judged && (letter >= L'a' && letter <= L'z' ? letter - 32 : letter) != upperName[at])
            return false;
    }
    return true;
}
