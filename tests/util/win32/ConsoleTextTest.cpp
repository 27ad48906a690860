// Windows' own limits on text and paths: UTF-8 written to a console arrives as whole wide
// characters, and a long path takes the extended form every file call accepts.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/win32/LongPath.h"
#include "platform/win32/WideConsoleBuffer.h"

namespace {

// A character cut between two writes waits for its rest; a line goes out at its end, and what is
// left of an unfinished character at the end shows as U+FFFD rather than vanishing.
TEST(WideConsoleBuffer, HandsOnWholeCharactersOnly) {
    std::wstring shown;
    int writes = 0;
    {
        platform::WideConsoleBuffer buffer([&](std::wstring_view text) {
            shown += text;
            ++writes;
        });
        std::ostream out(&buffer);
        const std::string check = "Проверка ✓ 𝄞\n";
        for (std::size_t cut = 0; cut < check.size(); cut += 3) out << check.substr(cut, 3) << std::flush;
        EXPECT_EQ(shown, L"Проверка ✓ \U0001D11E\n");
        out << "\r50 %" << std::flush << "\xD0";  // a lead byte without its rest
        EXPECT_EQ(shown, L"Проверка ✓ \U0001D11E\n\r50 %");
        EXPECT_GT(writes, 1);
    }
    EXPECT_EQ(shown, L"Проверка ✓ \U0001D11E\n\r50 %\uFFFD");
}

TEST(LongPath, LongPathsTakeTheExtendedFormAndShortOnesStayAsTheyAre) {
    const std::wstring deep = L"\\" + std::wstring(250, L'd');
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring here = current;
    if (!here.ends_with(L'\\')) here += L'\\';
    const struct {
        std::wstring given;
        std::wstring expected;
    } cases[] = {
        {L"C:\\Games\\mods\\a.jar", L"C:\\Games\\mods\\a.jar"},        // short: as it is
        {L"relative\\a.jar", L"relative\\a.jar"},
        {L"C:\\Games" + deep + L"\\a.jar", L"\\\\?\\C:\\Games" + deep + L"\\a.jar"},
        {L"C:/Games" + deep + L"/./x/../a.jar", L"\\\\?\\C:\\Games" + deep + L"\\a.jar"},  // resolved first
        {L"\\\\server\\share" + deep + L"\\a.jar", L"\\\\?\\UNC\\server\\share" + deep + L"\\a.jar"},
        {L"\\\\?\\C:\\Games" + deep, L"\\\\?\\C:\\Games" + deep},  // extended already
        {L"\\\\.\\pipe\\x" + deep, L"\\\\.\\pipe\\x" + deep},     // a device: never touched
        {L"games" + deep + L"\\a.jar", L"\\\\?\\" + here + L"games" + deep + L"\\a.jar"},  // made absolute
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::LongPath(std::filesystem::path(c.given)), c.expected) << std::filesystem::path(c.given).string();
}

// Beyond MAX_PATH a file is made, found, read and removed through the extended form.
TEST(LongPath, AFileBeyondTheLimitIsReachedThroughTheExtendedForm) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"packwell-long-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring top = folder;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    while (folder.size() < 300) {
        folder += L"\\" + std::wstring(60, L'x');
        ASSERT_TRUE(CreateDirectoryW(platform::LongPath(folder).c_str(), nullptr)) << GetLastError();
    }
    const std::wstring file = folder + L"\\Мод.jar";
    HANDLE h = CreateFileW(platform::LongPath(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_NE(GetFileAttributesW(platform::LongPath(file).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFileW(platform::LongPath(file).c_str()));
    std::error_code ec;
    std::filesystem::remove_all(platform::LongPath(top), ec);
}

}  // namespace
