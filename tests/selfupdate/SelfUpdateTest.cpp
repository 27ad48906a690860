#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Utf8Path.h"
#include "core/settings/SharedValues.h"
#include "core/update/NewProgram.h"
#include "core/update/SelfUpdate.h"
#include "tests/selfupdate/Fixtures.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

// A real program of this machine, small enough to serve again and again.
const std::string& SmallProgram() {
    static const std::string program = readFile(Fixture("native-program"));
    return program;
}

class RecordingDialogs : public UpdateDialogs {
public:
    bool Show(const UpdateMessage& message) override {
        shown.push_back(message);
        return message.box != UpdateBox::Question || answerOk;
    }
    std::vector<UpdateMessage> shown;
    bool answerOk = true;
};

struct Exchange {
    std::string newName;
    std::string tempName;
};

class SelfUpdateTest : public ::testing::Test {
protected:
    SelfUpdateTest() {
        fs::create_directories(appData);
        program = temp.write("prog/packwell", "the running program");
    }

    void Announce(const std::string& version, const std::string& program) {
        server.serve("/Update", "[Update]\r\nlastversion=" + version + "\r\n");
        server.serve(NewProgramServerPath(), program);
    }

    UpdateOutcome Check(bool connected = true) {
        UpdateEnvironment env{.currentVersion = "1.2.6.3",
                              .baseUrl = server.url(""),
                              .appDataDir = appData,
                              .programPath = program,
                              .isConnected = [connected] { return connected; },
                              .exchange = [this](const std::string& newName, const std::string& tempName) {
                                  exchanges.push_back({newName, tempName});
                              },
                              .exchangeBlock = [this](const std::string&) { return block; }};
        return CheckForUpdate(env, dialogs);
    }

    std::vector<UpdateBox> Boxes() const {
        std::vector<UpdateBox> boxes;
        for (const auto& m : dialogs.shown) boxes.push_back(m.box);
        return boxes;
    }

    TempDir temp;
    HttpServer server;
    fs::path appData = AppDataDir();
    fs::path program;
    RecordingDialogs dialogs;
    std::vector<Exchange> exchanges;
    ExchangeBlock block = ExchangeBlock::None;
};

TEST_F(SelfUpdateTest, EqualVersionsShowNothing) {
    Announce("1.2.6.3", SmallProgram());

    EXPECT_EQ(Check(), UpdateOutcome::UpToDate);

    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_THAT(exchanges, IsEmpty());
}

