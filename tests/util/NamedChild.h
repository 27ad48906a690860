#pragma once
// Test processes of this system, for the process routines' tests.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/TempDir.h"

namespace packwell::test {

// A real process, started in the folder's root, whose executable has the given file name:
// a copy of a program that waits a minute.
class NamedChild {
public:
    NamedChild(const TempDir& dir, const std::string& name);
    ~NamedChild();
    NamedChild(const NamedChild&) = delete;
    NamedChild& operator=(const NamedChild&) = delete;
    bool Started() const;
    void Stop();

private:
    struct Process;
    std::unique_ptr<Process> process_;  // the system's record of it
};

// True once `done` holds, looking every 20 ms for ten seconds.
inline bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

}  // namespace packwell::test
