#include "core/update/ImageFile.h"

#include <limits>

namespace packwell {

bool ImageFile::Holds(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize) const {
    if (offset > size_) return false;
    const std::uint64_t room = size_ - offset;
    return itemSize == 0 || count <= room / itemSize;
}

std::optional<std::string> ImageFile::Read(std::uint64_t offset, std::size_t count) const {
    if (!Holds(offset, count, 1) || offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max()))
        return std::nullopt;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    std::string bytes(count, '\0');
    if (!in_.read(bytes.data(), static_cast<std::streamsize>(count))) return std::nullopt;
    return bytes;
}

bool ImageFile::StartsWith(std::string_view magic) const {
    const auto head = Read(0, magic.size());
    return head && *head == magic;
}

std::uint64_t DecodeUnsigned(std::string_view bytes, std::size_t offset, std::size_t width, std::endian order) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t at = order == std::endian::little ? offset + width - 1 - i : offset + i;
        value = (value << 8) | static_cast<unsigned char>(bytes[at]);
    }
    return value;
}

}  // namespace packwell