TEST_F(SelfUpdateTest, NoConnectionShowsTheWarningAndTheStartGoesOn) {
    Announce("1.2.7", SmallProgram());

    const auto outcome = Check(/*connected=*/false);

    EXPECT_EQ(outcome, UpdateOutcome::NoConnection);
    EXPECT_FALSE(EndsProcess(outcome));
    ASSERT_THAT(Boxes(), ElementsAre(UpdateBox::NoConnection));
    EXPECT_EQ(dialogs.shown[0].text, "К сожалению, проверить обновления не удалось.");
    EXPECT_EQ(dialogs.shown[0].caption, "Ошибка");
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(SelfUpdateTest, AcceptedUpdateIsPlacedBesideTheProgramAndHandedToTheExchange) {
    const std::string newProgram = SmallProgram() + std::string(2621440 - SmallProgram().size(), 'p');
    Announce("1.2.7", newProgram);

    const auto outcome = Check();

    EXPECT_EQ(outcome, UpdateOutcome::HandedOver);
    EXPECT_TRUE(EndsProcess(outcome));
    ASSERT_THAT(Boxes(), ElementsAre(UpdateBox::Question));
    EXPECT_EQ(dialogs.shown[0].text, "Размер обновления: 2.5 Мб.\r\n\r\nДля продолжения нажмите ОК");
    EXPECT_EQ(dialogs.shown[0].caption, "Packwell Brenvik 1.2.7");
    ASSERT_EQ(exchanges.size(), 1u);
    EXPECT_EQ(exchanges[0].newName, NewProgramFileName("1.2.7"));
    const std::string suffix = NewProgramTempName().substr(20);  // ".exe" on Windows
    EXPECT_EQ(exchanges[0].tempName.size(), 20 + suffix.size());
    EXPECT_EQ(exchanges[0].tempName.substr(0, 20).find_first_not_of("0123456789"), std::string::npos)
        << exchanges[0].tempName;
    EXPECT_TRUE(exchanges[0].tempName.ends_with(suffix));
    const fs::path placed = program.parent_path() / exchanges[0].tempName;
    EXPECT_EQ(readFile(placed), newProgram);
    EXPECT_NE(fs::status(placed).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_THAT(listDir(appData), ElementsAre("Update.ini"));
}

// An update that cannot complete here (a folder the player cannot write, a program name the
// exchange script cannot spell) is neither fetched nor offered: the player is told why once per
// version, and the running program starts, at this start and the next.
TEST_F(SelfUpdateTest, UpdateThatCannotCompleteIsToldOnceAndTheProgramStarts) {
    Announce("1.2.7", SmallProgram());
    block = ExchangeBlock::FolderNotWritable;

    auto outcome = Check();
    EXPECT_EQ(outcome, UpdateOutcome::Blocked);
    EXPECT_FALSE(EndsProcess(outcome));
    ASSERT_THAT(Boxes(), ElementsAre(UpdateBox::CannotInstall));
    EXPECT_NE(dialogs.shown[0].text.find(Utf8FromPath(program.parent_path())), std::string::npos) << dialogs.shown[0].text;
    EXPECT_EQ(dialogs.shown[0].caption, "Packwell Brenvik 1.2.7");
    EXPECT_THAT(exchanges, IsEmpty());
    for (const auto& request : server.requests())
        EXPECT_NE(request.path, NewProgramServerPath()) << "nothing fetched that could not be placed";

    EXPECT_EQ(Check(), UpdateOutcome::Blocked);  // the next start: nothing said again
    EXPECT_EQ(dialogs.shown.size(), 1u);

    block = ExchangeBlock::NameNotWritable;  // another reason is told
    EXPECT_EQ(Check(), UpdateOutcome::Blocked);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[1].text.find("packwell"), std::string::npos) << dialogs.shown[1].text;
    Announce("1.2.8", SmallProgram());  // and so is another version
    EXPECT_EQ(Check(), UpdateOutcome::Blocked);
    EXPECT_EQ(dialogs.shown.size(), 3u);

    block = ExchangeBlock::None;  // moved where it can be written: offered as usual
    EXPECT_EQ(Check(), UpdateOutcome::HandedOver);
    EXPECT_EQ(Boxes().back(), UpdateBox::Question);
    EXPECT_THAT(listDir(appData), ElementsAre("Update.ini"));
}

// The real question asked of the program's folder: a new file can be made there, and none is left.
TEST(ExchangeReadiness, AFolderThatTakesNoNewFileBlocksTheExchange) {
    TempDir temp;
    const fs::path program = temp.write("prog/Packwell.exe", "program");
    EXPECT_EQ(ExchangeBlockFor(program, NewProgramFileName("1.2.7")), ExchangeBlock::None);
    EXPECT_THAT(listDir(program.parent_path()), ElementsAre("Packwell.exe")) << "the probe stayed";
    EXPECT_EQ(ExchangeBlockFor(temp.root() / "gone" / "Packwell.exe", NewProgramFileName("1.2.7")),
              ExchangeBlock::FolderNotWritable);
}

TEST_F(SelfUpdateTest, LowerEmptyAndLongestVersionsAreOfferedToo) {
    const std::string longest(64, '9');
    const struct {
        std::string announced;
        std::string caption;
        std::string newName;
    } cases[] = {
        {"1.2.6.2", "Packwell Brenvik 1.2.6.2", NewProgramFileName("1.2.6.2")},
        {"", "Packwell Brenvik ", NewProgramFileName("")},
        {longest, "Packwell Brenvik " + longest, NewProgramFileName(longest)},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        exchanges.clear();
        Announce(c.announced, SmallProgram());
        EXPECT_EQ(Check(), UpdateOutcome::HandedOver) << c.announced;
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown[0].caption, c.caption);
        ASSERT_EQ(exchanges.size(), 1u);
        EXPECT_EQ(exchanges[0].newName, c.newName);
        fs::remove(program.parent_path() / exchanges[0].tempName);
    }
}

