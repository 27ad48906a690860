#include "tools/packwell-pack/PackCheck.h"

#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <system_error>

#include "core/extras/ForgeInstall.h"
#include "core/settings/IniFile.h"
#include "core/manifest/Manifest.h"
#include "core/manifest/ModFileName.h"
#include "core/extras/SetupsPlus.h"
#include "core/Utf8Path.h"
#include "core/update/NewProgram.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "tools/packwell-pack/PackError.h"
#include "tools/packwell-pack/PackLayout.h"

namespace fs = std::filesystem;

namespace packwell::pack {
namespace {

using Kind = Problem::Kind;

// A file name's limit on Linux file systems, in bytes of UTF-8 (NTFS counts 255 UTF-16 units,
// which such a name never exceeds).
constexpr std::size_t kMaxNameBytes = 255;

bool HasKey(const IniData& ini, const std::string& section, const std::string& key) {
    // The reader hands back the default only for an absent key, so two defaults tell.
    return ini.ReadString(section, key, "a") == ini.ReadString(section, key, "b");
}

// The integer a client reads, or nothing when the text does not convert (the client then
// silently takes its default).
std::optional<std::int32_t> Integer(const IniData& ini, const std::string& section, const std::string& key) {
    const std::int32_t a = ini.ReadInteger(section, key, 0);
    if (a != ini.ReadInteger(section, key, 1)) return std::nullopt;
    return a;
}

class Checker {
public:
    explicit Checker(fs::path dir) : dir_(std::move(dir)) {}

    std::vector<Problem> Run() {
        CheckManifest();
        for (const char* name : {kSetupsFileName, kForgeInstallerName}) CheckPublishedFile(name, std::nullopt);
        return std::move(problems_);
    }

private:
    void Add(Kind kind, std::string text) { problems_.push_back({kind, std::move(text)}); }

    // One file a client downloads: there, of the stated size (or not empty when none is
    // stated), of the stated content when a digest is given, and free of the phrases that make a
    // client throw the download away.
    void CheckPublishedFile(const std::string& relative, std::optional<std::int64_t> size,
                            const std::optional<platform::Sha256Digest>& sha256 = std::nullopt) {
        const fs::path path = dir_ / PathFromUtf8(relative);
        const std::string where = Shown(relative) + ": ";
        std::error_code ec;
        if (!fs::is_regular_file(path, ec)) {
            Add(Kind::FileMissing, where + (fs::exists(path, ec) ? "not a file" : "missing"));
            return;
        }
        const auto actual = static_cast<std::int64_t>(fs::file_size(path, ec));
        if (ec) {
            Add(Kind::Unreadable, where + "cannot be read: " + ec.message());
            return;
        }
        if (size && actual != *size)
            Add(Kind::WrongSize, where + "size is " + std::to_string(actual) + " bytes, the manifest says " +
                                     std::to_string(*size));
        if (!size && actual == 0) Add(Kind::EmptyFile, where + "empty");
        try {
            if (ContentOf(path, sha256, where) == FutureDownloads::SavedFile::ErrorPage)
                Add(Kind::ErrorPhrase,
                    where + "contains \"404: Not Found\" or \"unknown domain\"; clients throw the download away");
        } catch (const std::system_error& e) {
            Add(Kind::Unreadable, where + "cannot be read: " + e.code().message());
        }
    }

    // The marker test's answer; with a digest, the same read hashes the file and a difference is
    // reported.
    FutureDownloads::SavedFile ContentOf(const fs::path& path, const std::optional<platform::Sha256Digest>& sha256,
                                         const std::string& where) {
        if (!sha256) return FutureDownloads::InspectSavedFile(path);
        const FutureDownloads::HashedFile file = FutureDownloads::HashSavedFile(path);
        if (!file.sha256) Add(Kind::Unreadable, where + "cannot be read");
        else if (*file.sha256 != *sha256)
            Add(Kind::WrongHash, where + "content is not the one the manifest's digest names (its SHA-256 is " +
                                     platform::Sha256Hex(*file.sha256) + "); clients throw the download away");
        return file.kind;
    }

    // mod<i>sha256 as a client reads it; a value that is not 64 hex digits is reported.
    std::optional<platform::Sha256Digest> Digest(const IniData& ini, std::int32_t i) {
        const std::string key = "mod" + std::to_string(i) + "sha256";
        if (!HasKey(ini, "modlist", key)) return std::nullopt;
        const std::string text = ini.ReadString("modlist", key, "");
        const auto digest = platform::ParseSha256Hex(text);
        if (!digest)
            Add(Kind::BadHash, "modlist: " + key + ": \"" + Shown(text) +
                                   "\" is not 64 hex digits; clients ignore it and verify nothing");
        return digest;
    }

    void CheckManifest() {
        const fs::path path = dir_ / kManifestFile;
        std::error_code ec;
        if (!fs::is_regular_file(path, ec)) {
            Add(Kind::ManifestMissing, std::string(kManifestFile) + ": missing; clients find no mods");
            return;
        }
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            Add(Kind::Unreadable, std::string(kManifestFile) + ": cannot be read");
            return;
        }
        try {
            if (FutureDownloads::IsErrorPage(path))
                Add(Kind::ErrorPhrase, std::string(kManifestFile) +
                                           ": contains \"404: Not Found\" or \"unknown domain\"; clients "
                                           "take it for an error page and stop");
        } catch (const std::system_error&) {
        }
        const IniData ini = IniData::Parse(text.str());

