#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace packwell::test {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "packwell-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    fs::create_directories(appData());
    fs::create_directories(cwd());
    if (const char* old = std::getenv("APPDATA")) oldAppData_ = old;
    setenv("APPDATA", appData().c_str(), 1);
    oldCwd_ = fs::current_path();
    fs::current_path(cwd());
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    if (oldAppData_) setenv("APPDATA", oldAppData_->c_str(), 1);
    else unsetenv("APPDATA");
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

std::vector<std::string> listDir(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace packwell::test
