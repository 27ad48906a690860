// What the check asks of the system for each listed file, seen by strace on the headless
// client: one open, one status query on the descriptor, reads only as far as the answer needs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "platform/Sha256.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// The calls made on one file, by kind.
struct Calls {
    int open = 0;
    int stat = 0;  // on the path or on a descriptor
    int read = 0;
    int close = 0;
    int unlink = 0;
    long readBytes = 0;
    bool readZero = false;  // a read that only reported the end
};

std::string Kind(const std::string& syscall) {
    static const std::map<std::string, std::string> kinds = {
        {"open", "open"},         {"openat", "open"},  {"openat2", "open"},     {"stat", "stat"},
        {"lstat", "stat"},        {"fstat", "stat"},   {"newfstatat", "stat"},  {"fstatat64", "stat"},
        {"statx", "stat"},        {"read", "read"},    {"close", "close"},      {"unlink", "unlink"},
        {"unlinkat", "unlink"},
    };
    const auto it = kinds.find(syscall);
    return it == kinds.end() ? syscall : it->second;
}

// Tallies the lines of an `strace -f -y` log that name `path`, by the kind of call.
Calls CallsOn(const fs::path& log, const fs::path& path) {
    static const std::regex call(R"(^(?:\d+\s+)?([a-z0-9_]+)\()");
    Calls c;
    std::ifstream in(log);
    const std::string quoted = "\"" + path.string() + "\"", annotated = "<" + path.string() + ">";
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (line.find(quoted) == std::string::npos && line.find(annotated) == std::string::npos) continue;
        if (!std::regex_search(line, m, call)) continue;
        const std::string kind = Kind(m[1]);
        const auto returned = line.rfind(") = ");
        const long result = returned == std::string::npos ? -1 : std::strtol(line.c_str() + returned + 4, nullptr, 10);
        if (kind == "open") ++c.open;
        if (kind == "stat") ++c.stat;
        if (kind == "close") ++c.close;
        if (kind == "unlink") ++c.unlink;
        if (kind == "read") {
            ++c.read;
            if (result > 0) c.readBytes += result;
            if (result == 0) c.readZero = true;
        }
    }
    return c;
}

bool StraceInstalled() { return std::system("strace -V >/dev/null 2>&1") == 0; }

// Compressed-looking bytes whose first byte 26 lies at `at`, as in a real jar.
std::string Jar(std::size_t size, std::size_t at) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + 7) % 251 == 26 ? 27 : (i * 131 + 7) % 251);
    s[at] = 26;
    return s;
}

std::string Text(std::size_t size) {
    std::string s;
    while (s.size() < size) s += "B:enableFeature=true\r\n";
    s.resize(size);
    return s;
}

// A game folder the headless client accepts.
fs::path GameFolder(const test::TempDir& tmp) {
    const fs::path game = tmp.root() / "game";
    fs::create_directories(game / "versions" / "1.12.2");
    fs::create_directories(game / "assets");
    return game;
}

// Runs the headless client's check under strace, its calls logged to `log`.
void TraceCheck(const fs::path& log, const fs::path& game, const test::HttpServer& server) {
    const std::string command = "strace -f -y -qq -e trace=%file,%desc -o '" + log.string() + "' '" +
                                PACKWELL_SYNC_BINARY + "' --check-only --server " + server.url("") +
                                " --game-dir '" + game.string() + "' >/dev/null 2>&1";
    std::system(command.c_str());
}

TEST(CheckSystemCalls, EachListedFileIsOpenedOnceAndReadOnlyAsFarAsTheAnswerNeeds) {
    if (!StraceInstalled()) GTEST_SKIP() << "strace is not installed";
    test::TempDir tmp;
    test::HttpServer server;
    const fs::path game = GameFolder(tmp);
    const fs::path local = game / "mods" / "1.12.2";
    const std::size_t textSize = 300'000;  // several blocks, and no whole number of them
    tmp.write("game/mods/1.12.2/mod.jar", Jar(1 << 20, 700));
    tmp.write("game/mods/1.12.2/settings.cfg", Text(textSize));
    tmp.write("game/mods/1.12.2/page.jar", "<html>404: Not Found</html>");
    server.serve("/Update",
                 "[modlist]\nCount=4\nmod1=mod.jar\nmod2=settings.cfg\nmod3=page.jar\nmod4=absent.jar\n");

    const fs::path log = tmp.root() / "strace.txt";
    TraceCheck(log, game, server);
    ASSERT_TRUE(fs::exists(log));

    const Calls jar = CallsOn(log, local / "mod.jar");
    EXPECT_EQ(jar.open, 1);
    EXPECT_EQ(jar.stat, 1);
    EXPECT_EQ(jar.read, 1);  // its byte 26 ends the text
    EXPECT_LE(jar.readBytes, 4096);
    EXPECT_EQ(jar.close, 1);

    const Calls text = CallsOn(log, local / "settings.cfg");
    EXPECT_EQ(text.open, 1);
    EXPECT_EQ(text.stat, 1);
    EXPECT_EQ(text.readBytes, static_cast<long>(textSize));  // read to its end, and only once
    EXPECT_FALSE(text.readZero);
    EXPECT_EQ(text.close, 1);

    const Calls page = CallsOn(log, local / "page.jar");
    EXPECT_EQ(page.open, 1);
    EXPECT_EQ(page.stat, 1);
    EXPECT_EQ(page.unlink, 1);
    EXPECT_FALSE(fs::exists(local / "page.jar"));

    const Calls absent = CallsOn(log, local / "absent.jar");
    EXPECT_EQ(absent.open, 1);
    EXPECT_EQ(absent.stat, 0);
}

// With a digest the one open reads the whole file once, for the marker test and the hash
// together; once verified and unchanged, the file is opened for its size and time and not read.
TEST(CheckSystemCalls, AVerifiedFileIsReadOnceThenNotAtAll) {
    if (!StraceInstalled()) GTEST_SKIP() << "strace is not installed";
    test::TempDir tmp;
    test::HttpServer server;
    const fs::path game = GameFolder(tmp);
    const fs::path jar = game / "mods" / "1.12.2" / "mod.jar";
    const std::string content = Jar(1 << 20, 700);  // its byte 26 would end a marker test alone
    tmp.write("game/mods/1.12.2/mod.jar", content);
    fs::last_write_time(jar, fs::file_time_type::clock::now() - std::chrono::hours(1));
    platform::Sha256 hash;
    hash.Update(content.data(), content.size());
    server.serve("/Update", "[modlist]\nCount=1\nmod1=mod.jar\nmod1sha256=" + platform::Sha256Hex(hash.Final()) + "\n");

    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "first check" : "second check");
        const fs::path log = tmp.root() / (first ? "strace1.txt" : "strace2.txt");
        TraceCheck(log, game, server);
        ASSERT_TRUE(fs::exists(log));
        const Calls calls = CallsOn(log, jar);
        EXPECT_EQ(calls.open, 1);
        EXPECT_EQ(calls.readBytes, first ? static_cast<long>(content.size()) : 0);
        EXPECT_EQ(calls.unlink, 0);
    }
    EXPECT_EQ(test::readFile(jar), content);
}

}  // namespace
}  // namespace packwell
