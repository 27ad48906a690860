#pragma once
// A Windows program: an MZ/PE32+ image for one machine that is marked executable.
#include <cstdint>

#include "core/update/ExecutableFormat.h"

namespace packwell {

class PeExecutable final : public ExecutableFormat {
public:
    static constexpr std::uint16_t kMachineAmd64 = 0x8664;  // IMAGE_FILE_MACHINE_AMD64

    explicit PeExecutable(std::uint16_t machine) : machine_(machine) {}

    // Accepts an image of the machine marked IMAGE_FILE_EXECUTABLE_IMAGE and not a DLL, whose
    // section table and every section's raw data lie inside the file.
    ImageFault Inspect(const ImageFile& file) const override;

private:
    std::uint16_t machine_;
};

}  // namespace packwell
