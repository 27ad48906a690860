// The check off the caller's thread: the connection is asked here, the lists change only when
// the end is handled here, and closing stops a manifest fetch the server holds up.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/check/BackgroundCheck.h"
#include "tests/support/DrainUntil.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell::test {
namespace {

class BackgroundCheckTest : public ::testing::Test {
protected:
    BackgroundCheckTest() {
        fs::create_directories(tmp.appData());
        fs::create_directories(tmp.root() / "game" / "mods");
        request.baseUrl = server.url("");
        request.manifestPath = tmp.appData() / "Update.ini";
        request.modsDir = tmp.root() / "game" / "mods";
        request.versionModsDir = request.modsDir / "1.12.2";
        request.isConnected = [this] {
            askedOn.push_back(std::this_thread::get_id());
            return online;
        };
        earlier.MissingList = {"earlier.jar"};
        lists = earlier;
    }

    CheckStart Start() {
        return check.Start(log, request, lists, [this](const CheckOutcome& outcome, std::exception_ptr error) {
            ended = outcome.result;
            raised = error != nullptr;
        });
    }

    TempDir tmp;
    HttpServer server;
    CheckRequest request;
    bool online = true;
    std::vector<std::thread::id> askedOn;
    StatusLog log;
    SyncLists earlier;
    SyncLists lists;
    UiQueue queue;
    BackgroundCheck check{queue.Poster()};
    std::optional<CheckResult> ended;
    bool raised = false;
};

TEST_F(BackgroundCheckTest, ListsAreReplacedOnlyWhenTheEndIsHandledHere) {
    server.serve("/Update", "[modlist]\r\nCount=1\r\nmod1=a.jar\r\nmod1size=5\r\n");
    ASSERT_EQ(Start(), CheckStart::Started);
    EXPECT_EQ(Start(), CheckStart::NotNow);  // one check at a time

    // The scan is over once its summary is logged; nothing handled here yet, so the lists of
    // the earlier check still stand.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (log.LineCount() < 7 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(log.LineCount(), 7u);
    EXPECT_EQ(lists.MissingList, earlier.MissingList);
    ASSERT_TRUE(DrainUntil(queue, [&] { return ended.has_value(); }));

    EXPECT_EQ(*ended, CheckResult::Checked);
    EXPECT_FALSE(raised);
    EXPECT_EQ(lists.MissingList, std::vector<std::string>{"a.jar"});
    EXPECT_EQ(askedOn, std::vector<std::thread::id>{std::this_thread::get_id()});
}

TEST_F(BackgroundCheckTest, OfflineLogsItsTwoLinesAndStartsNothing) {
    online = false;
    EXPECT_EQ(Start(), CheckStart::NoConnection);
    EXPECT_FALSE(check.Running());
    EXPECT_EQ(log.LineCount(), 2u);
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(BackgroundCheckTest, StopEndsAStalledManifestFetchAndKeepsTheEarlierLists) {
    server.serveStall("/Update", 1000, "[modlist]");
    ASSERT_EQ(Start(), CheckStart::Started);
    ASSERT_TRUE(DrainUntil(queue, [&] { return server.requestCount() == 1; }));
    check.Stop();

    ASSERT_TRUE(DrainUntil(queue, [&] { return ended.has_value(); }, std::chrono::seconds(10)));
    EXPECT_EQ(*ended, CheckResult::ManifestNotFetched);
    EXPECT_EQ(lists.MissingList, earlier.MissingList);
    EXPECT_EQ(Start(), CheckStart::NotNow);
}

}  // namespace
}  // namespace packwell::test
