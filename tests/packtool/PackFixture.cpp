#include "tests/packtool/PackFixture.h"

#include "core/Utf8Path.h"
#include "core/extras/ForgeInstall.h"
#include "core/extras/SetupsPlus.h"

namespace packwell::test {

PackFixture::PackFixture() {
    for (const auto& [name, body] : mods) write("mods3/" + name, body);
    write(kSetupsFileName, "MZ settings stand-in");
    write(kForgeInstallerName, "MZ installer stand-in");
}

std::filesystem::path PackFixture::write(const std::string& relative, const std::string& content) const {
    return tmp.write(std::filesystem::path("site") / PathFromUtf8(relative), content);  // UTF-8, also on Windows
}

std::string PackFixture::manifest() const { return readFile(dir / "Update"); }

void PackFixture::setManifest(const std::string& text) const { write("Update", text); }

}  // namespace packwell::test
