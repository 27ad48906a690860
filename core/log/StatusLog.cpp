#include "core/log/StatusLog.h"

#include <filesystem>

#include "core/Utf8Path.h"
#include "platform/AtomicFile.h"
#include "platform/Desktop.h"
#include "platform/Locale.h"

namespace packwell {
namespace {

constexpr const char* kExportName = "Packwell - Статус.txt";
constexpr const char* kSeparator = " ";

// An entry's CR LF and bare LF breaks make separate lines.
void AppendSplit(std::vector<std::string>& lines, const std::string& entry) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = entry.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(entry.substr(start));
            return;
        }
        const std::size_t end = lf > start && entry[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(entry.substr(start, end - start));
        start = lf + 1;
    }
}

}  // namespace

StatusLog::StatusLog() : clock_([] { return std::chrono::system_clock::now(); }) {}

void StatusLog::Console(std::uint8_t IsHead, bool NdTime, const std::string& outt) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> added;
    if (IsHead == 1 && !lines_.empty()) added.emplace_back(kSeparator);
    if (NdTime) {
        const platform::TimeOfDay t = platform::LocalTimeOfDay(clock_());
        const std::string time = platform::LongTimeText(t).value_or(FormatLongTime(t.hours, t.minutes, t.seconds));
        AppendSplit(added, "[" + time + "] " + outt);
    } else {
        AppendSplit(added, outt);
    }
    lines_.insert(lines_.end(), added.begin(), added.end());
    // Still under the lock, so a window receives the entries in the log's own order.
    if (listener_) listener_(added);
}

std::vector<std::string> StatusLog::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::size_t StatusLog::LineCount() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

void StatusLog::SetListener(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void StatusLog::SetClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = clock ? std::move(clock) : Clock([] { return std::chrono::system_clock::now(); });
}

std::filesystem::path StatusLog::Export() const {
    std::string text;
    {
        std::lock_guard lock(mutex_);
        for (const std::string& line : lines_) {
            text += line;
            text += "\r\n";
        }
    }
    const std::filesystem::path file = std::filesystem::current_path() / PathFromUtf8(kExportName);
    platform::WriteFileAtomically(file, platform::TextForTheEditor(text));
    return file;
}

}  // namespace packwell
