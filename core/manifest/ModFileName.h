#pragma once
// Manifest names are appended to local folders and server paths; only a bare file name may
// be, or a check could move and a cleanup delete files outside the mods folder.
#include <string>
#include <string_view>

namespace packwell {

// False for a name with "/", "\", a control character or one of : < > " | ? *, for a name
// that ends in a dot or a blank (so "." and ".."), and for a device name such as CON or
// nul.jar: Windows cannot hold these names or reads them as another file, and a pack must mean
// the same files on every system. The empty name counts as bare: it names no file and is simply
// reported missing.
bool IsBareFileName(std::string_view name);

// The name as Windows compares it: letters of either case are one there (Latin, Greek and
// Cyrillic folded here; what a pack's names use). Two names with one key are one file on the
// players' machines.
std::string WindowsNameKey(std::string_view name);

}  // namespace packwell
