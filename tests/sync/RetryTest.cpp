// A mod download that fails for a passing reason is tried again within the run, going on from
// the bytes it kept, and the log still has one line for it; a failure that will not pass is
// never asked again.
#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "tests/sync/SyncFixture.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using Failure = HttpServer::Failure;

// The real schedule's shape with no time to wait, and a short stall limit.
RetrySchedule Quick() {
    RetrySchedule schedule;
    schedule.waits.assign(3, std::chrono::milliseconds(0));
    schedule.retryAfterCap = std::chrono::milliseconds(0);
    schedule.stall = std::chrono::seconds(1);
    return schedule;
}

class Retry : public SyncTest {
protected:
    const std::string body = std::string(200000, 'r') + "end";

    // Runs the request to its end and returns the lines about files and each file's detail.
    std::vector<std::string> RunWithDetails(RunRequest request) {
        SyncRun run(std::move(request), log, host, {}, queue.Poster(), [this](const std::string& name, const StepResult& r) {
            std::lock_guard lock(mutex_);
            details[name] = r.detail;
        });
        RunToEnd(run);
        std::vector<std::string> lines = Lines();
        std::erase_if(lines, [](const std::string& l) {
            return l.find("Успешно: ") == std::string::npos && l.find("Ошибка загрузки: ") == std::string::npos;
        });
        return lines;
    }

    std::map<std::string, std::string> details;

private:
    std::mutex mutex_;
};

struct Transient {
    const char* name;
    Failure how;
    bool turbo;
};

class TransientFailure : public Retry, public ::testing::WithParamInterface<Transient> {};

const Transient kTransient[] = {
    {"cut_off", Failure::CutOff, true},          {"cut_off_sequential", Failure::CutOff, false},
    {"stall", Failure::Stall, true},              {"unavailable", Failure::Unavailable, true},
    {"too_many_requests", Failure::TooMany, true}, {"too_many_sequential", Failure::TooMany, false},
};

TEST_P(TransientFailure, IsRetriedUntilItSucceedsWithOneLine) {
    server.serveFile("/mods3/a.jar", body, "\"a1\"");
    server.failFirst("/mods3/a.jar", 2, GetParam().how);
    RunRequest request = Request({"a.jar"}, GetParam().turbo);
    request.retry = Quick();

    EXPECT_THAT(RunWithDetails(std::move(request)), ElementsAre("[t] Успешно: a.jar"));
    EXPECT_TRUE(readFile(paths.VersionModsDir / "a.jar") == body);
    EXPECT_EQ(server.requestCount(), 3u);
    EXPECT_EQ(details["a.jar"], "повторных попыток: 2");
    EXPECT_THAT(listDir(paths.VersionModsDir), ElementsAre("a.jar"));
}

INSTANTIATE_TEST_SUITE_P(Cases, TransientFailure, ::testing::ValuesIn(kTransient),
                         [](const auto& info) { return std::string(info.param.name); });

// A cut-off attempt's bytes are kept: the retry asks only for the rest.
TEST_F(Retry, ARetryGoesOnFromTheKeptBytes) {
    server.serveFile("/mods3/a.jar", body, "\"a1\"");
    server.failFirst("/mods3/a.jar", 1, Failure::CutOff);
    RunRequest request = Request({"a.jar"}, /*turbo=*/true);
    request.retry = Quick();

    RunWithDetails(std::move(request));

    const auto asked = server.requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].range, "bytes=" + std::to_string(body.size() / 2) + "-");
    EXPECT_TRUE(readFile(paths.VersionModsDir / "a.jar") == body);
}

// 404, 403 and an error page will not change by asking again; a transient failure that
// outlasts the schedule ends as a failure after three retries.
TEST_F(Retry, FailuresThatWillNotPassAreAskedOnceAndRetriesEnd) {
    server.serve("/mods3/missing.jar", "gone", 404);
    server.serve("/mods3/forbidden.jar", "no", 403);
    server.serve("/mods3/page.jar", "<p>404: Not Found</p>");
    server.serveFile("/mods3/busy.jar", body, "\"b\"");
    server.failFirst("/mods3/busy.jar", 100, Failure::Unavailable);
    RunRequest request = Request({"missing.jar", "forbidden.jar", "page.jar", "busy.jar"}, /*turbo=*/true);
    request.retry = Quick();

    const auto lines = RunWithDetails(std::move(request));

    EXPECT_EQ(lines.size(), 4u);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [](const auto& l) { return l.find("Ошибка") != l.npos; }));
    std::map<std::string, int> asked;
    for (const auto& r : server.requests()) ++asked[r.path];
    EXPECT_EQ(asked, (std::map<std::string, int>{{"/mods3/missing.jar", 1},
                                                  {"/mods3/forbidden.jar", 1},
                                                  {"/mods3/page.jar", 1},
                                                  {"/mods3/busy.jar", 4}}));
    EXPECT_NE(details["busy.jar"].find("повторных попыток: 3"), std::string::npos) << details["busy.jar"];
    EXPECT_EQ(details["missing.jar"].find("повторных"), std::string::npos);
}

// A stop during a wait between attempts ends the run at once, not after the wait.
TEST_F(Retry, StoppingEndsTheWaitBetweenAttempts) {
    server.serve("/mods3/a.jar", "busy", 503);
    RunRequest request = Request({"a.jar"}, /*turbo=*/true);
    request.retry = Quick();
    request.retry.waits.assign(3, std::chrono::hours(1));
    SyncRun run(std::move(request), log, host, {}, queue.Poster());
    std::thread stopper([&] {
        while (server.requestCount() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        run.Cancel();
    });
    RunToEnd(run);  // fails on its own deadline if the wait outlasted the stop
    stopper.join();
    EXPECT_EQ(server.requestCount(), 1u);
}

}  // namespace
}  // namespace packwell::test

namespace packwell {
namespace {

// The real schedule grows; a server's Retry-After lengthens a wait but never past the cap.
TEST(WaitBefore, ScheduleOrTheServersRetryAfterCapped) {
    using std::chrono::seconds;
    const RetrySchedule schedule;
    struct Case {
        std::size_t retry;
        std::optional<seconds> retryAfter;
        seconds expected;
    };
    const Case cases[] = {
        {0, std::nullopt, seconds(1)}, {1, std::nullopt, seconds(2)},  {2, std::nullopt, seconds(4)},
        {0, seconds(10), seconds(10)}, {2, seconds(1), seconds(4)},    {0, seconds(3600), seconds(30)},
    };
    for (const Case& c : cases) {
        FutureDownloads::DownloadResult failed;
        failed.error = FutureDownloads::DownloadError::HttpStatus;
        failed.httpStatus = 429;
        failed.retryAfter = c.retryAfter;
        EXPECT_EQ(WaitBefore(schedule, c.retry, failed), c.expected) << "retry " << c.retry;
    }
}

}  // namespace
}  // namespace packwell
