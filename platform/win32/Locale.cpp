#include "platform/Locale.h"

#include <windows.h>

#include <ctime>

#include "platform/win32/WideText.h"

namespace platform {

std::string DecimalSeparator() {
    wchar_t separator[8] = {};  // the system allows at most 3 characters
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ".";
    return Narrow(separator);
}

TimeOfDay LocalTimeOfDay(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    if (localtime_s(&local, &t) != 0) return {};
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::optional<std::string> LongTimeText(const TimeOfDay& time) {
    SYSTEMTIME st{};
    st.wYear = 2000;  // only the time fields are read; the date just has to be valid
    st.wMonth = 1;
    st.wDay = 1;
    st.wHour = static_cast<WORD>(time.hours);
    st.wMinute = static_cast<WORD>(time.minutes);
    st.wSecond = static_cast<WORD>(time.seconds);
    // No format given: the user's long time format (LOCALE_STIMEFORMAT).
    wchar_t text[128] = {};
    if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 128) <= 1) return std::nullopt;
    return Narrow(text);
}

}  // namespace platform
