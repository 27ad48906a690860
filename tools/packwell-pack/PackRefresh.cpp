#include "tools/packwell-pack/PackRefresh.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

#include "core/check/HashCache.h"
#include "core/settings/IniFile.h"
#include "core/manifest/Manifest.h"
#include "core/manifest/ManifestWriter.h"
#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/AtomicFile.h"
#include "tools/packwell-pack/PackLayout.h"

namespace fs = std::filesystem;

namespace packwell::pack {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += (out.empty() ? "" : "\n") + l;
    return out;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) throw PackError("cannot read " + Utf8FromPath(path));
    return text.str();
}

struct Scan {
    std::vector<ManifestEntry> mods;
    std::vector<std::string> notes;
};

// The files of the mods folder in byte order of their names, so the manifest does not
// change when nothing in the folder did.
Scan ScanMods(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw PackError(Utf8FromPath(folder) + " is not a folder");
    Scan scan;
    std::vector<std::string> refused;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = Utf8FromPath(it->path().filename());
        // Editors' and downloaders' leftovers, never meant for players.
        if (name.starts_with(".")) {
            scan.notes.push_back("skipped hidden file " + Shown(name));
            continue;
        }
        std::error_code fileEc;
        // The name first: Windows drops a trailing blank from a path, so a file listed under such
        // a name cannot even be examined and would pass for "not a file".
        if (!IsPublishableName(name) && !it->is_directory(fileEc)) {
            refused.push_back(std::string(kModsFolder) + "/" + Shown(name) + ": a name clients do not accept; rename it");
            continue;
        }
        if (!it->is_regular_file(fileEc)) {
            scan.notes.push_back("skipped " + Shown(name) + ": not a file");
            continue;
        }
        const std::uintmax_t size = it->file_size(fileEc);
        if (fileEc) throw PackError("cannot read the size of " + Utf8FromPath(it->path()) + ": " + fileEc.message());
        // Clients read sizes as signed 32-bit numbers.
        if (size > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max())) {
            refused.push_back(std::string(kModsFolder) + "/" + Shown(name) + ": 2 GiB or larger; clients cannot read its size");
            continue;
        }
        scan.mods.push_back({name, static_cast<std::int64_t>(size)});
    }
    if (ec) throw PackError("cannot list " + Utf8FromPath(folder) + ": " + ec.message());
    if (!refused.empty()) throw PackError(Lines(refused));
    if (scan.mods.size() > static_cast<std::size_t>(kMaxManifestEntries))
        throw PackError("more than " + std::to_string(kMaxManifestEntries) + " files; clients read no more");
    std::sort(scan.mods.begin(), scan.mods.end(),
              [](const ManifestEntry& a, const ManifestEntry& b) { return a.name < b.name; });
    return scan;
}

std::vector<std::string> ReadNameList(const fs::path& file) {
    std::istringstream text(ReadWhole(file));
    std::vector<std::string> names, refused;
    std::string line;
    while (std::getline(text, line)) {
        const std::string_view trimmed = [&] {
            std::string_view v = line;
            while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
            while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
            return v;
        }();
        if (trimmed.empty() || trimmed.starts_with("#")) continue;
        if (!IsPublishableName(trimmed)) refused.push_back(Utf8FromPath(file) + ": \"" + Shown(trimmed) + "\" is not a bare file name clients accept");
        else names.emplace_back(trimmed);
    }
    if (!refused.empty()) throw PackError(Lines(refused));
    return names;
}

// Every mod's SHA-256, read with its size from one open of the file. A file whose size and time
// are those the last refresh saw keeps the digest it had then, unread.
void HashMods(const fs::path& folder, const fs::path& stateFile, std::vector<ManifestEntry>& mods,
              std::vector<std::string>& notes) {
    HashCache state = HashCache::Load(stateFile);
    for (ManifestEntry& mod : mods) {
        const std::int64_t readAt = HashCache::Now();
        std::optional<platform::Sha256Digest> known;
        FutureDownloads::HashedFile file;
        try {
            file = FutureDownloads::HashSavedFile(folder / PathFromUtf8(mod.name), [&](const FutureDownloads::FileStamp& stamp, const platform::FileIdentity&) {
                known = state.Known(mod.name, stamp);
                return known.has_value();
            });
        } catch (const std::system_error& e) {
            throw PackError("cannot read " + Utf8FromPath(folder / PathFromUtf8(mod.name)) + ": " + e.code().message());
        }
        if (file.kind == FutureDownloads::SavedFile::None || (!file.sha256 && !known))
            throw PackError("cannot read " + Utf8FromPath(folder / PathFromUtf8(mod.name)));
        mod.size = file.stamp.size;  // the size of the content hashed, should it have changed since the listing
        mod.sha256 = file.sha256 ? file.sha256 : known;
        if (file.sha256) state.Record(mod.name, file.stamp, *file.sha256, readAt);
    }
    if (!state.Save(stateFile)) notes.push_back("could not write " + Utf8FromPath(stateFile) + "; the next refresh reads every file again");
}

