#include <algorithm>
#include <cstdint>
#include <system_error>

#include "platform/AbandonedPartFile.h"
#include "platform/PartFile.h"

namespace platform {

std::size_t RemoveLeftoverPartFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Part file names are ASCII: a name that is not cannot be one. Read as the system's own
        // characters, since a Windows name need not convert to UTF-8 at all (a lone surrogate).
        const auto name = it->path().filename().native();
        const bool ascii = std::ranges::all_of(name, [](auto c) { return static_cast<std::uint32_t>(c) < 0x80; });
        if (ascii && IsPartFileName(std::string(name.begin(), name.end())) && detail::RemoveIfAbandoned(it->path()))
            ++removed;
    }
    return removed;
}

}  // namespace platform
