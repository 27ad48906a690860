#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/extras/ForgeInstall.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

const std::string kRemotePath = std::string("/") + kForgeInstallerName;

// Lets a test act while the download hands the window its events.
class EventBar : public FutureDownloads::ProgressBar {
public:
    void SetMaximum(std::int64_t) override {}
    void SetPosition(std::int64_t) override {}
    void Advance(std::int64_t) override {}
    void ProcessPendingEvents() override {
        if (onEvents) onEvents();
    }
    std::function<void()> onEvents;
};

class ForgeTest : public ::testing::Test {
protected:
    ForgeTest() { fs::create_directories(gameDir); }

    FetchAndOpenOutcome Press(FutureDownloads::ProgressBar* bar = nullptr) {
        return forge.Start({.baseUrl = server.url(""),
                            .gameDir = gameDir,
                            .bar = bar,
                            .chngSize = [this](int layout) { layouts.push_back(layout); }});
    }

    TempDir temp;
    HttpServer server;
    fs::path gameDir = temp.root() / "game";
    std::vector<fs::path> opened;
    std::vector<int> layouts;
    ForgeInstall forge{[this](const fs::path& file, const fs::path& workingDir) {
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
    EventBar bar;
    std::vector<FetchAndOpenResult> nested;
    bar.onEvents = [&] {
        if (nested.empty()) nested.push_back(Press().result);
    };

    EXPECT_EQ(Press(&bar).result, FetchAndOpenResult::Downloaded);

    EXPECT_THAT(nested, ElementsAre(FetchAndOpenResult::AlreadyRunning));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_THAT(layouts, ElementsAre(1, 0));
    EXPECT_FALSE(forge.Busy());
}

}  // namespace
}  // namespace packwell::test
