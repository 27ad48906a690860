#pragma once
// Manifest names are appended to local folders and server paths; only a bare file name may
// be, or a check could move and a cleanup delete files outside the mods folder.
#include <string_view>

namespace packwell {

// False for a name with "/", "\", a drive colon or a control character, for "." and "..", and
// for names Windows reads as no file in the folder: only dots and blanks, or a device name
// such as CON or nul.jar. The empty name counts as bare: it names no file and is simply
// reported missing.
bool IsBareFileName(std::string_view name);

}  // namespace packwell
