#pragma once
// Small helpers the benchmark programs share. Each program still decides what it compares and
// what it prints; this only keeps the plumbing in one place.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace packwell::bench {

struct Options {
    bool quick = false;
    int rounds = 5;  // odd, so the median is one of the runs
};

// A further "--name N" a program takes; N is stored into *value (at least 1).
struct NumberOption {
    const char* name;
    int* value;
};

// Reads --quick, --rounds N and the given number options. On anything else prints the usage
// and returns nothing.
std::optional<Options> ParseOptions(int argc, char** argv, std::initializer_list<NumberOption> more = {});

// Whether each program is installed: nginx where the launcher looks for it, the rest on PATH.
// Names the missing ones on stderr, so a run fails before it writes its files.
bool Installed(std::initializer_list<const char*> programs);

// Runs a benchmark's body: exit status 0, or 1 with the failure printed. Catching here lets
// every temporary folder and server on the way out be removed.
int RunGuarded(const std::function<void()>& body);

// Wall-clock seconds `work` takes.
double Seconds(const std::function<void()>& work);

// How a child process went, from its own resource usage.
struct ChildFigures {
    double seconds = 0;     // wall time from start to exit
    double cpuSeconds = 0;  // user + system
    long peakKiB = 0;       // peak resident set
    bool ok = false;        // exited with status 0
};

// Which of the child's streams go to /dev/null.
enum class Silence { Stdout, StdoutAndStderr };

// Runs a program (looked up on PATH) and waits for it; throws when it cannot start. A program
// measured this way starts fresh, so its peak memory counts everything it loads (a forked copy
// of the caller would not count library pages it inherits and never touches).
ChildFigures RunCommand(const std::vector<std::string>& argv, Silence silence = Silence::Stdout);

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Bytes that look like compressed data (no runs, no structure); the same seed gives the same
// stream.
class NoiseSource {
public:
    explicit NoiseSource(std::uint64_t seed) : x_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    void Fill(char* data, std::size_t size);

private:
    std::uint64_t x_;  // xorshift64
};

// `size` bytes that look like a compressed mod file (no runs, no structure); the same seed
// gives the same bytes. Throws when the file cannot be written.
void WriteNoise(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed);

// Whether two files hold the same bytes.
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace packwell::bench
