// The block scanner against the rule written the obvious way, over random texts built from
// marker pieces, line breaks and byte 26, fed in random blocks.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "net/FutureDownloads/MarkerScanner.h"

namespace {

using FutureDownloads::kErrorMarkers;
using FutureDownloads::MarkerScanner;
using namespace std::string_literals;

// Join without CR and LF, stop at the first byte 26, search.
bool Reference(std::string_view bytes) {
    std::string text;
    for (const char ch : bytes) {
        if (ch == '\x1a') break;
        if (ch != '\r' && ch != '\n') text += ch;
    }
    for (const std::string_view m : kErrorMarkers)
        if (text.find(m) != std::string::npos) return true;
    return false;
}

struct Alphabet {
    const char* name;
    std::vector<std::string> pieces;
};

void PrintTo(const Alphabet& alphabet, std::ostream* out) { *out << alphabet.name; }

// Each alphabet mixes whole markers, their pieces, near misses and the bytes that change the
// joining; the filler run lets blocks exceed the scanner's wide search step.
const Alphabet kAlphabets[] = {
    {"marker pieces and breaks",
     {"404", ": ", "Not", " ", "Found", "404: Not Found", "unknown", " domain", "unknown domain", "\r", "\n",
      "\r\n", "\x1a", "x", "4", "F", "k"}},
    {"single characters",
     {"4", "0", ":", " ", "N", "o", "t", "F", "u", "n", "d", "k", "w", "m", "a", "i", "\r", "\n", "\x1a"}},
    {"overlaps and case",
     {"40404: Not Found", "unknunknown domain", "404: not Found", "Unknown domain", "Fou", "nd", "know",
      "n do", "main", "\n", "\r", "\x1a", "\0"s, "\xff"}},
    {"long filler runs",
     {std::string(70, 'x'), std::string(130, 'y'), "404: Not Fo", "und", "unknown do", "main", "\r\n", "\n",
      "\x1a", "k", "F"}},
};

// A marker, or its beginning or end, with line breaks between random characters.
std::string BrokenMarkerPiece(std::mt19937& rng) {
    const std::string_view m = kErrorMarkers[std::uniform_int_distribution<std::size_t>(0, kErrorMarkers.size() - 1)(rng)];
    std::size_t from = 0, to = m.size();
    switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
        case 1: to = std::uniform_int_distribution<std::size_t>(1, m.size())(rng); break;
        case 2: from = std::uniform_int_distribution<std::size_t>(0, m.size() - 1)(rng); break;
        default: break;
    }
    static const char* const kBreaks[] = {"", "", "", "", "\r", "\n", "\r\n", "\n\n\r"};
    std::uniform_int_distribution<std::size_t> pickBreak(0, std::size(kBreaks) - 1);
    std::string piece;
    for (std::size_t i = from; i < to; ++i) piece += m[i] + std::string(kBreaks[pickBreak(rng)]);
    return piece;
}

std::string RandomText(const Alphabet& alphabet, std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> count(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.pieces.size() - 1);
    std::uniform_int_distribution<int> eighth(0, 7);
    std::string text;
    for (std::size_t n = count(rng); n > 0; --n) text += eighth(rng) == 0 ? BrokenMarkerPiece(rng) : alphabet.pieces[pick(rng)];
    return text;
}

// Block sizes that cover the text: one block, byte by byte, or random cuts.
std::vector<std::size_t> RandomBlocks(std::size_t size, std::mt19937& rng) {
    std::vector<std::size_t> blocks;
    const unsigned mode = std::uniform_int_distribution<unsigned>(0, 3)(rng);
    if (mode == 0) return {size};
    std::uniform_int_distribution<std::size_t> length(0, mode == 1 ? 1 : 40);
    for (std::size_t left = size; left > 0;) {
        const std::size_t n = std::min(left, length(rng));
        blocks.push_back(n);  // empty blocks included: a transfer may hand over nothing
        left -= n;
    }
    return blocks;
}

class MarkerScannerAgainstReference : public ::testing::TestWithParam<Alphabet> {};

TEST_P(MarkerScannerAgainstReference, SameAnswerForAnyBlockSplit) {
    std::mt19937 rng(20240611);
    int errorPages = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = RandomText(GetParam(), rng);
        const bool expected = Reference(text);
        errorPages += expected;
        MarkerScanner scanner;
        std::size_t at = 0;
        for (const std::size_t n : RandomBlocks(text.size(), rng)) {
            scanner.Feed(text.data() + at, n);
            at += n;
        }
        ASSERT_EQ(scanner.Found(), expected) << "text: " << ::testing::PrintToString(text);
    }
    // Guards the generator, not the scanner: both answers must be exercised.
    EXPECT_GT(errorPages, 100);
    EXPECT_LT(errorPages, 3900);
}

INSTANTIATE_TEST_SUITE_P(Alphabets, MarkerScannerAgainstReference, ::testing::ValuesIn(kAlphabets),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

}  // namespace
