#pragma once
#include <cstdint>
#include <vector>

#include "net/FutureDownloads/ProgressBar.h"

namespace packwell::test {

// Keeps what a download did to its bar.
struct RecordingBar : FutureDownloads::ProgressBar {
    std::vector<std::int64_t> maxima;     // every SetMaximum, in order
    std::vector<std::int64_t> positions;  // the position after every change
    std::int64_t position = -100;         // not yet set
    int pumps = 0;

    void SetMaximum(std::int64_t maximum) override { maxima.push_back(maximum); }
    void SetPosition(std::int64_t p) override {
        position = p;
        positions.push_back(p);
    }
    void Advance(std::int64_t delta) override {
        position += delta;
        positions.push_back(position);
    }
    void ProcessPendingEvents() override { ++pumps; }
};

}  // namespace packwell::test
