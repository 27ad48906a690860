#pragma once
// The colours of the built-in skins, by name, for both toolkits: the Qt style sheets and the
// Win32 drawing take them from here. Colours are 0xRRGGBB.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace packwell::window {

using Rgb = std::uint32_t;

struct SkinPalette {
    Rgb window;       // form and group box background
    Rgb frame;        // group box and edit borders
    Rgb caption;      // group box captions and plain text
    Rgb field;        // edit and memo background
    Rgb button;       // button face
    Rgb buttonHover;
    Rgb buttonDown;
    Rgb accent;       // progress, check marks, focus
    Rgb disabled;     // disabled text
    Rgb titleBar;
};

inline constexpr std::string_view kEmeraldSkin = "Emerald (internal)";
inline constexpr std::string_view kMaterialDarkSkin = "Material Dark (internal)";

// Fixed colours of the window definition, whatever the skin: captions of the folder group, the
// path field and the log (16772838 as stored), and the folder label (15724527).
inline constexpr Rgb kCaptionText = 0xE6EEFF;
inline constexpr Rgb kLabelText = 0xEFEFEF;

// The built-in skins' names, in the order the skin manager lists them.
std::vector<std::string_view> BuiltInSkins();
// Nothing for a name that is not a built-in skin.
std::optional<SkinPalette> FindSkinPalette(std::string_view name);

}  // namespace packwell::window
