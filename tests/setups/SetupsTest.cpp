#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/extras/FetchAndOpen.h"
#include "core/settings/OptionNotices.h"
#include "core/extras/SetupsPlus.h"
#include "tests/support/DrainUntil.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace packwell {
namespace {

using Lines = std::vector<std::string>;

struct Opened {
    fs::path file;
    fs::path workingDir;
    std::string content;  // what was on disk when the opener was asked
};

// Records what the window would have asked the desktop to open, and the layout switches.
class SetupsFixture : public ::testing::Test {
protected:
    SetupsFixture()
        : setups_(queue_.Poster(), [this](const fs::path& file, const fs::path& dir) {
              opened_.push_back({file, dir, test::readFile(file)});
          }) {
        fs::create_directories(game_);
    }

    FetchAndOpenRequest Request(FutureDownloads::ProgressBar* bar = nullptr) {
        return SetupsPlusRequest(server_.url(""), game_, bar, [this](int l) { layouts_.push_back(l); });
    }
    // Presses and plays the window's thread until the end steps are over.
    FetchAndOpenOutcome Start(FutureDownloads::ProgressBar* bar = nullptr) { return Start(setups_, bar); }
    FetchAndOpenOutcome Start(FetchAndOpen& item, FutureDownloads::ProgressBar* bar = nullptr) {
        std::optional<FetchAndOpenOutcome> outcome;
        EXPECT_EQ(item.Start(Request(bar), [&](const FetchAndOpenOutcome& o) { outcome = o; }), FetchStart::Started);
        EXPECT_TRUE(test::DrainUntil(queue_, [&] { return outcome.has_value(); }));
        return outcome.value_or(FetchAndOpenOutcome{FetchAndOpenResult::DownloadFailed, "did not end"});
    }

    test::TempDir tmp_;
    test::HttpServer server_;
    fs::path game_ = tmp_.root() / "game";
    std::vector<Opened> opened_;
    std::vector<int> layouts_;
    UiQueue queue_;
    FetchAndOpen setups_;
};

// Driven from the download's thread; read once its end has been drained.
class RecordingBar : public FutureDownloads::ProgressBar {
public:
    std::int64_t maximum = 0, position = 0;
    void SetMaximum(std::int64_t m) override { maximum = m; }
    void SetPosition(std::int64_t p) override { position = p; }
    void Advance(std::int64_t d) override { position += d; }
    void ProcessPendingEvents() override {}
};

TEST_F(SetupsFixture, FreshCopyReplacesTheOldOneAndIsOpenedInTheGameFolder) {
    server_.serve("/Settingss.exe", "fresh program");
    tmp_.write("game/Settingss.exe", "old program");
    RecordingBar bar;
    EXPECT_EQ(Start(&bar).result, FetchAndOpenResult::Downloaded);

    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].file, game_ / "Settingss.exe");
    EXPECT_EQ(opened_[0].workingDir, game_);
    EXPECT_EQ(opened_[0].content, "fresh program");
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
    EXPECT_EQ(bar.maximum, 13);
    EXPECT_EQ(bar.position, 13);
    EXPECT_FALSE(setups_.Busy());
}

TEST_F(SetupsFixture, FailedDownloadOpensNothingAndRestoresTheLayout) {
    server_.serve("/Settingss.exe", "404: Not Found", 404);
    const FetchAndOpenOutcome r = Start();
    EXPECT_EQ(r.result, FetchAndOpenResult::DownloadFailed);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_TRUE(opened_.empty());
    EXPECT_FALSE(fs::exists(game_ / "Settingss.exe"));
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
}

TEST_F(SetupsFixture, MissingGameFolderFailsWithoutRequest) {
    game_ = tmp_.root() / "nowhere";
    EXPECT_EQ(Start().result, FetchAndOpenResult::DownloadFailed);
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(server_.requestCount(), 0u);
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
}

TEST_F(SetupsFixture, PressedAgainDuringItsDownloadDoesNothing) {
    server_.serveChunks("/Settingss.exe", {"part one, ", "part two"});
    std::optional<FetchAndOpenOutcome> first;
    ASSERT_EQ(setups_.Start(Request(), [&](const FetchAndOpenOutcome& o) { first = o; }), FetchStart::Started);
    EXPECT_EQ(setups_.Start(Request()), FetchStart::AlreadyRunning);
    EXPECT_TRUE(setups_.Busy());

    ASSERT_TRUE(test::DrainUntil(queue_, [&] { return first.has_value(); }));
    EXPECT_EQ(first->result, FetchAndOpenResult::Downloaded);
    EXPECT_EQ(opened_.size(), 1u);
    EXPECT_EQ(server_.requestCount(), 1u);
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
    EXPECT_FALSE(setups_.Busy());
}

