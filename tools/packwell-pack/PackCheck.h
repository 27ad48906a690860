#pragma once
// Everything a client relies on in a server directory, checked before players see it.
#include <filesystem>
#include <string>
#include <vector>

namespace packwell::pack {

struct Problem {
    enum class Kind {
        ManifestMissing,
        ErrorPhrase,     // a published file holds "404: Not Found" or "unknown domain"
        Unreadable,
        BadCount,        // "Count" absent while entries exist, not a number, negative or too large
        Gap,             // a mod<i> key missing inside 1..Count
        BeyondCount,     // an entry after Count, which clients ignore
        EmptyName,
        UnsafeName,      // a name a client refuses or reads back differently
        NameTooLong,     // more than 255 bytes of UTF-8: no file system holds such a name
        Duplicate,       // the same name twice in one list
        CaseClash,       // two names one Windows client would store as one file
        BadSize,         // mod<i>size absent, not a number or negative
        FileMissing,
        WrongSize,       // the file differs from the size the manifest states
        BadHash,         // mod<i>sha256 is not 64 hex digits; clients ignore it
        WrongHash,       // the file's content is not the one mod<i>sha256 names
        EmptyFile,
        DeletesAMod,     // a dellist name that is also a mod of the pack
        UnsafeVersion,   // a "lastversion" clients refuse to turn into a file name
    };
    Kind kind;
    std::string text;  // one line: where, then what is wrong
    bool operator==(const Problem&) const = default;
};

// Reads DIR the way a client would read it through BaseUrl; an empty result means clean.
// Throws PackError when DIR is not a folder.
std::vector<Problem> CheckPack(const std::filesystem::path& dir);

}  // namespace packwell::pack
