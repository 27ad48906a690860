#include <array>

#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "net/FutureDownloads/SavedFileReader.h"

namespace FutureDownloads {
namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kBlock = 128 * 1024;  // what `cat` reads at a time

}  // namespace

SavedFile InspectSavedFile(const std::filesystem::path& Path) {
    detail::SavedFileReader file(Path);
    switch (file.kind()) {
        case detail::SavedFileReader::Kind::Nothing: return SavedFile::None;
        case detail::SavedFileReader::Kind::Unreadable: return SavedFile::Content;
        case detail::SavedFileReader::Kind::Regular: break;
    }
    // Page-aligned: the kernel copies a cached file into it several times faster than into a
    // buffer that is not. The first read takes one page only: a jar's first byte 26 lies
    // within its first kilobytes, and copying more of it would be wasted.
    alignas(kPage) std::array<char, kBlock> block;
    MarkerScanner scanner;
    std::size_t want = kPage;
    std::int64_t offset = 0;
    while (!scanner.Done()) {
        const std::size_t n = file.Read(block.data(), want);
        if (n == 0) break;
        scanner.Feed(block.data(), n);
        offset += static_cast<std::int64_t>(n);
        // A short read that reaches the size the file had when opened is its end; asking
        // again only to be told 0 would cost a call per file.
        if (n < want && offset >= file.size()) break;
        want = block.size();
    }
    return scanner.Found() ? SavedFile::ErrorPage : SavedFile::Content;
}

bool IsErrorPage(const std::filesystem::path& Path) { return InspectSavedFile(Path) == SavedFile::ErrorPage; }

}  // namespace FutureDownloads