// Closing the program: the download the server holds up stops at once, nothing is opened (not
// even an old copy), the layout comes back, and nothing starts any more.
TEST_F(SetupsFixture, StopCutsAStalledDownloadShortAndOpensNothing) {
    server_.serveStall("/Settingss.exe", 1000, "MZ");
    std::optional<FetchAndOpenOutcome> outcome;
    ASSERT_EQ(setups_.Start(Request(), [&](const FetchAndOpenOutcome& o) { outcome = o; }), FetchStart::Started);
    ASSERT_TRUE(test::DrainUntil(queue_, [&] { return server_.requestCount() == 1; }));
    setups_.Stop();

    ASSERT_TRUE(test::DrainUntil(queue_, [&] { return outcome.has_value(); }, std::chrono::seconds(10)));
    EXPECT_EQ(outcome->result, FetchAndOpenResult::Stopped);
    EXPECT_TRUE(opened_.empty());
    EXPECT_FALSE(fs::exists(game_ / "Settingss.exe"));
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
    EXPECT_FALSE(setups_.Busy());
    EXPECT_EQ(setups_.Start(Request()), FetchStart::Stopped);
    EXPECT_EQ(layouts_.size(), 2u);
}

TEST_F(SetupsFixture, OpenerFailureIsNotActedOn) {
    server_.serve("/Settingss.exe", "fresh program");
    FetchAndOpen failing(queue_.Poster(), [](const fs::path&, const fs::path&) { throw std::runtime_error("no desktop"); });
    EXPECT_EQ(Start(failing).result, FetchAndOpenResult::Downloaded);
    EXPECT_EQ(layouts_, (std::vector<int>{1, 0}));
}

struct NoticeCase {
    OptionBox box;
    bool checked;
    Lines shape;  // after the separator; the first line carries the time
};

TEST(OptionToggle, MouseTogglesWriteTheNoticeAndSave) {
    const std::vector<NoticeCase> cases = {
        {OptionBox::Turbo, true, {"Режим турбо снова активен!", "   Наслаждайтесь скоростью:)"}},
        {OptionBox::Turbo, false,
         {"Режим турбо деактивирован.", "   Вы уверены что хотите отключить турбо? Этот",
          "режим активирует пять потоков загрузки, что позволяет", "ускорить загрузку в разы, но тем не менее, если возникают",
          "ошибки, то можете попробовать его отключить."}},
        {OptionBox::Setups, true,
         {"   Доп. настройки будут открыты при следующем", "запуске синхронизации.",
          "   Вы можете запустить их вручную, нажав «Setups+»", "в заголовке программы."}},
        {OptionBox::Setups, false,
         {"   Дополнительные настройки больше не откроются.", "   Вы можете запустить их вручную, нажав «Setups+»",
          "в заголовке программы."}},
    };
    for (const auto& c : cases) {
        StatusLog log;
        log.Console("earlier line");
        int saves = 0;
        EXPECT_TRUE(AnswerOptionToggle(log, {c.box, c.checked, ToggleSource::Mouse}, [&] { ++saves; }));
        EXPECT_EQ(saves, 1);
        const Lines lines = log.Lines();
        ASSERT_EQ(lines.size(), 2 + c.shape.size());
        EXPECT_EQ(lines[1], " ");
        const std::string& first = lines[2];
        ASSERT_EQ(first.front(), '[');
        EXPECT_EQ(first.substr(first.find("] ") + 2), c.shape[0]);
        EXPECT_EQ(Lines(lines.begin() + 3, lines.end()), Lines(c.shape.begin() + 1, c.shape.end()));
    }
}

TEST(OptionToggle, KeyboardToggleWritesAndSavesNothing) {
    StatusLog log;
    int saves = 0;
    EXPECT_FALSE(AnswerOptionToggle(log, {OptionBox::Setups, false, ToggleSource::Keyboard}, [&] { ++saves; }));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(log.LineCount(), 0u);
}

}  // namespace
}  // namespace packwell
