// Texts between the system's ANSI code page (what the logic speaks), UTF-16 (what the wide system
// calls take) and UTF-8 (what tellurinc prints).
#pragma once

#include <string>

std::wstring ToWide(const std::string& text, unsigned codePage);
std::string FromWide(const std::wstring& text, unsigned codePage);

// Bytes that the code page cannot read become U+FFFD, so the result is always valid UTF-8.
std::string AnsiToUtf8(const std::string& text);
std::string Utf8ToAnsi(const std::string& text);

// How many console columns a UTF-8 text takes: one a character, two for East Asian wide ones.
size_t DisplayWidth(const std::string& utf8);
