#include <windows.h>

#include <stdexcept>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "platform/win32/CommandLineText.h"
#include "platform/win32/WideText.h"

namespace AllInOne {
namespace {

constexpr UINT kScriptCodePage = 1251;  // what the script's first line selects

// A name the code page cannot spell would be renamed or deleted under another name.
std::string ToScriptCodePage(const std::string& utf8) {
    const std::wstring wide = platform::Widen(utf8);
    if (wide.empty()) return {};
    BOOL lossy = FALSE;
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(kScriptCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                      &lossy);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kScriptCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), n, nullptr, &lossy);
    if (lossy || n == 0) throw std::invalid_argument("the replacement script cannot name \"" + utf8 + "\" in Windows-1251");
    return bytes;
}

}  // namespace

const char* ReplaceScriptName() { return "delete.bat"; }

std::string ReplaceScriptBytes(const ReplaceNames& names) { return ToScriptCodePage(BuildReplaceBatch(names)); }

// cmd.exe without a window, in the script's folder: the script names the files bare.
void StartReplaceScript(const std::filesystem::path& script) {
    std::wstring line = L"cmd.exe /d /c \"" + script.filename().native() + L"\"";
    platform::StartProcess(std::move(line), {.Show = SW_HIDE, .Flags = CREATE_NO_WINDOW, .Folder = script.parent_path()});
}

}  // namespace AllInOne
