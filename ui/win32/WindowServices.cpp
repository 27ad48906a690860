#include "ui/win32/WindowServices.h"

#include "core/Utf8Path.h"
#include "ui/win32/FolderPicker.h"

namespace packwell::win32 {

namespace {

void ShowGameWarningBox(HWND owner) {
    const std::wstring text = PathFromUtf8(kGameWarningText).wstring();
    const std::wstring caption = PathFromUtf8(kGameWarningCaption).wstring();
    // Owned by the window, so the program takes no other input meanwhile.
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

}  // namespace

WindowServices WindowServices::Defaults() {
    WindowServices s;
    static_cast<window::DesktopServices&>(s) = window::DesktopServices::System();
    s.chooseFolder = &PickFolder;
    s.showGameWarning = &ShowGameWarningBox;
    s.terminate = [] { PostQuitMessage(0); };
    return s;
}

}  // namespace packwell::win32
