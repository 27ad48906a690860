#pragma once
// Gives finished part files their names in batches, on a thread of its own, so that a run pays
// one sync of the file system per batch instead of one per file and the next downloads go on
// meanwhile. A file takes its name only after a sync that began once it was complete; a kill
// at any moment leaves part files, never a short file under a mod's name. For the files of one
// folder (one sync of its file system covers a batch).
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "platform/PartFile.h"

namespace packwell {

class PartFilePublisher {
public:
    // Called on the publisher's thread, in the order the files were handed over, once the file
    // has its name (Done) or cannot get it; the target is no longer pending when it returns.
    using Named = std::function<void(platform::PartFile::CommitResult result, const std::string& error)>;

    PartFilePublisher();
    // Files not named yet are dropped (their part files removed) and their callbacks never run:
    // closing must not wait for the disk.
    ~PartFilePublisher();
    PartFilePublisher(const PartFilePublisher&) = delete;
    PartFilePublisher& operator=(const PartFilePublisher&) = delete;

    void Publish(std::unique_ptr<platform::PartFile> file, Named named);
    // Whether a file for this target was handed over and has not been named yet.
    bool Pending(const std::filesystem::path& target) const;
    // Nothing handed over is waiting or being named.
    bool Idle() const;
    // Returns once every file handed over so far has been named (or failed) and reported.
    void Flush();

private:
    struct Item {
        std::unique_ptr<platform::PartFile> file;
        Named named;
    };
    void Loop();
    void NameBatch(std::deque<Item>& batch);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    std::multiset<std::filesystem::path> pending_;  // targets handed over, not named yet
    bool busy_ = false;                             // a batch is being synced and named
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace packwell
