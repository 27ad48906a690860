#include "bench/common/Rounds.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace packwell::bench {
namespace {

double CpuSecondsOfThisProcess() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs one peer once; a failure names the peer and the round.
ChildFigures RunOnce(const Peer& peer, int round) {
    const std::string where = peer.name + ", round " + std::to_string(round + 1) + ": ";
    try {
        if (peer.prepare) peer.prepare();
        const ChildFigures f = peer.run();
        if (!f.ok) throw std::runtime_error("the program failed");
        if (peer.verify) peer.verify();
        return f;
    } catch (const std::exception& e) {
        throw std::runtime_error(where + e.what());
    }
}

}  // namespace

Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

std::vector<PeerFigures> RunRounds(const std::vector<Peer>& peers, int rounds) {
    const std::size_t n = peers.size();
    std::vector<std::vector<double>> wall(n), cpu(n);
    std::vector<long> peak(n, 0);
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = (static_cast<std::size_t>(r) + k) % n;
            const ChildFigures f = RunOnce(peers[i], r);
            wall[i].push_back(f.seconds);
            cpu[i].push_back(f.cpuSeconds);
            peak[i] = std::max(peak[i], f.peakKiB);
        }
    }
    std::vector<PeerFigures> figures;
    for (std::size_t i = 0; i < n; ++i)
        figures.push_back({peers[i].name, peers[i].ours, SpreadOf(wall[i]), SpreadOf(cpu[i]), peak[i]});
    return figures;
}

ChildFigures Measure(const std::function<void()>& work) {
    const double cpuBefore = CpuSecondsOfThisProcess();
    ChildFigures f;
    f.seconds = Seconds(work);
    f.cpuSeconds = CpuSecondsOfThisProcess() - cpuBefore;
    f.ok = true;
    return f;
}

void PrintFigures(const std::string& scenario, const std::vector<PeerFigures>& figures, int rounds) {
    std::printf("%s: median of %d rounds, every program in each round, order rotating\n", scenario.c_str(), rounds);
    std::printf("  %-28s %9s %21s %9s %9s\n", "program", "wall s", "(min - max)", "cpu s", "peak MiB");
    for (const PeerFigures& f : figures) {
        char peak[32] = "-";
        if (f.peakKiB > 0) std::snprintf(peak, sizeof peak, "%.1f", static_cast<double>(f.peakKiB) / 1024.0);
        std::printf("  %-28s %9.3f  (%8.3f - %8.3f) %9.3f %9s\n", f.name.c_str(), f.seconds.median, f.seconds.min,
                    f.seconds.max, f.cpuSeconds.median, peak);
    }
    for (const PeerFigures& ours : figures)
        for (const PeerFigures& other : figures)
            if (ours.ours && !other.ours && other.seconds.median > 0)
                std::printf("  %s / %s = %.2f\n", ours.name.c_str(), other.name.c_str(),
                            ours.seconds.median / other.seconds.median);
    std::fflush(stdout);
}

}  // namespace packwell::bench
