#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "platform/Processes.h"

namespace AllInOne {

// The exchange happens in the program's own folder, where the update placed the new copy,
// whatever the current directory is.
void ReplaceSelfViaBatch(const std::string& NewName, const std::string& TempName) {
    const std::filesystem::path self = platform::OwnExecutablePath();
    const auto names = ScriptNamesFor(self, NewName, TempName);
    if (!names) throw std::invalid_argument("the replacement script cannot name the program's own file");
    const std::filesystem::path script = WriteReplaceScript(self.parent_path(), *names);
    try {
        StartReplaceScript(script);
    } catch (const std::system_error&) {
        // Not noticed: the program ends all the same, and the next start offers the update again.
    }
    std::exit(0);
}

std::optional<ReplaceNames> ScriptNamesFor(const std::filesystem::path& self, const std::string& newName,
                                           const std::string& tempName) {
    const std::u8string ownName = self.filename().u8string();  // the names are UTF-8 everywhere
    const auto usable = [](const ReplaceNames& names) {
        try {
            CheckReplaceNames(names);
            ReplaceScriptBytes(names);  // throws for a name the script's code page cannot spell
            return true;
        } catch (const std::invalid_argument&) {
            return false;
        }
    };
    ReplaceNames names{std::string(ownName.begin(), ownName.end()), newName, tempName};
    if (usable(names)) return names;
    const auto shortName = platform::ShortFileName(self);
    if (!shortName) return std::nullopt;
    names.OwnName = *shortName;
    return usable(names) ? std::optional(names) : std::nullopt;
}

}  // namespace AllInOne
