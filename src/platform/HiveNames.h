// Names as a hive file keeps them (UTF-16 or 8-bit Latin-1), and how the registry compares them.
#pragma once

#include <cstdint>
#include <string>

// A stored name: compressed names hold one Latin-1 character a byte, the others UTF-16LE.
std::wstring NameOfBytes(const std::string& bytes, bool compressed);
// Names between UTF-16 and the ANSI code page, as the system's A functions give and take them.
std::string AnsiOfName(const std::wstring& name);
std::wstring NameOfAnsi(const std::string& text);
// A stored name, or the UTF-16LE data of a text value (compressed false), in the ANSI code page.
std::string AnsiOfStoredName(std::string bytes, bool compressed);

// The registry compares names ordinally, each character upper-cased.
std::wstring UpperName(std::wstring name);
void UpperInPlace(std::wstring& name);
// The hash an lh list keeps of a name: 37 * h + c over the upper-cased characters.
uint32_t NameHash(const std::wstring& upperName);
bool IsAsciiName(const std::wstring& name);
// Whether an lf list's hint (the first four characters of the name, a byte each) leaves the name
// possible; only ASCII letters are judged, so that no writer's way with other characters hides a key.
bool HintAllows(uint32_t hint, const std::wstring& upperName);
