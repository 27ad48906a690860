// What verified mods and resumed downloads cost, with nginx on 127.0.0.1 and packwell-sync as
// a child process of its own:
//   (a) Turbo of 10 files of 100 MiB from a manifest with SHA-256 keys and from one without,
//       straight from nginx and at a line's speed;
//   (b) a second check of a verified pack of 2 GiB (its hashes remembered by the first) beside
//       `cat` of the same files into /dev/null;
//   (c) a 1 GiB download killed at 90 % and run again: the bytes the server sends the second time.
//   packwell-bench-integrity [--quick] [--rounds N]
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/common/Bench.h"
#include "bench/common/Rounds.h"
#include "platform/Sha256.h"
#include "tests/support/Nginx.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace packwell::bench;

namespace {

constexpr std::uint64_t kMiB = 1ull << 20;

std::string FileSha256(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(1 << 20);
    platform::Sha256 hash;
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0)
        hash.Update(block.data(), static_cast<std::size_t>(in.gcount()));
    return platform::Sha256Hex(hash.Final());
}

// A server folder under `site`: mods3 with `count` noise files, and the manifest naming them,
// with their hashes when `hashed`. Files already written for another folder are linked, not
// written again.
std::vector<std::string> Publish(const fs::path& site, int count, std::uint64_t size, bool hashed,
                                 const fs::path& sameFilesAs = {}) {
    fs::create_directories(site / "mods3");
    std::string manifest = "[modlist]\nCount=" + std::to_string(count) + "\n";
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        const std::string name = "mod" + std::to_string(i) + ".jar";
        const fs::path file = site / "mods3" / name;
        if (sameFilesAs.empty()) WriteNoise(file, size, 1000 + static_cast<std::uint64_t>(i));
        else fs::create_hard_link(sameFilesAs / "mods3" / name, file);
        const std::string k = "mod" + std::to_string(i);
        manifest += k + "=" + name + "\n" + k + "size=" + std::to_string(size) + "\n";
        if (hashed) manifest += k + "sha256=" + FileSha256(file) + "\n";
        names.push_back(name);
    }
    std::ofstream(site / "Update", std::ios::binary) << manifest;
    return names;
}

fs::path FreshGame(const fs::path& game) {
    fs::remove_all(game);
    fs::create_directories(game / "versions" / "1.12.2");
    fs::create_directories(game / "assets");
    fs::create_directories(game / "mods" / "1.12.2");
    return game;
}

fs::path ModsOf(const fs::path& game) { return game / "mods" / "1.12.2"; }

void Verify(const fs::path& game, const fs::path& site, const std::vector<std::string>& names) {
    for (const auto& name : names)
        if (!SameBytes(site / "mods3" / name, ModsOf(game) / name))
            throw std::runtime_error("wrong copy of " + name);
}

ChildFigures Sync(const std::string& server, const fs::path& game, const char* mode) {
    return RunCommand({PACKWELL_SYNC_BINARY, mode, "--server", server, "--game-dir", game.string()},
                      Silence::StdoutAndStderr);
}

// (a) The hash is computed while the bytes stream: a run with hashes should cost about the same.
// Straight from nginx on this machine the transfer costs little more CPU than the hash itself,
// so both are also timed on a line: each connection held to `rate`, as a player's line would.
void TurboWithAndWithoutHashes(const fs::path& root, bool quick, int rounds) {
    const int count = quick ? 4 : 10;
    const std::uint64_t size = (quick ? 16 : 100) * kMiB;
    const fs::path www = root / "www-a";
    const auto names = Publish(www / "plain", count, size, false);
    Publish(www / "hashed", count, size, true, www / "plain");
    const fs::path game = root / "game-a";
    const auto fresh = [game] { FreshGame(game); };
    const auto verify = [game, www, names] { Verify(game, www / "plain", names); };
    struct Line {
        const char* rate;  // per connection, in nginx's notation
        const char* title;
    };
    // Turbo's five connections at 25 MB/s each: about 1 Gbit/s in all.
    for (const Line line : {Line{"", "straight from nginx"}, Line{"25m", "at 25 MB/s per connection (1 Gbit/s)"}}) {
        packwell::test::Nginx nginx(www, line.rate);
        const std::vector<Peer> peers = {
            {"packwell-sync --turbo, manifest with SHA-256", true, fresh,
             [game, url = nginx.url("/hashed")] { return Sync(url, game, "--turbo"); }, verify},
            {"packwell-sync --turbo, manifest without", false, fresh,
             [game, url = nginx.url("/plain")] { return Sync(url, game, "--turbo"); }, verify},
        };
        PrintFigures("(a) Turbo, " + std::to_string(count) + " x " + std::to_string(size / kMiB) + " MiB, " + line.title,
                     RunRounds(peers, rounds), rounds);
    }
}

