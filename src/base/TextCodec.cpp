// Code page conversions over MultiByteToWideChar and WideCharToMultiByte.
#include "TextCodec.h"

#include <windows.h>

#include <algorithm>

std::wstring ToWide(const std::string& text, unsigned codePage) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string FromWide(const std::wstring& text, unsigned codePage) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string bytes(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr),
                      '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        nullptr);
    return bytes;
}

std::string AnsiToUtf8(const std::string& text) {
    // Plain ASCII reads the same in every ANSI code page: the common case needs no conversion.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text;
    return FromWide(ToWide(text, CP_ACP), CP_UTF8);
}

std::string Utf8ToAnsi(const std::string& text) {
    if (GetACP() == CP_UTF8)
        return text;
    return FromWide(ToWide(text, CP_UTF8), CP_ACP);
}

namespace {

// East Asian wide and full-width characters take two columns of a console.
bool IsWide(char32_t code) {
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF && code != 0x303F) ||
           (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
           (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
           (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
}

}  // namespace

size_t DisplayWidth(const std::string& utf8) {
    size_t width = 0;
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < length && at + i < utf8.size(); ++i)
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        width += IsWide(code) ? 2 : 1;
        at += length;
    }
    return width;
}
