#include "ui/win32/FolderPicker.h"

#include <objbase.h>
#include <shlobj.h>

#include "core/Utf8Path.h"

namespace packwell::win32 {

namespace {

int CALLBACK OnBrowse(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

std::optional<std::string> PickFolder(HWND owner, const std::string& startFolder) {
    // The dialog of the new style needs COM on this thread; a thread that has it already keeps it.
    const HRESULT com = OleInitialize(nullptr);
    const std::wstring start = PathFromUtf8(startFolder).wstring();
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &OnBrowse;
    info.lParam = reinterpret_cast<LPARAM>(start.empty() ? nullptr : start.c_str());
    std::optional<std::string> chosen;
    if (PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(picked, path)) chosen = Utf8FromPath(std::filesystem::path(path));
        CoTaskMemFree(picked);
    }
    if (SUCCEEDED(com)) OleUninitialize();
    return chosen;
}

}  // namespace packwell::win32
