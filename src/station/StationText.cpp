// Station names inside messages.
#include "StationText.h"

std::string StationInMessage(const std::string& station) {
    std::string text = station;
    // Only ASCII letters change: a locale-aware upper case would alter bytes of the ANSI code page.
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text + " !";
}
