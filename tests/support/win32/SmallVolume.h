#pragma once
// A full disk for a Windows test: Windows has no file size limit to imitate one with, as the
// Linux tests do. scripts/offline.sh mounts a small volume (a tmpfs, seen by Wine on its Z:
// drive) and names it in PACKWELL_SMALL_VOLUME; a write past its size fails with
// ERROR_DISK_FULL.
#include <cstdint>
#include <filesystem>

namespace packwell::test {

class SmallVolume {
public:
    // Takes the volume for this test alone (a test run beside it waits for it), with nothing on
    // it but an empty folder(). When there is no small volume the test fails and ready() is false.
    SmallVolume();
    ~SmallVolume();
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool ready() const { return lock_ != nullptr; }
    const std::filesystem::path& folder() const { return folder_; }

    // Fills the volume with other data until only about `bytes` stay free.
    void leaveFree(std::uint64_t bytes) const;

private:
    void clear() const;  // all but the lock

    std::filesystem::path root_;
    std::filesystem::path folder_;
    void* lock_ = nullptr;  // a HANDLE held without sharing
};

}  // namespace packwell::test
