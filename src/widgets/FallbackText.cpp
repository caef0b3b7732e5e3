// Fallback fonts for text the bitmap fonts of the layout cannot show.
#include "FallbackText.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "GdiGuards.h"
#include "TextCodec.h"

namespace {

struct Fallback {
    LONG height;
    LONG weight;
    BYTE italic;
    BYTE underline;
    UniqueFont font;
};

std::mutex fallbackGuard;
std::vector<Fallback> fallbacks;

// The face the fallback is made in: the system's message font. Windows links that face (Segoe UI,
// or Tahoma before Vista) to fonts of the other scripts through FontLink\SystemLink, and GDI draws
// the characters it lacks from them; a localised system names its own script's face there. The
// bitmap "MS Sans Serif" has no such links, and "Microsoft Sans Serif" would look older than the
// rest of the system's windows. Wine links its message font (Tahoma) the same way.
std::wstring FallbackFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        metrics.lfMessageFont.lfFaceName[0])
        return metrics.lfMessageFont.lfFaceName;
    return L"Microsoft Sans Serif";
}

UniqueFont MakeFallback(const LOGFONTW& like) {
    LOGFONTW description = like;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    const std::wstring face = FallbackFace();
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&description));
}

bool IsPlainAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// A bitmap font may not answer for glyph indices: its characters are those of its code page.
bool CodePageHolds(HDC dc, const std::wstring& text) {
    CHARSETINFO charset{};
    const UINT_PTR id = static_cast<UINT_PTR>(GetTextCharset(dc));
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(id), &charset, TCI_SRCCHARSET))
        return false;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(charset.ciACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                        nullptr, 0, nullptr, &usedDefault);
    return !usedDefault;
}

class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

bool FontShows(HDC dc, HFONT font, const std::wstring& text) {
    if (text.empty())
        return true;
    SelectGuard selected(dc, font);
    std::vector<WORD> glyphs(text.size());
    if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return CodePageHolds(dc, text);
    // Line breaks and tabs are layout, not glyphs.
    for (size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF && text[i] >= L' ')
            return false;
    return true;
}

HFONT FallbackFontFor(HFONT font) {
    LOGFONTW like{};
    if (!font || !GetObjectW(font, sizeof like, &like))
        return font;
    std::lock_guard lock(fallbackGuard);
    for (const Fallback& made : fallbacks)
        if (made.height == like.lfHeight && made.weight == like.lfWeight && made.italic == like.lfItalic &&
            made.underline == like.lfUnderline)
            return made.font.get();
    UniqueFont made = MakeFallback(like);
    if (!made)
        return font;
    fallbacks.push_back({like.lfHeight, like.lfWeight, like.lfItalic, like.lfUnderline, std::move(made)});
    return fallbacks.back().font.get();
}

HFONT FontShowing(HDC dc, HFONT font, const std::string& text) {
    if (!font || IsPlainAscii(text))
        return font;
    MemoryDc own;
    if (!dc)
        dc = own.get();
    return !dc || FontShows(dc, font, ToWide(text, CP_ACP)) ? font : FallbackFontFor(font);
}

int DrawFallbackText(HDC dc, HFONT font, const std::string& text, RECT& rect, UINT format) {
    HFONT chosen = FontShowing(dc, font, text);
    SelectGuard selected(dc, chosen);
    if (chosen == font)
        return DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    std::wstring wide = ToWide(text, CP_ACP);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

void FitControlFont(HWND control, HFONT base, const std::string& text) {
    HFONT wanted = FontShowing(nullptr, base, text);
    if (reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)) != wanted)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
}
