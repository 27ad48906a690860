#pragma once
// The transfer handles of the whole process, lent to whichever thread fetches next. Each set
// keeps its open connections between transfers, so a run's files reuse a few connections
// whatever thread (a new Turbo worker per file) fetches them. libcurl's shared connection
// cache is not safe across threads in the libcurl we build on; a whole set lent to one thread
// at a time is.
#include <curl/curl.h>

#include <memory>

namespace FutureDownloads::detail {

struct CurlHandles {
    CURLM* multi = nullptr;  // holds the set's connection cache
    CURL* easy = nullptr;

    CurlHandles();
    ~CurlHandles();
    CurlHandles(const CurlHandles&) = delete;
    CurlHandles& operator=(const CurlHandles&) = delete;
    bool valid() const { return multi && easy; }
};

// An idle set (the one returned last, whose connection is the freshest) or a new one; null
// only when libcurl cannot allocate. A set is used by one thread until it is given back.
std::unique_ptr<CurlHandles> LendHandles();
// Keeps the set for the next transfer; beyond a few idle sets it is closed instead.
void GiveBackHandles(std::unique_ptr<CurlHandles> handles);

}  // namespace FutureDownloads::detail
