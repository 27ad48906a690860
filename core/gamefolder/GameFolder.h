#pragma once
// The once-a-second look at the game folder: which of three states it is in, what the
// folder label says, the two mods folders, whether "TL" is offered, and which layout the
// window should ask for. Pure evaluation: the window applies the result.
//
// How the window uses it (every validation):
//   FolderCheck check = ValidateGameFolder(GameDir, launcher);
//   sEdit1 <- GameDir; ModsDir/VersionModsDir <- check.ModsDir/check.VersionModsDir
//   Valid:  sLabel1 <- check.Label; sGroupBox3 enabled+shown; title items shown;
//           if FolderLayoutRequest(...) == LayoutRequest::Actions -> the actions layout.
//   Other:  sLabel1 <- check.Label first, then sGroupBox3 disabled+hidden, title items
//           hidden, then if FolderLayoutRequest(...) == LayoutRequest::Compact -> compact.
//   "TL":   sButtonCopyTL enabled+shown when check.ShowCopyTL, else disabled+hidden; then
//           if (auto w = FolderButtonWidthRequest(check.ShowCopyTL, sButtonSetFolder width))
//           AnimateControl(sButtonSetFolder, 9999, 9999, *w, 9999, 0.2, "CopyTL").
//   Then the running-game guard (core/GameGuard.h).
#include <filesystem>
#include <optional>
#include <string>

#include "core/gamefolder/LauncherGameDir.h"

namespace packwell {

inline constexpr const char* kLabelValid = "Правильная директория!";
inline constexpr const char* kLabelWrongPath = "Неправильный путь к папке с игрой!";
inline constexpr const char* kLabelCopied = "Скопировано в буфер обмена";
// "Версия " + GameVersion + " отсутствует!"
std::string VersionMissingLabel();

inline constexpr int kSetFolderWidthWithCopyTL = 329;  // leaves room for "TL" at 344
inline constexpr int kSetFolderWidthAlone = 369;
inline constexpr const char* kCopyTLTask = "CopyTL";

enum class FolderState { Valid, VersionMissing, WrongPath };

struct FolderCheck {
    FolderState State = FolderState::WrongPath;
    std::string Label;
    std::filesystem::path ModsDir;         // GameDir/mods
    std::filesystem::path VersionModsDir;  // GameDir/mods/1.12.2
    bool ShowCopyTL = false;

    bool ActionsShown() const { return State == FolderState::Valid; }
};

// WrongPath unless GameDir/versions and GameDir/assets are folders (an empty GameDir is
// WrongPath, never the current folder); VersionMissing unless GameDir/versions/1.12.2 is
// a folder; else Valid. Reads no file.
FolderCheck ValidateGameFolder(const std::string& GameDir, const LauncherInfo& launcher);

// Equal after A-Z alone are lower-cased; every other character compares as it is.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b);

// "TL" is offered when the launcher was found, named a folder, and that folder is not
// GameDir (A-Z case aside).
bool ShowCopyTL(const std::string& GameDir, const LauncherInfo& launcher);

struct WindowSize {
    int Width = 0;
    int Height = 0;
};

enum class LayoutRequest { None, Actions, Compact };

// Valid: the actions layout only from the compact height. Otherwise: the compact layout
// unless already there. Never while the window returns from the cleanup dialog.
LayoutRequest FolderLayoutRequest(FolderState state, WindowSize window, WindowSize compact,
                                  bool returnFromCleanup);

// The width "Указать" should be animated to, or nothing when it already has it.
std::optional<int> FolderButtonWidthRequest(bool showCopyTL, int presentWidth);

}  // namespace packwell
