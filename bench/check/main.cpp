// A pack of present files (half binary with an early byte 26, half text without markers) is
// checked with the page cache warm, and the same files are read by `cat` into /dev/null in
// the same run. Prints the best time of each, their ratio and the bytes each side read.
//   packwell-bench-check [--quick] [--rounds N]
#include <fcntl.h>
#include <spawn.h>
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
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/CompatibilityCheck.h"
#include "core/StatusLog.h"
#include "tests/support/Nginx.h"

extern char** environ;
namespace fs = std::filesystem;

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
    std::ofstream out(path, std::ios::binary);
    std::vector<std::uint64_t> block(128 * 1024);
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    bool first = true;
    for (std::uint64_t left = size; left > 0;) {
        for (auto& w : block) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            w = x;
        }
        auto* bytes = reinterpret_cast<unsigned char*>(block.data());
        if (first) {
            for (int i = 0; i < 100; ++i)
                if (bytes[i] == 26) bytes[i] = 27;
            bytes[100] = 26;
            first = false;
        }
        const std::uint64_t n = std::min<std::uint64_t>(left, block.size() * sizeof(std::uint64_t));
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(n));
        left -= n;
    }
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

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void CatToDevNull(const std::vector<fs::path>& files) {
    std::vector<std::string> args{"cat"};
    for (const auto& f : files) args.push_back(f.string());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start cat");
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("cat failed");
}

}  // namespace

int main(int argc, char** argv) {
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

    std::string pattern = (fs::temp_directory_path() / "packwell-bench-check-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    const fs::path root = pattern;
    int exitCode = 0;
    try {
        const int count = 300;
        const std::uint64_t total = quick ? 256 * kMiB : 2048 * kMiB;
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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        exitCode = 1;
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return exitCode;
}
