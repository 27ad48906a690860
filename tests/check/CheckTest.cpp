#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "core/check/CompatibilityCheck.h"
#include "core/manifest/ManifestFetch.h"
#include "platform/PartFile.h"
#include "platform/Sha256.h"
#include "platform/ResumeRecord.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using Lines = std::vector<std::string>;
constexpr std::int64_t MiB = 1024 * 1024;

struct Entry {
    std::string name;
    std::int64_t size = 0;
    std::string sha256 = {};  // the mod<i>sha256 value as written; none when empty
};

std::string Sha256Of(const std::string& content) {
    platform::Sha256 hash;
    hash.Update(content.data(), content.size());
    return platform::Sha256Hex(hash.Final());
}

std::string ManifestText(const std::vector<Entry>& mods, const std::vector<std::string>& dels) {
    std::string t = "[Update]\nlastversion=1.2.6.3\n[modlist]\nCount=" + std::to_string(mods.size()) + "\n";
    for (std::size_t i = 0; i < mods.size(); ++i) {
        const std::string k = "mod" + std::to_string(i + 1);
        t += k + "=" + mods[i].name + "\n" + k + "size=" + std::to_string(mods[i].size) + "\n";
        if (!mods[i].sha256.empty()) t += k + "sha256=" + mods[i].sha256 + "\n";
    }
    t += "[dellist]\nCount=" + std::to_string(dels.size()) + "\n";
    for (std::size_t i = 0; i < dels.size(); ++i) t += "mod" + std::to_string(i + 1) + "=" + dels[i] + "\n";
    return t;
}

// Lines with a time prefix compare by pattern, the rest exactly. The time is "[H:mm:ss] ", or on
// Windows in the user locale's long time format (an English one adds AM or PM).
void ExpectLog(const Lines& actual, const Lines& expected) {
    static const std::regex stamp(R"(^\[\d{1,2}:\d{2}:\d{2}(?: [AP]M)?\] )");
    ASSERT_EQ(actual.size(), expected.size()) << ::testing::PrintToString(actual);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].rfind("[time] ", 0) == 0) {
            EXPECT_TRUE(std::regex_search(actual[i], stamp)) << actual[i];
            EXPECT_EQ(std::regex_replace(actual[i], stamp, ""), expected[i].substr(7)) << "line " << i;
        } else {
            EXPECT_EQ(actual[i], expected[i]) << "line " << i;
        }
    }
}

class Check : public ::testing::Test {
protected:
    Check() {
        fs::create_directories(tmp_.appData());
        fs::create_directories(game_ / "mods");
        request_.baseUrl = server_.url("");
        request_.manifestPath = tmp_.appData() / "Update.ini";
        request_.modsDir = game_ / "mods";
        request_.versionModsDir = game_ / "mods" / "1.12.2";
        request_.isConnected = [] { return true; };
    }

    void Publish(const std::vector<Entry>& mods, const std::vector<std::string>& dels = {}) {
        server_.serve("/Update", ManifestText(mods, dels));
    }
    fs::path InMods(const std::string& name, const std::string& content = "jar") {
        return tmp_.write(fs::path("game/mods") / name, content);
    }
    fs::path InVersion(const std::string& name, const std::string& content = "jar") {
        return tmp_.write(fs::path("game/mods/1.12.2") / name, content);
    }
    CheckResult Run() { return RunCompatibilityCheck(log_, request_, lists_).result; }

    test::TempDir tmp_;
    test::HttpServer server_;
    fs::path game_ = tmp_.root() / "game";
    CheckRequest request_;
    StatusLog log_;
    SyncLists lists_;
};

