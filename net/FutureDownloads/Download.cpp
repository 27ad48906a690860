#include <memory>
#include <system_error>
#include <utility>

#include "net/FutureDownloads/CurlTransfer.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "platform/PartFile.h"
#include "net/FutureDownloads/UserAgent.h"

namespace fs = std::filesystem;

namespace FutureDownloads {
namespace {

using detail::CurlTransfer;
using platform::PartFile;

bool Cancelled(const DownloadOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

// Takes the body block by block: marker test, temporary file, progress bar.
struct Receiver {
    Receiver(CURL* e, PartFile& f, const DownloadOptions& o) : easy(e), file(f), options(o) {}

    CURL* easy;
    PartFile& file;
    const DownloadOptions& options;
    MarkerScanner scanner;
    std::int64_t bytes = 0;
    std::int64_t announced = -1;
    bool barStarted = false;
    bool blockSinceLastLook = false;
    // Why the body was refused, when it was refused here rather than by libcurl.
    DownloadError refused = DownloadError::None;

    void StartBar() {
        if (barStarted) return;
        barStarted = true;
        announced = detail::AnnouncedLength(easy);
        if (!options.bar) return;
        options.bar->SetPosition(0);
        options.bar->SetMaximum(announced);
    }

    // libcurl's write callback: returning less than `size` ends the transfer.
    static std::size_t Write(char* data, std::size_t, std::size_t size, void* self) {
        return static_cast<Receiver*>(self)->Take(data, size);
    }

    std::size_t Take(const char* data, std::size_t size) {
        if (Cancelled(options)) return Refuse(DownloadError::Cancelled);
        StartBar();
        if (TooLong(size)) return Refuse(DownloadError::TooLarge);
        scanner.Feed(data, size);
        if (scanner.Found()) return Refuse(DownloadError::ErrorPage);  // the rest cannot help
        if (!file.Write(data, size)) return Refuse(DownloadError::WriteFailed);
        bytes += static_cast<std::int64_t>(size);
        if (options.bar) {
            options.bar->Advance(static_cast<std::int64_t>(size));
            options.bar->ProcessPendingEvents();
            blockSinceLastLook = true;
        }
        return size;
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

    std::size_t Refuse(DownloadError why) {
        refused = why;
        return 0;
    }
};

DownloadResult Fail(DownloadError error, std::string detail, long status = 0) {
    DownloadResult r;
    r.error = error;
    r.httpStatus = status;
    r.detail = std::move(detail);
    return r;
}

// What ended a transfer that did not deliver the whole body.
DownloadResult Classify(CURLcode code, const Receiver& receiver, const CurlTransfer& transfer) {
    const long status = detail::ResponseStatus(transfer.easy());
    switch (receiver.refused) {
        case DownloadError::ErrorPage:
            return Fail(DownloadError::ErrorPage, "the server sent an error page", status);
        case DownloadError::WriteFailed:
            return Fail(DownloadError::WriteFailed, receiver.file.Error(), status);
        case DownloadError::Cancelled:
            return Fail(DownloadError::Cancelled, "cancelled", status);
        case DownloadError::TooLarge:
            return Fail(DownloadError::TooLarge, "more than " + std::to_string(receiver.options.maxBytes) + " bytes",
                        status);
        default:
            break;
    }
    if (code == CURLE_ABORTED_BY_CALLBACK) return Fail(DownloadError::Cancelled, "cancelled", status);
    if (code == CURLE_HTTP_RETURNED_ERROR)
        return Fail(DownloadError::HttpStatus, "HTTP status " + std::to_string(status), status);
    if (code == CURLE_PARTIAL_FILE)
        return Fail(DownloadError::Truncated, transfer.ErrorText(code), status);
    if (code != CURLE_OK) return Fail(DownloadError::Transport, transfer.ErrorText(code), status);
    // A final 1xx or 3xx (a redirect without a target, "not modified") is no file either.
    if (status < 200 || status > 299)
        return Fail(DownloadError::HttpStatus, "HTTP status " + std::to_string(status), status);
    if (receiver.announced >= 0 && receiver.bytes < receiver.announced)
        return Fail(DownloadError::Truncated,
                    std::to_string(receiver.bytes) + " of " + std::to_string(receiver.announced) + " bytes arrived",
                    status);
    return {};
}

}  // namespace

DownloadResult Download(const std::string& Url, const fs::path& SaveTo, const DownloadOptions& options) {
    std::error_code ec;
    const fs::path folder = SaveTo.parent_path();
    if (folder.empty() || !fs::is_directory(folder, ec))
        return Fail(DownloadError::FolderMissing, "no folder " + folder.string());
    if (fs::exists(fs::symlink_status(SaveTo, ec)))
        return Fail(DownloadError::TargetExists, SaveTo.string() + " exists already");
    if (Cancelled(options)) return Fail(DownloadError::Cancelled, "cancelled");

    auto file = std::make_unique<PartFile>(SaveTo);
    if (!file->IsOpen()) return Fail(DownloadError::WriteFailed, file->Error());

    CurlTransfer transfer(Url, detail::UserAgent(), {.stall = options.stallTimeout});
    CURL* easy = transfer.easy();
    if (!easy) return Fail(DownloadError::Transport, "out of memory");
    Receiver receiver{easy, *file, options};
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Receiver::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &receiver);
    const CURLcode code = transfer.Run([&] {
        receiver.KeepCallerAlive();
        return Cancelled(options);
    });

    DownloadResult result = Classify(code, receiver, transfer);
    result.bytes = receiver.bytes;
    if (!result) return result;
    result.httpStatus = detail::ResponseStatus(easy);

    receiver.StartBar();  // an empty body never reached the write callback
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
