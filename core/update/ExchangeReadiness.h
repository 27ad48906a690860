#pragma once
// Whether the exchange could complete before anything is fetched: a program folder the player
// cannot write (under Program Files) or a program name the exchange script cannot spell would
// fail the update at every start.
#include <filesystem>
#include <string>

namespace packwell {

enum class ExchangeBlock {
    None,
    FolderNotWritable,  // no new file can be made beside the program
    NameNotWritable,    // the script can name neither the program's file nor its short name
};

// For the program at `self` and the new program's name.
ExchangeBlock ExchangeBlockFor(const std::filesystem::path& self, const std::string& newName);

// Remembers, in AppDataDir, the update the player was told cannot be installed, so that the same
// version in the same folder for the same reason is told once, not at every start.
class BlockedUpdateNote {
public:
    explicit BlockedUpdateNote(std::filesystem::path appDataDir);
    bool Told(const std::string& version, ExchangeBlock block, const std::filesystem::path& self) const;
    void Remember(const std::string& version, ExchangeBlock block, const std::filesystem::path& self) const;
    void Forget() const;

private:
    std::filesystem::path file_;
};

}  // namespace packwell
