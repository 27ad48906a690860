// packwell-sync: the client without a window, for players without a display and for server
// admins who want to see what a fresh client would report.
#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "core/settings/SharedValues.h"
#include "platform/Console.h"
#include "tools/packwell-sync/CheckMode.h"
#include "tools/packwell-sync/Options.h"
#include "tools/packwell-sync/StopSignal.h"
#include "tools/packwell-sync/SyncMode.h"

namespace {

int Run(const std::vector<std::string>& args) {
    using namespace packwell::cli;
    // The user's locale, as the window has it from Qt: sizes then read "3,8 Кб" under ru_RU in both.
    std::setlocale(LC_ALL, "");
    InstallStopSignalHandlers();
    const platform::Utf8Console console;
    const ParsedArguments parsed = ParseArguments(args);
    switch (parsed.kind) {
        case ParsedArguments::Kind::Help:
            std::cout << HelpText(packwell::BaseUrl());
            return 0;
        case ParsedArguments::Kind::Error:
            std::cerr << "packwell-sync: " << parsed.error << "\n"
                      << "Подробнее: packwell-sync --help\n";
            return static_cast<int>(ExitStatus::CouldNotCheck);
        case ParsedArguments::Kind::Run:
            break;
    }
    ExitStatus status = ExitStatus::CouldNotCheck;
    switch (parsed.options.mode) {
        case RunMode::CheckOnly:
            status = RunCheckOnly(parsed.options, std::cout, std::cerr);
            break;
        case RunMode::Sync:
            status = RunSync(parsed.options, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
            break;
    }
    return static_cast<int>(status);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run(packwell::Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return Run(packwell::Utf8Arguments(argc, argv)); }
#endif
