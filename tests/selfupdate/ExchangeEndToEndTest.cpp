// Two test builds of the real program with different versions: the old one, started from its
// own folder, finds the new one announced, fetches it and hands over to the exchange script,
// which replaces it and starts the new one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Addons/Custom/AllInOne/AllInOne.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;
namespace fs = std::filesystem;

const std::string kOldName = "Packwell Brenvik v1.0-old";
const std::string kNewName = "Packwell Brenvik v2.0-new";
const std::string kFailedBox = "failed|Ошибка|Не удалось скачать файл обновления.\\nПрограмма будет закрыта.";

// Waits until `done` holds, up to twenty seconds.
bool WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Processes whose program file lies in `folder` (also one deleted since it started).
std::vector<pid_t> ProcessesRunningFrom(const fs::path& folder) {
    std::vector<pid_t> pids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const fs::path exe = fs::read_symlink(entry.path() / "exe", ec);  // fails for zombies
        if (!ec && exe.string().starts_with(folder.string() + "/")) pids.push_back(std::stoi(name));
    }
    return pids;
}

// Asks every such process to end and waits for it; forces those that stay.
bool EndProcessesRunningFrom(const fs::path& folder) {
    for (const pid_t pid : ProcessesRunningFrom(folder)) kill(pid, SIGTERM);
    if (WaitFor([&] { return ProcessesRunningFrom(folder).empty(); })) return true;
    for (const pid_t pid : ProcessesRunningFrom(folder)) kill(pid, SIGKILL);
    return false;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SelfUpdateEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_);
        fs::create_directories(tmp_);
        fs::copy_file(OLD_PROGRAM, folder_ / kOldName);
    }
    // Nothing the test started may outlive it, whatever failed.
    void TearDown() override { EndProcessesRunningFrom(folder_); }

    // Runs the old copy from its folder, offscreen, against the test's server, with "." for the
    // decimal separator; its exit code.
    int RunOld() const {
        const std::string command = "cd '" + folder_.string() + "' && env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TMPDIR='" +
                                    tmp_.string() + "' PACKWELL_TEST_BASE_URL='" + server_.url("") +
                                    "' PACKWELL_TEST_BOX_LOG='" + boxLog_.string() + "' './" + kOldName + "' >'" +
                                    (temp_.root() / "old.out").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<std::string> Boxes() const { return Lines(readFile(boxLog_)); }
    std::string OldOutput() const { return readFile(temp_.root() / "old.out"); }
    std::vector<std::string> DataFolder() const { return listDir(temp_.appData() / "Quorvane" / "Packwell"); }
    // The single-instance socket appears once the windows are up, past the update check.
    bool WindowsAreUp() const {
        for (const auto& name : listDir(tmp_))
            if (name.starts_with("TVantorCompatibility-") && fs::is_socket(tmp_ / name)) return true;
        return false;
    }

    TempDir temp_;
    HttpServer server_;
    const fs::path folder_ = temp_.root() / "program";
    const fs::path tmp_ = temp_.root() / "tmp";
    const fs::path boxLog_ = temp_.root() / "boxes.log";
};

