#include "net/FutureDownloads/curl/CurlShare.h"

#include <mutex>

namespace FutureDownloads::detail {
namespace {

// One lock per kind of shared data, so a name look-up never waits on a TLS session.
std::mutex g_locks[CURL_LOCK_DATA_LAST];

void Lock(CURL*, curl_lock_data data, curl_lock_access, void*) { g_locks[data].lock(); }
void Unlock(CURL*, curl_lock_data data, void*) { g_locks[data].unlock(); }

CURLSH* MakeShare() {
    CURLSH* share = curl_share_init();
    if (!share) return nullptr;
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &Lock);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &Unlock);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    return share;
}

}  // namespace

CURLSH* ProcessShare() {
    // Never cleaned up: handles lent out until the process ends still point at it.
    static CURLSH* const share = MakeShare();
    return share;
}

}  // namespace FutureDownloads::detail
