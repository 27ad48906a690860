#pragma once
// The window's part in the guard tests against a real game window: it counts the calls.
#include <gtest/gtest.h>

#include "core/gamefolder/GameGuard.h"

namespace packwell::test {

struct GuardCounts {
    int pauses = 0, warnings = 0, resumes = 0;
    GameGuardWindow window() {
        return {[this] { ++pauses; }, [this] { ++warnings; }, [this] { ++resumes; }};
    }
    // One warning, with the folder timer paused before it and resumed after.
    void ExpectWarnedOnce() const {
        EXPECT_EQ(warnings, 1);
        EXPECT_EQ(pauses, 1);
        EXPECT_EQ(resumes, 1);
    }
};

}  // namespace packwell::test
