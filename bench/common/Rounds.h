#pragma once
// Rounds of a comparison: every program runs once in each round, in an order that rotates from
// round to round, so none always runs first (cold caches, a fresh server) or last; each run's
// output is verified; the figures come out as the median and the spread over the rounds.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "bench/common/Bench.h"

namespace packwell::bench {

// One program in a comparison.
struct Peer {
    std::string name;
    bool ours = false;                  // ours is compared with every peer that is not
    std::function<void()> prepare;      // before each run, not timed (a fresh output folder); may be empty
    std::function<ChildFigures()> run;  // the timed run
    // After each run, not timed: throws when the output is wrong. Empty only for a program whose
    // exit status is its whole answer (cat into /dev/null).
    std::function<void()> verify;
};

// One figure over the rounds.
struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

Spread SpreadOf(std::vector<double> values);

struct PeerFigures {
    std::string name;
    bool ours = false;
    Spread seconds;     // wall time
    Spread cpuSeconds;  // user + system
    long peakKiB = 0;   // the largest peak seen; 0 for work measured inside this process
};

// Runs `rounds` rounds. Round r starts with peer r modulo the count and goes on in list order.
// Throws when a run fails (a program's exit status not 0) or its output is wrong.
std::vector<PeerFigures> RunRounds(const std::vector<Peer>& peers, int rounds);

// Wall and CPU time of work done inside this process.
ChildFigures Measure(const std::function<void()>& work);

// A scenario's table: each peer's median wall time with its range, median CPU time and peak
// memory; then, for each of ours, its median wall time over that of every other peer.
void PrintFigures(const std::string& scenario, const std::vector<PeerFigures>& figures, int rounds);

}  // namespace packwell::bench
