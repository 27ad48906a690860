#pragma once
// The WinINet session of the whole process: one, so its connections to a server are kept
// alive and reused from one file to the next, whichever thread fetches them.
#include <windows.h>
#include <wininet.h>

#include <string>

namespace FutureDownloads::detail {

// Null when WinINet could not be opened (GetLastError tells why).
HINTERNET ProcessSession();

// WinINet's (or the system's) own words for an error code, with the code.
std::string InternetErrorText(DWORD code);

}  // namespace FutureDownloads::detail
