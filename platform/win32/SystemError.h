#pragma once
// The thread's last Windows error as the exception the platform headers promise.
#include <string>
#include <system_error>

#include <windows.h>

namespace platform {

[[noreturn]] inline void ThrowLastError(const std::string& what, DWORD error = GetLastError()) {
    throw std::system_error(static_cast<int>(error), std::system_category(), what);
}

// Closes the handle when it goes out of scope.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~OwnedHandle() {
        if (valid()) CloseHandle(h_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

private:
    HANDLE h_;
};

}  // namespace platform
