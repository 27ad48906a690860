#include "tools/packwell-pack/PackLayout.h"

#include "core/log/VisibleText.h"
#include "core/manifest/ManifestWriter.h"
#include "core/manifest/ModFileName.h"
#include "core/settings/SharedValues.h"

namespace packwell::pack {

static_assert(std::string_view(kModsUrlPath) == "/mods3/", "kModsFolder follows the client's path");

bool IsPublishableName(std::string_view name) {
    return !name.empty() && IsBareFileName(name) && ReadsBackUnchanged(name);
}

std::string Shown(std::string_view name) { return VisibleText(name); }

}  // namespace packwell::pack
