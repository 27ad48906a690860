#pragma once
// A fetched file opened once for reading, without ever waiting on a pipe or a device found
// where a file was expected.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/FileIdentity.h"

namespace FutureDownloads::detail {

class SavedFileReader {
public:
    enum class Kind {
        Nothing,     // nothing there, a folder, a pipe or a device
        Unreadable,  // a regular file that could not be opened (no permission, locked)
        Regular,     // open for Read
    };

    explicit SavedFileReader(const std::filesystem::path& path);
    ~SavedFileReader();
    SavedFileReader(const SavedFileReader&) = delete;
    SavedFileReader& operator=(const SavedFileReader&) = delete;

    Kind kind() const { return kind_; }
    // The size and the last write time (microseconds since 1970) when opened.
    std::int64_t size() const { return size_; }
    std::int64_t modified() const { return modified_; }
    // Which file the open reached, whatever name reached it.
    const platform::FileIdentity& identity() const { return identity_; }
    // Up to `want` bytes; 0 at the end. Throws std::system_error on a read error.
    std::size_t Read(void* buffer, std::size_t want);

private:
    std::filesystem::path path_;
    Kind kind_ = Kind::Nothing;
    std::int64_t size_ = 0;
    std::int64_t modified_ = 0;
    platform::FileIdentity identity_;
    std::intptr_t handle_ = -1;  // a descriptor or a HANDLE
};

}  // namespace FutureDownloads::detail
