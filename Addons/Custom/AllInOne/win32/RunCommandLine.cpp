#include <cassert>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "platform/win32/CommandLineText.h"
#include "platform/win32/WideText.h"

namespace AllInOne {

// The command line goes to CreateProcessW as it is, wide; the window state is the program's
// first window's (a console program gets a console of its own, shown the same way).
void RunCommandLine(const std::string& CommandLine, std::uint16_t ShowCmd) {
    assert(!CommandLine.empty() && "RunCommandLine needs a command line");
    if (CommandLine.find_first_not_of(" \t") == std::string::npos)
        throw std::system_error(ERROR_INVALID_PARAMETER, std::system_category(), "empty command line");
    platform::StartProcess(platform::Widen(CommandLine),
                           {.Show = ShowCmd, .Flags = CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP, .Folder = {}});
}

}  // namespace AllInOne
