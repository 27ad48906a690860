#pragma once
// What a synchronisation run writes to the status log.
#include <chrono>
#include <cstdint>
#include <string>

namespace packwell::run_texts {

inline constexpr const char* kHeader = "============Загрузка============";
inline constexpr const char* kReused = "Уже существует: ";
inline constexpr const char* kDownloaded = "Успешно: ";
inline constexpr const char* kFailed = " ! Ошибка загрузки: ";
inline constexpr const char* kNotAllObtained = "! Не все файлы были загружены !";

// The elapsed time as a time of day, modulo 24 hours: "H:mm:ss".
std::string FormatElapsed(std::chrono::milliseconds elapsed);

// One entry of three lines joined by CR LF: the closing title, the elapsed time, the totals.
std::string Summary(std::chrono::milliseconds elapsed, std::int64_t doneCount, std::int64_t listLength,
                    std::int64_t doneBytes);

}  // namespace packwell::run_texts
