#include "tests/durability/SyncEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "core/Utf8Path.h"

namespace packwell::test {
namespace {

std::mutex g_mutex;
std::vector<Event> g_events;

}  // namespace

void Record(Event e) {
    std::lock_guard lock(g_mutex);
    g_events.push_back(std::move(e));
}

void ClearEvents() {
    std::lock_guard lock(g_mutex);
    g_events.clear();
}

std::string EventPath(const std::filesystem::path& path) { return Utf8FromPath(path.lexically_normal()); }

void ExpectSyncedBeforeNamed(const std::filesystem::path& target) {
    std::lock_guard lock(g_mutex);
    const std::string name = EventPath(target);
    bool named = false;
    for (std::size_t i = 0; i < g_events.size() && !named; ++i) {
        const Event& e = g_events[i];
        if (e.kind != Event::Kind::Named || e.path != name) continue;
        named = true;
        bool synced = false;
        for (std::size_t j = 0; j < i; ++j) {
            const Event& before = g_events[j];
            if (before.kind == Event::Kind::Written && before.path == e.from) synced = false;
            if ((before.kind == Event::Kind::Synced && before.path == e.from) || before.kind == Event::Kind::SyncedAll)
                synced = true;
        }
        EXPECT_TRUE(synced) << e.from << " took the name " << name << " without a sync after its last write";
    }
    EXPECT_TRUE(named) << "nothing took the name " << name;
}

std::size_t SyncCount() {
    std::lock_guard lock(g_mutex);
    return static_cast<std::size_t>(std::count_if(g_events.begin(), g_events.end(), [](const Event& e) {
        return e.kind == Event::Kind::Synced || e.kind == Event::Kind::SyncedAll;
    }));
}

}  // namespace packwell::test
