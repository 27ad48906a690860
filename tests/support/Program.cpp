#include "tests/support/Program.h"

#include "tests/support/TempDir.h"

namespace packwell::test {

ProgramOutput RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& folder) {
    const std::filesystem::path out = folder / "stdout.txt", err = folder / "stderr.txt";
    ProgramOutput result;
    {
        StartedProgram started(program, args, out, err);
        result.exitCode = started.Wait();
    }
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}

}  // namespace packwell::test
