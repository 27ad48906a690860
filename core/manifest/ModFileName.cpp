#include "core/manifest/ModFileName.h"

#include <algorithm>
#include <array>
#include <string>

#include "Addons/Custom/AllInOne/Utf8Codec.h"

namespace packwell {
namespace {

// Windows opens the device for these names, with any extension ("nul.jar"), in any folder.
bool IsWindowsDeviceName(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"})
        if (stem == device) return true;
    if (!stem.starts_with("com") && !stem.starts_with("lpt")) return false;
    const std::string_view number = std::string_view(stem).substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
           std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end();
}

// The upper-case letter Windows' file systems take for c, for the scripts pack names are written in.
char32_t UpperCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;  // ASCII, Latin-1
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs: even upper, odd lower, but for the stretches that start odd.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper) return (c % 2 == 0) ? c - 1 : c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;  // Greek
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;                                   // accented Greek vowels
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;                  // έ ή ί
    if (c == 0x3CC) return 0x38C;                                   // ό
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;                  // ύ ώ
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // Cyrillic а..я
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;  // ѐ..џ (ё among them)
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return (c % 2 == 1) ? c - 1 : c;
    if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x4CF) return 0x4C0;
    return c;
}

}  // namespace

std::string WindowsNameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const auto c = AllInOne::NextUtf8(name, pos);
        if (!c) {
            key += name[pos++];  // a stray byte stays itself
            continue;
        }
        AllInOne::AppendUtf8(key, UpperCase(*c));
    }
    return key;
}

bool IsBareFileName(std::string_view name) {
    constexpr std::string_view kNotInWindowsNames = "/\\:<>\"|?*";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f || kNotInWindowsNames.find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    if (name.empty()) return true;
    // Windows drops trailing dots and blanks, so "a.jar." would be "a.jar" there and "..." the
    // folder itself: a pack means the same file to every player or is refused.
    if (name.back() == '.' || name.back() == ' ') return false;
    return !IsWindowsDeviceName(name);
}

}  // namespace packwell
