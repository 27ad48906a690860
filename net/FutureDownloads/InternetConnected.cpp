#include <atomic>

#include "net/FutureDownloads/FutureDownloads.h"
#include "platform/Network.h"

namespace FutureDownloads {
namespace {

std::atomic<bool (*)()> g_probe{nullptr};

}  // namespace

bool IsInternetConnected() {
    bool (*probe)() = g_probe.load();
    return probe ? probe() : platform::HasNetworkConnection();
}

void SetInternetConnectedProbe(bool (*probe)()) { g_probe.store(probe); }

}  // namespace FutureDownloads
