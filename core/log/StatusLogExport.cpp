#include "core/log/StatusLogExport.h"

#include "platform/Desktop.h"

namespace packwell {

FileOpener TextEditorOpener() { return [](const std::filesystem::path& file) { platform::OpenInTextEditor(file); }; }

std::filesystem::path ExportAndOpen(const StatusLog& log, const FileOpener& opener) {
    const std::filesystem::path file = log.Export();
    if (opener) opener(file);
    return file;
}

}  // namespace packwell