TEST_F(SelfUpdateTest, CancelLeavesEverythingAsItWas) {
    Announce("1.2.7", SmallProgram());
    dialogs.answerOk = false;

    EXPECT_EQ(Check(), UpdateOutcome::Declined);

    EXPECT_THAT(exchanges, IsEmpty());
    EXPECT_THAT(listDir(program.parent_path()), ElementsAre("packwell"));
    EXPECT_THAT(listDir(appData), ElementsAre("Update.ini"));
}

TEST_F(SelfUpdateTest, BadNewProgramOrHostileVersionLeavesTheOldProgramInPlace) {
    const struct {
        const char* what;
        std::string version;
        std::string body;
        bool cutOff;
    } cases[] = {
        {"empty", "1.2.7", "", false},
        {"truncated", "1.2.7", SmallProgram(), true},
        {"not an executable", "1.2.7", "MZ this is a Windows program", false},
        {"quote in version", "1.2.7\" & del *", SmallProgram(), false},
        {"folder in version", "../../evil", SmallProgram(), false},
        {"blank in version", "1.2 7", SmallProgram(), false},
        // The new name would be longer than a file name may be.
        {"240-character version", std::string(240, '7'), SmallProgram(), false},
        {"program of another machine", "1.2.7", readFile(Fixture("aarch64-program")), false},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        Announce(c.version, c.body);
        if (c.cutOff) server.serveCutOff(NewProgramServerPath(), c.body.size() + 1000, c.body);

        EXPECT_EQ(Check(), UpdateOutcome::Failed) << c.what;

        ASSERT_FALSE(dialogs.shown.empty()) << c.what;
        const UpdateMessage& last = dialogs.shown.back();
        EXPECT_EQ(last.box, UpdateBox::DownloadFailed) << c.what;
        EXPECT_EQ(last.text, "Не удалось скачать файл обновления.\r\nПрограмма будет закрыта.");
        EXPECT_EQ(last.caption, "Ошибка");
        EXPECT_THAT(exchanges, IsEmpty()) << c.what;
        EXPECT_THAT(listDir(program.parent_path()), ElementsAre("packwell")) << c.what;
        EXPECT_EQ(readFile(program), "the running program");
        EXPECT_THAT(listDir(appData), ElementsAre("Update.ini")) << c.what;
    }
}

TEST(NewProgram, IsCheckedForContentLengthAndKind) {
    TempDir temp;
    const struct {
        std::string content;
        std::int64_t announced;
        NewProgramVerdict verdict;
    } cases[] = {
        {SmallProgram(), -1, NewProgramVerdict::Ok},
        {SmallProgram(), static_cast<std::int64_t>(SmallProgram().size()), NewProgramVerdict::Ok},
        {SmallProgram(), static_cast<std::int64_t>(SmallProgram().size()) + 1, NewProgramVerdict::WrongLength},
        {"", -1, NewProgramVerdict::Empty},
        {"#!/bin/sh\necho hi\n", -1, NewProgramVerdict::NotExecutable},
        {"\x7F" "EL", -1, NewProgramVerdict::NotExecutable},
    };
    for (const auto& c : cases) {
        const fs::path file = temp.write("candidate", c.content);
        EXPECT_EQ(CheckNewProgram(file, c.announced), c.verdict) << c.content.size() << " bytes";
    }
    EXPECT_EQ(CheckNewProgram(temp.root() / "nothing", -1), NewProgramVerdict::Missing);
}

}  // namespace
}  // namespace packwell::test
