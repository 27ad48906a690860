#include "tools/packwell-pack/StopWait.h"

#include <pthread.h>
#include <signal.h>

namespace packwell::pack {
namespace {

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

// Blocked here and taken by sigwait: threads started later inherit the mask.
StopWait::StopWait() {
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

StopWait::~StopWait() = default;

void StopWait::Wait() {
    const sigset_t signals = StopSignals();
    int signal = 0;
    sigwait(&signals, &signal);
}

}  // namespace packwell::pack
