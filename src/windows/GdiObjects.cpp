// Font creation, bitmap scaling and resource bitmaps.
#include "GdiObjects.h"

UniqueGdiObject CreatePixelFont(const char* face,
                                int characterHeight,
                                bool bold,
                                bool underline,
                                bool preferOutline) {
    LOGFONTA font{};
    font.lfHeight = -characterHeight;  // negative: character height, not cell height
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = preferOutline ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return UniqueGdiObject(CreateFontIndirectA(&font));
}

UniqueGdiObject ScaledBitmap(HBITMAP source, int width, int height) {
    BITMAP size{};
    if (!source || !GetObjectA(source, sizeof size, &size))
        return UniqueGdiObject();
    HDC screen = GetDC(nullptr);
    UniqueGdiObject scaled(CreateCompatibleBitmap(screen, width, height));
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previousFrom = SelectObject(from, source);
    HGDIOBJ previousTo = SelectObject(to, scaled.get());
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(from, previousFrom);
    SelectObject(to, previousTo);
    DeleteDC(from);
    DeleteDC(to);
    return scaled;
}

ResourceDib FindResourceDib(HINSTANCE instance, int id) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_BITMAP);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* info = static_cast<const BITMAPINFO*>(loaded ? LockResource(loaded) : nullptr);
    if (!info || SizeofResource(instance, found) < sizeof(BITMAPINFOHEADER))
        return {};
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1u << header.biBitCount;
    const DWORD masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof header ? 3 : 0;
    const auto* bits =
        reinterpret_cast<const BYTE*>(info) + header.biSize + (colours + masks) * sizeof(RGBQUAD);
    return {info, bits};
}