// (b) A verified pack checked again: the hashes remembered, nothing read.
void SecondCheckOfVerifiedPack(const fs::path& root, bool quick, int rounds) {
    const int count = quick ? 4 : 20;
    const std::uint64_t size = (quick ? 64 : 100) * kMiB;  // 2000 MiB in all
    const fs::path www = root / "www-b";
    const auto names = Publish(www, count, size, true);
    packwell::test::Nginx nginx(www);
    const fs::path game = FreshGame(root / "game-b");
    std::vector<std::string> cat = {"cat"};
    for (const auto& name : names) {
        fs::copy_file(www / "mods3" / name, ModsOf(game) / name);
        // Written long ago, as a player's pack is: no doubt about a time too close to the check's.
        fs::last_write_time(ModsOf(game) / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
        cat.push_back((ModsOf(game) / name).string());
    }
    ::sync();  // the copies' write-back would otherwise run under the timed checks
    const ChildFigures first = Sync(nginx.url(""), game, "--check-only");
    if (!first.ok) throw std::runtime_error("the first check failed");
    std::printf("(b) first check of %d x %llu MiB, every file read and hashed: %.2f s\n", count,
                static_cast<unsigned long long>(size / kMiB), first.seconds);
    const std::vector<Peer> peers = {
        {"packwell-sync --check-only, again", true, {},
         [game, url = nginx.url("")] { return Sync(url, game, "--check-only"); },
         [game, www, names] { Verify(game, www, names); }},
        {"cat of the pack > /dev/null", false, {}, [cat] { return RunCommand(cat); }, {}},
    };
    PrintFigures("(b) second check of a verified pack of " + std::to_string(count * size / kMiB) + " MiB",
                 RunRounds(peers, rounds), rounds);
}

// The sum of the bytes nginx sent for `path`, from its access log.
std::uint64_t BytesSent(const packwell::test::Nginx& nginx, const std::string& path) {
    std::istringstream log(nginx.accessLog());
    std::uint64_t sum = 0;
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        std::string connection, method, uri, status;
        std::uint64_t bytes = 0;
        if (fields >> connection >> method >> uri >> status >> bytes && uri == path) sum += bytes;
    }
    return sum;
}

// Whatever lies in the folder besides the mods: the part file of a download under way.
std::uint64_t PartBytes(const fs::path& folder) {
    std::uint64_t most = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().rfind(".pw-", 0) == 0) most = std::max<std::uint64_t>(most, entry.file_size(ec));
    return most;
}

// (c) One large file killed at 90 %, then fetched again: only the rest should travel.
void ResumeAfterCut(const fs::path& root, bool quick) {
    const std::uint64_t size = (quick ? 256 : 1024) * kMiB;
    const fs::path www = root / "www-c";
    const auto names = Publish(www, 1, size, true);
    packwell::test::Nginx nginx(www);
    const fs::path game = FreshGame(root / "game-c");
    const std::string server = nginx.url("");

    std::vector<std::string> args = {PACKWELL_SYNC_BINARY, "--turbo", "--server", server, "--game-dir", game.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) throw std::runtime_error("no child");
    posix_spawn_file_actions_destroy(&actions);
    const std::uint64_t cut = size / 10 * 9;
    while (PartBytes(ModsOf(game)) < cut) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) throw std::runtime_error("the download ended before the cut");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::uint64_t kept = PartBytes(ModsOf(game));
    // nginx writes a request's line once it notices the connection gone, which may take a moment:
    // until then the killed request's bytes would count for the second run.
    std::uint64_t before = 0;
    for (int waited = 0; (before = BytesSent(nginx, "/mods3/" + names[0])) == 0 && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (before == 0) throw std::runtime_error("nginx never logged the killed request");

    const ChildFigures again = Sync(server, game, "--turbo");
    if (!again.ok) throw std::runtime_error("the second run failed");
    Verify(game, www, names);
    const std::uint64_t second = BytesSent(nginx, "/mods3/" + names[0]) - before;
    std::printf("(c) %llu MiB killed at %.1f %% (part file kept: %.1f %%): the second run transferred %llu bytes, "
                "%.1f %% of the file, in %.2f s\n",
                static_cast<unsigned long long>(size / kMiB), 100.0 * static_cast<double>(before) / size,
                100.0 * static_cast<double>(kept) / size, static_cast<unsigned long long>(second),
                100.0 * static_cast<double>(second) / size, again.seconds);
}

void Run(const Options& options) {
    const TempFolder temp("packwell-bench-integrity");
    const fs::path root = temp.path();
    // The client keeps its settings, its manifest and what it verified under APPDATA.
    setenv("APPDATA", (root / "appdata").c_str(), 1);
    TurboWithAndWithoutHashes(root, options.quick, options.rounds);
    SecondCheckOfVerifiedPack(root, options.quick, options.rounds);
    ResumeAfterCut(root, options.quick);
    std::printf("packwell-sync includes its compatibility check (manifest fetch and folder scan); memory: peak RSS\n");
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "cat"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
