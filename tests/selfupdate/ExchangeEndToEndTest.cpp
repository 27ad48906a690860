// Two test builds of the real program with different versions: the old one, started from its
// own folder, finds the new one announced, fetches it and hands over to the exchange script,
// which replaces it and starts the new one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "core/Utf8Path.h"
#include "core/update/NewProgram.h"
#include "tests/selfupdate/ProgramFolder.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;

// ".exe" on Windows.
const std::string kSuffix = NewProgramFileName("").substr(std::string("Packwell Brenvik v").size());
const std::string kOldName = "Packwell Brenvik v1.0-old" + kSuffix;
const std::string kNewName = NewProgramFileName("2.0-new");
const std::string kFailedBox = "failed|Ошибка|Не удалось скачать файл обновления.\\nПрограмма будет закрыта.";

// A variable of the environment the programs started get, while this lives.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value) : name_(std::move(name)), old_(GetEnv(name_)) {
        SetEnv(name_, value);
    }
    ~ScopedEnv() { SetEnv(name_, old_); }

private:
    std::string name_;
    std::optional<std::string> old_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r')) line.pop_back();  // the log is a text file, with CR LF on Windows
        lines.push_back(line);
    }
    return lines;
}

class SelfUpdateEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_);
        fs::create_directories(tmp_);
        fs::copy_file(OLD_PROGRAM, folder_ / PathFromUtf8(kOldName));
    }
    // Nothing the test started may outlive it, whatever failed.
    void TearDown() override { EndProgramsRunningFrom(folder_); }

    // Runs the old copy from its folder, unseen, against the test's server; its exit code.
    int RunOld() const { return RunProgramIn(folder_, kOldName, temp_.root() / "old.out"); }
    std::vector<std::string> Boxes() const { return Lines(readFile(boxLog_)); }
    std::string OldOutput() const { return readFile(temp_.root() / "old.out"); }
    std::vector<std::string> DataFolder() const { return listDir(temp_.appData() / "Quorvane" / "Packwell"); }

    TempDir temp_;
    HttpServer server_;
    const std::shared_ptr<void> screen_ = HiddenScreen();
    const fs::path folder_ = temp_.root() / "program";
    const fs::path tmp_ = temp_.root() / "tmp";
    const fs::path boxLog_ = temp_.root() / "boxes.log";
    const ScopedEnv tmpDir_{"TMPDIR", Utf8FromPath(tmp_)};
    const ScopedEnv baseUrl_{"PACKWELL_TEST_BASE_URL", server_.url("")};
    const ScopedEnv boxLogName_{"PACKWELL_TEST_BOX_LOG", Utf8FromPath(boxLog_)};
    const ScopedEnv locale_{"LC_ALL", "C.UTF-8"};  // "." for the decimal separator
};

