// Synchronises an empty game folder from nginx on 127.0.0.1 with packwell-sync (Turbo and
// sequential) and fetches the same files with aria2c -j5, curl --parallel --parallel-max 5 and
// plain curl (one connection), in the same run, for
//   (a) 1000 files of 64 KiB and (b) 10 files of 100 MiB.
// Prints the wall times, our times over each peer's, and the peak memory of each program, every
// copy checked against the server's file. Every program runs as a child process of its own,
// so its peak memory is its own. With PACKWELL_WINDOWS_BUILD naming a Windows build folder
// (build-win), its packwell-sync.exe runs under Wine beside the others.
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
#include "bench/common/Rounds.h"
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

// Every file of the scenario, byte for byte as the server has it.
void Verify(const fs::path& folder, const fs::path& site, const Scenario& s) {
    for (const auto& name : s.files)
        if (!SameBytes(site / "mods3" / name, folder / name))
            throw std::runtime_error("wrong copy of " + name + " in " + folder.string());
}

// The folder as a Windows program under Wine names it (the Unix root is drive Z:).
std::string WinePath(const fs::path& path) {
    std::string text = "Z:" + fs::absolute(path).string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

// The same small files fetched by bare Windows calls under Wine: what Wine costs without our code.
// Its figures go straight to our output; Wine's own chatter on stderr does not.
void PrintWineFloor(const fs::path& build, int port, int count, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto quoted = [](const std::string& text) { return "'" + text + "'"; };
    const std::string command = quoted((build / "wine-run.sh").string()) + " " +
                                quoted((build / "bench" / "wine-floor" / "packwell-bench-wine-floor.exe").string()) +
                                " " + std::to_string(port) + " " + std::to_string(count) + " " +
                                quoted(WinePath(folder)) + " 2>/dev/null";
    std::fflush(stdout);
    const int status = std::system(command.c_str());
    fs::remove_all(folder);
    if (status != 0) throw std::runtime_error("the Wine floor program failed");
}

// The native window's CPU while it sits open on a valid game folder, nothing animating or running.
void PrintWindowIdle(const fs::path& build, const fs::path& game) {
    constexpr int kSeconds = 20;
    const auto quoted = [](const std::string& text) { return "'" + text + "'"; };
    const std::string command = quoted((build / "wine-run.sh").string()) + " " +
                                quoted((build / "bench" / "window" / "packwell-bench-window.exe").string()) + " idle " +
                                std::to_string(kSeconds) + " " + quoted(WinePath(game)) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    double cpu = 0, wall = 0;
    const bool read = pipe && std::fscanf(pipe, "%lf %lf", &cpu, &wall) == 2;
    if (!pipe || pclose(pipe) != 0 || !read || wall <= 0) throw std::runtime_error("the window idle program failed");
    std::printf("Packwell.exe window open and idle (Wine): %.3f s CPU in %.1f s, %.2f %% of one core\n", cpu, wall,
                100.0 * cpu / wall);
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

    // The Windows build to run under Wine beside the others, if any.
    const char* const windowsBuildVariable = std::getenv("PACKWELL_WINDOWS_BUILD");
    const fs::path windowsBuild = windowsBuildVariable ? fs::absolute(windowsBuildVariable) : fs::path();
    // Wine's server starts (or moves into this network namespace) once, before any round.
    if (!windowsBuild.empty())
        RunCommand({(windowsBuild / "wine-run.sh").string(), "cmd", "/c", "exit"}, Silence::StdoutAndStderr);
    int seed = 1;
    for (Scenario& s : scenarios) {
        PublishServer(site, s, static_cast<std::uint64_t>(seed) * 100000);
        seed++;
        packwell::test::Nginx nginx(site);
        const fs::path list = root / "aria2.txt";
        const fs::path curlConfig = root / "curl.cfg";
        const fs::path game = root / "game";
        const fs::path mods = game / "mods" / "1.12.2";
        {
            std::ofstream out(list), config(curlConfig);
            for (const auto& name : s.files) {
                out << nginx.url("/mods3/" + name) << "\n";
                config << "url = \"" << nginx.url("/mods3/" + name) << "\"\noutput = \"" << (mods / name).string()
                       << "\"\n";
            }
        }
        const auto fresh = [root] { FreshGame(root); };
        const auto verify = [mods, site, &s] { Verify(mods, site, s); };
        const auto sync = [game, url = nginx.url("")](const char* mode) {
            return RunCommand({PACKWELL_SYNC_BINARY, mode, "--server", url, "--game-dir", game.string()},
                              Silence::StdoutAndStderr);
        };
        std::vector<Peer> peers = {
            {"aria2c -j5", false,
             [root, mods] {
                 FreshGame(root);
                 fs::create_directories(mods);
             },
             [mods, list] {
                 return RunCommand({"aria2c", "-j5", "-x1", "-q", "--file-allocation=none", "--allow-overwrite=false",
                                    "--auto-file-renaming=false", "-d", mods.string(), "-i", list.string()},
                                   Silence::StdoutAndStderr);
             },
             verify},
            {"curl --parallel-max 5", false, fresh,
             [curlConfig] {
                 return RunCommand({"curl", "-s", "--fail", "--create-dirs", "--parallel", "--parallel-max", "5", "-K",
                                    curlConfig.string()},
                                   Silence::StdoutAndStderr);
             },
             verify},
            {"curl (one connection)", false, fresh,
             [curlConfig] {
                 return RunCommand({"curl", "-s", "--fail", "--create-dirs", "-K", curlConfig.string()},
                                   Silence::StdoutAndStderr);
             },
             verify},
            {"packwell-sync --turbo", true, fresh, [sync] { return sync("--turbo"); }, verify},
            {"packwell-sync --no-turbo", true, fresh, [sync] { return sync("--no-turbo"); }, verify},
        };
        if (!windowsBuild.empty()) {
            const fs::path build = windowsBuild;
            const auto wineSync = [build, game, url = nginx.url("")] {
                return RunCommand({(build / "wine-run.sh").string(),
                                   (build / "tools" / "packwell-sync" / "packwell-sync.exe").string(), "--turbo",
                                   "--server", url, "--game-dir", WinePath(game)},
                                  Silence::StdoutAndStderr);
            };
            peers.push_back({"packwell-sync.exe --turbo (Wine)", true, fresh, wineSync, verify});
            const auto windowTurbo = [build, game, url = nginx.url("")] {
                return RunCommand({(build / "wine-run.sh").string(),
                                   (build / "bench" / "window" / "packwell-bench-window.exe").string(), "run", url,
                                   WinePath(game)},
                                  Silence::StdoutAndStderr);
            };
            peers.push_back({"Packwell.exe window, Турбо (Wine)", true, fresh, windowTurbo, verify});
        }
        PrintFigures(s.name, RunRounds(peers, options.rounds), options.rounds);
        if (!windowsBuild.empty() && s.size < (1u << 20))
            PrintWineFloor(windowsBuild, nginx.port(), s.count, root / "floor");
    }
    if (!windowsBuild.empty()) PrintWindowIdle(windowsBuild, FreshGame(root));
    std::printf("packwell-sync and the window include their compatibility check (manifest fetch and folder scan); "
                "memory: peak RSS\n");
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "aria2c", "curl"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
