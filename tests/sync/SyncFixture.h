#pragma once
// A game folder, an in-process server and a recording window for synchronisation runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <regex>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "core/log/StatusLog.h"
#include "core/sync/RunHost.h"
#include "core/sync/SyncRun.h"
#include "core/sync/UiQueue.h"
#include "net/FutureDownloads/ProgressBar.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {

// The window side of a run, as a list of calls. StartSetupsPlus notes how many log lines
// existed at that moment, so tests see whether the summary came before or after it.
class RecordingHost : public RunHost {
public:
    explicit RecordingHost(const StatusLog& log) : log_(log) {}
    void ChngSize(BarLayout layout) override { calls.push_back("ChngSize(" + std::to_string(static_cast<int>(layout)) + ")"); }
    void StartSetupsPlus() override {
        linesAtSetups = log_.LineCount();
        calls.push_back("StartSetupsPlus");
    }
    void ShowCleanupDialog() override { calls.push_back("ShowCleanupDialog"); }
    void EnableWindow() override { calls.push_back("EnableWindow"); }
    void SetDispatcherTimer(bool enabled) override {
        timerOn = enabled;
        calls.push_back(enabled ? "Timer6(on)" : "Timer6(off)");
    }

    std::vector<std::string> calls;
    std::size_t linesAtSetups = 0;
    bool timerOn = false;

private:
    const StatusLog& log_;
};

// Records the maxima a download gives its bar; workers call it from their own threads.
class MaximaBar : public FutureDownloads::ProgressBar {
public:
    void SetMaximum(std::int64_t maximum) override {
        std::lock_guard lock(mutex_);
        maxima_.push_back(maximum);
    }
    void SetPosition(std::int64_t) override {}
    void Advance(std::int64_t) override {}
    void ProcessPendingEvents() override {}
    std::vector<std::int64_t> maxima() const {
        std::lock_guard lock(mutex_);
        return maxima_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::int64_t> maxima_;
};

// Raises where a download starts its bar: the error inside one file's step.
class RaisingBar : public FutureDownloads::ProgressBar {
public:
    void SetMaximum(std::int64_t) override { throw std::runtime_error("the bar refuses"); }
    void SetPosition(std::int64_t) override {}
    void Advance(std::int64_t) override {}
    void ProcessPendingEvents() override {}
};

class SyncTest : public ::testing::Test {
protected:
    SyncTest() { std::filesystem::create_directories(paths.VersionModsDir); }

    void Mod(const std::string& name, const std::string& body) { server.serve("/mods3/" + name, body); }
    // A copy lying in the plain mods folder.
    void Stray(const std::string& name, const std::string& body) {
        temp.write(std::filesystem::path("game/mods") / PathFromUtf8(name), body);
    }

    RunRequest Request(std::vector<std::string> missing, bool turbo, bool setups = false,
                       std::vector<std::string> deletable = {}) {
        RunRequest r;
        r.lists.MissingList = std::move(missing);
        r.lists.DeleteList = std::move(deletable);
        r.paths = paths;
        r.turbo = turbo;
        r.setups = setups;
        return r;
    }

    // Presses the button and plays the window's part: Timer6 ticks and the queued end handlers.
    void RunToEnd(SyncRun& run) {
        run.Start();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!run.Finished()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run did not end";
            queue.Drain(std::chrono::milliseconds(1));
            if (host.timerOn) run.Tick();
        }
    }

    void Run(RunRequest request, WorkerBars bars = {}) {
        SyncRun run(std::move(request), log, host, bars, queue.Poster());
        RunToEnd(run);
    }

    // The log with every time stamp written as "[t]" (in the locale's long format, which may add
    // AM or PM) and the elapsed time as "[e]".
    std::vector<std::string> Lines() const {
        static const std::regex stamp(R"(^\[\d{1,2}:\d{2}:\d{2}(?: [AP]M)?\] )");
        static const std::regex elapsed(R"(^Прошло времени: \d{1,2}:\d{2}:\d{2}$)");
        std::vector<std::string> out;
        for (const auto& line : log.Lines()) {
            if (std::regex_search(line, elapsed)) out.push_back("Прошло времени: [e]");
            else out.push_back(std::regex_replace(line, stamp, "[t] ", std::regex_constants::format_first_only));
        }
        return out;
    }

    bool InVersionMods(const std::string& name) const {
        return std::filesystem::is_regular_file(paths.VersionModsDir / PathFromUtf8(name));
    }

    TempDir temp;
    HttpServer server;
    StatusLog log;
    RecordingHost host{log};
    UiQueue queue;
    SyncPaths paths = SyncPaths::ForGame(temp.root() / "game", server.url(""));
};

inline const char* kHeaderLine = "============Загрузка============";
inline const char* kClosingTitle = "======Завершение загрузки=======";
inline const char* kElapsedLine = "Прошло времени: [e]";
inline const char* kWarningLine = "! Не все файлы были загружены !";

}  // namespace packwell::test
