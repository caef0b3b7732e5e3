// Code page conversions over MultiByteToWideChar and WideCharToMultiByte.
#include "cli/TextCodec.h"

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

size_t DisplayWidth(const std::string& utf8) {
    return static_cast<size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}
