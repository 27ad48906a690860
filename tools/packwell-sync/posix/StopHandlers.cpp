#include <csignal>

#include "tools/packwell-sync/StopSignal.h"

namespace packwell::cli {
namespace {

extern "C" void OnStopSignal(int) { RequestStop(); }

}  // namespace

void InstallStopSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // file reads and writes go on; the flags are polled
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace packwell::cli
