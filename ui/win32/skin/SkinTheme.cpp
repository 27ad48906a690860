#include "ui/win32/skin/SkinTheme.h"

#include "ui/win32/DpiScale.h"

namespace packwell::win32 {

SkinTheme::SkinTheme(int dpi) : dpi_(dpi), fonts_(dpi) { Select(window::kEmeraldSkin); }

SkinTheme::~SkinTheme() { ReleaseBrushes(); }

void SkinTheme::ReleaseBrushes() {
    if (window_) DeleteObject(window_);
    if (field_) DeleteObject(field_);
    window_ = field_ = nullptr;
}

bool SkinTheme::Select(std::string_view name) {
    const auto palette = window::FindSkinPalette(name);
    if (!palette) return false;
    ReleaseBrushes();
    palette_ = *palette;
    name_ = std::string(name);
    window_ = CreateSolidBrush(ToColorRef(palette_.window));
    field_ = CreateSolidBrush(ToColorRef(palette_.field));
    return true;
}

int SkinTheme::Scale(int value) const { return ScaleFrom96(value, dpi_); }

}  // namespace packwell::win32
