#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/packwell-sync/Options.h"
#include "tools/packwell-sync/ServerAddress.h"

namespace packwell::cli {
namespace {

using Kind = ParsedArguments::Kind;

// An absolute folder as this system writes one.
#ifdef _WIN32
const std::string kRoot = "C:/";
#else
const std::string kRoot = "/";
#endif

struct ArgsCase {
    std::vector<std::string> args;
    Kind kind;
    std::string server;   // expected when Run, "" for none
    std::string gameDir;  // expected when Run, "" for none
};

TEST(Arguments, Table) {
    const std::vector<ArgsCase> cases = {
        {{"--check-only"}, Kind::Run, "", ""},
        {{"--check-only", "--server", "http://127.0.0.1:8080/pack/"}, Kind::Run, "http://127.0.0.1:8080/pack", ""},
        {{"--server=https://example.org", "--check-only"}, Kind::Run, "https://example.org", ""},
        {{"--check-only", "--game-dir", kRoot + "games/mc/../mc"}, Kind::Run, "", kRoot + "games/mc"},
        {{"--check-only", "--game-dir=" + kRoot + "games/mc"}, Kind::Run, "", kRoot + "games/mc"},
        {{"--help"}, Kind::Help, "", ""},
        {{"--check-only", "-h"}, Kind::Help, "", ""},
        {{}, Kind::Run, "", ""},                                         // synchronise
        {{"--server", "http://a"}, Kind::Run, "http://a", ""},           // synchronise
        {{"--check-only", "--server"}, Kind::Error, "", ""},             // value missing
        {{"--check-only", "--server", "ftp://a"}, Kind::Error, "", ""},  // not http
        {{"--check-only", "--server", "packs.example"}, Kind::Error, "", ""},
        {{"--check-only", "--server", "http://a?x=1"}, Kind::Error, "", ""},
        {{"--check-only", "--game-dir"}, Kind::Error, "", ""},
        {{"--check-only", "--check-only"}, Kind::Error, "", ""},
        {{"--check-only", "--turbo-typo"}, Kind::Error, "", ""},
        {{"--check-only=yes"}, Kind::Error, "", ""},
    };
    for (const auto& c : cases) {
        const std::string what = ::testing::PrintToString(c.args);
        const ParsedArguments p = ParseArguments(c.args);
        ASSERT_EQ(p.kind, c.kind) << what << " " << p.error;
        if (c.kind == Kind::Error) {
            EXPECT_FALSE(p.error.empty()) << what;
        }
        if (c.kind != Kind::Run) continue;
        EXPECT_EQ(p.options.server.value_or(""), c.server) << what;
        EXPECT_EQ(p.options.gameDir.value_or("").generic_string(), c.gameDir) << what;
    }
}

TEST(Arguments, RelativeGameDirBecomesAbsolute) {
    const ParsedArguments p = ParseArguments({"--check-only", "--game-dir", "mc"});
    ASSERT_EQ(p.kind, Kind::Run);
    EXPECT_TRUE(p.options.gameDir->is_absolute());
    EXPECT_EQ(p.options.gameDir->filename(), "mc");
}

TEST(ServerAddress, LoopbackNeedsNoNetwork) {
    for (const char* local : {"http://127.0.0.1:8080", "http://localhost/p", "https://[::1]:9/x", "http://127.1.2.3"})
        EXPECT_TRUE(IsLoopbackServer(local)) << local;
    for (const char* remote : {"https://packs.brenvik.ru/client", "http://10.0.0.1", "http://127example.org"})
        EXPECT_FALSE(IsLoopbackServer(remote)) << remote;
}

}  // namespace
}  // namespace packwell::cli
