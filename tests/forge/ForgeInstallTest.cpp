#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "core/extras/ForgeInstall.h"
#include "tests/support/DrainUntil.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

const std::string kRemotePath = std::string("/") + kForgeInstallerName;

class ForgeTest : public ::testing::Test {
protected:
    ForgeTest() { fs::create_directories(gameDir); }

    FetchStart PressOnly(FetchAndOpen::Ended ended = {}) {
        return forge.Start({.baseUrl = server.url(""),
                            .gameDir = gameDir,
                            .chngSize = [this](int layout) { layouts.push_back(layout); }},
                           std::move(ended));
    }
    // Presses and plays the window's thread until the end steps are over.
    FetchAndOpenOutcome Press() {
        std::optional<FetchAndOpenOutcome> outcome;
        EXPECT_EQ(PressOnly([&](const FetchAndOpenOutcome& o) { outcome = o; }), FetchStart::Started);
        EXPECT_TRUE(DrainUntil(queue, [&] { return outcome.has_value(); }));
        return outcome.value_or(FetchAndOpenOutcome{FetchAndOpenResult::DownloadFailed, "did not end"});
    }

    TempDir temp;
    HttpServer server;
    fs::path gameDir = temp.root() / "game";
    std::vector<fs::path> opened;
    std::vector<int> layouts;
    UiQueue queue;
    ForgeInstall forge{queue.Poster(), [this](const fs::path& file, const fs::path& workingDir) {
                           opened.push_back(file);
                           EXPECT_EQ(workingDir, gameDir);
                       }};
};

TEST_F(ForgeTest, InstallerIsFetchedAfreshOverAnOldCopyAndOpened) {
    temp.write("game/" + std::string(kForgeInstallerName), "installer of last year");
    server.serve(kRemotePath, "fresh installer");

    EXPECT_EQ(Press().result, FetchAndOpenResult::Downloaded);

    EXPECT_EQ(readFile(gameDir / kForgeInstallerName), "fresh installer");
    EXPECT_THAT(opened, ElementsAre(gameDir / kForgeInstallerName));
    EXPECT_THAT(layouts, ElementsAre(1, 0));
}

TEST_F(ForgeTest, InstallerMissingOnTheServerStartsNothingAndRestoresTheLayout) {
    temp.write("game/" + std::string(kForgeInstallerName), "installer of last year");

    EXPECT_EQ(Press().result, FetchAndOpenResult::DownloadFailed);

    EXPECT_FALSE(fs::exists(gameDir / kForgeInstallerName));
    EXPECT_TRUE(opened.empty());
    EXPECT_THAT(layouts, ElementsAre(1, 0));
}

TEST_F(ForgeTest, SecondPressWhileItsDownloadRunsDoesNothing) {
    server.serve(kRemotePath, std::string(256 * 1024, 'f'));
    std::optional<FetchAndOpenOutcome> first;
    ASSERT_EQ(PressOnly([&](const FetchAndOpenOutcome& o) { first = o; }), FetchStart::Started);
    EXPECT_EQ(PressOnly(), FetchStart::AlreadyRunning);

    ASSERT_TRUE(DrainUntil(queue, [&] { return first.has_value(); }));
    EXPECT_EQ(first->result, FetchAndOpenResult::Downloaded);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_THAT(layouts, ElementsAre(1, 0));
    EXPECT_FALSE(forge.Busy());
}

}  // namespace
}  // namespace packwell::test
