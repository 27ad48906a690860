#include "ui/window/SkinPalette.h"

namespace packwell::window {
namespace {

constexpr SkinPalette kEmerald{0x0E3B2F, 0x2A9D6F, 0xE6EEFF, 0x082A21, 0x16704F,
                               0x1F8C63, 0x0F5239, 0x3DDC97, 0x7F9C92, 0x0A2C23};
constexpr SkinPalette kMaterialDark{0x212121, 0x4A4A4A, 0xEEEEEE, 0x181818, 0x333333,
                                    0x3D3D3D, 0x2A2A2A, 0x26A69A, 0x7A7A7A, 0x161616};

}  // namespace

std::vector<std::string_view> BuiltInSkins() { return {kMaterialDarkSkin, kEmeraldSkin}; }

std::optional<SkinPalette> FindSkinPalette(std::string_view name) {
    if (name == kEmeraldSkin) return kEmerald;
    if (name == kMaterialDarkSkin) return kMaterialDark;
    return std::nullopt;
}

}  // namespace packwell::window
