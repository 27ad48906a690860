// The compatibility check, with nginx serving the manifest and the page cache warm, beside the
// plain programs that touch the same files, in the same rounds:
//   (a) 300 present files, half binary with an early byte 26, half text without markers:
//       the check beside `cat` of the same files into /dev/null;
//   (b) 300 present jars (real zip files): the check beside listing the folder and asking the
//       status of every file, inside this process (also after fetching the manifest the way
//       the check does, so that only the work per file differs) and by `ls -l`.
//   packwell-bench-check [--quick] [--rounds N]
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Bench.h"
#include "bench/common/Jar.h"
#include "bench/common/Rounds.h"
#include "core/check/CompatibilityCheck.h"
#include "core/log/StatusLog.h"
#include "core/manifest/ManifestFetch.h"
#include "tests/support/Nginx.h"

namespace fs = std::filesystem;
using namespace packwell::bench;

namespace {

constexpr std::uint64_t kMiB = 1ull << 20;

// A game folder whose VersionModsDir holds every file the manifest lists.
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

// Writes file i of `count` (name and size chosen by `write`) and the manifest listing them all.
Pack MakePack(const fs::path& root, int count,
              const std::function<std::pair<std::string, std::uint64_t>(int, const fs::path&)>& write) {
    Pack pack{root, root / "game" / "mods" / "1.12.2", {}, 0};
    fs::create_directories(pack.versionModsDir);
    fs::create_directories(root / "game" / "versions" / "1.12.2");
    fs::create_directories(root / "game" / "assets");
    fs::create_directories(root / "www");
    fs::create_directories(root / "appdata");
    std::string manifest = "[modlist]\nCount=" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) {
        const auto [name, size] = write(i, pack.versionModsDir);
        pack.files.push_back(pack.versionModsDir / name);
        pack.bytes += size;
        const std::string k = "mod" + std::to_string(i + 1);
        manifest += k + "=" + name + "\n" + k + "size=" + std::to_string(size) + "\n";
    }
    std::ofstream(root / "www" / "Update", std::ios::binary) << manifest;
    return pack;
}

Pack TextAndBinaryPack(const fs::path& root, int count, std::uint64_t total) {
    const std::uint64_t each = total / static_cast<std::uint64_t>(count);
    return MakePack(root, count, [each](int i, const fs::path& folder) {
        const bool binary = i % 2 == 0;
        const std::string name = "mod" + std::to_string(i + 1) + (binary ? ".jar" : ".cfg");
        if (binary) WriteBinary(folder / name, each, static_cast<std::uint64_t>(i) + 1);
        else WriteText(folder / name, each, static_cast<std::uint64_t>(i) + 1);
        return std::pair{name, each};
    });
}

// Jar sizes spread evenly on a log scale between `smallest` and `largest`, as in a real pack
// (a few KiB for a library, megabytes for a content mod).
Pack JarPack(const fs::path& root, int count, std::uint64_t smallest, std::uint64_t largest) {
    return MakePack(root, count, [=](int i, const fs::path& folder) {
        const double t = count > 1 ? static_cast<double>((i * 7919) % count) / (count - 1) : 0;
        const auto size = static_cast<std::uint64_t>(static_cast<double>(smallest) *
                                                     std::pow(static_cast<double>(largest) / smallest, t));
        const std::string name = "mod" + std::to_string(i + 1) + "-1.12.2.jar";
        WriteJar(folder / name, size, static_cast<std::uint64_t>(i) + 1);
        return std::pair{name, static_cast<std::uint64_t>(fs::file_size(folder / name))};
    });
}

// Where each file's first byte 26 lies: what the check reads of a jar.
void PrintFirstEndOfText(const Pack& pack) {
    std::vector<std::size_t> at;
    for (const fs::path& f : pack.files) {
        std::ifstream in(f, std::ios::binary);
        std::size_t i = 0;
        for (char ch; in.get(ch) && ch != 26;) ++i;
        at.push_back(i);
    }
    std::sort(at.begin(), at.end());
    std::printf("first byte 26 in the jars at offset: median %zu, largest %zu\n", at[at.size() / 2], at.back());
}

