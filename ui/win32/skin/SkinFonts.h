#pragma once
// The window definition's fonts as GDI fonts for one screen's dots per inch. Where a family is
// missing (Wine) the GDI font mapper picks a substitute.
#include <windows.h>

namespace packwell::win32 {

class SkinFonts {
public:
    explicit SkinFonts(int dpi);
    ~SkinFonts();
    SkinFonts(const SkinFonts&) = delete;
    SkinFonts& operator=(const SkinFonts&) = delete;

    HFONT comic12 = nullptr;      // buttons and the folder label
    HFONT comic8Bold = nullptr;   // group captions, the path field, "Setups"
    HFONT tahoma8 = nullptr;      // the window's default: title bar items, hints
    HFONT tahoma8Bold = nullptr;  // the log and the title bar's caption
    HFONT tahoma10Bold = nullptr; // the title bar's close mark
    HFONT comic10 = nullptr;      // the cleanup dialog's explanation
    HFONT comic12Bold = nullptr;  // the cleanup dialog's "Удалить"
};

// A font of `points` at 96 dots per inch, scaled to `dpi`; the caller deletes it.
HFONT CreateSkinFont(const wchar_t* family, int points, bool bold, int dpi);

}  // namespace packwell::win32