void DescribeModChanges(const std::vector<ManifestEntry>& before, const std::vector<ManifestEntry>& after,
                        std::vector<std::string>& changes) {
    std::map<std::string, ManifestEntry> old, fresh;
    for (const auto& e : before) old.emplace(e.name, e);
    for (const auto& e : after) fresh.emplace(e.name, e);
    for (const auto& [name, e] : fresh) {
        const auto it = old.find(name);
        if (it == old.end()) changes.push_back("added " + Shown(name) + " (" + std::to_string(e.size) + " bytes)");
        else if (it->second.size != e.size)
            changes.push_back("resized " + Shown(name) + ": " + std::to_string(it->second.size) + " -> " +
                              std::to_string(e.size) + " bytes");
        else if (it->second.sha256 && it->second.sha256 != e.sha256)
            changes.push_back("changed " + Shown(name) + ": same size, other content");
    }
    for (const auto& [name, e] : old)
        if (!fresh.contains(name)) changes.push_back("removed " + Shown(name));
}

}  // namespace

RefreshResult RefreshPack(const RefreshRequest& request) {
    const fs::path manifestPath = request.dir / kManifestFile;
    Scan scan = ScanMods(request.dir / kModsFolder);
    HashMods(request.dir / kModsFolder, request.dir / kRefreshStateFile, scan.mods, scan.notes);
    const std::vector<std::string> extra = request.dellistFile ? ReadNameList(*request.dellistFile) : std::vector<std::string>{};

    std::error_code ec;
    const bool hadManifest = fs::exists(manifestPath, ec);
    const std::string before = hadManifest ? ReadWhole(manifestPath) : std::string();
    const Manifest old = ReadManifest(IniData::Parse(before));

    RefreshResult result;
    result.notes = std::move(scan.notes);
    DescribeModChanges(old.modList.entries, scan.mods, result.changes);

    // The dellist stays as written unless a name joins it or must leave it: a name that is a
    // mod of the pack again would have clients offered to delete a file they need.
    std::set<std::string> mods;
    for (const auto& e : scan.mods) mods.insert(e.name);
    std::vector<std::string> deletions;
    std::set<std::string> listed;
    bool dellistChanged = false;
    for (const std::string& name : old.delList.entries) {
        if (name.empty() || !listed.insert(name).second) continue;
        if (mods.contains(name)) {
            result.changes.push_back("dellist: dropped " + Shown(name) + ", a mod of the pack again");
            dellistChanged = true;
            continue;
        }
        deletions.push_back(name);
    }
    for (const std::string& name : extra) {
        if (!listed.insert(name).second) continue;
        if (mods.contains(name)) {
            result.notes.push_back("not added to dellist: " + Shown(name) + " is a mod of the pack");
            continue;
        }
        deletions.push_back(name);
        result.changes.push_back("dellist: added " + Shown(name));
        dellistChanged = true;
    }

    std::string after = ReplaceSection(before, "modlist", FormatModList(scan.mods));
    if (dellistChanged) after = ReplaceSection(after, "dellist", FormatDelList(deletions));

    result.mods = scan.mods.size();
    for (const auto& e : scan.mods) result.totalBytes += e.size;
    result.deletions = dellistChanged ? deletions.size() : old.delList.entries.size();
    if (after != before || !hadManifest) {
        try {
            platform::WriteFileAtomically(manifestPath, after);
        } catch (const std::system_error& e) {
            throw PackError(std::string(e.what()));
        }
        result.written = true;
    }
    return result;
}

}  // namespace packwell::pack
