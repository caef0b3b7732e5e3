// Names as the registry and the file system compare them: every letter upper-cased, then code by code.
#pragma once

#include <string>

// The UTF-8 text in UTF-16 with every letter upper-cased as the system's own table does it, so that two
// names EqualsIgnoringCase holds equal fold to the same text.
std::wstring FoldedCase(const std::string& utf8);
