#include "Addons/Custom/AllInOne/EnvironmentText.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace AllInOne {

// ExpandEnvironmentStringsW reads the wide environment: a value holding letters outside the
// ANSI code page ("Иван" under 1252) arrives whole.
std::string ExpandEnvironmentReferences(const std::string& text) {
    const std::wstring wide = platform::Widen(text);
    std::wstring expanded(wide.size() + 256, L'\0');
    for (;;) {
        const DWORD n = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (n == 0) return text;
        if (n <= expanded.size()) {
            expanded.resize(n - 1);  // n counts the closing zero
            return platform::Narrow(expanded);
        }
        expanded.resize(n);
    }
}

}  // namespace AllInOne
