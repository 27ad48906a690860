#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "net/FutureDownloads/HttpTransfer.h"
#include "net/FutureDownloads/wininet/InternetSession.h"
#include "net/FutureDownloads/wininet/RedirectRule.h"
#include "net/FutureDownloads/wininet/WideText.h"
#include "net/FutureDownloads/wininet/WorkerThreads.h"

namespace FutureDownloads::detail {
namespace {

constexpr std::size_t kBlockSize = 128 * 1024;
constexpr int kMaxRedirects = 20;
constexpr auto kLook = std::chrono::milliseconds(100);
// This much arrived at once: the body streams.
constexpr DWORD kStreaming = 8 * 1024;

// Every request of ours: kept-alive connections, no cache, no cookies, no dialog of any kind,
// and redirects followed here, where the schemes they lead to are checked.
constexpr DWORD kRequestFlags = INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_AUTO_REDIRECT;

bool Cancelled(const TransferRequest& request) {
    return request.cancel && request.cancel->load(std::memory_order_relaxed);
}

struct Target {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query, without the fragment
};

// Null when the address is no http or https URL.
std::optional<Target> Crack(const std::wstring& url) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return std::nullopt;
    Target t;
    t.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    t.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    t.port = parts.nPort;
    if (parts.lpszUrlPath) t.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) t.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    t.object = t.object.substr(0, t.object.find(L'#'));
    if (t.object.empty()) t.object = L"/";
    return t;
}

// A header of the response as text; empty when absent.
std::wstring Header(HINTERNET request, DWORD which) {
    std::wstring text(256, L'\0');
    for (;;) {
        DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (HttpQueryInfoW(request, which, text.data(), &bytes, nullptr)) {
            text.resize(bytes / sizeof(wchar_t));
            return text;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        text.resize(bytes / sizeof(wchar_t) + 1);
    }
}

long Status(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return 0;
    return static_cast<long>(status);
}

// Read as text: the number form of the query holds 32 bits only, and files pass 4 GiB.
std::int64_t AnnouncedLength(HINTERNET request) {
    const std::wstring text = Header(request, HTTP_QUERY_CONTENT_LENGTH);
    if (text.empty()) return -1;
    std::int64_t length = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9' || length > (INT64_MAX - 9) / 10) return -1;
        length = length * 10 + (c - L'0');
    }
    return length;
}

