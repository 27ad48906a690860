#pragma once
// A Linux program: a whole ELF64 file for one machine and byte order.
#include <bit>
#include <cstdint>

#include "core/update/ExecutableFormat.h"

namespace packwell {

class ElfExecutable final : public ExecutableFormat {
public:
    // `machine` is the ELF machine code (e_machine) the program must carry.
    explicit ElfExecutable(std::uint16_t machine, std::endian order = std::endian::native)
        : machine_(machine), order_(order) {}

    // The machine code of the programs this build makes.
    static std::uint16_t BuildMachine();

    // Accepts a position-dependent or position-independent program (ET_EXEC, ET_DYN) whose
    // program and section header tables, and every loaded segment, lie inside the file.
    ImageFault Inspect(const ImageFile& file) const override;

private:
    std::uint16_t machine_;
    std::endian order_;
};

}  // namespace packwell
