#include "core/update/ExchangeReadiness.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "Addons/Custom/AllInOne/ReplaceScript.h"
#include "core/Utf8Path.h"
#include "core/update/NewProgram.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

// A file made and removed again: the one sure answer whether the folder takes new files (rights,
// a read-only medium, a folder redirected by the system all answer here).
bool FolderTakesNewFiles(const fs::path& folder) {
    const fs::path probe = folder / PathFromUtf8(".packwell-" + NewProgramTempName() + ".probe");
    bool made = false;
    {
        std::ofstream file(probe, std::ios::binary);
        made = file.good() && (file << "probe").good();
    }
    std::error_code ec;
    const bool removed = fs::remove(probe, ec);
    return made && removed;
}

std::string NoteText(const std::string& version, ExchangeBlock block, const fs::path& self) {
    return version + "\n" + std::to_string(static_cast<int>(block)) + "\n" + Utf8FromPath(self) + "\n";
}

}  // namespace

ExchangeBlock ExchangeBlockFor(const fs::path& self, const std::string& newName) {
    if (!FolderTakesNewFiles(self.parent_path())) return ExchangeBlock::FolderNotWritable;
    if (!AllInOne::ScriptNamesFor(self, newName, NewProgramTempName())) return ExchangeBlock::NameNotWritable;
    return ExchangeBlock::None;
}

BlockedUpdateNote::BlockedUpdateNote(fs::path appDataDir) : file_(std::move(appDataDir) / "UpdateBlocked.txt") {}

bool BlockedUpdateNote::Told(const std::string& version, ExchangeBlock block, const fs::path& self) const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in.good() && text.str() == NoteText(version, block, self);
}

void BlockedUpdateNote::Remember(const std::string& version, ExchangeBlock block, const fs::path& self) const {
    try {
        platform::WriteFileAtomically(file_, NoteText(version, block, self));
    } catch (const std::system_error&) {
        // Not kept: the player is told once more at the next start, nothing worse.
    }
}

void BlockedUpdateNote::Forget() const {
    std::error_code ec;
    fs::remove(file_, ec);
}

}  // namespace packwell
