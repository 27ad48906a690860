#include "core/update/ElfExecutable.h"

#include <algorithm>

namespace packwell {
namespace {

// Layout of the ELF64 file header, program header and section header (the System V ABI).
constexpr std::string_view kMagic = "\x7F" "ELF";
constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kClassAt = 4, kDataAt = 5, kIdentVersionAt = 6;
constexpr char kClass64 = 2, kDataLittle = 1, kDataBig = 2, kCurrentVersion = 1;
constexpr std::size_t kTypeAt = 16, kMachineAt = 18, kPhOffAt = 32, kShOffAt = 40;
constexpr std::size_t kPhEntSizeAt = 54, kPhNumAt = 56, kShEntSizeAt = 58, kShNumAt = 60;
constexpr std::uint64_t kTypeExec = 2, kTypeDyn = 3;

constexpr std::size_t kProgramHeaderSize = 56;
constexpr std::size_t kSegTypeAt = 0, kSegOffsetAt = 8, kSegFileSizeAt = 32;
constexpr std::uint64_t kSegLoad = 1;

// Machine codes (e_machine).
constexpr std::uint16_t kMachineX86_64 = 62, kMachineAarch64 = 183, kMachineRiscV = 243;

}  // namespace

std::uint16_t ElfExecutable::BuildMachine() {
#if defined(__x86_64__)
    return kMachineX86_64;
#elif defined(__aarch64__)
    return kMachineAarch64;
#elif defined(__riscv) && __riscv_xlen == 64
    return kMachineRiscV;
#else
#error "the ELF machine code of this build's programs is not known here"
#endif
}

ImageFault ElfExecutable::Inspect(const ImageFile& file) const {
    if (!file.StartsWith(kMagic)) return ImageFault::OtherFormat;
    const auto header = file.Read(0, kHeaderSize);
    if (!header) return ImageFault::Truncated;
    const std::string& h = *header;
    if (h[kClassAt] != kClass64 || h[kDataAt] != (order_ == std::endian::little ? kDataLittle : kDataBig))
        return ImageFault::OtherMachine;
    if (h[kIdentVersionAt] != kCurrentVersion) return ImageFault::OtherFormat;

    const auto field = [&](const std::string& bytes, std::size_t at, std::size_t width) {
        return DecodeUnsigned(bytes, at, width, order_);
    };
    if (field(h, kMachineAt, 2) != machine_) return ImageFault::OtherMachine;
    const std::uint64_t type = field(h, kTypeAt, 2);
    if (type != kTypeExec && type != kTypeDyn) return ImageFault::NotAProgram;

    // The loader refuses any other entry size, and has nothing to load without entries.
    const std::uint64_t phNum = field(h, kPhNumAt, 2);
    if (field(h, kPhEntSizeAt, 2) != kProgramHeaderSize) return ImageFault::OtherFormat;
    if (phNum == 0) return ImageFault::NotAProgram;
    const auto segments = file.Read(field(h, kPhOffAt, 8), phNum * kProgramHeaderSize);
    if (!segments) return ImageFault::Truncated;

    // Section headers usually come last, so a cut-off copy loses them first. A count of 0 with
    // a table means the real count is kept in the first entry: that one at least must be there.
    const std::uint64_t shOff = field(h, kShOffAt, 8);
    if (shOff != 0 && !file.Holds(shOff, std::max<std::uint64_t>(field(h, kShNumAt, 2), 1), field(h, kShEntSizeAt, 2)))
        return ImageFault::Truncated;

    for (std::size_t at = 0; at < segments->size(); at += kProgramHeaderSize) {
        if (field(*segments, at + kSegTypeAt, 4) != kSegLoad) continue;
        if (!file.Holds(field(*segments, at + kSegOffsetAt, 8), 1, field(*segments, at + kSegFileSizeAt, 8)))
            return ImageFault::Truncated;
    }
    return ImageFault::None;
}

}  // namespace packwell
