// Texts of entries as they are written back.
#include "EntryValues.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(const std::string& text, size_t at, const char* lower) {
    for (size_t i = 0; lower[i] != '\0'; ++i)
        if (at + i >= text.size() || LowerAscii(text[at + i]) != lower[i])
            return false;
    return true;
}

}  // namespace

std::string QuoteWholePath(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string QuoteExecutablePart(const std::string& path) {
    for (size_t at = 0; at < path.size(); ++at) {
        if (!EqualsIgnoringAsciiCase(path, at, ".exe"))
            continue;
        const std::string head = path.substr(0, at + 4);
        if (head.find('"') != std::string::npos || head.find(' ') == std::string::npos)
            return path;
        return "\"" + head + "\"" + path.substr(at + 4);
    }
    return path;
}

bool HoldsEnvironmentReference(const std::string& text) {
    for (size_t open = text.find('%'); open != std::string::npos;) {
        const size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            return false;
        if (close > open + 1)
            return true;
        open = close;  // "%%" names nothing; the second one may open a reference
    }
    return false;
}

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool EndsWithLinkExtension(const std::string& name) {
    return name.size() >= 4 && EqualsIgnoringAsciiCase(name, name.size() - 4, ".lnk");
}
