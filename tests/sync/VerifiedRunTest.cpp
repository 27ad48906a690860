#include <map>
#include <string>

#include "core/check/CompatibilityCheck.h"
#include "platform/Sha256.h"
#include "tests/sync/SyncFixture.h"

namespace packwell::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

std::string Sha256Of(const std::string& content) {
    platform::Sha256 hash;
    hash.Update(content.data(), content.size());
    return platform::Sha256Hex(hash.Final());
}

// A mod that changed on the server under the same size: the check finds the player's copy
// damaged and the run fetches the new one. A body other than the one the manifest names fails
// as any failed file does, and the headless client's detail says why.
TEST_F(SyncTest, FileChangedOnTheServerUnderTheSameSizeIsFetchedAgainAndAWrongBodyFails) {
    const std::string v1 = "version 1 of the mod", v2 = "version 2 of the mod";
    for (const bool turbo : {false, true}) {
        SCOPED_TRACE(turbo ? "turbo" : "sequential");
        const std::string changed = turbo ? "changed-t.jar" : "changed.jar", wrong = turbo ? "wrong-t.jar" : "wrong.jar";
        Mod(changed, v2);
        Mod(wrong, "not the named body");
        server.serve("/Update", "[modlist]\nCount=2\nmod1=" + changed + "\nmod1size=20\nmod1sha256=" + Sha256Of(v2) +
                                    "\nmod2=" + wrong + "\nmod2size=18\nmod2sha256=" + Sha256Of("the named body") + "\n");
        temp.write(std::filesystem::path("game/mods/1.12.2") / changed, v1);

        const CheckRequest check{server.url(""), temp.appData() / "Update.ini", paths.ModsDir, paths.VersionModsDir,
                                 [] { return true; }};
        StatusLog checkLog;
        SyncLists lists;
        ASSERT_EQ(RunCompatibilityCheck(checkLog, check, lists).result, CheckResult::Checked);
        EXPECT_THAT(checkLog.Lines(), Contains(" ! Поврежденный файл: " + changed));
        ASSERT_THAT(lists.MissingList, ElementsAre(changed, wrong));

        RunRequest request = Request({}, turbo);
        request.lists = lists;
        std::map<std::string, std::string> details;
        SyncRun run(std::move(request), log, host, {}, queue.Poster(),
                    [&details](const std::string& name, const StepResult& result) { details[name] = result.detail; });
        RunToEnd(run);

        EXPECT_EQ(readFile(paths.VersionModsDir / changed), v2);
        EXPECT_FALSE(InVersionMods(wrong));
        EXPECT_THAT(Lines(), Contains("[t] Успешно: " + changed));
        EXPECT_THAT(Lines(), Contains("[t]  ! Ошибка загрузки: " + wrong));
        EXPECT_EQ(details[wrong], "содержимое файла не совпадает с сервером");

        StatusLog again;
        ASSERT_EQ(RunCompatibilityCheck(again, check, lists).result, CheckResult::Checked);
        EXPECT_THAT(lists.MissingList, ElementsAre(wrong));
    }
}

// A copy in the plain mods folder is reused only when its content is the one the manifest
// names; another is left where it lies and the file is fetched.
TEST_F(SyncTest, StrayCopyIsReusedOnlyWithTheNamedContent) {
    const std::string body = "the named body";
    Mod("right.jar", body);
    Mod("other.jar", body);
    Stray("right.jar", body);
    Stray("other.jar", "an older body");
    RunRequest request = Request({"right.jar", "other.jar"}, /*turbo=*/false);
    request.lists.Digests = {{"right.jar", *platform::ParseSha256Hex(Sha256Of(body))},
                             {"other.jar", *platform::ParseSha256Hex(Sha256Of(body))}};

    Run(std::move(request));

    EXPECT_THAT(Lines(), Contains("[t] Уже существует: right.jar"));
    EXPECT_THAT(Lines(), Contains("[t] Успешно: other.jar"));
    EXPECT_EQ(readFile(paths.VersionModsDir / "right.jar"), body);
    EXPECT_EQ(readFile(paths.VersionModsDir / "other.jar"), body);
    EXPECT_EQ(readFile(paths.ModsDir / "other.jar"), "an older body");
}

}  // namespace
}  // namespace packwell::test
