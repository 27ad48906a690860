#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/HttpTransfer.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "platform/PartFile.h"
#include "net/FutureDownloads/UserAgent.h"

namespace fs = std::filesystem;

namespace FutureDownloads {
namespace {

using platform::PartFile;

bool Cancelled(const DownloadOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

// Takes the body block by block: marker test, temporary file, progress bar.
struct Receiver : detail::TransferSink {
    Receiver(PartFile& f, const DownloadOptions& o) : file(f), options(o) {}

    PartFile& file;
    const DownloadOptions& options;
    MarkerScanner scanner;
    std::optional<platform::Sha256> hash = options.sha256 ? std::make_optional<platform::Sha256>() : std::nullopt;
    std::int64_t bytes = 0;
    std::int64_t announced = -1;
    bool blockSinceLastLook = false;
    // Why the body was refused here rather than by the transfer.
    DownloadError refused = DownloadError::None;

    bool Begin(long status, std::int64_t length) override {
        announced = length;
        if (options.bar) {
            options.bar->SetPosition(0);
            options.bar->SetMaximum(announced);
        }
        // A final 1xx or 3xx (a redirect without a target, "not modified") is no file either.
        if (status < 200 || status > 299) return Refuse(DownloadError::HttpStatus);
        if (TooLong(0)) return Refuse(DownloadError::TooLarge);
        return true;
    }

    bool Take(const char* data, std::size_t size) override {
        if (TooLong(size)) return Refuse(DownloadError::TooLarge);
        scanner.Feed(data, size);
        if (scanner.Found()) return Refuse(DownloadError::ErrorPage);  // the rest cannot help
        if (!file.Write(data, size)) return Refuse(DownloadError::WriteFailed);
        if (hash) hash->Update(data, size);
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
        case detail::TransferEnd::HttpStatus:
            return Fail(DownloadError::HttpStatus, StatusText(status), status);
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

    auto file = std::make_unique<PartFile>(SaveTo);
    if (!file->IsOpen()) return Fail(DownloadError::WriteFailed, file->Error());

    Receiver receiver{*file, options};
    const detail::TransferResult transfer = detail::RunTransfer(
        {.url = Url,
         .userAgent = detail::UserAgent(),
         .stall = options.stallTimeout,
         .cancel = options.cancel,
         .idle = [&] { receiver.KeepCallerAlive(); }},
        receiver);

    DownloadResult result = Classify(transfer, receiver);
    result.bytes = receiver.bytes;
    if (!result) return result;
    result.httpStatus = transfer.status;
    if (receiver.hash && receiver.hash->Final() != *options.sha256)
        return Fail(DownloadError::HashMismatch, "SHA-256 differs from the one asked for", result.httpStatus);

    if (options.bar && receiver.announced < 0) options.bar->SetMaximum(receiver.bytes);  // ends full

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

bool DownloadFile(const std::string& Url, const fs::path& SaveTo) {
    return static_cast<bool>(Download(Url, SaveTo));
}

bool DownloadFile(const std::string& Url, const fs::path& SaveTo, ProgressBar* Bar) {
    return static_cast<bool>(Download(Url, SaveTo, DownloadOptions{.bar = Bar}));
}

}  // namespace FutureDownloads
