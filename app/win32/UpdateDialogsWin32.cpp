#include "app/win32/UpdateDialogsWin32.h"

#include "core/Utf8Path.h"

namespace packwell::app::win32 {

UINT UpdateBoxFlags(UpdateBox box) {
    switch (box) {
        case UpdateBox::Question: return MB_OKCANCEL | MB_ICONINFORMATION | MB_TOPMOST;
        case UpdateBox::DownloadFailed: return MB_OK | MB_ICONERROR | MB_TOPMOST;
        case UpdateBox::NoConnection: return MB_OK | MB_ICONWARNING | MB_TOPMOST;
        case UpdateBox::CannotInstall: return MB_OK | MB_ICONWARNING | MB_TOPMOST;
    }
    return MB_OK | MB_TOPMOST;
}

namespace {

class MessageBoxDialogs : public UpdateDialogs {
public:
    bool Show(const UpdateMessage& message) override {
        // The texts already break lines with CR LF, as message boxes want them.
        const std::wstring text = PathFromUtf8(message.text).wstring();
        const std::wstring caption = PathFromUtf8(message.caption).wstring();
        // Closing the question box answers Cancel (IDCANCEL), as its Esc key does.
        return MessageBoxW(nullptr, text.c_str(), caption.c_str(), UpdateBoxFlags(message.box)) == IDOK;
    }
};

}  // namespace

}  // namespace packwell::app::win32

namespace packwell::app {

std::unique_ptr<UpdateDialogs> MakeUpdateDialogs() { return std::make_unique<win32::MessageBoxDialogs>(); }

}  // namespace packwell::app
