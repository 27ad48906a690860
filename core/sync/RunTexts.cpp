#include "core/sync/RunTexts.h"

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/log/StatusLog.h"

namespace packwell::run_texts {
namespace {
constexpr std::int8_t kOneDecimal = -1;  // the byte 255 the summary passes
}

std::string FormatElapsed(std::chrono::milliseconds elapsed) {
    using namespace std::chrono;
    auto ms = elapsed.count();
    if (ms < 0) ms = -ms;
    ms %= duration_cast<milliseconds>(hours(24)).count();
    const auto totalSeconds = ms / 1000;
    return FormatLongTime(static_cast<int>(totalSeconds / 3600), static_cast<int>(totalSeconds / 60 % 60),
                          static_cast<int>(totalSeconds % 60));
}

std::string Summary(std::chrono::milliseconds elapsed, std::int64_t doneCount, std::int64_t listLength,
                    std::int64_t doneBytes) {
    return "======Завершение загрузки=======\r\nПрошло времени: " + FormatElapsed(elapsed) +
           "\r\nОбъем загруженых файлов(" + std::to_string(doneCount) + " из " + std::to_string(listLength) +
           "): " + AllInOne::FormatSize(kOneDecimal, static_cast<double>(doneBytes));
}

}  // namespace packwell::run_texts
