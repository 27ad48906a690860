// The rounds of a comparison: every program in each round, no program always first, the median
// and range of what was measured, and a failed or wrong run that stops the benchmark.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Jar.h"
#include "bench/common/Rounds.h"
#include "tests/support/TempDir.h"

namespace packwell::bench {
namespace {

// A peer that notes when it ran and reports the given wall times, one a round.
Peer Recording(const std::string& name, std::vector<std::string>& order, std::vector<double> seconds) {
    auto round = std::make_shared<std::size_t>(0);
    return {name, false, {},
            [&order, name, seconds, round] {
                order.push_back(name);
                ChildFigures f;
                f.seconds = seconds.at((*round)++);
                f.ok = true;
                return f;
            },
            {}};
}

TEST(Rounds, EveryProgramRunsInEachRoundAndEachStartsARound) {
    std::vector<std::string> order;
    const std::vector<Peer> peers = {Recording("a", order, {1, 1, 1}), Recording("b", order, {1, 1, 1}),
                                     Recording("c", order, {1, 1, 1})};
    RunRounds(peers, 3);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "b", "c", "a", "c", "a", "b"}));
}

TEST(Rounds, FiguresAreTheMedianAndTheRangeOfTheRounds) {
    std::vector<std::string> order;
    const auto figures = RunRounds({Recording("a", order, {5, 1, 3, 2, 4})}, 5);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].seconds.median, 3);
    EXPECT_EQ(figures[0].seconds.min, 1);
    EXPECT_EQ(figures[0].seconds.max, 5);
    EXPECT_EQ(SpreadOf({4, 1, 2, 3}).median, 2.5);
}

TEST(Rounds, AFailedRunOrAWrongOutputStopsTheBenchmarkAndNamesThePeer) {
    Peer failing{"curl", false, {}, [] { return ChildFigures{}; }, {}};  // exit status not 0
    EXPECT_THAT([&] { RunRounds({failing}, 1); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr("curl, round 1")));

    std::vector<std::string> order;
    Peer wrong = Recording("aria2c", order, {1, 1});
    int verified = 0;
    wrong.verify = [&verified] {
        if (++verified == 2) throw std::runtime_error("wrong copy of mod1.jar");
    };
    EXPECT_THAT([&] { RunRounds({wrong}, 2); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr("aria2c, round 2: wrong copy")));
}

// The jars are real zip files: a zip reader tests every entry and its checksum.
TEST(Jar, IsAZipThatUnzipAccepts) {
    if (std::system("unzip -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "unzip is not installed";
    test::TempDir tmp;
    const auto jar = tmp.root() / "mod.jar";
    WriteJar(jar, 300 * 1024, 7);
    EXPECT_EQ(std::system(("unzip -tqq '" + jar.string() + "' >/dev/null 2>&1").c_str()), 0);
}

}  // namespace
}  // namespace packwell::bench
