// Fetches (a) one large file and (b) many small files from nginx on 127.0.0.1, one after
// another, with DownloadFile and with the curl tool (one invocation, so it reuses its
// connection), and prints the times, their ratio and the peak memory of each side.
// Each side runs in a fresh process of its own, so the figures do not mix.
//   packwell-bench-transfer [--quick] [--rounds N]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Bench.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/support/Nginx.h"

namespace fs = std::filesystem;
using namespace packwell::bench;

namespace {

struct Scenario {
    std::string name;
    std::vector<std::string> files;  // names inside the served folder
};

// Child mode, our side: every line of the list is "url\tpath"; fetched in order on this thread.
int Fetch(const char* listFile) {
    std::ifstream in(listFile);
    std::string line;
    int failures = 0;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (!FutureDownloads::DownloadFile(line.substr(0, tab), line.substr(tab + 1))) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

void Verify(const fs::path& site, const fs::path& out, const Scenario& s) {
    for (const auto& f : s.files)
        if (!fs::exists(out / f) || fs::file_size(out / f) != fs::file_size(site / f))
            throw std::runtime_error("wrong copy of " + f);
}

void Run(const Options& options) {
    const int rounds = options.rounds.value_or(3);
    const TempFolder temp("packwell-bench");
    const fs::path root = temp.path();
    const fs::path site = root / "site";
    const std::uint64_t bigSize = options.quick ? (64ull << 20) : (1ull << 30);
    const int smallCount = options.quick ? 100 : 1000;

    std::vector<Scenario> scenarios(2);
    scenarios[0].name = "one file of " + std::to_string(bigSize >> 20) + " MiB";
    scenarios[1].name = std::to_string(smallCount) + " files of 64 KiB";
    fs::create_directories(site / "small");
    WriteNoise(site / "big.bin", bigSize, 1);
    scenarios[0].files = {"big.bin"};
    for (int i = 0; i < smallCount; ++i) {
        const std::string name = "small/f" + std::to_string(i) + ".bin";
        WriteNoise(site / name, 64 * 1024, 100 + i);
        scenarios[1].files.push_back(name);
    }

    packwell::test::Nginx nginx(site);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::printf("%-22s %8s %8s %6s | %8s %8s %6s | %9s %9s\n", "scenario", "curl s", "ours s", "ratio", "curl cpu",
                "ours cpu", "ratio", "ours MiB", "curl MiB");
    for (const Scenario& s : scenarios) {
        const fs::path out = root / "out";
        const fs::path list = root / "list.txt";
        const fs::path config = root / "curl.cfg";
        {
            std::ofstream l(list), c(config);
            for (const auto& f : s.files) {
                const std::string url = nginx.url("/" + f);
                l << url << '\t' << (out / f).string() << '\n';
                c << "url = \"" << url << "\"\noutput = \"" << (out / f).string() << "\"\n";
            }
        }
        ChildFigures best[2];
        for (int r = 0; r < rounds; ++r) {
            for (int side = 0; side < 2; ++side) {
                fs::remove_all(out);
                fs::create_directories(out / "small");
                const ChildFigures f = side == 0 ? RunCommand({"curl", "-s", "-K", config.string()})
                                                 : RunCommand({self, "--fetch", list.string()});
                if (!f.ok) throw std::runtime_error(std::string(side ? "ours" : "curl") + " failed: " + s.name);
                if (side == 1) Verify(site, out, s);
                if (r == 0 || f.seconds < best[side].seconds) best[side].seconds = f.seconds;
                if (r == 0 || f.cpuSeconds < best[side].cpuSeconds) best[side].cpuSeconds = f.cpuSeconds;
                best[side].peakKiB = std::max(best[side].peakKiB, f.peakKiB);
            }
        }
        fs::remove_all(out);
        std::printf("%-22s %8.3f %8.3f %6.3f | %8.3f %8.3f %6.3f | %9.1f %9.1f\n", s.name.c_str(), best[0].seconds,
                    best[1].seconds, best[1].seconds / best[0].seconds, best[0].cpuSeconds, best[1].cpuSeconds,
                    best[1].cpuSeconds / best[0].cpuSeconds, best[1].peakKiB / 1024.0, best[0].peakKiB / 1024.0);
        std::fflush(stdout);
    }
    std::printf("times: best of %d rounds each (wall, and user+system CPU); memory: largest peak RSS seen\n", rounds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--fetch") return Fetch(argv[2]);
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "curl"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
