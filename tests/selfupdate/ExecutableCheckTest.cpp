// The check a downloaded program must pass before it may replace the running one, on Windows
// images made byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "core/update/ExecutableFormat.h"
#include "core/update/PeExecutable.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

// The smallest AMD64 program image: DOS header, PE header, 64-bit optional header, and one
// section whose data fills the rest of the file.
class MinimalPe {
public:
    static constexpr std::size_t kNtAt = 0x40, kFileHeaderAt = kNtAt + 4, kOptionalAt = kNtAt + 24;
    static constexpr std::size_t kOptionalSize = 0xF0, kSectionAt = kOptionalAt + kOptionalSize;

    MinimalPe() : bytes(0x400, '\0') {
        bytes.replace(0, 2, "MZ");
        Put(0x3C, kNtAt, 4);
        bytes.replace(kNtAt, 4, std::string("PE\0\0", 4));
        Put(kFileHeaderAt, PeExecutable::kMachineAmd64, 2);
        Put(kFileHeaderAt + 2, 1, 2);  // sections
        Put(kFileHeaderAt + 16, kOptionalSize, 2);
        Put(kFileHeaderAt + 18, 0x0022, 2);  // executable image, large addresses
        Put(kOptionalAt, 0x20B, 2);          // PE32+
        bytes.replace(kSectionAt, 5, ".text");
        Put(kSectionAt + 16, 0x200, 4);  // raw size
        Put(kSectionAt + 20, 0x200, 4);  // raw data offset
    }
    void Put(std::size_t at, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
    ImageFault Inspect() const {
        std::istringstream in(bytes);
        return PeExecutable(PeExecutable::kMachineAmd64).Inspect(ImageFile(in, bytes.size()));
    }

    std::string bytes;
};

TEST(NewProgramKind, WindowsImageMustBeAWholeAmd64Program) {
    const struct {
        const char* what;
        std::function<void(MinimalPe&)> change;
        ImageFault fault;
    } cases[] = {
        {"the image as made", [](MinimalPe&) {}, ImageFault::None},
        {"i386 machine", [](MinimalPe& pe) { pe.Put(MinimalPe::kFileHeaderAt, 0x14C, 2); }, ImageFault::OtherMachine},
        {"not marked executable", [](MinimalPe& pe) { pe.Put(MinimalPe::kFileHeaderAt + 18, 0x0020, 2); },
         ImageFault::NotAProgram},
        {"a DLL", [](MinimalPe& pe) { pe.Put(MinimalPe::kFileHeaderAt + 18, 0x2022, 2); }, ImageFault::NotAProgram},
        {"32-bit optional header", [](MinimalPe& pe) { pe.Put(MinimalPe::kOptionalAt, 0x10B, 2); },
         ImageFault::OtherFormat},
        {"no PE signature", [](MinimalPe& pe) { pe.bytes[MinimalPe::kNtAt] = 'N'; }, ImageFault::OtherFormat},
        {"PE header offset past the end", [](MinimalPe& pe) { pe.Put(0x3C, 0xFFFFFFF0, 4); }, ImageFault::Truncated},
        {"section data cut off", [](MinimalPe& pe) { pe.bytes.resize(0x300); }, ImageFault::Truncated},
        {"section table cut off", [](MinimalPe& pe) { pe.bytes.resize(MinimalPe::kSectionAt + 20); },
         ImageFault::Truncated},
        {"\"MZ\" alone", [](MinimalPe& pe) { pe.bytes.resize(2); }, ImageFault::Truncated},
        {"an ELF file", [](MinimalPe& pe) { pe.bytes = std::string("\x7F" "ELF\x02\x01\x01", 7) + std::string(57, '\0'); },
         ImageFault::OtherFormat},
    };
    for (const auto& c : cases) {
        MinimalPe pe;
        c.change(pe);
        EXPECT_EQ(pe.Inspect(), c.fault) << c.what;
    }
}

}  // namespace
}  // namespace packwell::test