TEST_F(Check, ExampleRunLogsEveryFindingInOrder) {
    std::vector<Entry> mods;
    for (int i = 1; i <= 120; ++i) mods.push_back({"mod" + std::to_string(i) + ".jar", MiB});
    mods[0].name = "name1";
    mods[1].name = "name2";
    Publish(mods, {"old1.jar", "old2.jar", "absent.jar"});
    for (std::size_t i = 2; i < mods.size(); ++i) InVersion(mods[i].name);
    InVersion("name1", "<html>404: Not Found</html>");
    InVersion("old1.jar");
    InVersion("old2.jar");
    tmp_.write("appdata/Update.ini", "stale");
    log_.Console("welcome");

    ASSERT_EQ(Run(), CheckResult::Checked);

    ExpectLog(log_.Lines(), {"[time] welcome", " ", "=====Проверка совместимости=====", "[time] Конфиг очищен.",
                             "[time] Конфиг загружен.", "Всего модов на сервере: 120 шт. (120 Мб.)",
                             " ! Поврежденный файл: name1", "* Отсутствует: name1", "* Отсутствует: name2",
                             "======Завершение проверки=======", "Отсутствуют моды: 2 шт. (2 Мб.)",
                             "Можно удалить файлов: 2 шт."});
    EXPECT_EQ(lists_.MissingList, (Lines{"name1", "name2"}));
    EXPECT_EQ(lists_.DeleteList, (Lines{"old1.jar", "old2.jar"}));
    EXPECT_EQ(lists_.ServerTotal, 120 * MiB);
    EXPECT_EQ(lists_.MissingTotal, 2 * MiB);
    EXPECT_FALSE(fs::exists(request_.versionModsDir / "name1"));
    EXPECT_TRUE(fs::exists(request_.manifestPath));
}

TEST_F(Check, StrayCopiesAreGatheredAndSizesNotCompared) {
    Publish({{"only_in_mods.jar", 10}, {"in_both.jar", 20}, {"other_size.jar", 999}},
            {"del_in_mods.jar", "del_nowhere.jar"});
    InMods("only_in_mods.jar");
    InMods("in_both.jar", "stray copy");
    InVersion("in_both.jar", "kept copy");
    InVersion("other_size.jar", "3b!");
    InMods("del_in_mods.jar");
    InMods("unlisted.jar");

    ASSERT_EQ(Run(), CheckResult::Checked);

    EXPECT_TRUE(lists_.MissingList.empty());
    EXPECT_EQ(lists_.DeleteList, (Lines{"del_in_mods.jar"}));
    EXPECT_TRUE(lists_.HasWork());  // nothing missing, one deletable: the run button is enabled
    EXPECT_EQ(test::listDir(request_.modsDir), (Lines{"1.12.2", "in_both.jar", "unlisted.jar"}));
    EXPECT_EQ(test::readFile(request_.modsDir / "in_both.jar"), "stray copy");
    EXPECT_EQ(test::readFile(request_.versionModsDir / "in_both.jar"), "kept copy");
    EXPECT_EQ(test::listDir(request_.versionModsDir),
              (Lines{"del_in_mods.jar", "in_both.jar", "only_in_mods.jar", "other_size.jar"}));
    const Lines lines = log_.Lines();
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{"======Завершение проверки=======", "Отсутствуют моды: 0 шт. (0 Байт)", "Можно удалить файлов: 1 шт."}));
}

// A dellist name Windows would take for a listed mod, or that reaches its file, is not offered
// for deletion; a listed name that is an earlier one's file on this system counts once.
TEST_F(Check, NamesThatAreOneFileAreOneMod) {
    Publish({{"jei.jar", 1}, {"JEI.jar", 1}, {"real.jar", 1}, {"twin.jar", 1}, {"Новый.jar", 1}, {"НОВЫЙ.jar", 1}},
            {"Jei.JAR", "link.jar", "old.jar"});
    InVersion("jei.jar");
    InVersion("real.jar");
    fs::create_hard_link(request_.versionModsDir / "real.jar", request_.versionModsDir / "twin.jar");
    fs::create_hard_link(request_.versionModsDir / "real.jar", request_.versionModsDir / "link.jar");
    InVersion("old.jar");

    ASSERT_EQ(Run(), CheckResult::Checked);

    EXPECT_EQ(lists_.MissingList, (Lines{"Новый.jar"}));
    EXPECT_EQ(lists_.ListedMods, (Lines{"jei.jar", "real.jar", "Новый.jar"}));
    EXPECT_EQ(lists_.DeleteList, (Lines{"old.jar"}));
    const Lines lines = log_.Lines();
    for (const char* line : {" ! Имя совпадает с другим модом списка (один файл): JEI.jar",
                             " ! Имя совпадает с другим модом списка (один файл): twin.jar",
                             " ! Имя совпадает с другим модом списка (один файл): НОВЫЙ.jar",
                             " ! Оставлен, это мод из списка сервера: link.jar"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    EXPECT_TRUE(fs::exists(request_.versionModsDir / "jei.jar"));
}

// The count line shows "Count" as the manifest states it, a negative one included.
TEST_F(Check, ManifestListingNothingLeavesNothingToDo) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "0"},
        {"[modlist]\nCount=-3\nmod1=a.jar\nmod1size=7\n", "-3"},
    };
    for (const auto& [manifest, count] : cases) {
        server_.serve("/Update", manifest);
        fs::remove(request_.manifestPath);
        StatusLog log;
        ASSERT_EQ(RunCompatibilityCheck(log, request_, lists_).result, CheckResult::Checked);
        ExpectLog(log.Lines(), {"=====Проверка совместимости=====", "[time] Конфиг загружен.",
                                "Всего модов на сервере: " + count + " шт. (0 Байт)", "======Завершение проверки=======",
                                "Отсутствуют моды: 0 шт. (0 Байт)", "Можно удалить файлов: 0 шт."});
        EXPECT_FALSE(lists_.HasWork());
    }
    EXPECT_TRUE(fs::is_directory(request_.versionModsDir));
}

