#pragma once
// Real files against the check a downloaded program must pass: each system's table of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <span>

#include "core/update/ExecutableFormat.h"
#include "core/update/NewProgram.h"

namespace packwell::test {

struct KindCase {
    const char* what;
    std::filesystem::path file;
    ImageFault fault;
};

// Each file is judged as its case says, and only a whole program passes the new program's check.
inline void ExpectKinds(std::span<const KindCase> cases) {
    for (const KindCase& c : cases) {
        EXPECT_EQ(InspectExecutable(c.file), c.fault) << c.what;
        EXPECT_EQ(CheckNewProgram(c.file, -1),
                  c.fault == ImageFault::None ? NewProgramVerdict::Ok : NewProgramVerdict::NotExecutable)
            << c.what;
    }
}

}  // namespace packwell::test
