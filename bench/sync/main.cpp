// Synchronises an empty game folder from nginx on 127.0.0.1 with packwell-sync (Turbo and
// sequential) and fetches the same files with aria2c -j5, in the same run, for
//   (a) 1000 files of 64 KiB and (b) 10 files of 100 MiB.
// Prints the wall times, our time over aria2c's, and the peak memory of each program. Every
// program runs as a child process of its own, so its peak memory is its own.
//   packwell-bench-sync [--quick] [--rounds N]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/Nginx.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

struct Scenario {
    std::string name;
    int count = 0;
    std::uint64_t size = 0;
    std::vector<std::string> files;
};

struct Figures {
    double seconds = 0;
    long peakKiB = 0;
};

// Incompressible bytes, like a packed mod file.
void WriteRandomFile(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<std::uint64_t> block(64 * 1024);
    std::ofstream out(path, std::ios::binary);
    for (std::uint64_t left = size; left > 0;) {
        for (auto& word : block) word = random();
        const std::uint64_t n = std::min<std::uint64_t>(left, block.size() * sizeof(std::uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        left -= n;
    }
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The server folder: the mods under mods3 and the manifest naming them.
void PublishServer(const fs::path& site, Scenario& s, std::uint64_t seed) {
    fs::remove_all(site);
    fs::create_directories(site / "mods3");
    std::string manifest = "[modlist]\nCount=" + std::to_string(s.count) + "\n";
    s.files.clear();
    for (int i = 1; i <= s.count; ++i) {
        const std::string name = "mod" + std::to_string(i) + ".jar";
        WriteRandomFile(site / "mods3" / name, s.size, seed + i);
        manifest += "mod" + std::to_string(i) + "=" + name + "\nmod" + std::to_string(i) + "size=" +
                    std::to_string(s.size) + "\n";
        s.files.push_back(name);
    }
    std::ofstream(site / "Update") << manifest;
}

Figures RunChild(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed with status " + std::to_string(status));
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), usage.ru_maxrss};
}

void Verify(const fs::path& folder, const Scenario& s) {
    for (const auto& name : s.files)
        if (!fs::is_regular_file(folder / name) || fs::file_size(folder / name) != s.size)
            throw std::runtime_error("wrong copy of " + name + " in " + folder.string());
}

// A game folder the client accepts, with an empty mods folder.
fs::path FreshGame(const fs::path& root) {
    const fs::path game = root / "game";
    fs::remove_all(game);
    fs::create_directories(game / "versions" / "1.12.2");
    fs::create_directories(game / "assets");
    return game;
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    int rounds = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--quick] [--rounds N]\n", argv[0]);
            return 2;
        }
    }
    if (!packwell::test::Nginx::Available() || std::system("command -v aria2c >/dev/null") != 0) {
        std::fprintf(stderr, "nginx and aria2c must be installed\n");
        return 2;
    }

    std::string pattern = (fs::temp_directory_path() / "packwell-bench-sync-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    const fs::path root = pattern;
    const fs::path site = root / "site";
    // The client keeps its settings and manifest under APPDATA: the bench's own folder.
    setenv("APPDATA", (root / "appdata").c_str(), 1);

    std::vector<Scenario> scenarios = {
        {"(a) " + std::to_string(quick ? 200 : 1000) + " x 64 KiB", quick ? 200 : 1000, 64 * 1024, {}},
        {"(b) " + std::to_string(quick ? 4 : 10) + " x " + std::to_string(quick ? 16 : 100) + " MiB", quick ? 4 : 10,
         (quick ? 16ull : 100ull) << 20, {}},
    };

    std::printf("%-20s %9s %9s %9s %7s %7s | %9s %9s %9s\n", "scenario", "aria2c s", "turbo s", "seq s", "turbo/a",
                "seq/a", "aria MiB", "turbo MiB", "seq MiB");
    int seed = 1;
    try {
        for (Scenario& s : scenarios) {
            PublishServer(site, s, static_cast<std::uint64_t>(seed) * 100000);
            seed++;
            packwell::test::Nginx nginx(site);
            const fs::path list = root / "aria2.txt";
            {
                std::ofstream out(list);
                for (const auto& name : s.files) out << nginx.url("/mods3/" + name) << "\n";
            }
            Figures best[3];
            for (int r = 0; r < rounds; ++r) {
                for (int side = 0; side < 3; ++side) {
                    const fs::path game = FreshGame(root);
                    const fs::path mods = game / "mods" / "1.12.2";
                    Figures f;
                    if (side == 0) {
                        fs::create_directories(mods);
                        f = RunChild({"aria2c", "-j5", "-x1", "-q", "--file-allocation=none", "--allow-overwrite=false",
                                      "--auto-file-renaming=false", "-d", mods.string(), "-i", list.string()});
                    } else {
                        f = RunChild({PACKWELL_SYNC_BINARY, side == 1 ? "--turbo" : "--no-turbo", "--server",
                                      nginx.url(""), "--game-dir", game.string()});
                    }
                    Verify(mods, s);
                    if (r == 0 || f.seconds < best[side].seconds) best[side].seconds = f.seconds;
                    best[side].peakKiB = std::max(best[side].peakKiB, f.peakKiB);
                }
            }
            std::printf("%-20s %9.3f %9.3f %9.3f %7.2f %7.2f | %9.1f %9.1f %9.1f\n", s.name.c_str(), best[0].seconds,
                        best[1].seconds, best[2].seconds, best[1].seconds / best[0].seconds,
                        best[2].seconds / best[0].seconds, best[0].peakKiB / 1024.0, best[1].peakKiB / 1024.0,
                        best[2].peakKiB / 1024.0);
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fs::remove_all(root);
        return 1;
    }
    std::printf("wall time: best of %d round(s); ratio below 1 means faster than aria2c; memory: peak RSS\n"
                "packwell-sync includes its compatibility check (manifest fetch and folder scan)\n",
                rounds);
    fs::remove_all(root);
    return 0;
}
