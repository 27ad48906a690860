#include "core/update/PeExecutable.h"

#include <bit>

namespace packwell {
namespace {

// Layout of the DOS stub header, the PE signature with its file header, and the section table.
constexpr std::size_t kDosHeaderSize = 64, kNewHeaderOffsetAt = 0x3C;
constexpr std::string_view kSignature{"PE\0\0", 4};
constexpr std::size_t kNtHeaderSize = 24;  // signature and file header
constexpr std::size_t kMachineAt = 4, kSectionCountAt = 6, kOptionalSizeAt = 20, kCharacteristicsAt = 22;
constexpr std::uint64_t kExecutableImage = 0x0002, kDll = 0x2000;
constexpr std::uint64_t kMagicPe32Plus = 0x20B;
constexpr std::size_t kSectionHeaderSize = 40, kRawSizeAt = 16, kRawOffsetAt = 20;

std::uint64_t Little(const std::string& bytes, std::size_t at, std::size_t width) {
    return DecodeUnsigned(bytes, at, width, std::endian::little);
}

}  // namespace

ImageFault PeExecutable::Inspect(const ImageFile& file) const {
    if (!file.StartsWith("MZ")) return ImageFault::OtherFormat;
    const auto dos = file.Read(0, kDosHeaderSize);
    if (!dos) return ImageFault::Truncated;
    const std::uint64_t ntAt = Little(*dos, kNewHeaderOffsetAt, 4);
    const auto nt = file.Read(ntAt, kNtHeaderSize);
    if (!nt) return ImageFault::Truncated;
    if (std::string_view(*nt).substr(0, kSignature.size()) != kSignature) return ImageFault::OtherFormat;

    if (Little(*nt, kMachineAt, 2) != machine_) return ImageFault::OtherMachine;
    const std::uint64_t characteristics = Little(*nt, kCharacteristicsAt, 2);
    if (!(characteristics & kExecutableImage) || (characteristics & kDll)) return ImageFault::NotAProgram;
    // An image for a 64-bit machine carries the 64-bit optional header.
    const auto magic = file.Read(ntAt + kNtHeaderSize, 2);
    if (!magic) return ImageFault::Truncated;
    if (Little(*magic, 0, 2) != kMagicPe32Plus) return ImageFault::OtherFormat;

    const std::uint64_t tableAt = ntAt + kNtHeaderSize + Little(*nt, kOptionalSizeAt, 2);
    const auto sections = file.Read(tableAt, Little(*nt, kSectionCountAt, 2) * kSectionHeaderSize);
    if (!sections) return ImageFault::Truncated;
    for (std::size_t at = 0; at < sections->size(); at += kSectionHeaderSize)
        if (!file.Holds(Little(*sections, at + kRawOffsetAt, 4), 1, Little(*sections, at + kRawSizeAt, 4)))
            return ImageFault::Truncated;
    return ImageFault::None;
}

}  // namespace packwell
