#pragma once
// What a server directory holds, as clients address it.
#include <array>
#include <string>
#include <string_view>

namespace packwell::pack {

inline constexpr const char* kManifestFile = "Update";
inline constexpr const char* kModsFolder = "mods3";  // the client's "/mods3/" path
// Beside the manifest, not in mods3, so clients never list or fetch it: the size, time and
// digest of each mod as the last refresh saw them.
inline constexpr const char* kRefreshStateFile = ".packwell-hashes";
// The new program file of each client build, fetched whenever "lastversion" differs from the
// client's own version; Windows clients ask for the first, Linux clients for the second.
inline constexpr std::array<const char*, 2> kNewProgramFiles = {"Update.exe", "Update-linux"};

// A name a client accepts as a file of the pack: a bare file name of UTF-8 text that reads
// back from the manifest unchanged.
bool IsPublishableName(std::string_view name);

// The name for one line of output, escaped as the player's tools escape it (VisibleText), so
// a hostile file name cannot drive the admin's terminal.
std::string Shown(std::string_view name);

}  // namespace packwell::pack
