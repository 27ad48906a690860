#include "core/log/StatusLogExport.h"

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "platform/Desktop.h"

namespace {

constexpr std::uint16_t kShowWindow = 5;  // SW_SHOW

}  // namespace

namespace packwell {

// Windows names its editor on a command line of the program's own; elsewhere the desktop chooses.
FileOpener TextEditorOpener() {
    return [](const std::filesystem::path& file) {
        if (const auto commandLine = platform::TextEditorCommandLine(file))
            AllInOne::RunCommandLine(*commandLine, kShowWindow);
        else
            platform::OpenInTextEditor(file);
    };
}

std::filesystem::path ExportAndOpen(const StatusLog& log, const FileOpener& opener) {
    const std::filesystem::path file = log.Export();
    if (opener) opener(file);
    return file;
}

}  // namespace packwell
