#pragma once
// The script that swaps the running program for a newer copy once it has ended. Its text
// is built apart from writing and starting it, so the text can be checked on any system.
#include <filesystem>
#include <optional>
#include <string>

namespace AllInOne {

// The three bare file names the exchange works on, all in the program's own folder.
struct ReplaceNames {
    std::string OwnName;   // the running program's file
    std::string NewName;   // the name the new program is to have
    std::string TempName;  // the name the new program was saved under
};

// Throws std::invalid_argument unless every name is a bare file name that no quoting in
// either script can be broken out of (no quotes, "%", "&", "|", wildcards, separators or
// control characters, not empty, "." or ".."), and TempName differs from the other two.
void CheckReplaceNames(const ReplaceNames& names);

// The POSIX shell script "delete.sh", run in its own folder. The new copy takes its final name
// first (one rename, replacing any file of that name) and only then is the old program
// deleted and the new one started detached; when the rename fails (no copy, a folder or an
// impossible name in the way) the old program stays and the copy is removed. Last the script
// deletes itself. Nothing is deleted when OwnName and NewName are the same file.
std::string BuildReplaceShellScript(const ReplaceNames& names);

// The Windows batch "delete.bat", each line ended by CR LF (UTF-8 here; the Windows build
// converts to the ANSI code page that line 1 selects): code page, remove a file under the new
// name, rename the copy, delete the old program once the copy has left its temporary name
// for the new one (left out when both names are one file), start the new one, delete itself.
std::string BuildReplaceBatch(const ReplaceNames& names);

// File name of the script on this system: "delete.sh", or "delete.bat" on Windows.
const char* ReplaceScriptName();

// This system's script as the bytes of its file: the shell script, or the batch in
// Windows-1251. Throws std::invalid_argument when a name cannot be written in that code page.
std::string ReplaceScriptBytes(const ReplaceNames& names);

// Starts the written script detached, in its own folder (by /bin/sh, or by cmd.exe without a
// window). Throws std::system_error when it cannot be started.
void StartReplaceScript(const std::filesystem::path& script);

// The names the exchange of the program at `self` writes in this system's script: its own file
// name, or, where the script could not spell or safely quote it, its 8.3 short name on Windows;
// none when neither will do.
std::optional<ReplaceNames> ScriptNamesFor(const std::filesystem::path& self, const std::string& newName,
                                           const std::string& tempName);

// Checks the names, then writes this system's script into folder; returns its path.
// Throws std::invalid_argument for unsafe names or names the script's code page lacks (nothing
// written), std::system_error when
// the file cannot be written.
std::filesystem::path WriteReplaceScript(const std::filesystem::path& folder, const ReplaceNames& names);

}  // namespace AllInOne
