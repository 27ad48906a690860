#include "platform/Network.h"

#include "platform/posix/NetworkInterfaces.h"

namespace platform {

bool HasNetworkConnection() { return AnyInterfaceConnected(ListInterfaces()); }

}  // namespace platform
