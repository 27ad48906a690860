#include "Addons/Custom/AllInOne/ReplaceScript.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "platform/AtomicFile.h"

namespace AllInOne {
namespace {

// Characters that end or escape a quoted name in sh or cmd, expand in cmd, or make a
// name a pattern or a path.
constexpr std::string_view kRefused = "\"'%&|<>^*?:/\\`$";

void CheckName(const std::string& name, const char* role) {
    const auto refuse = [&](const std::string& why) {
        throw std::invalid_argument(std::string("unsafe ") + role + " for the replacement script: \"" + name + "\" " + why);
    };
    if (name.empty() || name == "." || name == "..") refuse("is not a file name");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) refuse("holds a control character");
        if (kRefused.find(c) != std::string_view::npos) refuse(std::string("holds '") + c + "'");
    }
}

// How many seconds the batch waits for the old program's file to be let go.
constexpr int kHeldRetries = 10;

// Whether two bare names in one folder are one file; Windows folds letter case (the names
// that can be equal here are ASCII, so folding ASCII is enough).
bool SameFile(const std::string& a, const std::string& b, bool foldAsciiCase) {
    if (!foldAsciiCase) return a == b;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

void CheckReplaceNames(const ReplaceNames& names) {
    CheckName(names.OwnName, "program name");
    CheckName(names.NewName, "new name");
    CheckName(names.TempName, "temporary name");
    // Deleting the old program or the new name would otherwise delete the new copy itself.
    if (names.TempName == names.OwnName || names.TempName == names.NewName)
        throw std::invalid_argument("the temporary name \"" + names.TempName + "\" must differ from the program's names");
}

std::string BuildReplaceShellScript(const ReplaceNames& n) {
    const auto q = [](const std::string& name) { return "'" + name + "'"; };
    std::string s;
    s += "#!/bin/sh\n";
    s += "cd \"$(dirname \"$0\")\" || exit 1\n";
    s += "export LC_ALL=C.UTF-8\n";
    // -T: a folder under the new name makes the rename fail instead of taking the copy in.
    s += "if chmod +x -- " + q(n.TempName) + " && mv -f -T -- " + q(n.TempName) + " " + q(n.NewName) + "; then\n";
    if (!SameFile(n.OwnName, n.NewName, /*foldAsciiCase=*/false)) s += "  rm -f -- " + q(n.OwnName) + "\n";
    s += "  nohup ./" + q(n.NewName) + " </dev/null >/dev/null 2>&1 &\n";
    s += "else\n";
    s += "  rm -f -- " + q(n.TempName) + "\n";
    s += "fi\n";
    s += "rm -f -- 'delete.sh'\n";
    return s;
}

std::string BuildReplaceBatch(const ReplaceNames& n) {
    const auto q = [](const std::string& name) { return "\"" + name + "\""; };
    std::string s;
    // The step that removes the old program's file, tried again each second for up to ten while
    // something still holds it (the program ending, a virus scanner reading the new file), so that
    // the old file is never left beside the new one. Ping to 127.0.0.1 is the wait cmd.exe has
    // on every Windows.
    const auto retried = [&](const std::string& guard, const std::string& held, const std::string& remove) {
        s += "set /a tries=0\r\n:old\r\n";
        s += guard + remove + "\r\n";
        s += guard + "if exist " + q(held) + " if %tries% lss " + std::to_string(kHeldRetries) +
             " (set /a tries+=1 & ping -n 2 127.0.0.1 >nul & goto old)\r\n";
    };
    const bool sameFile = SameFile(n.OwnName, n.NewName, /*foldAsciiCase=*/true);
    s += "chcp 1251\r\n";
    if (sameFile) {
        // The program already has the new name: that file is the program itself, and it goes only
        // when a copy is there to take its place.
        retried("if exist " + q(n.TempName) + " if exist " + q(n.NewName) + " ", n.NewName, "del /q /f " + q(n.NewName));
    } else {
        s += "if exist " + q(n.NewName) + " del /q /f " + q(n.NewName) + "\r\n";
    }
    s += "ren " + q(n.TempName) + " " + q(n.NewName) + "\r\n";
    // Only once the copy has left its temporary name for the new one may the old program go.
    if (!sameFile)
        retried("if exist " + q(n.NewName) + " if not exist " + q(n.TempName) + " ", n.OwnName, "del " + q(n.OwnName));
    // A copy left under its temporary name means the rename failed (a folder under the new name):
    // it goes, and nothing is started, as whatever has the new name is no program to start.
    s += "if exist " + q(n.TempName) + " (del /q /f " + q(n.TempName) + ") else start " + q(n.NewName) + " " +
         q(n.NewName) + "\r\n";
    s += "del \"delete.bat\"\r\n";
    return s;
}

std::filesystem::path WriteReplaceScript(const std::filesystem::path& folder, const ReplaceNames& names) {
    CheckReplaceNames(names);
    const std::string text = ReplaceScriptBytes(names);
    const std::filesystem::path script = folder / ReplaceScriptName();
    platform::WriteFileAtomically(script, text);
    return script;
}

}  // namespace AllInOne
