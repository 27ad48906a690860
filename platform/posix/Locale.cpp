#include "platform/Locale.h"

#include <langinfo.h>

#include <ctime>

namespace platform {

std::string DecimalSeparator() {
    const char* radix = nl_langinfo(RADIXCHAR);
    return radix && *radix ? std::string(radix) : std::string(".");
}

TimeOfDay LocalTimeOfDay(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::optional<std::string> LongTimeText(const TimeOfDay&) { return std::nullopt; }

}  // namespace platform
