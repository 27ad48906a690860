#pragma once
// The file a write goes to before it takes a mod's (or the manifest's) name: hidden beside its
// target under a short name of its own, so no other call and no folder check takes it for the
// real file, and so a target of any length that fits a file name also fits its part file. It
// reaches the target name only through Commit, with its data on the disk, and disappears
// otherwise.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ".pw-" + 16 hex digits of the target name's hash + "-" + 12 random [0-9a-z] + ".part":
// 38 bytes whatever the target's length.
std::string PartFileName(std::string_view targetName);
// Exactly the names PartFileName gives: the only ones the leftover cleanup removes.
bool IsPartFileName(std::string_view name);
// The one part file a resumable download of the target keeps between attempts:
// ".pw-" + the same 16 hex digits + ".part".
std::string KeptPartFileName(std::string_view targetName);
bool IsKeptPartFileName(std::string_view name);

class PartFile {
public:
    enum class CommitResult { Done, TargetExists, Failed };
    enum class Mode {
        Fresh,      // a new file under a random name, always removed unless committed
        Resumable,  // the target's kept part file (KeptPartFileName), opened as found; when
                    // another process holds it, a Fresh one instead (IsResumable is false)
    };

    // Creates the file; check IsOpen and Error afterwards. While the object lives the file is
    // locked (flock, or on Windows opened for nobody else), so the leftover cleanup and the
    // downloads of another process leave it alone.
    explicit PartFile(const std::filesystem::path& target, Mode mode = Mode::Fresh);
    ~PartFile();  // removes the file unless it was committed
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool IsOpen() const { return file_ != kNoFile; }
    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& Target() const { return target_; }
    bool IsResumable() const { return resumable_; }

    // For a resumable file: its length now (-1 on error), cutting it (writing goes on at the
    // new end), reading what it holds (bytes read, -1 on error), its data to the disk, and
    // leaving it in place when this object ends instead of removing it.
    std::int64_t Size() const;
    bool Truncate(std::int64_t size);
    std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t size);
    bool Sync();
    void Keep() { kept_ = resumable_; }

    // Writes all bytes; false (with Error set) when the disk refuses them. On Linux every
    // 8 MiB written start their way to the disk at once, so the sync before the name is short.
    bool Write(const void* data, std::size_t size);
    // Flushes the data to the disk, closes the file and gives it the target name, never
    // replacing a file found there.
    CommitResult Commit();

    // The two halves of Commit, for many files at once: one sync of the file system puts the
    // data of every part file written there on the disk in one journal commit, where a sync
    // per file costs a commit each. Name only after a sync that began once Write was done.
    // A failed SyncFileSystem (any file there may have failed, or no such call: Windows has
    // none that a user may make cheaply, so there it always fails) says nothing of this file:
    // Commit it instead.
    bool SyncFileSystem();
    CommitResult Name();
    // Whether SyncFileSystem can succeed on this system at all: only then does batching pay.
    static bool HasFileSystemSync();

    // What went wrong, in plain words; empty while all is well.
    const std::string& Error() const { return error_; }

private:
    void Fail(const char* what, int err);  // err: errno, or a Windows error code
    void StartWriteback();  // Linux only: see Write
    bool OpenKept();        // Mode::Resumable; false: not available, make a fresh one
    void ForgetKept();      // the kept file is done with: its resume record goes too

    std::filesystem::path target_;
    std::filesystem::path path_;
    // The open file: a descriptor, or a HANDLE's value on Windows.
    static constexpr std::intptr_t kNoFile = -1;
    std::intptr_t file_ = kNoFile;
    bool committed_ = false;
    bool resumable_ = false;
    bool kept_ = false;
    // Linux write-behind: bytes written, and how many of them went to the disk's writeback.
    std::uint64_t written_ = 0;
    std::uint64_t handedOver_ = 0;
    std::string error_;
};

// Removes the part files in `folder` that no living PartFile holds: what a killed or crashed
// run left behind. Other files, and part files still being written, stay. Returns how many
// went; a missing folder has none.
std::size_t RemoveLeftoverPartFiles(const std::filesystem::path& folder);

// Removes the kept part files in `folder` (and their resume records) that no living PartFile
// holds and that either belong to no name in `wanted` or were last written more than a week
// ago, and resume records whose part file is gone. Returns how many part files went.
std::size_t RemoveUnwantedKeptPartFiles(const std::filesystem::path& folder, const std::vector<std::string>& wanted);

}  // namespace platform
