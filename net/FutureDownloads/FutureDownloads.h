#pragma once
// The program's only way to reach the server.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "net/FutureDownloads/ProgressBar.h"
#include "platform/FileIdentity.h"
#include "platform/PartFile.h"
#include "platform/Sha256.h"

namespace FutureDownloads {

enum class DownloadError {
    None,
    FolderMissing,   // the folder of SaveTo does not exist (nothing was sent)
    TargetExists,    // SaveTo exists already (nothing was sent)
    Transport,       // refused, unreachable, TLS, time-out, ...
    HttpStatus,      // status 400 or more
    Truncated,       // fewer bytes than announced
    ErrorPage,       // the body holds one of the two markers
    WriteFailed,     // the local file could not be written or moved into place
    Cancelled,
    TooLarge,        // longer than DownloadOptions::maxBytes, announced or as it arrived
    HashMismatch,    // the body is not the one DownloadOptions::sha256 names
};

struct DownloadResult {
    DownloadError error = DownloadError::None;
    long httpStatus = 0;
    std::int64_t bytes = 0;  // bytes written to SaveTo
    std::string detail;      // technical words for a developer; the player sees FailureText
    // A 429 or 5xx's Retry-After in seconds, when it gave one.
    std::optional<std::chrono::seconds> retryAfter = std::nullopt;
    explicit operator bool() const { return error == DownloadError::None; }
};

struct DownloadOptions {
    // Driven per block received; gets SetMaximum(-1) when the server announces no length.
    ProgressBar* bar = nullptr;
    const std::atomic<bool>* cancel = nullptr;  // set from another thread to abort
    // A server that sends nothing for this long is given up (tests shorten it).
    std::chrono::seconds stallTimeout{60};
    // A body longer than this many bytes is refused (-1: no limit); a hostile server could
    // otherwise fill the disk or, for a file read whole, the memory.
    std::int64_t maxBytes = -1;
    // When set, the body must have this SHA-256, computed while it streams; any other body
    // fails as HashMismatch and its part file goes.
    std::optional<platform::Sha256Digest> sha256 = std::nullopt;
    // When set, a complete body is handed here, still under its part name and not yet synced,
    // instead of being synced and named by Download; the receiver names it (PartFile::Name)
    // once its data is on the disk. Success then means "complete and handed over".
    std::function<void(std::unique_ptr<platform::PartFile>)> publish = nullptr;
    // Keeps the body under the target's one stable part file when the transfer breaks off
    // (network, stall, cancel, 5xx), and continues it on the next call for the same target
    // (Range with If-Range), starting over when the server cannot continue or the file
    // changed. Without it a failed body is thrown away. The kept length is the one synced when
    // the transfer broke off (platform/ResumeRecord.h); after a kill or a power cut nothing
    // later is trusted unless `sha256` is set, when the whole kept file goes on and is checked.
    bool resume = false;
};

// A failure that may pass by asking again: the connection refused, reset or stalled, a body
// cut short, 5xx, 429. A 404, a 403, an error page or a local fault will not.
bool IsTransient(const DownloadResult& result);

// Why a download failed, in short Russian words for the player ("" for success).
std::string FailureText(const DownloadResult& result);

// Fetches Url into SaveTo. Writes a hidden part file beside SaveTo (platform/PartFile.h) and
// moves it into place, its data on the disk, only on success, never replacing a file; on
// failure no file is left at SaveTo. Fails on a transport error, a final status outside 2xx, a body shorter than
// announced, and a body holding an error marker. Local write errors come back as WriteFailed.
DownloadResult Download(const std::string& Url, const std::filesystem::path& SaveTo,
                        const DownloadOptions& options = {});
bool DownloadFile(const std::string& Url, const std::filesystem::path& SaveTo);
bool DownloadFile(const std::string& Url, const std::filesystem::path& SaveTo, ProgressBar* Bar);

// What lies at the path of a fetched file, found with one open and one status query on it.
enum class SavedFile {
    None,       // nothing, or no regular file there (a folder, a pipe, a device)
    ErrorPage,  // a regular file whose text holds an error marker
    Content,    // any other regular file, one that cannot be opened for reading included
};

// Opens Path once (following links) and reads its text only up to its end or its first byte
// 26; `identity`, when given, receives which file the open reached (none when it opened none).
// Throws std::system_error on a read error after opening.
SavedFile InspectSavedFile(const std::filesystem::path& Path, std::optional<platform::FileIdentity>* identity = nullptr);

// A file's size and last write time (microseconds since 1970) as one open saw them.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

// A fetched file read once for both the marker test and its SHA-256.
struct HashedFile {
    SavedFile kind = SavedFile::None;
    FileStamp stamp;                               // when opened; zero when it could not be
    std::optional<platform::FileIdentity> identity;  // which file the open reached
    std::optional<platform::Sha256Digest> sha256;  // of every byte; none when it was not read
};

// Opens Path once, as InspectSavedFile does, and reads all of it into both the marker test and
// the hash. `known(stamp, identity)` is asked before any byte is read: true leaves the file unread
// (Content without a digest), as does a regular file that cannot be opened for reading. Throws
// std::system_error on a read error after opening.
using KnownFile = std::function<bool(const FileStamp&, const platform::FileIdentity&)>;
HashedFile HashSavedFile(const std::filesystem::path& Path, const KnownFile& known = {});

// True when the file's text (line breaks removed, ending at the first byte 26) contains
// "404: Not Found" or "unknown domain". False when it cannot be opened. Reads in blocks;
// throws std::system_error on a read error after opening.
bool IsErrorPage(const std::filesystem::path& Path);

// Whether the system has a network connection (an interface that is up, not loopback).
bool IsInternetConnected();
// Tests replace the answer; nullptr restores the real probe.
void SetInternetConnectedProbe(bool (*probe)());

// The announced length of Url, -1 when none, when the request fails or the status is not 2xx.
// Sends a GET and drops the connection once the headers are in (some servers refuse HEAD).
std::int64_t RemoteFileSize(const std::string& Url);

// BaseUrl + path + name, with what may not stand in a URL path percent-encoded in name
// (space, "#", "?", "%", non-ASCII as UTF-8 bytes, ...).
std::string ServerUrl(const std::string& BaseUrl, const std::string& Path, const std::string& Name);

}  // namespace FutureDownloads