bool IsRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::wstring Combine(const std::wstring& base, const std::wstring& location) {
    std::wstring out(base.size() + location.size() + 64, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(out.size());
        if (InternetCombineUrlW(base.c_str(), location.c_str(), out.data(), &size, 0)) {
            out.resize(size);
            return out;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        out.resize(size + 1);
    }
}

// What the reader thread hands the calling thread. Owned by both: a stopped transfer leaves
// its reader behind to end on its own.
struct Channel {
    // What the reader asks for, copied: the caller's request may be gone before the reader.
    std::string url;
    std::string userAgent;
    std::chrono::seconds connect{};
    std::chrono::seconds stall{};
    std::int64_t from = 0;
    std::string ifRange;

    // Windows' own lock and condition: several times cheaper under Wine than the C++ ones.
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;

    // Reader to caller. Bytes gather in `pending`; the caller is woken for a full block, and
    // takes a smaller rest when it next looks, so a slow server's bytes move on as they come
    // and a fast one's in few hand-overs (each costs a thread switch, dear under Wine).
    bool headersReady = false;
    ResponseHead head;
    std::vector<char> pending;
    bool ended = false;
    TransferResult end;

    // Caller to reader: stop, and the request handle to close so a blocked call returns.
    bool stopping = false;
    HINTERNET current = nullptr;
    bool currentClosed = false;
};

class Locked {
public:
    explicit Locked(Channel& channel) : lock_(channel.lock) { AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

// Waits, the channel locked, until `done` holds or `ms` have passed.
template <typename Done>
void WaitFor(Channel& channel, DWORD ms, Done done) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (ms != INFINITE && now >= deadline) return;
        const DWORD left = ms == INFINITE ? INFINITE : static_cast<DWORD>(deadline - now);
        SleepConditionVariableSRW(&channel.changed, &channel.lock, left, 0);
    }
}

// Runs the request on a worker thread: every WinINet call may block for up to a limit, and
// the caller must meanwhile run its idle work and see its cancel flag.
class Reader {
public:
    explicit Reader(Channel& channel) : channel_(channel) {}
    ~Reader() { Close(); }

    void Run() {
        TransferResult end = Fetch();
        Close();  // the connection goes back for the caller's next file before it hears the end
        Locked locked(channel_);
        channel_.end = std::move(end);
        channel_.ended = true;
        WakeAllConditionVariable(&channel_.changed);
    }

private:
    TransferResult Fetch() {
        HINTERNET session = ProcessSession();
        if (!session) return Failure(GetLastError());
        std::wstring url = Widen(channel_.url);
        for (int hop = 0; hop <= kMaxRedirects; ++hop) {
            const std::optional<Target> target = Crack(url);
            if (!target) return {TransferEnd::Transport, status_, -1, "not an http or https address: " + Narrow(url)};
            if (!Open(session, *target)) return Failure(GetLastError());
            status_ = Status(request_handle_);
            if (!IsRedirect(status_)) return Body();
            const std::wstring location = Header(request_handle_, HTTP_QUERY_LOCATION);
            if (location.empty()) return Body();  // a redirect with nowhere to go is the answer
            const std::wstring next = Combine(url, location);
            Close();
            if (next.empty()) return {TransferEnd::Transport, status_, -1, "unusable redirect target"};
            if (!RedirectAllowed(Narrow(url), Narrow(next)))
                return {TransferEnd::Transport, status_, -1, "redirect refused: " + Narrow(url) + " to " + Narrow(next)};
            url = next;
        }
        return {TransferEnd::Transport, status_, -1, "more than " + std::to_string(kMaxRedirects) + " redirects"};
    }

    // Connects, sends the request and waits for the response's headers.
    bool Open(HINTERNET session, const Target& target) {
        Close();
        connection_ = InternetConnectW(session, target.host.c_str(), target.port, nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0);
        if (!connection_) return false;
        HINTERNET handle = HttpOpenRequestW(connection_, L"GET", target.object.c_str(), nullptr, nullptr, nullptr,
                                            kRequestFlags | (target.secure ? INTERNET_FLAG_SECURE : 0), 0);
        if (!handle) return false;
        {
            Locked locked(channel_);
            channel_.current = handle;
            channel_.currentClosed = false;
            if (channel_.stopping) {
                InternetCloseHandle(handle);
                channel_.currentClosed = true;
                SetLastError(ERROR_INTERNET_OPERATION_CANCELLED);
                return false;
            }
        }
        request_handle_ = handle;
        DWORD connect = static_cast<DWORD>(channel_.connect.count() * 1000);
        DWORD stall = static_cast<DWORD>(channel_.stall.count() * 1000);
        InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
        InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &stall, sizeof stall);
        InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &stall, sizeof stall);
        std::wstring headers;
        if (!channel_.userAgent.empty()) headers = L"User-Agent: " + Widen(channel_.userAgent) + L"\r\n";
        if (channel_.from > 0)
            headers += L"Range: bytes=" + std::to_wstring(channel_.from) + L"-\r\nIf-Range: " +
                       Widen(channel_.ifRange) + L"\r\n";
        return HttpSendRequestW(handle, headers.empty() ? nullptr : headers.c_str(),
                                static_cast<DWORD>(headers.size()), nullptr, 0);
    }

    TransferResult Body() {
        const std::int64_t announced = AnnouncedLength(request_handle_);
        if (status_ >= 400)
            return {TransferEnd::HttpStatus, status_, announced, {}, Narrow(Header(request_handle_, HTTP_QUERY_RETRY_AFTER))};
        {
            Locked locked(channel_);
            channel_.headersReady = true;
            channel_.head = {.status = status_,
                             .announced = announced,
                             .etag = Narrow(Header(request_handle_, HTTP_QUERY_ETAG)),
                             .lastModified = Narrow(Header(request_handle_, HTTP_QUERY_LAST_MODIFIED)),
                             .contentRange = Narrow(Header(request_handle_, HTTP_QUERY_CONTENT_RANGE))};
            WakeAllConditionVariable(&channel_.changed);
        }
        std::vector<char> piece(kBlockSize);
        std::int64_t received = 0;
        for (;;) {
            bool ok = true;
            const DWORD n = ReadPiece(piece.data(), ok);
            if (!ok) {
                const DWORD error = GetLastError();
                if (StopAsked()) return Stopped(announced);
                TransferResult failed = Failure(error);
                failed.announced = announced;
                return failed;
            }
            if (n == 0) break;
            received += n;
            if (!Put(piece.data(), n)) return Stopped(announced);
        }
        if (announced >= 0 && received < announced)
            return {TransferEnd::Truncated, status_, announced,
                    std::to_string(received) + " of " + std::to_string(announced) + " bytes arrived"};
        return {TransferEnd::Complete, status_, announced, {}};
    }

    // The next piece of the body, 0 at its end. A read waits until it fills its whole buffer,
    // so while the body trickles only what has arrived is read; while it streams, whole
    // blocks (a call costs much under Wine, where what has arrived is never more than the
    // library's own 8 KiB buffer).
    DWORD ReadPiece(char* buffer, bool& ok) {
        DWORD n = 0;
        if (streaming_) {
            const auto start = std::chrono::steady_clock::now();
            ok = InternetReadFile(request_handle_, buffer, static_cast<DWORD>(kBlockSize), &n);
            const DWORD error = GetLastError();
            streaming_ = ok && n == kBlockSize && std::chrono::steady_clock::now() - start < kLook;
            SetLastError(error);
            return n;
        }
        DWORD available = 0;
        ok = InternetQueryDataAvailable(request_handle_, &available, 0, 0) &&
             (available == 0 ||
              InternetReadFile(request_handle_, buffer, std::min<DWORD>(available, kBlockSize), &n));
        streaming_ = ok && available >= kStreaming;
        return n;
    }

    // Adds bytes for the caller, waiting while it is a few blocks behind; false once the
    // caller stopped the transfer.
    bool Put(const char* data, DWORD size) {
        Locked locked(channel_);
        WaitFor(channel_, INFINITE, [&] { return channel_.stopping || channel_.pending.size() < 2 * kBlockSize; });
        if (channel_.stopping) return false;
        channel_.pending.insert(channel_.pending.end(), data, data + size);
        if (channel_.pending.size() >= kBlockSize) WakeAllConditionVariable(&channel_.changed);
        return true;
    }

    bool StopAsked() {
        Locked locked(channel_);
        return channel_.stopping;
    }

    // The caller decides what a stop means (cancelled or refused); this side only ends.
    TransferResult Stopped(std::int64_t announced) const {
        return {TransferEnd::Cancelled, status_, announced, "stopped"};
    }

    TransferResult Failure(DWORD error) const { return {TransferEnd::Transport, status_, -1, InternetErrorText(error)}; }

    void Close() {
        if (request_handle_) {
            Locked locked(channel_);
            if (!channel_.currentClosed) InternetCloseHandle(request_handle_);
            channel_.current = nullptr;
            channel_.currentClosed = true;
            request_handle_ = nullptr;
        }
        if (connection_) InternetCloseHandle(std::exchange(connection_, nullptr));
    }

    Channel& channel_;
    HINTERNET connection_ = nullptr;
    HINTERNET request_handle_ = nullptr;
    long status_ = 0;
    bool streaming_ = false;
};

