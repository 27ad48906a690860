#include <filesystem>
#include <stdexcept>

#include "core/sync/RunTexts.h"
#include "tests/sync/SyncFixture.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

const std::string kOneKiB(1024, 'k');

TEST_F(SyncTest, SequentialRunReusesStrayCopiesAndFetchesTheRestInListOrder) {
    Mod("a.jar", kOneKiB);
    Stray("b.jar", kOneKiB);
    Mod("c.jar", kOneKiB);

    Run(Request({"a.jar", "b.jar", "c.jar"}, /*turbo=*/false));

    EXPECT_THAT(Lines(), ElementsAre(kHeaderLine, "[t] Успешно: a.jar", "[t] Уже существует: b.jar",
                                     "[t] Успешно: c.jar", kClosingTitle, kElapsedLine,
                                     "Объем загруженых файлов(3 из 3): 3 Кб"));
    EXPECT_THAT(host.calls, ElementsAre("ChngSize(1)", "ChngSize(0)", "EnableWindow"));
    EXPECT_TRUE(InVersionMods("a.jar") && InVersionMods("b.jar") && InVersionMods("c.jar"));
    EXPECT_FALSE(std::filesystem::exists(paths.ModsDir / "b.jar"));
    for (const auto& request : server.requests()) EXPECT_NE(request.path, "/mods3/b.jar");
}

// Names beyond ASCII land under the very name the check looks for, fetched or moved, in
// either mode: a mangled name would be reported missing after every run.
TEST_F(SyncTest, NamesBeyondAsciiAreSavedUnderTheirOwnNames) {
    for (const bool turbo : {false, true}) {
        SCOPED_TRACE(turbo ? "turbo" : "sequential");
        const std::string fetched = turbo ? "Мод-т.jar" : "Мод.jar", moved = turbo ? "Ядро-т.jar" : "Ядро.jar";
        Mod(fetched, kOneKiB);
        Stray(moved, kOneKiB);

        Run(Request({fetched, moved}, turbo));

        EXPECT_TRUE(InVersionMods(fetched));
        EXPECT_TRUE(InVersionMods(moved));
    }
    EXPECT_THAT(listDir(paths.VersionModsDir), UnorderedElementsAre("Мод.jar", "Ядро.jar", "Мод-т.jar", "Ядро-т.jar"));
}

TEST_F(SyncTest, OneFailureOfThreeIsWarnedAboutAndSetupsRunsBeforeTheSummary) {
    Mod("a.jar", kOneKiB);
    Mod("c.jar", kOneKiB);  // b.jar is not on the server

    Run(Request({"a.jar", "b.jar", "c.jar"}, /*turbo=*/false, /*setups=*/true));

    EXPECT_THAT(Lines(), ElementsAre(kHeaderLine, "[t] Успешно: a.jar", "[t]  ! Ошибка загрузки: b.jar",
                                     "[t] Успешно: c.jar", kClosingTitle, kElapsedLine,
                                     "Объем загруженых файлов(2 из 3): 2 Кб", " ", kWarningLine));
    EXPECT_THAT(host.calls, ElementsAre("ChngSize(1)", "StartSetupsPlus", "EnableWindow"));
    EXPECT_EQ(host.linesAtSetups, 4u) << "Setups must come before the summary";
    EXPECT_FALSE(InVersionMods("b.jar"));
}

TEST_F(SyncTest, NameListedTwiceIsFetchedOnceAndItsSecondOccurrenceFails) {
    Mod("a.jar", kOneKiB);

    Run(Request({"a.jar", "a.jar"}, /*turbo=*/false));

    EXPECT_THAT(Lines(), ElementsAre(kHeaderLine, "[t] Успешно: a.jar", "[t]  ! Ошибка загрузки: a.jar",
                                     kClosingTitle, kElapsedLine, "Объем загруженых файлов(1 из 2): 1 Кб", " ",
                                     kWarningLine));
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_EQ(readFile(paths.VersionModsDir / "a.jar"), kOneKiB);
}

TEST_F(SyncTest, NothingMissingButDeletableOpensOnlyTheCleanupDialog) {
    Run(Request({}, /*turbo=*/false, /*setups=*/true, {"old.jar"}));

    EXPECT_TRUE(log.Lines().empty());
    // The dialog gives the window back; the run must not enable it first.
    EXPECT_THAT(host.calls, ElementsAre("ShowCleanupDialog"));
}

TEST_F(SyncTest, DeletableFilesOpenTheCleanupDialogAfterTheSummaryAndBeforeTheWindowIsEnabled) {
    Mod("a.jar", kOneKiB);

    Run(Request({"a.jar"}, /*turbo=*/false, /*setups=*/false, {"old.jar"}));

    EXPECT_THAT(host.calls, ElementsAre("ChngSize(1)", "ChngSize(0)", "ShowCleanupDialog", "EnableWindow"));
    EXPECT_EQ(Lines().back(), "Объем загруженых файлов(1 из 1): 1 Кб");
}

TEST_F(SyncTest, ErrorRaisedInsideOneStepFailsThatFileAndTheRunGoesOn) {
    Mod("empty.jar", "");
    Stray("b.jar", kOneKiB);
    RaisingBar bar;

    Run(Request({"empty.jar", "b.jar"}, /*turbo=*/false), {&bar});

    EXPECT_THAT(Lines(), ElementsAre(kHeaderLine, "[t]  ! Ошибка загрузки: empty.jar", "[t] Уже существует: b.jar",
                                     kClosingTitle, kElapsedLine, "Объем загруженых файлов(1 из 2): 1 Кб", " ",
                                     kWarningLine));
    EXPECT_EQ(host.calls.back(), "EnableWindow");
    EXPECT_THAT(listDir(paths.VersionModsDir), ElementsAre("b.jar"));
}

TEST(RunTexts, ElapsedTimeIsShownAsTimeOfDayModuloOneDay) {
    using std::chrono::milliseconds;
    const struct {
        milliseconds elapsed;
        const char* shown;
    } cases[] = {
        {milliseconds(0), "0:00:00"},
        {milliseconds(83'000), "0:01:23"},
        {milliseconds(83'999), "0:01:23"},
        {milliseconds((25 * 3600 + 61) * 1000LL), "1:01:01"},
        {milliseconds(-83'000), "0:01:23"},
    };
    for (const auto& c : cases) EXPECT_EQ(run_texts::FormatElapsed(c.elapsed), c.shown) << c.elapsed.count();
}

TEST(RunTexts, TotalsBeyondTwoGibibytesAreNotWrapped) {
    const std::string summary = run_texts::Summary(std::chrono::milliseconds(0), 3, 3, 3LL * 1024 * 1024 * 1024);
    EXPECT_NE(summary.find("(3 из 3): 3 Гб."), std::string::npos) << summary;
}

}  // namespace
}  // namespace packwell::test