TEST_F(Check, SecondCheckRebuildsAndFailedFetchKeepsTheLists) {
    Publish({{"a.jar", 1}, {"b.jar", 2}}, {"old.jar"});
    InVersion("old.jar");
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_EQ(lists_.MissingList, (Lines{"a.jar", "b.jar"}));

    InVersion("a.jar");
    Publish({{"a.jar", 1}, {"b.jar", 2}, {"c.jar", 4}});
    const std::size_t before = log_.LineCount();
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_EQ(lists_.MissingList, (Lines{"b.jar", "c.jar"}));
    EXPECT_TRUE(lists_.DeleteList.empty());
    EXPECT_EQ(lists_.MissingTotal, 6);
    const Lines second = log_.Lines();
    ExpectLog(Lines(second.begin() + before, second.begin() + before + 4),
              {" ", "=====Проверка совместимости=====", "[time] Конфиг очищен.", "[time] Конфиг загружен."});

    const SyncLists kept = lists_;
    server_.serve("/Update", "<h1>404: Not Found</h1>", 404);
    const std::size_t beforeFail = log_.LineCount();
    const CheckOutcome failed = RunCompatibilityCheck(log_, request_, lists_);
    EXPECT_EQ(failed.result, CheckResult::ManifestNotFetched);
    EXPECT_FALSE(failed.detail.empty());
    EXPECT_EQ(lists_.MissingList, kept.MissingList);
    EXPECT_EQ(lists_.MissingTotal, kept.MissingTotal);
    const Lines third = log_.Lines();
    ExpectLog(Lines(third.begin() + beforeFail, third.end()),
              {" ", "=====Проверка совместимости=====", "[time] Конфиг очищен.", "[time] Ошибка загрузки конфига."});
    EXPECT_FALSE(fs::exists(request_.manifestPath));
}

TEST_F(Check, OfflineWritesTwoLinesAndTouchesNothing) {
    Publish({{"a.jar", 1}});
    lists_.DeleteList = {"earlier.jar"};
    request_.isConnected = [] { return false; };
    EXPECT_EQ(Run(), CheckResult::NoConnection);
    ExpectLog(log_.Lines(), {"[time] Ошибка подключения к серверу.", "[time] Операция отменена."});
    EXPECT_EQ(lists_.DeleteList, (Lines{"earlier.jar"}));
    EXPECT_EQ(server_.requestCount(), 0u);
}

TEST_F(Check, UnsafeNamesNeverBecomePaths) {
    const fs::path strayOutside = tmp_.write("game/outside.jar", "player's file");   // mods/../outside.jar
    const fs::path pageOutside = InMods("page.txt", "404: Not Found");               // 1.12.2/../page.txt
    const fs::path planted = tmp_.write("game/planted.txt", "must survive");          // 1.12.2/../../planted.txt
    Publish({{"../outside.jar", 1}, {"../page.txt", 1}, {"..", 1}, {"sub\\x.jar", 1}, {"C:x.jar", 1}, {"", 5}},
            {"../../planted.txt", "../page.txt", "ok.jar"});
    InVersion("ok.jar");

    ASSERT_EQ(Run(), CheckResult::Checked);

    EXPECT_EQ(test::readFile(strayOutside), "player's file");
    EXPECT_EQ(test::readFile(pageOutside), "404: Not Found");
    EXPECT_EQ(test::readFile(planted), "must survive");
    // The empty name keeps its old treatment: listed as missing with nothing after the colon.
    EXPECT_EQ(lists_.MissingList, (Lines{""}));
    EXPECT_EQ(lists_.MissingTotal, 5);
    EXPECT_EQ(lists_.DeleteList, (Lines{"ok.jar"}));
    const Lines lines = log_.Lines();
    for (const char* bad : {"../outside.jar", "../page.txt", "..", "sub\\x.jar", "C:x.jar", "../../planted.txt"})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(" ! Недопустимое имя файла: ") + bad), 1) << bad;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "* Отсутствует: "), 1);
}

