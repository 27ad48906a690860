#include "core/gamefolder/GameFolder.h"

#include <system_error>

#include "core/settings/SharedValues.h"
#include "core/Utf8Path.h"

namespace fs = std::filesystem;

namespace packwell {

namespace {

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

FolderState StateOf(const std::string& GameDir) {
    if (GameDir.empty()) return FolderState::WrongPath;
    fs::path dir = PathFromUtf8(GameDir);
    if (!IsFolder(dir / "versions") || !IsFolder(dir / "assets")) return FolderState::WrongPath;
    if (!IsFolder(dir / "versions" / kGameVersion)) return FolderState::VersionMissing;
    return FolderState::Valid;
}

std::string LabelOf(FolderState state) {
    switch (state) {
        case FolderState::Valid: return kLabelValid;
        case FolderState::VersionMissing: return VersionMissingLabel();
        case FolderState::WrongPath: return kLabelWrongPath;
    }
    return kLabelWrongPath;
}

}  // namespace

std::string VersionMissingLabel() { return std::string("Версия ") + kGameVersion + " отсутствует!"; }

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool ShowCopyTL(const std::string& GameDir, const LauncherInfo& launcher) {
    return launcher.Found && !launcher.GameDir.empty() && !SameIgnoringAsciiCase(launcher.GameDir, GameDir);
}

FolderCheck ValidateGameFolder(const std::string& GameDir, const LauncherInfo& launcher) {
    FolderCheck check;
    check.State = StateOf(GameDir);
    check.Label = LabelOf(check.State);
    check.ModsDir = PathFromUtf8(GameDir) / "mods";
    check.VersionModsDir = check.ModsDir / kGameVersion;
    check.ShowCopyTL = ShowCopyTL(GameDir, launcher);
    return check;
}

LayoutRequest FolderLayoutRequest(FolderState state, WindowSize window, WindowSize compact,
                                  bool returnFromCleanup) {
    if (returnFromCleanup) return LayoutRequest::None;
    if (state == FolderState::Valid)
        return window.Height == compact.Height ? LayoutRequest::Actions : LayoutRequest::None;
    bool atCompact = window.Width == compact.Width && window.Height == compact.Height;
    return atCompact ? LayoutRequest::None : LayoutRequest::Compact;
}

std::optional<int> FolderButtonWidthRequest(bool showCopyTL, int presentWidth) {
    int wanted = showCopyTL ? kSetFolderWidthWithCopyTL : kSetFolderWidthAlone;
    if (presentWidth == wanted) return std::nullopt;
    return wanted;
}

}  // namespace packwell
