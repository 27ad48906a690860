// Synchronises an empty game folder from nginx on 127.0.0.1 with packwell-sync (Turbo and
// sequential) and fetches the same files with aria2c -j5, curl --parallel --parallel-max 5 and
// plain curl (one connection), in the same run, for
//   (a) 1000 files of 64 KiB and (b) 10 files of 100 MiB.
// Prints the wall times, our times over the peers' (Turbo against the parallel peers, the
// sequential run against plain curl), and the peak memory of each program. Every program runs
// as a child process of its own, so its peak memory is its own.
//   packwell-bench-sync [--quick] [--rounds N]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Bench.h"
#include "tests/support/Nginx.h"

namespace fs = std::filesystem;
using namespace packwell::bench;

namespace {

struct Scenario {
    std::string name;
    int count = 0;
    std::uint64_t size = 0;
    std::vector<std::string> files;
};

// The server folder: the mods under mods3 and the manifest naming them.
void PublishServer(const fs::path& site, Scenario& s, std::uint64_t seed) {
    fs::remove_all(site);
    fs::create_directories(site / "mods3");
    std::string manifest = "[modlist]\nCount=" + std::to_string(s.count) + "\n";
    s.files.clear();
    for (int i = 1; i <= s.count; ++i) {
        const std::string name = "mod" + std::to_string(i) + ".jar";
        WriteNoise(site / "mods3" / name, s.size, seed + i);
        manifest += "mod" + std::to_string(i) + "=" + name + "\nmod" + std::to_string(i) + "size=" +
                    std::to_string(s.size) + "\n";
        s.files.push_back(name);
    }
    std::ofstream(site / "Update") << manifest;
}

// The program must succeed: a failed run has no time worth printing.
ChildFigures RunQuiet(const std::vector<std::string>& args) {
    const ChildFigures f = RunCommand(args, Silence::StdoutAndStderr);
    if (!f.ok) throw std::runtime_error(args[0] + " failed");
    return f;
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

void Run(const Options& options) {
    const bool quick = options.quick;
    const int rounds = options.rounds.value_or(1);
    const TempFolder temp("packwell-bench-sync");
    const fs::path root = temp.path();
    const fs::path site = root / "site";
    // The client keeps its settings and manifest under APPDATA: the bench's own folder.
    setenv("APPDATA", (root / "appdata").c_str(), 1);

    std::vector<Scenario> scenarios = {
        {"(a) " + std::to_string(quick ? 200 : 1000) + " x 64 KiB", quick ? 200 : 1000, 64 * 1024, {}},
        {"(b) " + std::to_string(quick ? 4 : 10) + " x " + std::to_string(quick ? 16 : 100) + " MiB", quick ? 4 : 10,
         (quick ? 16ull : 100ull) << 20, {}},
    };

    std::printf("%-20s %8s %8s %8s %8s %8s %8s %8s %8s | %8s %8s %8s %8s %8s\n", "scenario", "aria2c", "curl-p5",
                "curl", "turbo", "seq", "turbo/a", "turbo/cp", "seq/c", "aria MiB", "cp MiB", "curl MiB", "turbo MiB",
                "seq MiB");
    int seed = 1;
    for (Scenario& s : scenarios) {
        PublishServer(site, s, static_cast<std::uint64_t>(seed) * 100000);
        seed++;
        packwell::test::Nginx nginx(site);
        const fs::path list = root / "aria2.txt";
        const fs::path curlConfig = root / "curl.cfg";
        const fs::path mods = root / "game" / "mods" / "1.12.2";
        {
            std::ofstream out(list), config(curlConfig);
            for (const auto& name : s.files) {
                out << nginx.url("/mods3/" + name) << "\n";
                config << "url = \"" << nginx.url("/mods3/" + name) << "\"\noutput = \"" << (mods / name).string()
                       << "\"\n";
            }
        }
        enum Side { Aria, Turbo, Sequential, CurlParallel, Curl, kSides };
        ChildFigures best[kSides];
        for (int r = 0; r < rounds; ++r) {
            for (int side = 0; side < kSides; ++side) {
                const fs::path game = FreshGame(root);
                ChildFigures f;
                if (side == Turbo || side == Sequential) {
                    f = RunQuiet({PACKWELL_SYNC_BINARY, side == Turbo ? "--turbo" : "--no-turbo", "--server",
                                  nginx.url(""), "--game-dir", game.string()});
                } else {
                    fs::create_directories(mods);
                    if (side == Aria)
                        f = RunQuiet({"aria2c", "-j5", "-x1", "-q", "--file-allocation=none",
                                      "--allow-overwrite=false", "--auto-file-renaming=false", "-d", mods.string(),
                                      "-i", list.string()});
                    else if (side == CurlParallel)
                        f = RunQuiet({"curl", "-s", "--fail", "--parallel", "--parallel-max", "5", "-K",
                                      curlConfig.string()});
                    else
                        f = RunQuiet({"curl", "-s", "--fail", "-K", curlConfig.string()});
                }
                Verify(mods, s);
                if (r == 0 || f.seconds < best[side].seconds) best[side].seconds = f.seconds;
                best[side].peakKiB = std::max(best[side].peakKiB, f.peakKiB);
            }
        }
        const auto mib = [&](Side side) { return best[side].peakKiB / 1024.0; };
        std::printf("%-20s %8.3f %8.3f %8.3f %8.3f %8.3f %8.2f %8.2f %8.2f | %8.1f %8.1f %8.1f %8.1f %8.1f\n",
                    s.name.c_str(), best[Aria].seconds, best[CurlParallel].seconds, best[Curl].seconds,
                    best[Turbo].seconds, best[Sequential].seconds, best[Turbo].seconds / best[Aria].seconds,
                    best[Turbo].seconds / best[CurlParallel].seconds, best[Sequential].seconds / best[Curl].seconds,
                    mib(Aria), mib(CurlParallel), mib(Curl), mib(Turbo), mib(Sequential));
        std::fflush(stdout);
    }
    std::printf("wall time: best of %d round(s); ratio below 1 means we are faster; memory: peak RSS\n"
                "packwell-sync includes its compatibility check (manifest fetch and folder scan)\n",
                rounds);
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "aria2c", "curl"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
