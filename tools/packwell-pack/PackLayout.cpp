#include "tools/packwell-pack/PackLayout.h"

#include "Addons/Custom/AllInOne/Utf8Codec.h"
#include "core/log/VisibleText.h"
#include "core/manifest/ManifestWriter.h"
#include "core/manifest/ModFileName.h"
#include "core/settings/SharedValues.h"

namespace packwell::pack {

static_assert(std::string_view(kModsUrlPath) == "/mods3/", "kModsFolder follows the client's path");

bool IsPublishableName(std::string_view name) {
    // Windows names are UTF-16 and a manifest may be UTF-16 too: bytes that are no UTF-8 text
    // could name no file there and would not survive the manifest.
    return !name.empty() && AllInOne::IsValidUtf8(name) && IsBareFileName(name) && ReadsBackUnchanged(name);
}

std::string Shown(std::string_view name) { return VisibleText(name); }

}  // namespace packwell::pack
