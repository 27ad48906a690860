#pragma once
// What the compatibility check writes to the status log.
#include <cstdint>
#include <string>
#include <string_view>

namespace packwell::check_texts {

inline constexpr const char* kHeader = "=====Проверка совместимости=====";
inline constexpr const char* kNoConnection = "Ошибка подключения к серверу.";
inline constexpr const char* kCancelled = "Операция отменена.";
inline constexpr const char* kManifestCleared = "Конфиг очищен.";
inline constexpr const char* kManifestFailed = "Ошибка загрузки конфига.";
inline constexpr const char* kManifestLoaded = "Конфиг загружен.";
inline constexpr const char* kDamaged = " ! Поврежденный файл: ";
inline constexpr const char* kMissing = "* Отсутствует: ";

// A name the check refuses, its control bytes shown escaped (it may come from a hostile server).
std::string UnsafeNameLine(std::string_view name);
// A name of the dellist that is a mod the server lists, under another name on this system: kept.
std::string ListedModKeptLine(std::string_view name);
// A listed name that is on this system the file of an earlier listed name: counted once.
std::string SameFileLine(std::string_view name);
// A damaged mod that could not be deleted, as another program (the game) holds it open.
std::string HeldLine(std::string_view name);
// count is the "Count" as the manifest states it, even when negative or beyond the bound.
std::string ServerCountLine(std::int64_t count, std::int64_t serverTotal);
std::string TooManyEntriesLine(const std::string& section, std::int64_t statedCount);
// One entry of three lines joined by CR LF.
std::string Summary(std::size_t missing, std::int64_t missingTotal, std::size_t deletable);

}  // namespace packwell::check_texts
