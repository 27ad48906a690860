// packwell-sync killed outright (SIGKILL, or TerminateProcess on Windows) at random moments of
// a Turbo run, again and again: no pause ever finds a mod that differs from the server's under
// its name, nor more than one part file for a mod, and one run to the end then completes it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/Utf8Path.h"
#include "platform/PartFile.h"
#include "tests/support/HttpServer.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

std::string ModBody(std::size_t index, std::size_t size) {
    std::string body(size, '\0');
    std::mt19937 bytes(static_cast<unsigned>(index));
    for (char& c : body) c = static_cast<char>(bytes());
    return body;
}

class KillLoop : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game_ / "versions" / "1.12.2");
        fs::create_directories(game_ / "assets");
        std::string manifest = "[modlist]\nCount=" + std::to_string(kMods) + "\n";
        for (std::size_t i = 0; i < kMods; ++i) {
            const std::string name = "mod" + std::to_string(i) + ".jar";
            mods_[name] = ModBody(i, (1u << 20) + i * 200'000);
            const std::string key = "mod" + std::to_string(i + 1);
            manifest += key + "=" + name + "\n" + key + "size=" + std::to_string(mods_[name].size()) + "\n";
            // Paced, so that a kill finds transfers under way.
            server_.serveFile("/mods3/" + name, mods_[name], "\"" + name + "\"", true, std::chrono::milliseconds(20));
        }
        server_.serve("/Update", manifest);
    }

    std::unique_ptr<test::StartedProgram> Start() {
        const std::vector<std::string> args = {"--turbo", "--server", server_.url(""), "--game-dir", Utf8FromPath(game_)};
        return std::make_unique<test::StartedProgram>(PACKWELL_SYNC_BINARY, args, tmp_.root() / "out.txt",
                                                      tmp_.root() / "err.txt");
    }

    std::size_t ManifestRequests() const {
        std::size_t n = 0;
        for (const auto& r : server_.requests()) n += r.path == "/Update";
        return n;
    }

    // Every mod is the server's or missing; part files are at most one per mod.
    void ExpectSoundFolder(const std::string& when) const {
        SCOPED_TRACE(when);
        const fs::path mods = game_ / "mods" / "1.12.2";
        std::map<std::string, int> partsPerMod;
        for (const std::string& name : test::listDir(mods)) {
            if (name.ends_with(".part")) {
                ++partsPerMod[name.substr(0, 20)];  // ".pw-" and the 16 digits of the mod's name
                continue;
            }
            if (name.ends_with(".resume")) continue;
            ASSERT_TRUE(mods_.contains(name)) << name;
            EXPECT_TRUE(test::readFile(mods / name) == mods_.at(name)) << name << " differs from the server's";
        }
        for (const auto& [mod, parts] : partsPerMod) EXPECT_LE(parts, 1) << mod;
    }

    static constexpr std::size_t kMods = 10;
    test::TempDir tmp_;
    test::HttpServer server_;
    fs::path game_ = tmp_.root() / "game";
    std::map<std::string, std::string> mods_;
};

TEST_F(KillLoop, EveryModIsTheServersOrMissingAndOneRunCompletesThem) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> moment(0, 1500);
    for (int kill = 1; kill <= 20; ++kill) {
        const std::size_t before = ManifestRequests();
        auto program = Start();
        // From the moment it asks for the manifest, so a slow start (Wine) does not eat the window.
        while (ManifestRequests() == before) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
        program->Kill();
        program->Wait();
        ExpectSoundFolder("after kill " + std::to_string(kill));
        if (HasFatalFailure()) return;
    }

    auto last = Start();
    const auto exitCode = last->Wait();
    EXPECT_EQ(exitCode, 0) << test::readFile(tmp_.root() / "err.txt");
    ExpectSoundFolder("after the last run");
    std::vector<std::string> expected;
    for (const auto& [name, body] : mods_) expected.push_back(name);
    EXPECT_EQ(test::listDir(game_ / "mods" / "1.12.2"), expected) << "every mod, no part file left";
}

}  // namespace
}  // namespace packwell
