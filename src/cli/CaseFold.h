// Names as the registry and the file system compare them: every letter upper-cased, then code by code.
#pragma once

#include <string>
#include <string_view>

// The UTF-8 text in UTF-16 with every letter upper-cased as the system's own table does it, so that two
// names EqualsIgnoringCase holds equal fold to the same text.
std::wstring FoldedCase(std::string_view utf8);

// The same folded text in UTF-8: a key to find a name by, which plain ASCII gets without a system call.
std::string FoldedKey(std::string_view utf8);

// A hash of the folded text, continuing from hash: texts that fold alike hash alike.
unsigned long long FoldedHash(std::string_view utf8, unsigned long long hash);
// True when both fold to the same text.
bool SameFolded(std::string_view a, std::string_view b);
