#include "bench/common/Bench.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "tests/support/Nginx.h"

extern char** environ;
namespace fs = std::filesystem;

namespace packwell::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double CpuSeconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

ChildFigures Wait(pid_t pid, Clock::time_point start) {
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR) throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    ChildFigures f;
    f.seconds = Since(start);
    f.cpuSeconds = CpuSeconds(usage);
    f.peakKiB = usage.ru_maxrss;
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return f;
}

// Whole-string positive number, or nothing.
std::optional<int> Number(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < 1 || n > 1'000'000) return std::nullopt;
    return static_cast<int>(n);
}

bool OnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (true) {
        const auto colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        const fs::path candidate = fs::path(dir.empty() ? "." : std::string(dir)) / program;
        if (::access(candidate.c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) return false;
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv, std::initializer_list<NumberOption> more) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            options.quick = true;
            continue;
        }
        int* target = arg == "--rounds" ? &options.rounds : nullptr;
        for (const NumberOption& o : more)
            if (arg == o.name) target = o.value;
        const std::optional<int> n = i + 1 < argc ? Number(argv[i + 1]) : std::nullopt;
        if (!target || !n) {
            std::string usage = "usage: " + std::string(argv[0]) + " [--quick] [--rounds N]";
            for (const NumberOption& o : more) usage += " [" + std::string(o.name) + " N]";
            std::fprintf(stderr, "%s\n", usage.c_str());
            return std::nullopt;
        }
        *target = *n;
        ++i;
    }
    return options;
}

bool Installed(std::initializer_list<const char*> programs) {
    bool all = true;
    for (const char* program : programs) {
        const bool found = std::string_view(program) == "nginx" ? packwell::test::Nginx::Available() : OnPath(program);
        if (!found) std::fprintf(stderr, "%s is not installed\n", program);
        all = all && found;
    }
    return all;
}

int RunGuarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}

double Seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return Since(start);
}

ChildFigures RunCommand(const std::vector<std::string>& args, Silence silence) {
    if (args.empty()) throw std::invalid_argument("RunCommand: no program");
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (silence == Silence::StdoutAndStderr)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const auto start = Clock::now();
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(spawned));
    return Wait(pid, start);
}

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder under " + fs::temp_directory_path().string());
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void NoiseSource::Fill(char* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += sizeof x_) {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 7;
        x_ ^= x_ << 17;
        std::memcpy(data + at, &x_, std::min(sizeof x_, size - at));
    }
}

void WriteNoise(const fs::path& path, std::uint64_t size, std::uint64_t seed) {
    std::ofstream out(path, std::ios::binary);
    NoiseSource noise(seed);
    std::vector<char> block(1 << 20);
    for (std::uint64_t left = size; left > 0 && out;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
        noise.Fill(block.data(), n);
        out.write(block.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

bool SameBytes(const fs::path& a, const fs::path& b) {
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (true) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() || std::memcmp(ba.data(), bb.data(), static_cast<std::size_t>(fa.gcount())) != 0)
            return false;
        if (fa.gcount() == 0) return true;
    }
}

}  // namespace packwell::bench
