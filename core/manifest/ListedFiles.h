#pragma once
// The files of a mods folder that the manifest's mod list names, known by what they are rather
// than by the name that reached them: Windows opens "JEI.jar" for "jei.jar" and a short 8.3 name
// for a long one, and a hard link or a case-insensitive folder does the same anywhere. Nothing
// that is a listed mod may be deleted under another name.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/FileIdentity.h"

namespace packwell {

class ListedFiles {
public:
    // The listed names' files as they are now; names that are not bare file names are left out.
    ListedFiles(const std::filesystem::path& folder, const std::vector<std::string>& listedNames);
    // The same when the caller has just opened the listed files and knows which they are.
    ListedFiles(const std::filesystem::path& folder, const std::vector<std::string>& listedNames,
                std::set<platform::FileIdentity> files);

    // Whether the folder's file under name is one of the listed ones: a name Windows takes for a
    // listed name, or the very file a listed name reaches.
    bool Holds(const std::string& name) const;

private:
    std::filesystem::path folder_;
    std::set<std::string> keys_;
    std::set<platform::FileIdentity> files_;
};

}  // namespace packwell
