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

bool IsAsciiName(const std::wstring& name) {
    return std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; });
}

// ASCII reads the same in every ANSI code page: most names and commands need no conversion.
std::string AnsiOfName(const std::wstring& name) {
    if (!IsAsciiName(name))
        return FromWide(name, CP_ACP);
    return std::string(name.begin(), name.end());
}

std::wstring NameOfAnsi(const std::string& text) {
    if (!std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return ToWide(text, CP_ACP);
    return std::wstring(text.begin(), text.end());
}

std::string AnsiOfStoredName(std::string bytes, bool compressed) {
    const size_t step = compressed ? 1 : 2;
    for (size_t at = 0; at + step <= bytes.size(); at += step)
        if (static_cast<unsigned char>(bytes[at]) >= 0x80 || (!compressed && bytes[at + 1] != 0))
            return FromWide(NameOfBytes(bytes, compressed), CP_ACP);
    // ASCII: narrowed in place.
    for (size_t at = step; at + step <= bytes.size(); at += step)
        bytes[at / step] = bytes[at];
    bytes.resize(bytes.size() / step);
    return bytes;
}

void UpperInPlace(std::wstring& name) {
    if (IsAsciiName(name)) {
        // ASCII, as most names are, needs no case table.
        for (wchar_t& c : name)
            if (c >= L'a' && c <= L'z')
                c = static_cast<wchar_t>(c - 32);
        return;
    }
    // The invariant locale without linguistic casing maps one character to one, as the file system
    // and the registry do.
    const std::wstring original = name;
    const int length = static_cast<int>(name.size());
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, original.data(), length, name.data(), length);
}

std::wstring UpperName(std::wstring name) {
    UpperInPlace(name);
    return name;
}

uint32_t NameHash(const std::wstring& upperName) {
    uint32_t hash = 0;
    for (wchar_t c : upperName)
        hash = hash * 37 + static_cast<uint16_t>(c);
    return hash;
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
