#include "net/FutureDownloads/wininet/InternetSession.h"

#include "net/FutureDownloads/wininet/WideText.h"

namespace FutureDownloads::detail {

HINTERNET ProcessSession() {
    // No agent here: each request names its own (or none). The system's proxy settings apply,
    // as they do for every other program of the player's. Never closed: handles lent out until
    // the process ends still hang from it.
    static const HINTERNET session = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    return session;
}

std::string InternetErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        FORMAT_MESSAGE_FROM_HMODULE;
    const DWORD n = FormatMessageW(flags, GetModuleHandleW(L"wininet.dll"), code, 0,
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = n && text ? std::wstring(text, n) : std::wstring();
    if (text) LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    std::string result = "WinINet error " + std::to_string(code);
    if (!words.empty()) result += ": " + Narrow(words);
    return result;
}

}  // namespace FutureDownloads::detail
