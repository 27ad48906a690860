#include "platform/win32/LongPath.h"

#include <windows.h>

namespace platform {
namespace {

// CreateDirectoryW's limit, the lowest of the file calls': MAX_PATH less room for an 8.3 name.
constexpr std::size_t kShortEnough = MAX_PATH - 12;

}  // namespace

std::wstring LongPath(const std::filesystem::path& path) {
    const std::wstring& given = path.native();
    if (given.size() < kShortEnough || given.starts_with(L"\\\\?\\") || given.starts_with(L"\\\\.\\")) return given;
    // The extended form is taken literally: "/", "." and ".." must be resolved before, as the
    // system does for a plain path.
    const DWORD need = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (need == 0) return given;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(given.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) return given;
    full.resize(got);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return given;
}

}  // namespace platform
