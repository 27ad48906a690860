#pragma once
// What both windows' screenshot programs show: the same log and the same files to delete, so the
// Qt and the native pictures can be laid side by side.
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/window/MainWindowState.h"

namespace packwell::test {

// A check's lines and a run's, enough of them and long enough to need both scroll bars.
inline void FillSampleLog(window::MainWindowState& w) {
    w.StatusLog.Console(1, false, "=====Проверка совместимости=====");
    w.StatusLog.Console("Соединение с сервером установлено.");
    w.StatusLog.Console(false, "Отсутствует: examplemod-1.12.2-1.0.jar\r\nВсего на сервере: 120,4 Мб.");
    for (int i = 1; i <= 16; ++i)
        w.StatusLog.Console("Успешно: a-rather-long-mod-file-name-that-needs-the-horizontal-bar-" + std::to_string(i) +
                            ".jar");
}

// Four files the server no longer wants, one of them white-listed, all of them on disk, so the
// hand-back shows the deletions as a player would see them.
inline void PrepareSampleCleanup(window::MainWindowState& w) {
    w.Lists.DeleteList = {"oldmod-1.12.2-0.9.jar", "journeymap-1.12.2-5.5.2.jar", "optifine-kept-by-player.jar",
                          "another-very-long-mod-file-name-that-the-server-no-longer-wants-1.12.2.jar"};
    w.SettingsIni->WriteString("Settings", "WhiteList", "optifine-kept-by-player.jar");
    std::filesystem::create_directories(w.VersionModsDir);
    for (const auto& name : w.Lists.DeleteList) std::ofstream(w.VersionModsDir / name) << "old";
}

}  // namespace packwell::test
