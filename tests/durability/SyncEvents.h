#pragma once
// What the durability tests record of the file calls a run makes, and the rule they check:
// a file reaches the disk before it takes a mod's name.
#include <cstddef>
#include <filesystem>
#include <string>

namespace packwell::test {

struct Event {
    enum class Kind { Written, Synced, SyncedAll, Named } kind;
    std::string path;  // Written, Synced: the file; Named: the new name; SyncedAll: none
    std::string from;  // Named: the old name
};

// Called from the recording stand-ins of the system's calls, on any thread.
void Record(Event e);
void ClearEvents();

// The file that took `target`'s name was synced, under its part name or with its whole file
// system, after its last write and before it took the name.
void ExpectSyncedBeforeNamed(const std::filesystem::path& target);

std::size_t SyncCount();

// A path as the events name it.
std::string EventPath(const std::filesystem::path& path);

}  // namespace packwell::test
