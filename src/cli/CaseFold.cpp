// Upper-casing through the invariant locale, the table that ordinal comparisons without case use.
#include "CaseFold.h"

#include <windows.h>

#include "TextCodec.h"

std::wstring FoldedCase(const std::string& utf8) {
    std::wstring text = ToWide(utf8, CP_UTF8);
    if (!text.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                      text.data(), static_cast<int>(text.size()), nullptr, nullptr, 0);
    return text;
}