        std::set<std::string> mods;  // as Windows compares names
        for (const auto& [i, name] : CheckList(ini, "modlist")) {
            mods.insert(WindowsNameKey(name));
            const std::string sizeKey = "mod" + std::to_string(i) + "size";
            const auto size = Integer(ini, "modlist", sizeKey);
            const std::string where = "modlist: " + sizeKey + ": ";
            if (!HasKey(ini, "modlist", sizeKey)) Add(Kind::BadSize, where + "missing");
            else if (!size) Add(Kind::BadSize, where + "\"" + Shown(ini.ReadString("modlist", sizeKey, "")) + "\" is not a number");
            else if (*size < 0) Add(Kind::BadSize, where + "negative");
            CheckPublishedFile(std::string(kModsFolder) + "/" + name,
                               size && *size >= 0 ? std::optional<std::int64_t>(*size) : std::nullopt, Digest(ini, i));
        }
        for (const auto& [i, name] : CheckList(ini, "dellist")) {
            if (mods.contains(WindowsNameKey(name)))
                Add(Kind::DeletesAMod, "dellist: mod" + std::to_string(i) + " \"" + Shown(name) +
                                           "\" is also a mod of the pack (as Windows reads names, letter case aside); "
                                           "clients keep it instead of deleting it");
        }

        if (HasKey(ini, "Update", "lastversion")) {
            const std::string version = ini.ReadString("Update", "lastversion", "");
            if (!IsSafeVersionText(version))
                Add(Kind::UnsafeVersion, "Update: lastversion \"" + Shown(version) +
                                             "\" may hold only letters, digits, \".\", \"-\" and \"_\", at most " +
                                             std::to_string(kMaxVersionLength) + " of them; clients refuse the update");
            for (const char* file : kNewProgramFiles) CheckPublishedFile(file, std::nullopt);
        }
    }

    // The numbering and names of one list; returns the entries whose name is publishable.
    std::vector<std::pair<std::int32_t, std::string>> CheckList(const IniData& ini, const std::string& section) {
        std::vector<std::pair<std::int32_t, std::string>> usable;
        const std::string head = section + ": ";
        const auto count = Integer(ini, section, "Count");
        std::int32_t n = count.value_or(0);
        bool countUsable = false;  // whether entries after it say something about the numbering
        if (!HasKey(ini, section, "Count")) {
            if (HasKey(ini, section, "mod1")) Add(Kind::BadCount, head + "no \"Count\"; clients read none of its entries");
        } else if (!count) {
            Add(Kind::BadCount, head + "\"Count\" is \"" + Shown(ini.ReadString(section, "Count", "")) +
                                    "\", not a number; clients read none of its entries");
        } else if (n < 0) {
            Add(Kind::BadCount, head + "\"Count\" is negative; clients read none of its entries");
            n = 0;
        } else if (n > kMaxManifestEntries) {
            Add(Kind::BadCount, head + "\"Count\" " + std::to_string(n) + " is above the limit of " +
                                    std::to_string(kMaxManifestEntries));
            n = kMaxManifestEntries;
        } else {
            countUsable = true;
        }

        std::map<std::string, std::int32_t> seen, seenFolded;
        for (std::int32_t i = 1; i <= n; ++i) {
            const std::string key = "mod" + std::to_string(i);
            const std::string where = head + key + ": ";
            if (!HasKey(ini, section, key)) {
                Add(Kind::Gap, where + "missing, a gap in the numbering 1.." + std::to_string(n));
                continue;
            }
            const std::string name = ini.ReadString(section, key, "");
            if (name.empty()) {
                Add(Kind::EmptyName, where + "empty name");
                continue;
            }
            if (name.size() > kMaxNameBytes) {
                Add(Kind::NameTooLong, where + "\"" + Shown(name) + "\" is " + std::to_string(name.size()) +
                                           " bytes long; file systems hold names of at most " +
                                           std::to_string(kMaxNameBytes));
                continue;
            }
            if (!IsPublishableName(name)) {
                Add(Kind::UnsafeName, where + "\"" + Shown(name) + "\" is not a bare file name clients accept");
                continue;
            }
            if (const auto [it, fresh] = seen.emplace(name, i); !fresh) {
                Add(Kind::Duplicate, where + "\"" + Shown(name) + "\" repeats mod" + std::to_string(it->second));
                continue;
            }
            if (const auto [it, fresh] = seenFolded.emplace(WindowsNameKey(name), i); !fresh)
                Add(Kind::CaseClash, where + "\"" + Shown(name) + "\" differs from mod" + std::to_string(it->second) +
                                         " only in letter case; Windows clients keep one file for both");
            usable.emplace_back(i, name);
        }
        if (countUsable && HasKey(ini, section, "mod" + std::to_string(n + 1)))
            Add(Kind::BeyondCount, head + "mod" + std::to_string(n + 1) + " lies beyond \"Count\" " +
                                       std::to_string(n) + " and is ignored by clients");
        return usable;
    }

    fs::path dir_;
    std::vector<Problem> problems_;
};

}  // namespace

std::vector<Problem> CheckPack(const fs::path& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) throw PackError(Utf8FromPath(dir) + " is not a folder");
    return Checker(dir).Run();
}

}  // namespace packwell::pack
