// Fetches (a) one large file and (b) many small files from nginx on 127.0.0.1, one after
// another, with DownloadFile and with the curl tool (one invocation, so it reuses its
// connection), and prints the times, their ratio and the peak memory of each side, every
// copy checked against the server's file. Each side runs in a fresh process of its own, so
// the figures do not mix.
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
#include "bench/common/Rounds.h"
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

// Every file of the scenario, byte for byte as the server has it.
void Verify(const fs::path& site, const fs::path& out, const Scenario& s) {
    for (const auto& f : s.files)
        if (!SameBytes(site / f, out / f)) throw std::runtime_error("wrong copy of " + f);
}

void Run(const Options& options) {
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
        const auto fresh = [out] {
            fs::remove_all(out);
            fs::create_directories(out / "small");
        };
        const auto verify = [&site, out, &s] { Verify(site, out, s); };
        const std::vector<Peer> peers = {
            // --fail: an error status is a failed run, not a saved error page.
            {"curl", false, fresh, [config] { return RunCommand({"curl", "-s", "--fail", "-K", config.string()}); }, verify},
            {"DownloadFile", true, fresh, [self, list] { return RunCommand({self, "--fetch", list.string()}); }, verify},
        };
        PrintFigures(s.name + ", one after another", RunRounds(peers, options.rounds), options.rounds);
        fs::remove_all(out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--fetch") return Fetch(argv[2]);
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "curl"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
