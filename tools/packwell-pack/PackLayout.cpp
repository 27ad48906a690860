#include "tools/packwell-pack/PackLayout.h"

#include <cstdio>

#include "core/manifest/ManifestWriter.h"
#include "core/manifest/ModFileName.h"
#include "core/settings/SharedValues.h"

namespace packwell::pack {

static_assert(std::string_view(kModsUrlPath) == "/mods3/", "kModsFolder follows the client's path");

bool IsPublishableName(std::string_view name) {
    return !name.empty() && IsBareFileName(name) && ReadsBackUnchanged(name);
}

std::string Shown(std::string_view name) {
    std::string out;
    for (const unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace packwell::pack
