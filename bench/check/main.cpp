// A pack of present files (half binary with an early byte 26, half text without markers) is
// checked with the page cache warm, and the same files are read by `cat` into /dev/null in
// the same run. Prints the best time of each, their ratio and the bytes each side read.
//   packwell-bench-check [--quick] [--rounds N]
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
#include "core/check/CompatibilityCheck.h"
#include "core/log/StatusLog.h"
#include "tests/support/Nginx.h"

namespace fs = std::filesystem;
using namespace packwell::bench;

namespace {

constexpr std::uint64_t kMiB = 1ull << 20;

struct Pack {
    fs::path root;
    fs::path versionModsDir;
    std::vector<fs::path> files;
    std::uint64_t bytes = 0;
};

// Compressed-looking bytes, with the first byte 26 at offset 100 and none before it.
void WriteBinary(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    WriteNoise(path, size, seed);
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    char head[101];
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size, sizeof head));
    file.read(head, static_cast<std::streamsize>(n));
    std::replace(head, head + std::min<std::size_t>(n, 100), '\x1a', '\x1b');
    if (n > 100) head[100] = 26;
    file.seekp(0);
    file.write(head, static_cast<std::streamsize>(n));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

// Plain text lines, no byte 26 and neither marker: read to the end by the check.
void WriteText(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    std::ofstream out(path, std::ios::binary);
    std::string block;
    for (std::uint64_t line = 0; block.size() < 1 * kMiB; ++line)
        block += "config entry " + std::to_string(seed) + "." + std::to_string(line) +
                 " = some value of a mod's settings, not found: 404 reasons\n";
    for (std::uint64_t left = size; left > 0;) {
        const std::uint64_t n = std::min<std::uint64_t>(left, block.size());
        out.write(block.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
}

Pack MakePack(const fs::path& root, int count, std::uint64_t total) {
    Pack pack{root, root / "game" / "mods" / "1.12.2", {}, 0};
    fs::create_directories(pack.versionModsDir);
    fs::create_directories(root / "game" / "versions" / "1.12.2");
    fs::create_directories(root / "game" / "assets");
    fs::create_directories(root / "www");
    fs::create_directories(root / "appdata");
    const std::uint64_t each = total / static_cast<std::uint64_t>(count);
    std::string manifest = "[modlist]\nCount=" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        const bool binary = i % 2 == 0;
        const std::string name = "mod" + std::to_string(i + 1) + (binary ? ".jar" : ".cfg");
        const fs::path file = pack.versionModsDir / name;
        if (binary) WriteBinary(file, each, static_cast<std::uint64_t>(i) + 1);
        else WriteText(file, each, static_cast<std::uint64_t>(i) + 1);
        pack.files.push_back(file);
        pack.bytes += each;
        const std::string k = "mod" + std::to_string(i + 1);
        manifest += k + "=" + name + "\n" + k + "size=" + std::to_string(each) + "\n";
    }
    std::ofstream(root / "www" / "Update", std::ios::binary) << manifest;
    return pack;
}

// Bytes this process has read through read() and friends so far.
std::uint64_t ReadBytes() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return 0;
}

void CatToDevNull(const std::vector<fs::path>& files) {
    std::vector<std::string> args{"cat"};
    for (const auto& f : files) args.push_back(f.string());
    if (!RunCommand(args).ok) throw std::runtime_error("cat failed");
}

void Run(const Options& options) {
    const int rounds = options.rounds.value_or(3);
    const TempFolder temp("packwell-bench-check");
    const fs::path root = temp.path();
    const int count = 300;
    const std::uint64_t total = options.quick ? 256 * kMiB : 2048 * kMiB;
    std::printf("writing %d files, %.0f MiB in all ...\n", count, static_cast<double>(total) / kMiB);
    const Pack pack = MakePack(root, count, total);
    setenv("APPDATA", (root / "appdata").c_str(), 1);
    packwell::test::Nginx server(root / "www");

    packwell::CheckRequest request;
    request.baseUrl = server.url("");
    request.manifestPath = root / "appdata" / "Update.ini";
    request.modsDir = pack.versionModsDir.parent_path();
    request.versionModsDir = pack.versionModsDir;
    request.isConnected = [] { return true; };

    std::size_t missing = 0;
    auto check = [&] {
        packwell::StatusLog log;
        packwell::SyncLists lists;
        if (packwell::RunCompatibilityCheck(log, request, lists).result != packwell::CheckResult::Checked)
            throw std::runtime_error("the check did not run");
        missing = lists.MissingList.size();
    };

    check();  // warms the page cache (and tells the cache nothing new for cat)
    CatToDevNull(pack.files);

    double bestCheck = 1e9, bestCat = 1e9;
    std::uint64_t checkRead = 0;
    for (int r = 0; r < rounds; ++r) {
        const std::uint64_t before = ReadBytes();
        bestCheck = std::min(bestCheck, Seconds(check));
        checkRead = ReadBytes() - before;
        bestCat = std::min(bestCat, Seconds([&] { CatToDevNull(pack.files); }));
    }
    if (missing != 0) throw std::runtime_error("files were reported missing");

    const double mib = static_cast<double>(pack.bytes) / kMiB;
    std::printf("pack: %d files, %.0f MiB (half binary with an early byte 26, half text)\n", count, mib);
    std::printf("check: %.3f s, read %.1f MiB\n", bestCheck, static_cast<double>(checkRead) / kMiB);
    std::printf("cat:   %.3f s, read %.1f MiB (%.0f MiB/s)\n", bestCat, mib, mib / bestCat);
    std::printf("check / cat = %.2f (best of %d rounds each, page cache warm)\n", bestCheck / bestCat, rounds);
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "cat"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
