#pragma once
// A candidate program file as its format checks read it: its length, and small pieces taken at
// offsets the file itself names, which a hostile file may set anywhere.
#include <bit>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace packwell {

class ImageFile {
public:
    ImageFile(std::istream& in, std::uint64_t size) : in_(in), size_(size) {}

    std::uint64_t size() const { return size_; }

    // Whether `count` items of `itemSize` bytes from `offset` lie inside the file; no sum or
    // product of the three can wrap around.
    bool Holds(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize) const;

    // The `count` bytes at `offset`; nothing when they reach past the end or cannot be read.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t count) const;

    bool StartsWith(std::string_view magic) const;

private:
    std::istream& in_;
    std::uint64_t size_;
};

// The unsigned integer of `width` bytes (at most 8) at `offset` of `bytes`, stored in `order`.
// The caller has made sure the bytes are there.
std::uint64_t DecodeUnsigned(std::string_view bytes, std::size_t offset, std::size_t width, std::endian order);

}  // namespace packwell
