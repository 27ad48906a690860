#include "core/manifest/ListedFiles.h"

#include "core/Utf8Path.h"
#include "core/manifest/ModFileName.h"

namespace packwell {

ListedFiles::ListedFiles(const std::filesystem::path& folder, const std::vector<std::string>& listedNames,
                         std::set<platform::FileIdentity> files)
    : folder_(folder), files_(std::move(files)) {
    for (const auto& name : listedNames)
        if (!name.empty() && IsBareFileName(name)) keys_.insert(WindowsNameKey(name));
}

ListedFiles::ListedFiles(const std::filesystem::path& folder, const std::vector<std::string>& listedNames)
    : ListedFiles(folder, listedNames, {}) {
    for (const auto& name : listedNames) {
        if (name.empty() || !IsBareFileName(name)) continue;
        if (const auto file = platform::IdentityOf(folder_ / PathFromUtf8(name))) files_.insert(*file);
    }
}

bool ListedFiles::Holds(const std::string& name) const {
    if (keys_.contains(WindowsNameKey(name))) return true;
    if (name.empty() || !IsBareFileName(name)) return false;
    const auto file = platform::IdentityOf(folder_ / PathFromUtf8(name));
    return file && files_.contains(*file);
}

}  // namespace packwell
