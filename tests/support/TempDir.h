#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace packwell::test {

// A fresh folder for one test. While it lives, APPDATA points at <root>/appdata and the
// current directory is <root>/cwd, so nothing a test does reaches the user's own files.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path appData() const { return root_ / "appdata"; }
    std::filesystem::path cwd() const { return root_ / "cwd"; }

    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path write(const std::filesystem::path& relative, const std::string& content) const;

private:
    std::filesystem::path root_;
    std::filesystem::path oldCwd_;
    std::optional<std::string> oldAppData_;
};

std::string readFile(const std::filesystem::path& path);

// Content for a test file: n bytes in a pattern of its own for each `seed`, so that two files,
// or a file and a shifted part of it, differ.
std::string sampleBytes(std::size_t n, char seed);

// Names of the entries directly inside a folder, sorted; empty when it does not exist.
std::vector<std::string> listDir(const std::filesystem::path& dir);

}  // namespace packwell::test
