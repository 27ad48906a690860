// The error-marker scanner against the rule written plainly: join the lines, stop at the
// first byte 26, search. The text is fed in blocks cut where the input's last bytes say, so
// markers and line breaks fall across block edges in every way.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "net/FutureDownloads/MarkerScanner.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using FutureDownloads::kErrorMarkers;
using FutureDownloads::MarkerScanner;

bool JoinedTextHasMarker(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (const std::uint8_t b : bytes) {
        if (b == 26) break;
        if (b != '\r' && b != '\n') text += static_cast<char>(b);
    }
    for (const std::string_view m : kErrorMarkers)
        if (text.find(m) != std::string::npos) return true;
    return false;
}

// Feeds the bytes in blocks of the given sizes (the last block takes the rest) and answers
// what the scanner found.
bool Scan(const std::vector<std::uint8_t>& bytes, const std::vector<std::size_t>& cuts) {
    MarkerScanner scanner;
    std::size_t at = 0;
    for (const std::size_t cut : cuts) {
        const std::size_t n = std::min(cut, bytes.size() - at);
        scanner.Feed(bytes.data() + at, n);
        at += n;
    }
    scanner.Feed(bytes.data() + at, bytes.size() - at);
    const bool ended = std::find(bytes.begin(), bytes.end(), 26) != bytes.end();
    fuzz::Require(!ended || scanner.Done(), "a text with byte 26 leaves the scanner done");
    return scanner.Found();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Taken from the end of the input, so the text keeps its own bytes at the front.
    const std::uint32_t seed = input.ConsumeIntegral<std::uint32_t>();
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
    const bool expected = JoinedTextHasMarker(bytes);
    const auto shown = [&] { return fuzz::Shown(std::string(bytes.begin(), bytes.end())); };

    // Random blocks: mostly short ones around the markers' length, sometimes past the
    // scanner's 64-byte wide step, sometimes empty.
    std::minstd_rand rng(seed);
    std::vector<std::size_t> random;
    for (std::size_t covered = 0; covered < bytes.size();) {
        const std::size_t kind = rng() % 8;
        const std::size_t n = kind == 0 ? 0 : kind < 6 ? rng() % 20 : 60 + rng() % 150;
        random.push_back(n);
        covered += n;
    }
    fuzz::Require(Scan(bytes, random) == expected, "random blocks agree with the joined text", shown);
    fuzz::Require(Scan(bytes, {}) == expected, "one block agrees with the joined text", shown);
    // A call per byte costs most of a long input's run; the random blocks hold short ones too.
    if (bytes.size() <= 512)
        fuzz::Require(Scan(bytes, std::vector<std::size_t>(bytes.size(), 1)) == expected,
                      "byte by byte agrees with the joined text", shown);
    return 0;
}
