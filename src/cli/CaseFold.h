// Names as the registry and the file system compare them: every letter upper-cased, then code by code.
#pragma once

#include <string>

// The UTF-8 text in UTF-16 with every letter upper-cased as the system's own table does it, so that two
// names EqualsIgnoringCase holds equal fold to the same text.
std::wstring FoldedCase(const std::string& utf8);

// The same folded text in UTF-8: a key to find a name by, which plain ASCII gets without a system call.
std::string FoldedKey(const std::string& utf8);
// Appends it to key; returns key.
std::string& AppendFoldedKey(std::string& key, const std::string& utf8);
