// The error-page rule: markers in the text with line breaks removed, up to the first byte 26.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <string>
#include <vector>

#include "core/Utf8Path.h"
#include "net/FutureDownloads/FutureDownloads.h"
#include "net/FutureDownloads/MarkerScanner.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using FutureDownloads::InspectSavedFile;
using FutureDownloads::IsErrorPage;
using FutureDownloads::SavedFile;
using FutureDownloads::MarkerScanner;
using packwell::test::TempDir;

namespace {

using namespace std::string_literals;

struct Case {
    const char* name;
    std::string content;
    bool errorPage;
};

std::string Binary(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + 7) % 256 == 26 ? 27 : (i * 131 + 7) % 256);
    return s;
}

const Case kCases[] = {
    {"plain 404 page", "404: Not Found", true},
    {"inside html", "<html><body><h1>404: Not Found</h1></body></html>", true},
    {"unknown domain mid-binary", Binary(5000) + "unknown domain" + Binary(5000), true},
    {"split over lines LF", "404: Not\n Found", true},
    {"split over lines CRLF", "unknown\r\n domain", true},
    {"every char on its own line", "4\n0\r\n4\n:\n \nN\no\nt\n \nF\no\nu\nn\nd\n", true},
    {"byte 26 before the marker", Binary(100) + "\x1a"s + "404: Not Found", false},
    {"byte 26 right after the marker", "unknown domain\x1a", true},
    {"letter case matters", "404: not found UNKNOWN DOMAIN", false},
    {"partial marker only", "404: Not Foun", false},
    {"overlap restart 40404", "40404: Not Found", true},
    {"marker broken by a space", "unknown  domain", false},
    {"NUL bytes do not end the text", "\0\0"s + "404: Not Found", true},
    {"empty file", "", false},
    {"binary without marker", Binary(200000), false},
};

class ErrorMarker : public ::testing::TestWithParam<Case> {};

TEST_P(ErrorMarker, WholeFileOnDisk) {
    TempDir tmp;
    EXPECT_EQ(IsErrorPage(tmp.write("f.bin", GetParam().content)), GetParam().errorPage);
}

// Cut positions for splitting content in two: all of them for short contents; for long ones
// a spread plus every position near a marker's start or a byte 26.
std::vector<std::size_t> Cuts(const std::string& c) {
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i <= c.size(); i += c.size() <= 200 ? 1 : c.size() / 100) cuts.push_back(i);
    for (const char* mark : {"404", "unknown", "\x1a"})
        for (std::size_t at = c.find(mark); at != std::string::npos; at = c.find(mark, at + 1))
            for (std::size_t i = at; i <= std::min(c.size(), at + 20); ++i) cuts.push_back(i);
    cuts.push_back(c.size());
    return cuts;
}

// Every place a block boundary can fall must give the same answer as one block.
TEST_P(ErrorMarker, AnySplitIntoTwoBlocks) {
    const std::string& c = GetParam().content;
    for (const std::size_t cut : Cuts(c)) {
        MarkerScanner s;
        s.Feed(c.data(), cut);
        s.Feed(c.data() + cut, c.size() - cut);
        EXPECT_EQ(s.Found(), GetParam().errorPage) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorMarker, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

TEST(ErrorMarkerScanner, ByteByByteFindsMarkerAndStopsAtEndOfText) {
    const std::string text = "xx404: Not\r\n Found";
    MarkerScanner s;
    for (char ch : text) s.Feed(&ch, 1);
    EXPECT_TRUE(s.Found());

    MarkerScanner ended;
    const std::string before = "abc\x1a";
    ended.Feed(before.data(), before.size());
    EXPECT_TRUE(ended.Done());
    const std::string after = "unknown domain";
    ended.Feed(after.data(), after.size());
    EXPECT_FALSE(ended.Found());
}

// A marker straddling the edge of IsErrorPage's own read blocks, deep inside a large file.
TEST(IsErrorPage, MarkerAcrossReadBlocksOfLargeFile) {
    TempDir tmp;
    for (std::size_t at : {std::size_t{65536 - 7}, std::size_t{3 * 65536 - 1}, std::size_t{1 << 20}}) {
        std::string content = Binary(at) + "unknown\n domain" + Binary(1000);
        EXPECT_TRUE(IsErrorPage(tmp.write("big" + std::to_string(at), content))) << at;
    }
}

TEST(IsErrorPage, WhatCannotBeReadAsAFileIsNotAnErrorPage) {
    TempDir tmp;
    EXPECT_FALSE(IsErrorPage(tmp.root() / "absent.jar"));
    EXPECT_FALSE(IsErrorPage(tmp.root()));
    EXPECT_EQ(InspectSavedFile(tmp.root()), SavedFile::None);
#ifdef _WIN32
    // A device name opens the device wherever it stands in a path.
    EXPECT_EQ(InspectSavedFile(tmp.root() / "NUL"), SavedFile::None);
#else
    const fs::path pipe = tmp.root() / "pipe.jar";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(IsErrorPage(pipe));  // returns at once instead of waiting for a writer
#endif
}

#ifdef _WIN32
// A file another program holds without sharing cannot be read, yet it is a file.
TEST(IsErrorPage, FileHeldByAnotherProgramIsContent) {
    TempDir tmp;
    const fs::path path = tmp.write(packwell::PathFromUtf8("Мод.jar"), "404: Not Found");
    EXPECT_EQ(InspectSavedFile(path), SavedFile::ErrorPage);  // read through its wide name
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(InspectSavedFile(path), SavedFile::Content);
    CloseHandle(held);
}
#endif

}  // namespace
