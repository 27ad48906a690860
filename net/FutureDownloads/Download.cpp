#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/HttpTransfer.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "net/FutureDownloads/ResumePoint.h"
#include "net/FutureDownloads/UserAgent.h"
#include "platform/PartFile.h"
#include "platform/ResumeRecord.h"

namespace fs = std::filesystem;

namespace FutureDownloads {
namespace {

using platform::PartFile;

constexpr std::size_t kWriteRun = 512 * 1024;

bool Cancelled(const DownloadOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

// Takes the body block by block: marker test, temporary file, progress bar. A body that
// continues a kept part file is tested and hashed as a whole, the kept bytes first.
struct Receiver : detail::TransferSink {
    Receiver(PartFile& f, const DownloadOptions& o, std::int64_t kept) : file(f), options(o), from(kept) {}

    PartFile& file;
    const DownloadOptions& options;
    std::int64_t from;  // kept bytes this transfer continues; 0 once it starts over
    MarkerScanner scanner;
    std::optional<platform::Sha256> hash = options.sha256 ? std::make_optional<platform::Sha256>() : std::nullopt;
    std::int64_t bytes = from;
    std::int64_t announced = -1;  // of the whole file
    std::string validator;        // of the body arriving, for a later resume
    bool blockSinceLastLook = false;
    // Blocks arrive in 16 KiB pieces; writing them in larger runs spares most of the system calls.
    std::vector<char> pending;
    bool rangeRefused = false;  // a 206 that does not start where the kept bytes end
    // Why the body was refused here rather than by the transfer.
    DownloadError refused = DownloadError::None;

    // Runs the kept bytes through the marker test and the hash; false when they cannot be read
    // or hold a marker: then the download starts over.
    bool TakeKept() {
        std::vector<char> block(1 << 20);
        for (std::int64_t at = 0; at < from;) {
            const std::int64_t n = file.ReadAt(at, block.data(), static_cast<std::size_t>(std::min<std::int64_t>(
                                                                      from - at, static_cast<std::int64_t>(block.size()))));
            if (n <= 0) return false;
            scanner.Feed(block.data(), static_cast<std::size_t>(n));
            if (hash) hash->Update(block.data(), static_cast<std::size_t>(n));
            at += n;
        }
        return !scanner.Found();
    }

    bool Begin(const detail::ResponseHead& head) override {
        announced = head.announced;
        // A final 1xx or 3xx (a redirect without a target, "not modified") is no file either.
        if (head.status < 200 || head.status > 299) return Refuse(DownloadError::HttpStatus);
        if (from > 0 && head.status == 206) {
            if (detail::RangeStart(head.contentRange) != from) {
                rangeRefused = true;
                return Refuse(DownloadError::HttpStatus);
            }
            if (announced >= 0) announced += from;
        } else if (from > 0 && !StartOver()) {  // the whole file, changed or not: nothing is kept
            return Refuse(DownloadError::WriteFailed);
        }
        validator = detail::Validator(head);
        // Bytes beyond the last synced length are trusted after a crash only when a hash will
        // check them; that needs the validator on record from the start.
        if (file.IsResumable() && from == 0 && hash && !validator.empty())
            platform::WriteResumeRecord(file.Target(), {validator, 0});
        if (options.bar) {
            options.bar->SetPosition(0);
            options.bar->SetMaximum(announced);
            if (bytes > 0) options.bar->Advance(bytes);
        }
        if (TooLong(0)) return Refuse(DownloadError::TooLarge);
        return true;
    }

    // Puts what has arrived into the part file; every byte counted in `bytes` is then written.
    bool Flush() {
        const bool written = pending.empty() || file.Write(pending.data(), pending.size());
        pending.clear();
        return written;
    }

    bool StartOver() {
        pending.clear();
        platform::RemoveResumeRecord(file.Target());
        if (!file.Truncate(0)) return false;
        from = bytes = 0;
        scanner = MarkerScanner{};
        if (hash) hash.emplace();
        return true;
    }

    bool Take(const char* data, std::size_t size) override {
        if (TooLong(size)) return Refuse(DownloadError::TooLarge);
        scanner.Feed(data, size);
        if (scanner.Found()) return Refuse(DownloadError::ErrorPage);  // the rest cannot help
        if (hash) hash->Update(data, size);
        if (pending.capacity() == 0) pending.reserve(kWriteRun);
        pending.insert(pending.end(), data, data + size);
        if (pending.size() >= kWriteRun && !Flush()) return Refuse(DownloadError::WriteFailed);
        bytes += static_cast<std::int64_t>(size);
        if (options.bar) {
            options.bar->Advance(static_cast<std::int64_t>(size));
            options.bar->ProcessPendingEvents();
            blockSinceLastLook = true;
        }
        return true;
    }

    // While nothing arrives (a slow or stalled server) the caller's window still handles its
    // events between the transfer's looks at the connection, not only between blocks.
    void KeepCallerAlive() {
        if (options.bar && !std::exchange(blockSinceLastLook, false)) options.bar->ProcessPendingEvents();
    }

    bool TooLong(std::size_t more) const {
        if (options.maxBytes < 0) return false;
        return announced > options.maxBytes || bytes + static_cast<std::int64_t>(more) > options.maxBytes;
    }

    bool Refuse(DownloadError why) {
        refused = why;
        return false;
    }
};

DownloadResult Fail(DownloadError error, std::string detail, long status = 0) {
    DownloadResult r;
    r.error = error;
    r.httpStatus = status;
    r.detail = std::move(detail);
    return r;
}

std::string StatusText(long status) { return "HTTP status " + std::to_string(status); }

// Retry-After as a number of seconds; the date form and anything else count as none.
std::optional<std::chrono::seconds> RetryAfter(const std::string& text) {
    long long seconds = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc{} || end != text.data() + text.size() || seconds < 0) return std::nullopt;
    return std::chrono::seconds(seconds);
}

// Failures after which the bytes so far are still good, and worth keeping for the next attempt.
bool WorthKeeping(const DownloadResult& result) {
    return IsTransient(result) || result.error == DownloadError::Cancelled;
}

// Leaves the part file for the next attempt: its data on the disk first, then the record
// that vouches for it.
void KeepForLater(PartFile& file, const Receiver& receiver) {
    if (receiver.validator.empty() || receiver.bytes <= 0) return;
    if (file.Sync() && platform::WriteResumeRecord(file.Target(), {receiver.validator, receiver.bytes})) file.Keep();
}

// What ended a transfer that did not deliver the whole body.
DownloadResult Classify(const detail::TransferResult& transfer, const Receiver& receiver) {
    const long status = transfer.status;
    switch (transfer.end) {
        case detail::TransferEnd::Complete:
            return {};
        case detail::TransferEnd::Refused:
            break;
        case detail::TransferEnd::Cancelled:
            return Fail(DownloadError::Cancelled, "cancelled", status);
        case detail::TransferEnd::HttpStatus: {
            DownloadResult r = Fail(DownloadError::HttpStatus, StatusText(status), status);
            r.retryAfter = RetryAfter(transfer.retryAfter);
            return r;
        }
        case detail::TransferEnd::Truncated:
            return Fail(DownloadError::Truncated, transfer.detail, status);
        case detail::TransferEnd::Transport:
            return Fail(DownloadError::Transport, transfer.detail, status);
    }
    switch (receiver.refused) {
        case DownloadError::HttpStatus:
            return Fail(DownloadError::HttpStatus, StatusText(status), status);
        case DownloadError::ErrorPage:
            return Fail(DownloadError::ErrorPage, "the server sent an error page", status);
        case DownloadError::WriteFailed:
            return Fail(DownloadError::WriteFailed, receiver.file.Error(), status);
        case DownloadError::TooLarge:
            return Fail(DownloadError::TooLarge, "more than " + std::to_string(receiver.options.maxBytes) + " bytes",
                        status);
        default:
            return Fail(receiver.refused, "refused", status);
    }
}

}  // namespace

DownloadResult Download(const std::string& Url, const fs::path& SaveTo, const DownloadOptions& options) {
    std::error_code ec;
    const fs::path folder = SaveTo.parent_path();
    if (folder.empty() || !fs::is_directory(folder, ec))
        return Fail(DownloadError::FolderMissing, "no folder " + packwell::Utf8FromPath(folder));
    if (fs::exists(fs::symlink_status(SaveTo, ec)))
        return Fail(DownloadError::TargetExists, packwell::Utf8FromPath(SaveTo) + " exists already");
    if (Cancelled(options)) return Fail(DownloadError::Cancelled, "cancelled");

    auto file = std::make_unique<PartFile>(SaveTo, options.resume ? PartFile::Mode::Resumable : PartFile::Mode::Fresh);
    if (!file->IsOpen()) return Fail(DownloadError::WriteFailed, file->Error());
    detail::ResumePoint start;
    if (file->IsResumable()) start = detail::TrustedStart(*file, options.sha256.has_value());
    if (start.from < 0) return Fail(DownloadError::WriteFailed, file->Error());

    // A second pass only when kept bytes turn out unusable (the server will not continue them,
    // or the whole does not hash right): then once more from zero.
    DownloadResult result;
    for (int pass = 0; pass < 2; ++pass) {
        Receiver receiver{*file, options, start.from};
        if (receiver.from > 0 && !receiver.TakeKept() && !receiver.StartOver())
            return Fail(DownloadError::WriteFailed, file->Error());
        const detail::TransferResult transfer = detail::RunTransfer(
            {.url = Url,
             .userAgent = detail::UserAgent(),
             .stall = options.stallTimeout,
             .cancel = options.cancel,
             .idle = [&] { receiver.KeepCallerAlive(); },
             .from = receiver.from,
             .ifRange = receiver.from > 0 ? start.validator : std::string()},
            receiver);

        result = Classify(transfer, receiver);
        // The last run of bytes is written here; a body that cannot be written is no file, and
        // no bytes worth keeping either.
        if (!receiver.Flush() && (result || WorthKeeping(result)))
            result = Fail(DownloadError::WriteFailed, file->Error(), transfer.status);
        result.bytes = receiver.bytes;
        if (result) {
            result.httpStatus = transfer.status;
            if (receiver.hash && receiver.hash->Final() != *options.sha256)
                result = Fail(DownloadError::HashMismatch, "SHA-256 differs from the one asked for", result.httpStatus);
        }
        const bool unusable = receiver.rangeRefused || result.httpStatus == 416 ||
                              result.error == DownloadError::HashMismatch;
        if (pass == 0 && receiver.from > 0 && unusable && receiver.StartOver()) {
            start = {};
            continue;
        }
        if (!result) {
            if (file->IsResumable() && WorthKeeping(result)) KeepForLater(*file, receiver);
            return result;
        }
        if (options.bar && receiver.announced < 0) options.bar->SetMaximum(receiver.bytes);  // ends full
        break;
    }

    if (options.publish) {
        options.publish(std::move(file));
        return result;
    }
    switch (file->Commit()) {
        case PartFile::CommitResult::Done:
            return result;
        case PartFile::CommitResult::TargetExists:
            return Fail(DownloadError::TargetExists, file->Error(), result.httpStatus);
        case PartFile::CommitResult::Failed:
            break;
    }
    return Fail(DownloadError::WriteFailed, file->Error(), result.httpStatus);
}

bool IsTransient(const DownloadResult& result) {
    switch (result.error) {
        case DownloadError::Transport:
        case DownloadError::Truncated:
            return true;
        case DownloadError::HttpStatus:
            return result.httpStatus >= 500 || result.httpStatus == 429;
        default:
            return false;
    }
}

bool DownloadFile(const std::string& Url, const fs::path& SaveTo) {
    return static_cast<bool>(Download(Url, SaveTo));
}

bool DownloadFile(const std::string& Url, const fs::path& SaveTo, ProgressBar* Bar) {
    return static_cast<bool>(Download(Url, SaveTo, DownloadOptions{.bar = Bar}));
}

}  // namespace FutureDownloads
