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
    const KindCase cases[] = {
        {"this test program", self, ImageFault::None},
        {"a small AMD64 program", Fixture("native-program"), ImageFault::None},
        {"an ARM64 program", Fixture("aarch64-program"), ImageFault::OtherMachine},
        {"an i386 program", Fixture("i386-program"), ImageFault::OtherMachine},
        {"an AMD64 DLL", Fixture("native-dll"), ImageFault::NotAProgram},
        {"an object file of this machine", Fixture("native-object"), ImageFault::OtherFormat},
        {"the first half of this test program", temp.write("half", selfBytes.substr(0, selfBytes.size() / 2)),
         ImageFault::Truncated},
        {"the first 4 KiB of this test program", temp.write("head", selfBytes.substr(0, 4096)), ImageFault::Truncated},
        {"\"MZ\" alone", temp.write("magic", "MZ"), ImageFault::Truncated},
        {"a batch file", temp.write("script.bat", "@echo off\r\necho hi\r\n"), ImageFault::OtherFormat},
    };
    ExpectKinds(cases);
}

}  // namespace
}  // namespace packwell::test
