#include "platform/Environment.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

// The wide environment: the narrow one has only what the ANSI code page can spell.
std::optional<std::wstring> WideValue(const std::wstring& name) {
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return std::nullopt;
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n);  // n counts the closing zero here
    }
}

}  // namespace

std::optional<std::string> NonEmptyEnvironmentValue(const std::string& name) {
    auto value = WideValue(Widen(name));
    if (!value) return std::nullopt;
    return Narrow(*value);
}

std::filesystem::path HomeFolder() {
    if (auto home = WideValue(L"USERPROFILE")) return std::filesystem::path(*home);
    return std::filesystem::current_path();
}

}  // namespace platform
