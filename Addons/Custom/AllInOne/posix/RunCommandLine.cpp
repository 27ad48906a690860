#include <cassert>
#include <cerrno>
#include <system_error>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "Addons/Custom/AllInOne/CommandLine.h"
#include "platform/Processes.h"

namespace AllInOne {

// ShowCmd asks a window state of Windows; a POSIX start has nothing to pass it to.
void RunCommandLine(const std::string& CommandLine, std::uint16_t /*ShowCmd*/) {
    assert(!CommandLine.empty() && "RunCommandLine needs a command line");
    const std::vector<std::string> argv = SplitCommandLine(CommandLine);
    if (argv.empty() || argv.front().empty())
        throw std::system_error(EINVAL, std::generic_category(), "empty command line");
    platform::SpawnDetached(argv);
}

}  // namespace AllInOne
