#include "core/gamefolder/LauncherGameDir.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/gamefolder/PropertiesValue.h"
#include "core/settings/SharedValues.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace packwell {

namespace {

constexpr std::string_view kGameDirKey = "minecraft.gamedir";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f'; }

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

// The raw value when this line holds the game-folder key.
std::optional<std::string_view> GameDirValueOf(std::string_view line) {
    line = SkipBlanks(line);
    if (line.empty() || line.front() == '#' || line.front() == '!') return std::nullopt;
    if (!line.starts_with(kGameDirKey)) return std::nullopt;
    std::string_view rest = line.substr(kGameDirKey.size());
    if (!rest.empty() && !IsBlank(rest.front()) && rest.front() != '=' && rest.front() != ':')
        return std::nullopt;  // a longer key such as minecraft.gamedirs
    rest = SkipBlanks(rest);
    if (!rest.empty() && (rest.front() == '=' || rest.front() == ':')) rest.remove_prefix(1);
    return SkipBlanks(rest);
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw fs::filesystem_error("cannot open", path, std::make_error_code(std::errc::io_error));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw fs::filesystem_error("cannot read", path, std::make_error_code(std::errc::io_error));
    return text;
}

// Removes the copy however the read ends.
class CopyRemover {
public:
    explicit CopyRemover(const fs::path& path) : path_(path) {}
    ~CopyRemover() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    CopyRemover(const CopyRemover&) = delete;
    CopyRemover& operator=(const CopyRemover&) = delete;

private:
    const fs::path& path_;
};

// Copies the launcher's file over a copy an earlier run left. copy_file with
// overwrite_existing refuses an existing target under mingw's library ("File exists").
void CopyOver(const fs::path& from, const fs::path& to) {
    const std::string text = ReadWholeFile(from);
    try {
        platform::WriteFileAtomically(to, text);
    } catch (const std::system_error& e) {
        throw fs::filesystem_error("cannot copy", from, to, e.code());
    }
}

}  // namespace

LauncherFiles DefaultLauncherFiles() {
    return {RoamingDir() / ".tlauncher" / "legacy.properties", AppDataDir() / "legacy.properties"};
}

std::optional<std::string> LauncherGameDirFromText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (auto value = GameDirValueOf(line))
            return UnescapePropertiesValue(PropertiesLineToUtf8(*value));
    }
    return std::nullopt;
}

bool FindLauncherGameDir(LauncherInfo& launcher, const LauncherFiles& files) {
    std::error_code ec;
    if (!fs::is_regular_file(files.Settings, ec)) return false;
    fs::create_directories(files.Copy.parent_path(), ec);
    CopyRemover remover(files.Copy);
    CopyOver(files.Settings, files.Copy);
    if (auto dir = LauncherGameDirFromText(ReadWholeFile(files.Copy))) launcher.GameDir = std::move(*dir);
    launcher.Found = true;
    return true;
}

}  // namespace packwell
