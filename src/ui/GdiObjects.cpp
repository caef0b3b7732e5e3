// Font creation and image-list release.
#include "ui/GdiObjects.h"

#include <commctrl.h>

void ImageListTraits::Close(Handle handle) noexcept {
    ImageList_Destroy(handle);
}

UniqueGdiObject CreatePixelFont(const char* face, int characterHeight, bool bold, bool underline) {
    LOGFONTA font{};
    font.lfHeight = -characterHeight;  // negative: character height, not cell height
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return UniqueGdiObject(CreateFontIndirectA(&font));
}
