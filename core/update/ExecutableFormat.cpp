#include "core/update/ExecutableFormat.h"

#include <fstream>
#include <system_error>

#ifdef _WIN32
#include "core/update/PeExecutable.h"
#else
#include "core/update/ElfExecutable.h"
#endif

namespace packwell {

const ExecutableFormat& ThisBuildsExecutableFormat() {
#ifdef _WIN32
    static const PeExecutable format(PeExecutable::kMachineAmd64);
#else
    static const ElfExecutable format(ElfExecutable::BuildMachine());
#endif
    return format;
}

ImageFault InspectExecutable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) return ImageFault::OtherFormat;
    return ThisBuildsExecutableFormat().Inspect(ImageFile(in, size));
}

}  // namespace packwell
