#include "tests/support/win32/SmallVolume.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

constexpr const char* kVariable = "PACKWELL_SMALL_VOLUME";
constexpr const wchar_t* kLockName = L"in-use";
constexpr const wchar_t* kFillerName = L"filler";
// Anything larger is no volume of offline.sh's: filling it would fill a real disk.
constexpr std::uint64_t kMaxSize = 16 * 1024 * 1024;

}  // namespace

SmallVolume::SmallVolume() {
    const std::optional<std::string> unixPath = GetEnv(kVariable);
    if (!unixPath || unixPath->empty()) {
        ADD_FAILURE() << kVariable << " is not set: run this test through scripts/offline.sh, which mounts the "
                      << "small volume it fills";
        return;
    }
    root_ = PathFromUtf8("Z:" + *unixPath).make_preferred();
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExW(root_.c_str(), nullptr, &total, nullptr)) {
        ADD_FAILURE() << "cannot reach " << Utf8FromPath(root_) << ": error " << GetLastError();
        return;
    }
    if (total.QuadPart > kMaxSize) {
        ADD_FAILURE() << Utf8FromPath(root_) << " holds " << total.QuadPart << " bytes, no small volume: run this "
                      << "test through scripts/offline.sh";
        return;
    }
    // Tests run side by side would fill the volume for each other: one at a time.
    HANDLE lock;
    while ((lock = CreateFileW((root_ / kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE &&
           GetLastError() == ERROR_SHARING_VIOLATION)
        Sleep(20);
    if (lock == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot take " << Utf8FromPath(root_) << ": error " << GetLastError();
        return;
    }
    lock_ = lock;
    clear();  // what a test that crashed left
    folder_ = root_ / L"test";
    fs::create_directory(folder_);
}

SmallVolume::~SmallVolume() {
    if (!ready()) return;
    clear();
    CloseHandle(lock_);
}

void SmallVolume::clear() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(root_))
        if (entry.path().filename() != kLockName) fs::remove_all(entry.path());
}

void SmallVolume::leaveFree(std::uint64_t bytes) const {
    const HANDLE filler = CreateFileW((root_ / kFillerName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(filler, INVALID_HANDLE_VALUE) << GetLastError();
    const std::vector<char> block(4096, 'f');
    std::uint64_t written = 0;
    DWORD n = 0;
    while (WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &n, nullptr) && n > 0) written += n;
    const DWORD error = GetLastError();
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(written > bytes ? written - bytes : 0);
    const bool shrunk = SetFilePointerEx(filler, end, nullptr, FILE_BEGIN) && SetEndOfFile(filler);
    CloseHandle(filler);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL)) << "the volume did not fill";
    EXPECT_TRUE(shrunk) << GetLastError();
}

}  // namespace packwell::test
