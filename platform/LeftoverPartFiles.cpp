#include <algorithm>
#include <chrono>
#include <cstdint>
#include <set>
#include <system_error>

#include "platform/AbandonedPartFile.h"
#include "platform/PartFile.h"
#include "platform/ResumeRecord.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// Part file names are ASCII: a name that is not cannot be one. Read as the system's own
// characters, since a Windows name need not convert to UTF-8 at all (a lone surrogate).
std::string AsciiName(const fs::path& path) {
    const auto name = path.filename().native();
    const bool ascii = std::ranges::all_of(name, [](auto c) { return static_cast<std::uint32_t>(c) < 0x80; });
    return ascii ? std::string(name.begin(), name.end()) : std::string();
}

// A kept part file not written for this long is given up even for a listed mod.
constexpr auto kKeptFor = std::chrono::hours(24 * 7);

bool Stale(const fs::path& path) {
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    return ec || fs::file_time_type::clock::now() - written > kKeptFor;
}

}  // namespace

std::size_t RemoveLeftoverPartFiles(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsPartFileName(AsciiName(it->path())) && detail::RemoveIfAbandoned(it->path())) ++removed;
    }
    return removed;
}

std::size_t RemoveUnwantedKeptPartFiles(const fs::path& folder, const std::vector<std::string>& wanted) {
    std::set<std::string> wantedParts;
    for (const std::string& name : wanted) wantedParts.insert(KeptPartFileName(name));
    std::vector<fs::path> records;
    std::size_t removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = AsciiName(it->path());
        if (IsResumeRecordName(name)) records.push_back(it->path());
        if (!IsKeptPartFileName(name) || (wantedParts.contains(name) && !Stale(it->path()))) continue;
        if (detail::RemoveIfAbandoned(it->path())) ++removed;
    }
    // After the part files: a record goes once its part file is gone (a download that starts
    // meanwhile opens the part file first, and writes a record only after that).
    for (const fs::path& record : records) {
        std::error_code missing;
        if (!fs::exists(folder / KeptPartOfRecord(AsciiName(record)), missing) && !missing) fs::remove(record, missing);
    }
    return removed;
}

}  // namespace platform
