#include "platform/Network.h"

#include <windows.h>
#include <wininet.h>

namespace platform {

bool HasNetworkConnection() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace platform