// A refused name reaches the log (and so the window and the terminal) with its control bytes
// escaped: it cannot set the terminal title or clear the screen.
TEST_F(Check, RefusedNamesAreLoggedWithControlsEscaped) {
    Publish({{"\x1B]0;pwned\x07../a.jar", 1}, {"x\x1B[2J\x1B[H.jar", 1}});
    ASSERT_EQ(Run(), CheckResult::Checked);
    const Lines lines = log_.Lines();
    for (const char* shown : {" ! Недопустимое имя файла: \\x1B]0;pwned\\x07../a.jar",
                              " ! Недопустимое имя файла: x\\x1B[2J\\x1B[H.jar"})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), shown), 1) << shown;
    for (const auto& line : lines) EXPECT_EQ(line.find('\x1B'), std::string::npos) << line;
}

TEST_F(Check, HugeCountIsBoundedAndReportedOnce) {
    server_.serve("/Update", "[modlist]\nCount=2147483647\nmod1=a.jar\nmod1size=7\n");
    InVersion("a.jar");
    ASSERT_EQ(Run(), CheckResult::Checked);
    const Lines lines = log_.Lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("2147483647") != std::string::npos; }),
              2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         " ! Слишком длинный список modlist: 2147483647 шт., проверены первые 100000"),
              1);
    // The count line says what the manifest states; the walk stops at the bound.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Всего модов на сервере: 2147483647 шт. (7 Байт)"), 1);
    EXPECT_EQ(lists_.MissingList.size(), 99999u);  // the unnamed entries after a.jar
    EXPECT_EQ(lists_.ServerTotal, 7);
}

// A killed run leaves part files in the mods folders and AppDataDir: the check takes exactly
// those, never a file that only looks alike, nor one a running download still writes.
TEST_F(Check, LeftoverPartFilesGoAndEverythingElseStays) {
    Publish({{"a.jar", 1}});
    const std::string leftover = ".pw-0123456789abcdef-0a1b2c3d4e5z.part";
    const std::vector<fs::path> folders = {tmp_.appData(), request_.modsDir, request_.versionModsDir};
    const std::string otherCase = ".pw-0123456789ABCDEF-0a1b2c3d4e5z.part";
    Lines alike = {".pw-0123456789abcdef-0a1b2c3d4e5z.part.jar", otherCase,
                   ".pw-0123456789abcdef-0a1b2c3d4e5.part", "pw-0123456789abcdef-0a1b2c3d4e5z.part",
                   ".a.jar.part-0a1b2c3d4e5z", "a.jar.part"};
    // Where names fold case (Windows) the other spelling is the leftover itself.
    tmp_.write(fs::path("appdata") / leftover, "half a mod");
    if (fs::exists(tmp_.appData() / otherCase)) std::erase(alike, otherCase);
    for (const fs::path& folder : folders) {
        tmp_.write(folder.lexically_relative(tmp_.root()) / leftover, "half a mod");
        for (const auto& name : alike) tmp_.write(folder.lexically_relative(tmp_.root()) / name, "keep");
    }
    fs::create_directories(request_.versionModsDir / ".pw-fedcba9876543210-zzzzzzzzzzzz.part");  // a folder
    platform::PartFile running(request_.versionModsDir / "b.jar");
    ASSERT_TRUE(running.IsOpen()) << running.Error();

    ASSERT_EQ(Run(), CheckResult::Checked);

    for (const fs::path& folder : folders) {
        EXPECT_FALSE(fs::exists(folder / leftover)) << folder;
        for (const auto& name : alike) EXPECT_TRUE(fs::exists(folder / name)) << folder / name;
    }
    EXPECT_TRUE(fs::is_directory(request_.versionModsDir / ".pw-fedcba9876543210-zzzzzzzzzzzz.part"));
    EXPECT_TRUE(fs::exists(running.Path())) << "a download in progress keeps its part file";
}

