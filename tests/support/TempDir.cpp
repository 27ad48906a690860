#include "tests/support/TempDir.h"

#include "core/Utf8Path.h"
#include "tests/support/TestSystem.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace packwell::test {

TempDir::TempDir() {
    root_ = MakeTempFolder("packwell-test-");
    fs::create_directories(appData());
    fs::create_directories(cwd());
    oldAppData_ = GetEnv("APPDATA");
    SetEnv("APPDATA", Utf8FromPath(appData()));
    oldCwd_ = fs::current_path();
    fs::current_path(cwd());
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    SetEnv("APPDATA", oldAppData_);
    fs::remove_all(root_, ec);
}

fs::path TempDir::write(const fs::path& relative, const std::string& content) const {
    fs::path p = root_ / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
    return p;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string sampleBytes(std::size_t n, char seed) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + i * 7);
    return s;
}

std::vector<std::string> listDir(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(Utf8FromPath(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace packwell::test
