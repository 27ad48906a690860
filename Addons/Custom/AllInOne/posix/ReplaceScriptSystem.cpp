#include <system_error>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "platform/Processes.h"

namespace AllInOne {

const char* ReplaceScriptName() { return "delete.sh"; }

std::string ReplaceScriptBytes(const ReplaceNames& names) { return BuildReplaceShellScript(names); }

// The script changes to its own folder itself.
void StartReplaceScript(const std::filesystem::path& script) { platform::SpawnDetached({"/bin/sh", script.string()}); }

}  // namespace AllInOne
