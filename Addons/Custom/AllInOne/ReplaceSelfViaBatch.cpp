#include <cstdlib>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "platform/Processes.h"

namespace AllInOne {

// The exchange happens in the program's own folder, where the update placed the new copy,
// whatever the current directory is.
void ReplaceSelfViaBatch(const std::string& NewName, const std::string& TempName) {
    const std::filesystem::path self = platform::OwnExecutablePath();
    const std::u8string ownName = self.filename().u8string();  // the names are UTF-8 everywhere
    const std::filesystem::path script = WriteReplaceScript(
        self.parent_path(), ReplaceNames{std::string(ownName.begin(), ownName.end()), NewName, TempName});
    try {
        StartReplaceScript(script);
    } catch (const std::system_error&) {
        // Not noticed: the program ends all the same, and the next start offers the update again.
    }
    std::exit(0);
}

}  // namespace AllInOne
