// Upper-casing through the invariant locale, the table that ordinal comparisons without case use.
#include "CaseFold.h"

#include <windows.h>

#include <algorithm>

#include "TextCodec.h"

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The table maps the ASCII letters as a to z to A to Z, and nothing else of ASCII.
template <typename Char>
Char AsciiUpper(char c) {
    return static_cast<Char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

}  // namespace

std::wstring FoldedCase(std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    if (IsAscii(utf8)) {
        std::transform(utf8.begin(), utf8.end(), text.begin(), AsciiUpper<wchar_t>);
        return text;
    }
    text = ToWide(std::string(utf8), CP_UTF8);
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                  text.data(), static_cast<int>(text.size()), nullptr, nullptr, 0);
    return text;
}

std::string FoldedKey(std::string_view utf8) {
    if (!IsAscii(utf8))
        return FromWide(FoldedCase(utf8), CP_UTF8);
    std::string key(utf8.size(), '\0');
    std::transform(utf8.begin(), utf8.end(), key.begin(), AsciiUpper<char>);
    return key;
}

unsigned long long FoldedHash(std::string_view utf8, unsigned long long hash) {
    auto add = [&hash](char c) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    };  // FNV-1a
    if (!IsAscii(utf8)) {
        for (char c : FoldedKey(utf8))
            add(c);
    } else {
        for (char c : utf8)
            add(AsciiUpper<char>(c));
    }
    return hash;
}

bool SameFolded(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b))
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return AsciiUpper<char>(x) == AsciiUpper<char>(y); });
    return FoldedKey(a) == FoldedKey(b);
}
