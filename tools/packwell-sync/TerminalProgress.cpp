#include "tools/packwell-sync/TerminalProgress.h"

#include "Addons/Custom/AllInOne/AllInOne.h"

namespace packwell::cli {
namespace {
constexpr const char* kEraseLine = "\r\033[K";
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
}  // namespace

std::string TerminalProgress::Bar::Shown() const {
    const std::int64_t maximum = maximum_.load();
    const std::int64_t position = position_.load();
    if (maximum > 0) return std::to_string(position * 100 / maximum) + "%";
    if (position > 0) return AllInOne::FormatSize(-1, static_cast<double>(position));  // no length announced
    return "—";
}

TerminalProgress::TerminalProgress(std::ostream& out, std::ostream& err, bool showBars)
    : out_(out), err_(err), showBars_(showBars) {}

WorkerBars TerminalProgress::Bars() { return {&bars_[0], &bars_[1], &bars_[2], &bars_[3], &bars_[4]}; }

void TerminalProgress::SetLayout(BarLayout layout) {
    barsShown_ = layout == BarLayout::FiveBars ? kWorkerSlots : layout == BarLayout::OneBar ? 1 : 0;
    std::lock_guard lock(mutex_);
    ClearLocked();
}

void TerminalProgress::PrintLines(const std::vector<std::string>& lines) {
    std::lock_guard lock(mutex_);
    ClearLocked();
    for (const auto& line : lines) out_ << line << "\n";
    out_.flush();
}

void TerminalProgress::Note(const std::string& text) {
    std::lock_guard lock(mutex_);
    ClearLocked();
    err_ << text << "\n";
    err_.flush();
}

void TerminalProgress::Render() {
    const int shown = barsShown_;
    if (!showBars_ || shown == 0) return;
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (lineDrawn_ && now - lastDrawn_ < kRedrawInterval) return;
    std::string line = kEraseLine;
    for (int i = 0; i < shown; ++i) line += "[" + std::to_string(i + 1) + "] " + bars_[i].Shown() + "  ";
    err_ << line << std::flush;
    lineDrawn_ = true;
    lastDrawn_ = now;
}

void TerminalProgress::Clear() {
    std::lock_guard lock(mutex_);
    ClearLocked();
}

void TerminalProgress::ClearLocked() {
    if (!lineDrawn_) return;
    err_ << kEraseLine << std::flush;
    lineDrawn_ = false;
}

}  // namespace packwell::cli
