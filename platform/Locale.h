#pragma once
// What the user's locale decides: the decimal separator and the local time of day.
#include <chrono>
#include <optional>
#include <string>

namespace platform {

// The decimal separator of the process's numeric locale ("," under ru_RU, "." under C).
// A program that wants the user's settings selects them first (Qt does at start-up). On
// Windows the user locale's own (LOCALE_SDECIMAL).
std::string DecimalSeparator();

struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// The local time of day at the given moment, in the user's time zone.
TimeOfDay LocalTimeOfDay(std::chrono::system_clock::time_point when);

// The time of day in the user locale's long time format, where the system has one (Windows);
// nullopt elsewhere, and the caller's own format stands.
std::optional<std::string> LongTimeText(const TimeOfDay& time);

}  // namespace platform
