// Real files of this system against the check a downloaded program must pass before it may
// replace the running one: only a whole program for this machine goes through.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Processes.h"
#include "tests/selfupdate/Fixtures.h"
#include "tests/selfupdate/KindCases.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

TEST(NewProgramKind, OnlyAWholeProgramForThisMachineGoesThrough) {
    TempDir temp;
    const fs::path self = platform::OwnExecutablePath();
    const std::string selfBytes = readFile(self);
    // A cut that keeps the header tables but not the code: the section header table is
    // unnamed (offset and count 0), as a stripped program may have it.
    std::string headOnly = selfBytes.substr(0, 64 * 1024);
    headOnly.replace(40, 8, std::string(8, '\0'));
    headOnly.replace(60, 2, std::string(2, '\0'));
    const KindCase cases[] = {
        {"this test program (position-independent)", self, ImageFault::None},
        {"a static program of this machine", Fixture("native-program"), ImageFault::None},
        {"an aarch64 program", Fixture("aarch64-program"), ImageFault::OtherMachine},
        {"an i386 program", Fixture("i386-program"), ImageFault::OtherMachine},
        {"an object file of this machine", Fixture("native-object"), ImageFault::NotAProgram},
        {"the first half of this test program", temp.write("half", selfBytes.substr(0, selfBytes.size() / 2)),
         ImageFault::Truncated},
        {"the first 64 KiB of this test program without section headers", temp.write("head", headOnly),
         ImageFault::Truncated},
        {"the four bytes of the ELF magic alone", temp.write("magic", "\x7F" "ELF"), ImageFault::Truncated},
        {"a shell script", temp.write("script", "#!/bin/sh\necho hi\n"), ImageFault::OtherFormat},
    };
    ExpectKinds(cases);
}

}  // namespace
}  // namespace packwell::test
