#pragma once
// What every skinned control of a window draws with: the selected skin's colours and brushes,
// and the fonts for the window's dots per inch. Owned by the window's controls; each custom
// control keeps a pointer to it.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/win32/skin/SkinFonts.h"
#include "ui/window/SkinPalette.h"

namespace packwell::win32 {

inline COLORREF ToColorRef(window::Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

class SkinTheme {
public:
    explicit SkinTheme(int dpi);
    ~SkinTheme();
    SkinTheme(const SkinTheme&) = delete;
    SkinTheme& operator=(const SkinTheme&) = delete;

    // False (and nothing changes) for a name that is not a built-in skin.
    bool Select(std::string_view name);
    const std::string& Name() const { return name_; }
    const window::SkinPalette& Palette() const { return palette_; }
    COLORREF Colour(window::Rgb window::SkinPalette::*colour) const { return ToColorRef(palette_.*colour); }

    HBRUSH WindowBrush() const { return window_; }
    HBRUSH FieldBrush() const { return field_; }
    int Dpi() const { return dpi_; }
    int Scale(int value) const;
    const SkinFonts& Fonts() const { return fonts_; }

private:
    void ReleaseBrushes();

    int dpi_;
    SkinFonts fonts_;
    std::string name_;
    window::SkinPalette palette_{};
    HBRUSH window_ = nullptr;
    HBRUSH field_ = nullptr;
};

}  // namespace packwell::win32
