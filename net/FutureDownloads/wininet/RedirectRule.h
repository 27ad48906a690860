#pragma once
#include <string>

namespace FutureDownloads::detail {

// Whether a redirect may lead from one address to the next: only to http or https, and from
// https never to plain http, where anyone on the way could hand over another file.
bool RedirectAllowed(const std::string& from, const std::string& to);

}  // namespace FutureDownloads::detail
