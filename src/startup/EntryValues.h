// Rules for the texts an entry is written back with: quoting, expandable text, record lines, link names.
#pragma once

#include <string>

// The value Add stores for a path: unchanged without a space, else the whole text in double quotes.
std::string QuoteWholePath(const std::string& path);

// The value Enable writes back: when the part up to the first ".exe" (letters in any case) holds a
// space and no quote, that part is put in double quotes; otherwise the path is unchanged.
std::string QuoteExecutablePart(const std::string& path);

// True when the text holds a %NAME% reference, which only an expandable value expands.
bool HoldsEnvironmentReference(const std::string& text);

// True when the text holds a CR or LF, which would split a record of the store.
bool HoldsLineBreak(const std::string& text);

// True when a file name ends in ".lnk", letters in any case.
bool EndsWithLinkExtension(const std::string& name);
