// Ignore patterns read from their file, and matched as file names are: "*" any run, "?" one character.
#include "IgnorePatterns.h"

#include "CaseFold.h"
#include "FileLines.h"

namespace {

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Iterative, with one point to go back to: a pattern of many stars takes no more than a length squared.
bool WildcardMatches(const std::wstring& pattern, const std::wstring& text) {
    size_t p = 0, t = 0;
    size_t starAt = std::wstring::npos, resumeAt = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeAt = t;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == text[t])) {
            // "?" takes a character outside the basic plane whole, both its halves.
            if (pattern[p++] == L'?' && t + 1 < text.size() && IsLowSurrogate(text[t + 1]))
                ++t;
            ++t;
        } else if (starAt != std::wstring::npos) {
            p = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

IgnorePatterns IgnorePatterns::Read(const std::string& path) {
    IgnorePatterns patterns;
    FileLines lines(path);
    std::string_view line;
    while (lines.Next(line)) {
        line = WithoutLineBreak(line);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#'))
            continue;
        const size_t gap = line.find_first_of(" \t");
        const size_t name = gap == std::string_view::npos ? gap : line.find_first_not_of(" \t", gap);
        if (gap == 0 || name == std::string_view::npos)
            lines.Fail("expected LOCATION, spaces or tabs, then NAME");
        patterns.patterns_.push_back({FoldedCase(line.substr(0, gap)), FoldedCase(line.substr(name))});
    }
    return patterns;
}

bool IgnorePatterns::Matches(const std::string& location, const std::string& name) const {
    if (patterns_.empty())
        return false;
    const std::wstring foldedLocation = FoldedCase(location);
    const std::wstring foldedName = FoldedCase(name);
    for (const Pattern& pattern : patterns_)
        if (WildcardMatches(pattern.location, foldedLocation) && WildcardMatches(pattern.name, foldedName))
            return true;
    return false;
}
