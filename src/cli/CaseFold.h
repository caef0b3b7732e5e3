// Names as the registry and the file system compare them: every letter upper-cased, then code by code.
#pragma once

#include <string>

// The UTF-8 text in UTF-16 with every letter upper-cased as the system's own table does it, so that two
// names EqualsIgnoringCase holds equal fold to the same text.
std::wstring FoldedCase(const std::string& utf8);

// The same folded text in UTF-8: a key to find a name by, which plain ASCII gets without a system call.
std::string FoldedKey(const std::string& utf8);

// A hash of the folded text, continuing from hash: texts that fold alike hash alike.
unsigned long long FoldedHash(const std::string& utf8, unsigned long long hash);
// True when both fold to the same text.
bool SameFolded(const std::string& a, const std::string& b);
