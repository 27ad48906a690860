#pragma once
// The file a download writes while it runs: hidden beside its target under a name of its own
// (".<name>.part-<random>"), so no other call and no folder check takes it for the real file.
// It reaches the target name only through Commit, and disappears otherwise.
#include <cstddef>
#include <filesystem>
#include <string>

namespace FutureDownloads::detail {

class PartFile {
public:
    enum class CommitResult { Done, TargetExists, Failed };

    // Creates the file; check IsOpen and Error afterwards.
    explicit PartFile(const std::filesystem::path& target);
    ~PartFile();  // removes the file unless it was committed
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::filesystem::path& Path() const { return path_; }

    // Writes all bytes; false (with Error set) when the disk refuses them.
    bool Write(const void* data, std::size_t size);
    // Closes the file and gives it the target name, never replacing a file found there.
    CommitResult Commit();

    // What went wrong, in plain words; empty while all is well.
    const std::string& Error() const { return error_; }

private:
    void Fail(const char* what, int err);

    std::filesystem::path target_;
    std::filesystem::path path_;
    int fd_ = -1;
    bool committed_ = false;
    std::string error_;
};

}  // namespace FutureDownloads::detail
