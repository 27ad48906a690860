#pragma once
#include <cstdint>

namespace FutureDownloads {

// What a download drives while it runs. The window implements it on its own bars (queuing
// calls made from a worker thread); tests record the calls.
class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    // The announced length; -1 when none was announced (the bar shows busy).
    virtual void SetMaximum(std::int64_t maximum) = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual void Advance(std::int64_t delta) = 0;
    // Lets the calling thread handle its pending events between blocks (the window stays alive).
    virtual void ProcessPendingEvents() = 0;
};

}  // namespace FutureDownloads
