// A job runs off the calling thread, its end comes back through the queue with what it
// raised, one job at a time, and closing stops it without ever running a late end handler.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "core/jobs/BackgroundJob.h"
#include "tests/support/DrainUntil.h"

namespace packwell::test {
namespace {

struct Ending {
    std::thread::id thread;
    std::string error;  // what the work raised, empty when nothing
};

std::string Message(std::exception_ptr error) {
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
}

TEST(BackgroundJob, WorksOffThisThreadAndEndsHereWithWhatItRaised) {
    for (const bool raises : {false, true}) {
        UiQueue queue;
        BackgroundJob job(queue.Poster());
        std::atomic<bool> release{false};
        std::thread::id worker;
        std::optional<Ending> ending;
        ASSERT_TRUE(job.Start(
            [&](const std::atomic<bool>&) {
                worker = std::this_thread::get_id();
                while (!release) std::this_thread::yield();
                if (raises) throw std::runtime_error("disk gone");
            },
            [&](std::exception_ptr error) { ending = Ending{std::this_thread::get_id(), Message(error)}; }));

        // The job holds its thread, not this one; a second one must wait its turn.
        EXPECT_TRUE(job.Running());
        EXPECT_FALSE(job.Start([](const std::atomic<bool>&) {}, {}));
        release = true;
        ASSERT_TRUE(DrainUntil(queue, [&] { return ending.has_value(); }));

        EXPECT_NE(worker, std::this_thread::get_id());
        EXPECT_EQ(ending->thread, std::this_thread::get_id());
        EXPECT_EQ(ending->error, raises ? "disk gone" : "");
        EXPECT_FALSE(job.Running());
        EXPECT_TRUE(job.Start([](const std::atomic<bool>&) {}, {})) << "the next job may start";
    }
}

TEST(BackgroundJob, StopReachesTheWorkItsEndStillRunsAndNothingStartsAfter) {
    UiQueue queue;
    BackgroundJob job(queue.Poster());
    bool ended = false;
    ASSERT_TRUE(job.Start(
        [](const std::atomic<bool>& stop) {
            while (!stop) std::this_thread::yield();
        },
        [&](std::exception_ptr) { ended = true; }));
    job.Stop();
    ASSERT_TRUE(DrainUntil(queue, [&] { return ended; }));
    EXPECT_FALSE(job.Start([](const std::atomic<bool>&) {}, {}));
}

TEST(BackgroundJob, DestroyedBeforeItsEndIsHandledStopsJoinsAndDropsTheHandler) {
    UiQueue queue;
    bool ended = false;
    std::atomic<bool> sawStop{false};
    {
        BackgroundJob job(queue.Poster());
        ASSERT_TRUE(job.Start(
            [&](const std::atomic<bool>& stop) {
                while (!stop) std::this_thread::yield();
                sawStop = true;
            },
            [&](std::exception_ptr) { ended = true; }));
    }
    EXPECT_TRUE(sawStop);  // joined: the work is over
    queue.Drain();
    EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace packwell::test
