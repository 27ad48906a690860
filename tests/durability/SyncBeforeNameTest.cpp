#include <gtest/gtest.h>

#include <string>

#include "Addons/Custom/AllInOne/MoveAcrossFileSystems.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/durability/SyncEvents.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// One file at a time, as the single downloads and the move across file systems make them; the
// system's calls are recorded by this program's stand-ins (posix/ or win32/).
class SyncBeforeName : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(mods_ / "1.12.2");
        test::ClearEvents();
    }

    test::TempDir tmp_;
    fs::path mods_ = tmp_.root() / "mods";
};

TEST_F(SyncBeforeName, DownloadedMod) {
    test::HttpServer server;
    server.serve("/mods3/a.jar", std::string(300000, 'a'));
    ASSERT_TRUE(FutureDownloads::DownloadFile(server.url("/mods3/a.jar"), mods_ / "1.12.2" / "a.jar"));
    test::ExpectSyncedBeforeNamed(mods_ / "1.12.2" / "a.jar");
}

TEST_F(SyncBeforeName, ModCopiedFromAnotherFileSystem) {
    const fs::path source = tmp_.write("mods/a.jar", std::string(300000, 'a'));
    ASSERT_TRUE(AllInOne::MoveAcrossFileSystems(source, mods_ / "1.12.2" / "a.jar"));
    test::ExpectSyncedBeforeNamed(mods_ / "1.12.2" / "a.jar");
}

}  // namespace
}  // namespace packwell
