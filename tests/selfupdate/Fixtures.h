#pragma once
// Files built with the tests: a program of this machine, programs of other machines and an
// object file (see CMakeLists.txt).
#include <filesystem>

namespace packwell::test {

inline std::filesystem::path Fixture(const char* name) { return std::filesystem::path(FIXTURE_DIR) / name; }

}  // namespace packwell::test
