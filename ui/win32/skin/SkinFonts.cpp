#include "ui/win32/skin/SkinFonts.h"

#include <cwchar>
#include <initializer_list>

#include "ui/window/SkinFonts.h"
#include "ui/win32/DpiScale.h"

namespace packwell::win32 {

HFONT CreateSkinFont(const wchar_t* family, int points, bool bold, int dpi) {
    LOGFONTW font{};
    // Negative: the character height, as the definition's pixel sizes mean it.
    font.lfHeight = -ScaleFrom96(window::PointsToPixels(points), dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(font.lfFaceName, family, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

SkinFonts::SkinFonts(int dpi)
    : comic12(CreateSkinFont(L"Comic Sans MS", 12, false, dpi)),
      comic8Bold(CreateSkinFont(L"Comic Sans MS", 8, true, dpi)),
      tahoma8(CreateSkinFont(L"Tahoma", 8, false, dpi)),
      tahoma8Bold(CreateSkinFont(L"Tahoma", 8, true, dpi)),
      tahoma10Bold(CreateSkinFont(L"Tahoma", 10, true, dpi)),
      comic10(CreateSkinFont(L"Comic Sans MS", 10, false, dpi)),
      comic12Bold(CreateSkinFont(L"Comic Sans MS", 12, true, dpi)) {}

SkinFonts::~SkinFonts() {
    for (HFONT font : {comic12, comic8Bold, tahoma8, tahoma8Bold, tahoma10Bold, comic10, comic12Bold})
        if (font) DeleteObject(font);
}

}  // namespace packwell::win32
