#include <mutex>
#include <new>
#include <vector>

#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "net/FutureDownloads/SavedFileReader.h"

namespace FutureDownloads {
namespace {

constexpr std::size_t kPage = 4096;
// Twice what `cat` reads at a time: half the calls, and the block still stays in the
// processor's cache between the copy and the search.
constexpr std::size_t kBlock = 256 * 1024;

// Page-aligned: the kernel copies a cached file into it several times faster than into a
// buffer that is not. Blocks are kept in a small pool and leased per call: too large for a
// thread's stack on Windows, allocating one per file would cost the system calls the check
// saves, and a block kept per thread crashes the static Windows runtime at the thread's end.
class BlockPool {
public:
    ~BlockPool() {
        for (char* block : free_) ::operator delete(block, std::align_val_t{kPage});
    }
    char* Take() {
        {
            std::lock_guard lock(mutex_);
            if (!free_.empty()) {
                char* block = free_.back();
                free_.pop_back();
                return block;
            }
        }
        return static_cast<char*>(::operator new(kBlock, std::align_val_t{kPage}));
    }
    void Give(char* block) {
        std::lock_guard lock(mutex_);
        free_.push_back(block);
    }

private:
    std::mutex mutex_;
    std::vector<char*> free_;  // as many as ever read at once: the Turbo workers and the check
};

BlockPool& Pool() {
    static BlockPool pool;
    return pool;
}

class ReadBlock {
public:
    ReadBlock() : data_(Pool().Take()) {}
    ~ReadBlock() { Pool().Give(data_); }
    ReadBlock(const ReadBlock&) = delete;
    ReadBlock& operator=(const ReadBlock&) = delete;
    char* data() const { return data_; }

private:
    char* data_;
};

}  // namespace

SavedFile InspectSavedFile(const std::filesystem::path& Path, std::optional<platform::FileIdentity>* identity) {
    detail::SavedFileReader file(Path);
    switch (file.kind()) {
        case detail::SavedFileReader::Kind::Nothing: return SavedFile::None;
        case detail::SavedFileReader::Kind::Unreadable: return SavedFile::Content;
        case detail::SavedFileReader::Kind::Regular: break;
    }
    if (identity) *identity = file.identity();
    // The first read takes one page only: a jar's first byte 26 lies within its first
    // kilobytes, and copying more of it would be wasted.
    const ReadBlock lease;
    char* const block = lease.data();
    MarkerScanner scanner;
    std::size_t want = kPage;
    std::int64_t offset = 0;
    while (!scanner.Done()) {
        const std::size_t n = file.Read(block, want);
        if (n == 0) break;
        scanner.Feed(block, n);
        offset += static_cast<std::int64_t>(n);
        // A short read that reaches the size the file had when opened is its end; asking
        // again only to be told 0 would cost a call per file.
        if (n < want && offset >= file.size()) break;
        want = kBlock;
    }
    return scanner.Found() ? SavedFile::ErrorPage : SavedFile::Content;
}

HashedFile HashSavedFile(const std::filesystem::path& Path, const KnownFile& known) {
    detail::SavedFileReader file(Path);
    HashedFile result;
    switch (file.kind()) {
        case detail::SavedFileReader::Kind::Nothing: return result;
        case detail::SavedFileReader::Kind::Unreadable: result.kind = SavedFile::Content; return result;
        case detail::SavedFileReader::Kind::Regular: break;
    }
    result.stamp = {file.size(), file.modified()};
    result.identity = file.identity();
    result.kind = SavedFile::Content;
    if (known && known(result.stamp, file.identity())) return result;
    // The hash needs every byte: the marker test rides along until its answer is settled.
    const ReadBlock lease;
    char* const block = lease.data();
    MarkerScanner scanner;
    platform::Sha256 hash;
    std::int64_t offset = 0;
    for (;;) {
        const std::size_t n = file.Read(block, kBlock);
        if (n == 0) break;
        if (!scanner.Done()) scanner.Feed(block, n);
        hash.Update(block, n);
        offset += static_cast<std::int64_t>(n);
        if (n < kBlock && offset >= file.size()) break;  // its end, without a call to be told so
    }
    if (scanner.Found()) result.kind = SavedFile::ErrorPage;
    result.sha256 = hash.Final();
    return result;
}

bool IsErrorPage(const std::filesystem::path& Path) { return InspectSavedFile(Path) == SavedFile::ErrorPage; }

}  // namespace FutureDownloads
