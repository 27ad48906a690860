#include "net/FutureDownloads/curl/CurlHandlePool.h"

#include <mutex>
#include <vector>

namespace FutureDownloads::detail {
namespace {

// Five workers and the UI thread fetch at most at once; more idle sets only hold sockets.
constexpr std::size_t kIdleKept = 8;

struct Pool {
    std::mutex mutex;
    std::vector<std::unique_ptr<CurlHandles>> idle;
};

Pool& ThePool() {
    static Pool* pool = new Pool;  // never destroyed: a thread may give back during exit
    return *pool;
}

}  // namespace

CurlHandles::CurlHandles() : multi(curl_multi_init()), easy(curl_easy_init()) {}

CurlHandles::~CurlHandles() {
    if (easy) curl_easy_cleanup(easy);
    if (multi) curl_multi_cleanup(multi);
}

std::unique_ptr<CurlHandles> LendHandles() {
    Pool& pool = ThePool();
    {
        std::lock_guard lock(pool.mutex);
        if (!pool.idle.empty()) {
            auto handles = std::move(pool.idle.back());
            pool.idle.pop_back();
            return handles;
        }
    }
    auto handles = std::make_unique<CurlHandles>();
    if (!handles->valid()) return nullptr;
    return handles;
}

void GiveBackHandles(std::unique_ptr<CurlHandles> handles) {
    if (!handles) return;
    Pool& pool = ThePool();
    {
        std::lock_guard lock(pool.mutex);
        if (pool.idle.size() < kIdleKept) {
            pool.idle.push_back(std::move(handles));
            return;
        }
    }
    // Closed outside the lock: closing may wait on a socket.
}

}  // namespace FutureDownloads::detail