TEST_F(SelfUpdateEndToEnd, OldProgramIsReplacedByTheAnnouncedOneWhichThenStarts) {
    const std::string newProgram = readFile(NEW_PROGRAM);
    server_.serve("/Update", "[Update]\nlastversion=2.0-new\n");
    server_.serve(NewProgramServerPath(), newProgram);

    ASSERT_EQ(RunOld(), 0) << OldOutput();
    EXPECT_THAT(Boxes(), ElementsAre("question|Packwell Brenvik 2.0-new|Размер обновления: " +
                                     AllInOne::FormatSize(-2, static_cast<double>(newProgram.size()), '.') +
                                     "\\n\\nДля продолжения нажмите ОК"));

    ASSERT_TRUE(WaitFor([&] { return listDir(folder_) == std::vector<std::string>{kNewName}; }))
        << ::testing::PrintToString(listDir(folder_));
    const fs::path placed = folder_ / PathFromUtf8(kNewName);
    EXPECT_TRUE(readFile(placed) == newProgram) << "not the announced program";
    EXPECT_NE(fs::status(placed).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_THAT(DataFolder(), ElementsAre("Update.ini"));  // the download went beside the program

    // The new copy asks the server under its own name (the user agent), finds its own version
    // announced and comes up with its windows, showing no box.
    ASSERT_TRUE(WaitFor([&] { return ProgramWindowsAreUp(tmp_); })) << "the new program did not come up";
    std::vector<std::string> askedBy;
    for (const auto& request : server_.requests())
        if (request.path == "/Update") askedBy.push_back(request.userAgent);
    ASSERT_GE(askedBy.size(), 2u);
    EXPECT_EQ(askedBy[0], kOldName);
    EXPECT_EQ(askedBy[1], kNewName);
    EXPECT_EQ(Boxes().size(), 1u);

    const std::vector<fs::path> running = ProgramsRunningFrom(folder_);
    ASSERT_EQ(running.size(), 1u);
    EXPECT_TRUE(fs::equivalent(running[0], placed)) << running[0];
    EXPECT_TRUE(EndProgramsRunningFrom(folder_)) << "the new program did not end when asked";
}

// A folder under the new name makes the exchange's rename fail after the old program has ended:
// the old program stays, and runs again to update once the folder has gone.
TEST_F(SelfUpdateEndToEnd, FailedRenameLeavesTheOldProgramToRunAgain) {
    server_.serve("/Update", "[Update]\nlastversion=2.0-new\n");
    server_.serve(NewProgramServerPath(), readFile(NEW_PROGRAM));
    fs::create_directories(folder_ / PathFromUtf8(kNewName) / "in the way");

    ASSERT_EQ(RunOld(), 0) << OldOutput();
    ASSERT_TRUE(WaitFor([&] { return listDir(folder_) == std::vector<std::string>{kOldName, kNewName}; }))
        << ::testing::PrintToString(listDir(folder_));
    EXPECT_TRUE(readFile(folder_ / PathFromUtf8(kOldName)) == readFile(OLD_PROGRAM));
    EXPECT_THAT(listDir(folder_ / PathFromUtf8(kNewName)), ElementsAre("in the way"));
    EXPECT_TRUE(ProgramsRunningFrom(folder_).empty());

    fs::remove_all(folder_ / PathFromUtf8(kNewName));
    ASSERT_EQ(RunOld(), 0) << OldOutput();
    EXPECT_TRUE(WaitFor([&] { return listDir(folder_) == std::vector<std::string>{kNewName}; }))
        << ::testing::PrintToString(listDir(folder_));
}

// The server's answers that must leave the old program in place: the player is told, and
// the program ends as after any failed update.
struct BadAnswer {
    const char* name;
    std::function<void(HttpServer&)> serve;
    std::vector<std::string> boxes;  // "question..." lines are matched by their start
};

class SelfUpdateEndToEndBadAnswer : public SelfUpdateEndToEnd, public ::testing::WithParamInterface<BadAnswer> {};

TEST_P(SelfUpdateEndToEndBadAnswer, LeavesTheOldProgramAlone) {
    GetParam().serve(server_);

    ASSERT_EQ(RunOld(), 0) << OldOutput();
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), GetParam().boxes.size()) << ::testing::PrintToString(boxes);
    for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_THAT(boxes[i], StartsWith(GetParam().boxes[i]));

    // The exchange, had it been started, would have run by now.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_THAT(listDir(folder_), ElementsAre(kOldName));
    EXPECT_TRUE(readFile(folder_ / PathFromUtf8(kOldName)) == readFile(OLD_PROGRAM));
    EXPECT_THAT(DataFolder(), ElementsAre("Update.ini"));
    EXPECT_TRUE(ProgramsRunningFrom(folder_).empty());
}

const std::string kQuestion = "question|Packwell Brenvik 2.0-new|";

INSTANTIATE_TEST_SUITE_P(
    ServerAnswers, SelfUpdateEndToEndBadAnswer,
    ::testing::Values(
        BadAnswer{"VersionThatIsAPath",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=../../2.0-new\n");
                      s.serve(NewProgramServerPath(), readFile(NEW_PROGRAM));
                  },
                  {kFailedBox}},
        BadAnswer{"VersionTooLongForAFileName",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=" + std::string(240, '7') + "\n");
                      s.serve(NewProgramServerPath(), readFile(NEW_PROGRAM));
                  },
                  {kFailedBox}},
        BadAnswer{"EmptyProgram",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      s.serve(NewProgramServerPath(), "");
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"CutOffProgram",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      const std::string program = readFile(NEW_PROGRAM);
                      s.serveCutOff(NewProgramServerPath(), program.size(), program.substr(0, program.size() / 2));
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"TextInsteadOfAProgram",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      s.serve(NewProgramServerPath(), "<html>Update</html>\n");
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"ProgramForAnotherMachine",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      s.serve(NewProgramServerPath(), readFile(FIXTURE_DIR "/aarch64-program"));
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"ProgramForTheOtherSystem",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      s.serve(NewProgramServerPath(), readFile(FIXTURE_DIR "/other-system-program"));
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"NoProgramAtAll",
                  [](HttpServer& s) { s.serve("/Update", "[Update]\nlastversion=2.0-new\n"); },
                  {kQuestion, kFailedBox}}),
    [](const ::testing::TestParamInfo<BadAnswer>& info) { return info.param.name; });

}  // namespace
}  // namespace packwell::test
