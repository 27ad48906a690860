#pragma once
// What every transfer of the process shares besides its connection: TLS sessions (a new
// connection to the server resumes the session instead of a full handshake) and resolved
// names. libcurl guards these with the locks given here, so handles on any thread may use them.
#include <curl/curl.h>

namespace FutureDownloads::detail {

// The process's share object; null when libcurl could not make one (transfers then go without).
CURLSH* ProcessShare();

}  // namespace FutureDownloads::detail
