// The whole road against a real web server serving a real server folder.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>

#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/net/RecordingBar.h"
#include "tests/support/Nginx.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace FutureDownloads;
using packwell::test::listDir;
using packwell::test::Nginx;
using packwell::test::readFile;
using packwell::test::sampleBytes;
using packwell::test::RecordingBar;
using packwell::test::TempDir;

namespace {

TEST(NginxEndToEnd, FetchesServerFolderWithAwkwardNames) {
    if (!Nginx::Available()) GTEST_SKIP() << "nginx is not installed";
    TempDir tmp;
    const std::vector<std::pair<std::string, std::string>> mods = {
        {"[1.12.2] Mod Name.jar", sampleBytes(70000, 'a')},
        {"Мод дня #2.jar", sampleBytes(1234, 'b')},
        {"plain.jar", sampleBytes(3 * 1024 * 1024 + 17, 'c')},
    };
    for (const auto& [name, body] : mods) tmp.write(fs::path("site/mods3") / packwell::PathFromUtf8(name), body);
    tmp.write("site/Update", "[modlist]\nCount=3\n");
    tmp.write("site/mods3/broken.jar", "<html>404: Not Found</html>");
    Nginx nginx(tmp.root() / "site");
    const std::string base = nginx.url("");

    const fs::path game = tmp.root() / "game";
    fs::create_directories(game);
    for (const auto& [name, body] : mods) {
        RecordingBar bar;
        const fs::path saved = game / packwell::PathFromUtf8(name);
        ASSERT_TRUE(DownloadFile(ServerUrl(base, "/mods3/", name), saved, &bar)) << name;
        EXPECT_EQ(readFile(saved), body) << name;
        EXPECT_EQ(bar.maxima, std::vector<std::int64_t>{static_cast<std::int64_t>(body.size())});
        EXPECT_EQ(bar.position, static_cast<std::int64_t>(body.size()));
        EXPECT_EQ(RemoteFileSize(ServerUrl(base, "/mods3/", name)), static_cast<std::int64_t>(body.size()));
    }
    EXPECT_FALSE(DownloadFile(ServerUrl(base, "/mods3/", "absent.jar"), game / "absent.jar"));
    EXPECT_FALSE(DownloadFile(ServerUrl(base, "/mods3/", "broken.jar"), game / "broken.jar"));
    ASSERT_TRUE(DownloadFile(ServerUrl(base, "/Update", ""), game / "Update.ini"));
    EXPECT_EQ(readFile(game / "Update.ini"), "[modlist]\nCount=3\n");

    std::vector<std::string> expected = {"Update.ini"};
    for (const auto& m : mods) expected.push_back(m.first);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listDir(game), expected);
}

}  // namespace

namespace {

// Files fetched one after another on one thread travel over one connection.
TEST(NginxEndToEnd, SequentialFetchesShareOneConnection) {
    if (!Nginx::Available()) GTEST_SKIP() << "nginx is not installed";
    TempDir tmp;
    for (int i = 0; i < 3; ++i) tmp.write("site/m" + std::to_string(i), sampleBytes(100000, 'x'));
    Nginx nginx(tmp.root() / "site");
    std::thread([&] {  // a fresh thread: no connection left over from other tests
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(DownloadFile(nginx.url("/m" + std::to_string(i)), tmp.root() / ("m" + std::to_string(i))));
    }).join();
    std::istringstream log(nginx.accessLog());
    std::set<std::string> connections;
    int requests = 0;
    for (std::string line; std::getline(log, line); ++requests) connections.insert(line.substr(0, line.find(' ')));
    EXPECT_EQ(requests, 3) << nginx.accessLog();
    EXPECT_EQ(connections.size(), 1u) << nginx.accessLog();
}

}  // namespace
