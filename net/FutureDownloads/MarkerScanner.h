#pragma once
// Finds the server's error markers in a byte stream fed block by block, seeing the bytes the
// way a line-by-line text reader joins them: CR and LF vanish, a byte 26 ends the text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace FutureDownloads {

inline constexpr std::array<std::string_view, 2> kErrorMarkers = {"404: Not Found", "unknown domain"};

// Each block is searched inside itself for a byte every marker must contain and ordinary text
// rarely does, and only those places are checked in full; a match-by-match state machine covers
// just the few joined characters on either side of a block edge. That keeps text files, which
// are read to their end, at memory speed.
class MarkerScanner {
public:
    void Feed(const void* data, std::size_t size);

    bool Found() const { return found_; }
    // The answer can no longer change: a marker was seen or the text ended.
    bool Done() const { return found_ || ended_; }

private:
    using Byte = std::uint8_t;

    void Step(Byte byte);
    bool Matching() const;
    const Byte* FinishCarriedMatches(const Byte* p, const Byte* end);
    bool FoundInside(const Byte* begin, const Byte* end, const Byte*& cut) const;
    void CarryTail(const Byte* begin, const Byte* end);

    // Characters of each marker matched so far; carries matches across blocks.
    std::array<std::uint8_t, kErrorMarkers.size()> matched_{};
    bool found_ = false;
    bool ended_ = false;
};

}  // namespace FutureDownloads
