#pragma once
// Finds the server's error markers in a byte stream fed block by block, seeing the bytes the
// way a line-by-line text reader joins them: CR and LF vanish, a byte 26 ends the text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace FutureDownloads {

inline constexpr std::array<std::string_view, 2> kErrorMarkers = {"404: Not Found", "unknown domain"};

class MarkerScanner {
public:
    void Feed(const void* data, std::size_t size);

    bool Found() const { return found_; }
    // The answer can no longer change: a marker was seen or the text ended.
    bool Done() const { return found_ || ended_; }

private:
    void Step(std::uint8_t byte);

    // Characters of each marker matched so far; carries matches across blocks.
    std::array<std::uint8_t, kErrorMarkers.size()> matched_{};
    bool found_ = false;
    bool ended_ = false;
};

}  // namespace FutureDownloads