// Kept part files wait only for a listed mod, and not for ever; a record goes with its part.
TEST_F(Check, KeptPartFilesGoOnceNoListedModWantsThem) {
    Publish({{"listed.jar", 1}, {"old.jar", 1}, {"held.jar", 1}});
    const fs::path mods = request_.versionModsDir;
    const auto keep = [&](const std::string& mod) {
        tmp_.write(mods.lexically_relative(tmp_.root()) / platform::KeptPartFileName(mod), "half");
        tmp_.write(mods.lexically_relative(tmp_.root()) / platform::ResumeRecordName(mod), "record");
    };
    for (const char* mod : {"listed.jar", "old.jar", "gone.jar"}) keep(mod);
    fs::last_write_time(mods / platform::KeptPartFileName("old.jar"),
                        fs::file_time_type::clock::now() - std::chrono::hours(24 * 8));
    tmp_.write(mods.lexically_relative(tmp_.root()) / platform::ResumeRecordName("orphan.jar"), "record");
    platform::PartFile held(mods / "unlisted.jar", platform::PartFile::Mode::Resumable);
    ASSERT_TRUE(held.IsResumable());

    ASSERT_EQ(Run(), CheckResult::Checked);

    Lines left = {platform::KeptPartFileName("listed.jar"), platform::ResumeRecordName("listed.jar"),
                  platform::KeptPartFileName("unlisted.jar")};  // the last one held by a download
    std::ranges::sort(left);
    EXPECT_EQ(test::listDir(mods), left);
}

// A larger or endless manifest would fill the disk and then the memory that reads it.
TEST_F(Check, ManifestAboveTheCapIsAFailedFetch) {
    std::string huge = "[modlist]\nCount=0\n";
    huge.resize(kMaxManifestBytes + 1, ';');
    server_.serve("/Update", huge);
    const CheckOutcome outcome = RunCompatibilityCheck(log_, request_, lists_);
    EXPECT_EQ(outcome.result, CheckResult::ManifestNotFetched);
    ExpectLog(log_.Lines(), {"=====Проверка совместимости=====", "[time] Ошибка загрузки конфига."});
    EXPECT_TRUE(test::listDir(tmp_.appData()).empty()) << "neither the manifest nor its part file";
}

// Each size is 64-bit: one file over 2 GiB, a pack over 4 GiB.
TEST_F(Check, SizesAndTotalsPassFourGibibytes) {
    Publish({{"big1.jar", 3000000000LL}, {"big2.jar", 2368709120LL}, {"small.jar", 1024}});
    InVersion("small.jar");
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_EQ(lists_.ServerTotal, 5LL * 1024 * MiB + 1024);
    EXPECT_EQ(lists_.MissingTotal, 5LL * 1024 * MiB);
    const Lines lines = log_.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Всего модов на сервере: 3 шт. (5 Гб.)"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Отсутствуют моды: 2 шт. (5 Гб.)"), lines.end());
}

// What the manifest says of a file's content decides whether a present file is damaged; a
// value that is no digest is ignored, so a mistyped manifest never costs a player a file.
TEST_F(Check, ManifestDigestDecidesWhetherAPresentFileIsDamaged) {
    const std::string content = "the server's jar";
    std::string upper = Sha256Of(content);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        const char* what;
        std::string sha256;
        bool damaged;
    } cases[] = {
        {"right digest", Sha256Of(content), false},
        {"right digest in capitals", upper, false},
        {"digest of other content", Sha256Of("another jar of same size"), true},
        {"no digest", "", false},
        {"63 digits", Sha256Of(content).substr(1), false},
        {"not hex", std::string(64, 'g'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Publish({{"a.jar", 16, c.sha256}});
        InVersion("a.jar", content);
        StatusLog log;
        ASSERT_EQ(RunCompatibilityCheck(log, request_, lists_).result, CheckResult::Checked);
        const Lines lines = log.Lines();
        const bool damagedLine = std::count(lines.begin(), lines.end(), " ! Поврежденный файл: a.jar") == 1;
        EXPECT_EQ(damagedLine, c.damaged);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "* Отсутствует: a.jar"), c.damaged ? 1 : 0);
        EXPECT_EQ(fs::exists(request_.versionModsDir / "a.jar"), !c.damaged);
        EXPECT_EQ(lists_.MissingList, c.damaged ? Lines{"a.jar"} : Lines{});
        EXPECT_EQ(lists_.Digests.contains("a.jar"), c.damaged) << "the run fetches against the digest";
    }
}