// Closes the request under way, so a call blocked in it returns at once.
void Stop(Channel& channel) {
    Locked locked(channel);
    channel.stopping = true;
    if (channel.current && !channel.currentClosed) {
        InternetCloseHandle(channel.current);
        channel.currentClosed = true;
    }
    WakeAllConditionVariable(&channel.changed);
}

}  // namespace

TransferResult RunTransfer(const TransferRequest& request, TransferSink& sink) {
    if (Cancelled(request)) return {TransferEnd::Cancelled, 0, -1, "cancelled"};
    auto shared = std::make_shared<Channel>();
    Channel& channel = *shared;
    channel.url = request.url;
    channel.userAgent = request.userAgent;
    channel.connect = request.connect;
    channel.stall = request.stall;
    channel.from = request.from;
    channel.ifRange = request.ifRange;
    if (!RunOnWorkerThread([shared] { Reader(*shared).Run(); }))
        return {TransferEnd::Transport, 0, -1, "no thread for the transfer"};

    std::optional<TransferResult> stopped;
    ResponseHead head;
    std::vector<char> block;
    while (!stopped) {
        // One look: whatever came within kLook (a full block or the end wake it sooner).
        bool headers = false;
        bool ended = false;
        block.clear();
        {
            Locked locked(channel);
            WaitFor(channel, static_cast<DWORD>(kLook.count()), [&] {
                return channel.headersReady || channel.pending.size() >= kBlockSize || channel.ended;
            });
            headers = std::exchange(channel.headersReady, false);
            if (headers) head = channel.head;
            block.swap(channel.pending);
            ended = channel.ended;
            WakeAllConditionVariable(&channel.changed);  // room for the reader again
        }
        if (headers && !sink.Begin(head))
            stopped = TransferResult{TransferEnd::Refused, head.status, head.announced, {}};
        else if (Cancelled(request))
            stopped = TransferResult{TransferEnd::Cancelled, head.status, head.announced, "cancelled"};
        else if (!block.empty() && !sink.Take(block.data(), block.size()))
            stopped = TransferResult{TransferEnd::Refused, head.status, head.announced, {}};
        else if (ended)
            break;  // everything handed over
        else if (request.idle)
            request.idle();
    }
    if (stopped) {
        // Closing the handle ends a blocked call at once on Windows; Wine's sockets go on
        // waiting until data, the server's close or the stall limit. Either way the caller
        // does not wait: the reader touches nothing but the channel it shares.
        Stop(channel);
        return *stopped;
    }
    Locked locked(channel);  // the reader may still be leaving the lock
    return std::move(channel.end);
}

}  // namespace FutureDownloads::detail