// The check of the pack, as the window runs it, inside this process.
Peer CheckPeer(const Pack& pack, const packwell::test::Nginx& server) {
    auto request = std::make_shared<packwell::CheckRequest>();
    request->baseUrl = server.url("");
    request->manifestPath = pack.root / "appdata" / "Update.ini";
    request->modsDir = pack.versionModsDir.parent_path();
    request->versionModsDir = pack.versionModsDir;
    request->isConnected = [] { return true; };
    auto lists = std::make_shared<packwell::SyncLists>();
    Peer peer{"check", true, {}, {}, {}};
    peer.run = [request, lists] {
        return Measure([&] {
            packwell::StatusLog log;
            if (packwell::RunCompatibilityCheck(log, *request, *lists).result != packwell::CheckResult::Checked)
                throw std::runtime_error("the check did not run");
        });
    };
    peer.verify = [lists, count = pack.files.size()] {
        if (!lists->MissingList.empty() || !lists->DeleteList.empty())
            throw std::runtime_error("the check found work in a pack that has none");
        if (lists->ServerTotal == 0 && count > 0) throw std::runtime_error("the manifest was not read");
    };
    return peer;
}

Peer CatPeer(const Pack& pack) {
    std::vector<std::string> args{"cat"};
    for (const auto& f : pack.files) args.push_back(f.string());
    return {"cat", false, {}, [args] { return RunCommand(args); }, {}};
}

// What listing the folder with every file's status costs a program started for it.
Peer ListPeer(const Pack& pack) {
    const std::vector<std::string> args{"ls", "-l", "--color=never", pack.versionModsDir.string()};
    return {"ls -l", false, {}, [args] { return RunCommand(args); }, {}};
}

// Regular files in the folder, found by reading it and asking each entry's status.
std::size_t ListAndStat(const fs::path& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot list " + folder.string());
    std::size_t files = 0;
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) ++files;
    }
    ::closedir(dir);
    return files;
}

// Listing the folder with every file's status inside this process; with `fetch`, after
// fetching the manifest afresh the way the check does, so that only the work per file differs.
Peer ListHerePeer(const Pack& pack, const packwell::test::Nginx& server, bool fetch) {
    auto seen = std::make_shared<std::size_t>(0);
    Peer peer{fetch ? "fetch manifest, list and stat" : "list and stat", false, {}, {}, {}};
    peer.run = [folder = pack.versionModsDir, manifest = pack.root / "appdata" / "Update.ini",
                baseUrl = server.url(""), fetch, seen] {
        return Measure([&] {
            if (fetch) {
                std::error_code ec;
                fs::remove(manifest, ec);
                if (!packwell::FetchManifest(baseUrl, manifest)) throw std::runtime_error("manifest not fetched");
            }
            *seen = ListAndStat(folder);
        });
    };
    peer.verify = [seen, count = pack.files.size()] {
        if (*seen != count) throw std::runtime_error("listed " + std::to_string(*seen) + " files");
    };
    return peer;
}

void Run(const Options& options) {
    const int count = 300;
    const TempFolder temp("packwell-bench-check");
    setenv("APPDATA", (temp.path() / "appdata").c_str(), 1);

    {
        const std::uint64_t total = options.quick ? 256 * kMiB : 2048 * kMiB;
        std::printf("writing %d files, %.0f MiB in all ...\n", count, static_cast<double>(total) / kMiB);
        const Pack pack = TextAndBinaryPack(temp.path() / "a", count, total);
        packwell::test::Nginx server(pack.root / "www");
        const std::vector<Peer> peers = {CheckPeer(pack, server), CatPeer(pack)};
        RunRounds(peers, 1);  // fills the page cache, not counted
        PrintFigures("(a) " + std::to_string(count) + " files, " + std::to_string(pack.bytes / kMiB) +
                         " MiB, half binary with an early byte 26, half text (the check reads half the bytes)",
                     RunRounds(peers, options.rounds), options.rounds);
    }
    {
        const std::uint64_t largest = options.quick ? 2 * kMiB : 16 * kMiB;
        std::printf("writing %d jars, 16 KiB to %.0f MiB ...\n", count, static_cast<double>(largest) / kMiB);
        const Pack pack = JarPack(temp.path() / "b", count, 16 * 1024, largest);
        PrintFirstEndOfText(pack);
        packwell::test::Nginx server(pack.root / "www");
        const std::vector<Peer> peers = {CheckPeer(pack, server), ListHerePeer(pack, server, true),
                                         ListHerePeer(pack, server, false), ListPeer(pack)};
        RunRounds(peers, 1);
        PrintFigures("(b) " + std::to_string(count) + " jars, " + std::to_string(pack.bytes / kMiB) + " MiB",
                     RunRounds(peers, options.rounds), options.rounds);
    }
    std::printf("page cache warm; the check includes fetching the manifest from nginx on 127.0.0.1\n");
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(argc, argv);
    if (!options) return 2;
    if (!Installed({"nginx", "cat", "ls"})) return 2;
    return RunGuarded([&] { Run(*options); });
}