// An error page is damaged whatever the digest says, and a file that cannot be deleted stays
// present, as with an error page.
TEST_F(Check, ErrorPageWithADigestIsDamagedToo) {
    const std::string page = "<h1>404: Not Found</h1>";
    Publish({{"page.jar", 1, Sha256Of(page)}});
    InVersion("page.jar", page);
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_EQ(lists_.MissingList, Lines{"page.jar"});
    EXPECT_FALSE(fs::exists(request_.versionModsDir / "page.jar"));
}

void SetWriteTime(const fs::path& file, fs::file_time_type when) {
    fs::last_write_time(file, std::chrono::floor<std::chrono::seconds>(when));
}

// Once verified, an unchanged file is vouched for by the cache and not read again; the proof is
// a same-size change hidden under the old time, which only a read would find. Every way the
// cache can be lost or wrong costs a read, never a wrong answer.
TEST_F(Check, VerifiedCacheSparesReadingUnchangedFilesAndIsOnlyAShortcut) {
    const std::string good = "the server's jar", other = "a changed jar!!!";
    const fs::path cache = tmp_.appData() / kVerifiedCacheFile;
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        const char* what;
        std::function<void(const fs::path& jar)> spoil;
        bool read;  // whether the second check must read the file
    } cases[] = {
        {"cache as written", [](const fs::path&) {}, false},
        {"cache missing", [&](const fs::path&) { fs::remove(cache); }, true},
        {"garbage", [&](const fs::path&) { tmp_.write("appdata/Verified.cache", std::string(300, '\xFF') + "\n\x01 x"); }, true},
        {"truncated inside its entry",
         [&](const fs::path&) {
             const std::string text = test::readFile(cache);
             tmp_.write("appdata/Verified.cache", text.substr(0, text.size() - 20));
         },
         true},
        {"entry whose time no longer matches", [&](const fs::path& jar) { SetWriteTime(jar, hourAgo + std::chrono::seconds(10)); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Publish({{"a.jar", 16, Sha256Of(good)}});
        fs::remove(cache);
        const fs::path jar = InVersion("a.jar", good);
        SetWriteTime(jar, hourAgo);
        ASSERT_EQ(Run(), CheckResult::Checked);
        ASSERT_TRUE(lists_.MissingList.empty());
        ASSERT_TRUE(fs::exists(cache));

        const auto stamp = fs::last_write_time(jar);
        tmp_.write("game/mods/1.12.2/a.jar", other);
        fs::last_write_time(jar, stamp);
        c.spoil(jar);
        ASSERT_EQ(Run(), CheckResult::Checked);
        EXPECT_EQ(lists_.MissingList, c.read ? Lines{"a.jar"} : Lines{});
        EXPECT_EQ(fs::exists(jar), !c.read);
    }
}

// A file whose time is not well before the moment it was hashed could have been written again
// within the clock's granularity without its time changing: the cache does not vouch for it.
TEST_F(Check, VerifiedCacheDoesNotVouchForAFileWrittenAsItWasHashed) {
    const std::string good = "the server's jar";
    Publish({{"a.jar", 16, Sha256Of(good)}});
    const fs::path jar = InVersion("a.jar", good);
    // Later than the check's own clock: at least as close to the hashing as a racy write.
    SetWriteTime(jar, fs::file_time_type::clock::now() + std::chrono::minutes(1));
    ASSERT_EQ(Run(), CheckResult::Checked);
    ASSERT_TRUE(lists_.MissingList.empty());

    const auto stamp = fs::last_write_time(jar);
    tmp_.write("game/mods/1.12.2/a.jar", "a changed jar!!!");
    fs::last_write_time(jar, stamp);
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_EQ(lists_.MissingList, Lines{"a.jar"});
}

// Without any digest in the manifest the check neither reads nor writes a cache.
TEST_F(Check, ManifestWithoutDigestsLeavesNoCache) {
    Publish({{"a.jar", 3}});
    InVersion("a.jar");
    ASSERT_EQ(Run(), CheckResult::Checked);
    EXPECT_FALSE(fs::exists(tmp_.appData() / kVerifiedCacheFile));
}


}  // namespace
}  // namespace packwell