TEST_F(SelfUpdateEndToEnd, OldProgramIsReplacedByTheAnnouncedOneWhichThenStarts) {
    const std::string newProgram = readFile(NEW_PROGRAM);
    server_.serve("/Update", "[Update]\nlastversion=2.0-new\n");
    server_.serve("/Update-linux", newProgram);

    ASSERT_EQ(RunOld(), 0) << OldOutput();
    EXPECT_THAT(Boxes(), ElementsAre("question|Packwell Brenvik 2.0-new|Размер обновления: " +
                                     AllInOne::FormatSize(-2, static_cast<double>(newProgram.size()), '.') +
                                     "\\n\\nДля продолжения нажмите ОК"));

    ASSERT_TRUE(WaitFor([&] { return listDir(folder_) == std::vector<std::string>{kNewName}; }))
        << ::testing::PrintToString(listDir(folder_));
    const fs::path placed = folder_ / kNewName;
    EXPECT_TRUE(readFile(placed) == newProgram) << "not the announced program";
    EXPECT_NE(fs::status(placed).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_THAT(DataFolder(), ElementsAre("Update.ini"));  // the download went beside the program

    // The new copy asks the server under its own name (the user agent), finds its own version
    // announced and comes up with its windows, showing no box.
    ASSERT_TRUE(WaitFor([&] { return WindowsAreUp(); })) << "the new program did not come up";
    std::vector<std::string> askedBy;
    for (const auto& request : server_.requests())
        if (request.path == "/Update") askedBy.push_back(request.userAgent);
    ASSERT_GE(askedBy.size(), 2u);
    EXPECT_EQ(askedBy[0], kOldName);
    EXPECT_EQ(askedBy[1], kNewName);
    EXPECT_EQ(Boxes().size(), 1u);

    const std::vector<pid_t> running = ProcessesRunningFrom(folder_);
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(running[0]) + "/exe"), placed);
    EXPECT_TRUE(EndProcessesRunningFrom(folder_)) << "the new program ignored SIGTERM";
}

// A folder under the new name makes the exchange's rename fail after the old program has ended:
// the old program stays, and runs again to update once the folder has gone.
TEST_F(SelfUpdateEndToEnd, FailedRenameLeavesTheOldProgramToRunAgain) {
    server_.serve("/Update", "[Update]\nlastversion=2.0-new\n");
    server_.serve("/Update-linux", readFile(NEW_PROGRAM));
    fs::create_directories(folder_ / kNewName / "in the way");

    ASSERT_EQ(RunOld(), 0) << OldOutput();
    ASSERT_TRUE(WaitFor([&] { return listDir(folder_) == std::vector<std::string>{kOldName, kNewName}; }))
        << ::testing::PrintToString(listDir(folder_));
    EXPECT_TRUE(readFile(folder_ / kOldName) == readFile(OLD_PROGRAM));
    EXPECT_THAT(listDir(folder_ / kNewName), ElementsAre("in the way"));
    EXPECT_TRUE(ProcessesRunningFrom(folder_).empty());

    fs::remove_all(folder_ / kNewName);
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
    EXPECT_TRUE(readFile(folder_ / kOldName) == readFile(OLD_PROGRAM));
    EXPECT_THAT(DataFolder(), ElementsAre("Update.ini"));
    EXPECT_TRUE(ProcessesRunningFrom(folder_).empty());
}

const std::string kQuestion = "question|Packwell Brenvik 2.0-new|";

INSTANTIATE_TEST_SUITE_P(
    ServerAnswers, SelfUpdateEndToEndBadAnswer,
    ::testing::Values(
        BadAnswer{"VersionThatIsAPath",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=../../2.0-new\n");
                      s.serve("/Update-linux", readFile(NEW_PROGRAM));
                  },
                  {kFailedBox}},
        BadAnswer{"VersionTooLongForAFileName",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=" + std::string(240, '7') + "\n");
                      s.serve("/Update-linux", readFile(NEW_PROGRAM));
                  },
                  {kFailedBox}},
        BadAnswer{"EmptyProgram",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      s.serve("/Update-linux", "");
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"CutOffProgram",
                  [](HttpServer& s) {
                      s.serve("/Update", "[Update]\nlastversion=2.0-new\n");
                      const std::string program = readFile(NEW_PROGRAM);
                      s.serveCutOff("/Update-linux", program.size(), program.substr(0, program.size() / 2));
                  },
                  {kQuestion, kFailedBox}},
        BadAnswer{"NoProgramAtAll",
                  [](HttpServer& s) { s.serve("/Update", "[Update]\nlastversion=2.0-new\n"); },
                  {kQuestion, kFailedBox}}),
    [](const ::testing::TestParamInfo<BadAnswer>& info) { return info.param.name; });

}  // namespace
}  // namespace packwell::test
