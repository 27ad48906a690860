#include "core/check/CheckTexts.h"

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/log/VisibleText.h"
#include "core/manifest/Manifest.h"

namespace packwell::check_texts {
namespace {

// FormatSize's rounding byte 255: one decimal.
std::string Size(std::int64_t bytes) {
    return AllInOne::FormatSize(static_cast<std::int8_t>(-1), static_cast<double>(bytes));
}

}  // namespace

std::string UnsafeNameLine(std::string_view name) { return " ! Недопустимое имя файла: " + VisibleText(name); }

std::string ListedModKeptLine(std::string_view name) {
    return " ! Оставлен, это мод из списка сервера: " + VisibleText(name);
}

std::string SameFileLine(std::string_view name) {
    return " ! Имя совпадает с другим модом списка (один файл): " + VisibleText(name);
}

std::string HeldLine(std::string_view name) {
    return " ! Файл занят другой программой, закройте игру и проверьте снова: " + VisibleText(name);
}

std::string ServerCountLine(std::int64_t count, std::int64_t serverTotal) {
    return "Всего модов на сервере: " + std::to_string(count) + " шт. (" + Size(serverTotal) + ")";
}

std::string TooManyEntriesLine(const std::string& section, std::int64_t statedCount) {
    return " ! Слишком длинный список " + section + ": " + std::to_string(statedCount) +
           " шт., проверены первые " + std::to_string(kMaxManifestEntries);
}

std::string Summary(std::size_t missing, std::int64_t missingTotal, std::size_t deletable) {
    return "======Завершение проверки=======\r\nОтсутствуют моды: " + std::to_string(missing) + " шт. (" +
           Size(missingTotal) + ")\r\nМожно удалить файлов: " + std::to_string(deletable) + " шт.";
}

}  // namespace packwell::check_texts
