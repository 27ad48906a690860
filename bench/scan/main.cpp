// The error-marker scanner as IsErrorPage drives it: each block is copied out of memory larger
// than the caches (the work read() does for a cached file) and then scanned. Prints, for several
// kinds of content, the copy alone beside copy plus scan, and the scanner's own speed.
//   packwell-bench-scan [--quick] [--rounds N] [--block KiB]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/Bench.h"
#include "bench/common/Rounds.h"
#include "net/FutureDownloads/MarkerScanner.h"

using namespace packwell::bench;

namespace {

// Lines repeated up to `size` bytes.
std::string Repeat(std::size_t size, const std::function<std::string(std::size_t)>& line) {
    std::string s;
    for (std::size_t i = 0; s.size() < size; ++i) s += line(i);
    s.resize(size);
    return s;
}

// Random bytes without 26, so they are read to the end like text.
std::string Binary(std::size_t size) {
    std::string s(size, '\0');
    std::uint64_t x = 88172645463325252ull;
    for (char& ch : s) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        ch = static_cast<char>((x & 0xff) == 26 ? 27 : x & 0xff);
    }
    return s;
}

struct Kind {
    const char* name;
    std::function<std::string(std::size_t)> make;
};

}  // namespace

int main(int argc, char** argv) {
    int blockKiB = 64;
    const auto options = ParseOptions(argc, argv, {{"--block", &blockKiB}});
    if (!options) return 2;
    const std::size_t block = static_cast<std::size_t>(blockKiB) * 1024;
    const std::size_t size = (options->quick ? 64u : 256u) << 20;  // beyond the caches, like a file's pages
    const int rounds = options->rounds;
    const std::vector<Kind> kinds = {
        {"mod settings text",
         [](std::size_t n) {
             return Repeat(n, [](std::size_t i) {
                 return "config entry " + std::to_string(i) + " = some value of a mod's settings, not found: 404 reasons\n";
             });
         }},
        {"Forge config, dense in 'F' and 'k'",
         [](std::size_t n) {
             return Repeat(n, [](std::size_t i) {
                 return "    B:enableFeatureKnockback" + std::to_string(i) + "=true\n    # Fancy unknown option, F: 404\n";
             });
         }},
        {"JSON, CRLF lines",
         [](std::size_t n) {
             return Repeat(n, [](std::size_t i) {
                 return "{\"id\": " + std::to_string(i) + ", \"block\": \"minecraft:stone\", \"Fuel\": false},\r\n";
             });
         }},
        {"random bytes without 26", Binary},
    };
    std::printf("%zu MiB of each kind in %zu KiB blocks, median of %d rounds (copy+scan: slowest round too)\n",
                size >> 20, block >> 10, rounds);
    std::printf("%-36s %12s %12s %12s %10s %12s\n", "content", "copy", "copy+scan", "slowest", "ratio", "scan alone");
    std::vector<char> buffer(block);
    return RunGuarded([&] {
        for (const Kind& kind : kinds) {
            const std::string bytes = kind.make(size);
            auto pass = [&](bool scan) {
                FutureDownloads::MarkerScanner scanner;
                for (std::size_t at = 0; at < bytes.size(); at += block) {
                    const std::size_t n = std::min(block, bytes.size() - at);
                    std::memcpy(buffer.data(), bytes.data() + at, n);
                    asm volatile("" : : "r"(buffer.data()) : "memory");  // keeps the copy
                    if (scan) scanner.Feed(buffer.data(), n);
                }
                return scanner.Found();
            };
            bool found = false;
            const std::vector<Peer> peers = {
                {"copy", false, {}, [&] { return Measure([&] { pass(false); }); }, {}},
                {"copy+scan", true, {}, [&] { return Measure([&] { found = pass(true); }); },
                 [&] {
                     // None of these contents holds a marker.
                     if (found) throw std::runtime_error(std::string("a marker reported in ") + kind.name);
                 }},
            };
            const std::vector<PeerFigures> figures = RunRounds(peers, rounds);
            const double copy = figures[0].seconds.median, both = figures[1].seconds.median;
            const double gb = static_cast<double>(size) / 1e9;
            std::printf("%-36s %7.2f GB/s %7.2f GB/s %7.2f GB/s %10.2f %7.2f GB/s\n", kind.name, gb / copy, gb / both,
                        gb / figures[1].seconds.max, both / copy, both > copy ? gb / (both - copy) : 0.0);
        }
    });
}
