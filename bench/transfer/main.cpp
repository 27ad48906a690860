// Fetches (a) one large file and (b) many small files from nginx on 127.0.0.1, one after
// another, with DownloadFile and with the curl tool (one invocation, so it reuses its
// connection), and prints the times, their ratio and the peak memory of each side.
// Each side runs in a child process of its own, so the figures do not mix.
//   packwell-bench-transfer [--quick] [--rounds N]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/FutureDownloads/FutureDownloads.h"
#include "tests/support/Nginx.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

struct Scenario {
    std::string name;
    std::vector<std::string> files;  // names inside the served folder
    std::uint64_t bytes = 0;
};

struct RunFigures {
    double seconds = 0;
    double cpuSeconds = 0;  // user + system: steadier than wall time on a busy machine
    long maxRssKiB = 0;
    bool ok = false;
};

// Bytes that look like a compressed mod file: no runs, no structure.
void WriteNoise(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    std::ofstream out(path, std::ios::binary);
    std::vector<std::uint64_t> block(128 * 1024);
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    for (std::uint64_t left = size; left > 0;) {
        for (auto& w : block) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            w = x;
        }
        const std::uint64_t n = std::min<std::uint64_t>(left, block.size() * 8);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        left -= n;
    }
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

RunFigures RunChild(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    RunFigures f;
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.maxRssKiB = usage.ru_maxrss;
    f.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return f;
}

// Child mode: every line of the list is "url\tpath"; fetched in order on this thread.
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--fetch") == 0) return Fetch(argv[2]);

    bool quick = false;
    int rounds = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--quick] [--rounds N]\n", argv[0]);
            return 2;
        }
    }
    if (!packwell::test::Nginx::Available()) {
        std::fprintf(stderr, "nginx is not installed\n");
        return 2;
    }

    std::string pattern = (fs::temp_directory_path() / "packwell-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    const fs::path root = pattern;
    const fs::path site = root / "site";
    const std::uint64_t bigSize = quick ? (64ull << 20) : (1ull << 30);
    const int smallCount = quick ? 100 : 1000;

    std::vector<Scenario> scenarios(2);
    scenarios[0].name = "one file of " + std::to_string(bigSize >> 20) + " MiB";
    scenarios[1].name = std::to_string(smallCount) + " files of 64 KiB";
    fs::create_directories(site / "small");
    WriteNoise(site / "big.bin", bigSize, 1);
    scenarios[0].files = {"big.bin"};
    scenarios[0].bytes = bigSize;
    for (int i = 0; i < smallCount; ++i) {
        const std::string name = "small/f" + std::to_string(i) + ".bin";
        WriteNoise(site / name, 64 * 1024, 100 + i);
        scenarios[1].files.push_back(name);
        scenarios[1].bytes += 64 * 1024;
    }

    {
        packwell::test::Nginx nginx(site);
        const std::string self = fs::read_symlink("/proc/self/exe").string();
        std::printf("%-22s %8s %8s %6s | %8s %8s %6s | %9s %9s\n", "scenario", "curl s", "ours s", "ratio",
                    "curl cpu", "ours cpu", "ratio", "ours MiB", "curl MiB");
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
            RunFigures best[2];
            for (int r = 0; r < rounds; ++r) {
                for (int side = 0; side < 2; ++side) {
                    fs::remove_all(out);
                    fs::create_directories(out / "small");
                    const RunFigures f = side == 0 ? RunChild({"curl", "-s", "-K", config.string()})
                                                   : RunChild({self, "--fetch", list.string()});
                    if (!f.ok) throw std::runtime_error(std::string(side ? "ours" : "curl") + " failed: " + s.name);
                    if (side == 1) Verify(site, out, s);
                    if (r == 0 || f.seconds < best[side].seconds) best[side].seconds = f.seconds;
                    if (r == 0 || f.cpuSeconds < best[side].cpuSeconds) best[side].cpuSeconds = f.cpuSeconds;
                    best[side].maxRssKiB = std::max(best[side].maxRssKiB, f.maxRssKiB);
                }
            }
            fs::remove_all(out);
            std::printf("%-22s %8.3f %8.3f %6.3f | %8.3f %8.3f %6.3f | %9.1f %9.1f\n", s.name.c_str(),
                        best[0].seconds, best[1].seconds, best[1].seconds / best[0].seconds, best[0].cpuSeconds,
                        best[1].cpuSeconds, best[1].cpuSeconds / best[0].cpuSeconds, best[1].maxRssKiB / 1024.0,
                        best[0].maxRssKiB / 1024.0);
        }
        std::printf("times: best of %d rounds each (wall, and user+system CPU); memory: largest peak RSS seen\n",
                    rounds);
    }
    fs::remove_all(root);
    return 0;
}
