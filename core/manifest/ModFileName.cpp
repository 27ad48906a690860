#include "core/manifest/ModFileName.h"

#include <algorithm>
#include <array>
#include <string>

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

}  // namespace

bool IsBareFileName(std::string_view name) {
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < 0x20 || c == 0x7f) return false;
    }
    if (name.empty()) return true;
    // Windows drops trailing dots and blanks: "..." or ". ." would name the folder itself.
    std::string_view kept = name;
    while (!kept.empty() && (kept.back() == '.' || kept.back() == ' ')) kept.remove_suffix(1);
    return !kept.empty() && !IsWindowsDeviceName(kept);
}

}  // namespace packwell
