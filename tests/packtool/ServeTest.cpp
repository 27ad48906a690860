#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/packtool/PackFixture.h"
#include "tools/packwell-pack/PackRefresh.h"
#include "tools/packwell-pack/PackServer.h"

namespace fs = std::filesystem;

namespace packwell::pack {
namespace {

using test::PackFixture;
using test::readFile;

// A stream the server's threads write to while the test reads it afterwards.
struct ServedPack {
    PackFixture pack;
    std::ostringstream log;
    PackServer server{pack.dir, log};
    int port = server.Bind(0);
    std::thread loop{[this] { server.Run(); }};
    std::string base = "http://127.0.0.1:" + std::to_string(port);

    ~ServedPack() {
        server.Stop();
        loop.join();
    }
};

TEST(Serve, ClientFetchesManifestAndAwkwardNamesWithAnAccessLineEach) {
    ServedPack s;
    RefreshPack({s.pack.dir, std::nullopt});
    const fs::path got = s.pack.tmp.root() / "got";
    fs::create_directories(got);

    ASSERT_TRUE(FutureDownloads::Download(s.base + "/Update", got / "Update.ini"));
    EXPECT_EQ(readFile(got / "Update.ini"), s.pack.manifest());
    const std::string awkward = "[1.12.2] Journey Map (client).jar";
    ASSERT_TRUE(FutureDownloads::Download(FutureDownloads::ServerUrl(s.base, "/mods3/", awkward), got / awkward));
    EXPECT_EQ(readFile(got / awkward), std::string(70000, 'j'));
    const auto absent = FutureDownloads::Download(s.base + "/mods3/absent.jar", got / "absent.jar");
    EXPECT_EQ(absent.httpStatus, 404);

    s.server.Stop();
    const std::string log = s.log.str();
    EXPECT_NE(log.find("127.0.0.1 \"GET /Update\" 200"), std::string::npos) << log;
    EXPECT_NE(log.find("\"GET /mods3/" + awkward + "\" 200 70000"), std::string::npos) << log;
    EXPECT_NE(log.find("\"GET /mods3/absent.jar\" 404"), std::string::npos) << log;
}

TEST(Serve, StopBeforeTheLoopRunsDoesNotHang) {
    PackFixture pack;
    std::ostringstream log;
    PackServer server(pack.dir, log);
    server.Bind(0);
    server.Stop();
    server.Run();  // returns at once
    SUCCEED();
}

TEST(Serve, RefusesAPortAnotherServerHolds) {
    ServedPack running;
    std::ostringstream log;
    PackServer second(running.pack.dir, log);
    EXPECT_THROW(second.Bind(running.port), PackError);
    // The running server still answers every request.
    RefreshPack({running.pack.dir, std::nullopt});
    const fs::path got = running.pack.tmp.root() / "got";
    fs::create_directories(got);
    // On a thread of its own, whose kept-alive connection closes with it and does not hold up the stop.
    bool fetched = false;
    std::thread([&] { fetched = static_cast<bool>(FutureDownloads::Download(running.base + "/Update", got / "Update.ini")); }).join();
    EXPECT_TRUE(fetched);
}

TEST(Serve, RefusesAMissingFolder) {
    PackFixture pack;
    std::ostringstream log;
    EXPECT_THROW(PackServer(pack.dir / "nowhere", log), PackError);
}

}  // namespace
}  // namespace packwell::pack
