#pragma once
// The run's progress bars as one line on standard error, kept below the log lines printed on
// standard output. Bars are driven from the workers' threads, so everything here is locked.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "core/sync/RunHost.h"
#include "core/sync/TurboDispatcher.h"
#include "net/FutureDownloads/ProgressBar.h"

namespace packwell::cli {

class TerminalProgress {
public:
    // `showBars` false (standard error is no terminal): no progress line at all.
    TerminalProgress(std::ostream& out, std::ostream& err, bool showBars);

    WorkerBars Bars();
    void SetLayout(BarLayout layout);

    // Log lines, from any thread: the progress line is cleared first and drawn again later.
    void PrintLines(const std::vector<std::string>& lines);
    // A note in plain words on standard error, from any thread.
    void Note(const std::string& text);
    // Draws the progress line, at most ten times a second.
    void Render();
    // Leaves the terminal without a progress line.
    void Clear();

private:
    class Bar : public FutureDownloads::ProgressBar {
    public:
        explicit Bar(TerminalProgress& owner) : owner_(owner) {}
        void SetMaximum(std::int64_t maximum) override { maximum_ = maximum; }
        void SetPosition(std::int64_t position) override { position_ = position; }
        void Advance(std::int64_t delta) override { position_ += delta; }
        void ProcessPendingEvents() override { owner_.Render(); }
        std::string Shown() const;

    private:
        TerminalProgress& owner_;
        std::atomic<std::int64_t> maximum_{0};
        std::atomic<std::int64_t> position_{0};
    };

    void ClearLocked();

    std::ostream& out_;
    std::ostream& err_;
    const bool showBars_;
    std::mutex mutex_;
    std::atomic<int> barsShown_{0};
    bool lineDrawn_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
    std::array<Bar, kWorkerSlots> bars_{Bar(*this), Bar(*this), Bar(*this), Bar(*this), Bar(*this)};
};

}  // namespace packwell::cli
