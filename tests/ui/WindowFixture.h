#pragma once
// A main window in a temporary home, with the desktop replaced by recorders.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"

namespace packwell::test {

struct DesktopRecorder {
    std::vector<std::filesystem::path> openedFolders;
    std::vector<std::filesystem::path> openedFiles;
    int warnings = 0;
    int terminations = 0;
    std::optional<QString> folderToChoose;  // nothing: the dialog is cancelled
    QString dialogStartFolder;
};

inline WindowServices RecordingServices(DesktopRecorder& r) {
    WindowServices s;
    s.chooseFolder = [&r](QWidget*, const QString& start) {
        r.dialogStartFolder = start;
        return r.folderToChoose;
    };
    s.openFolder = [&r](const std::filesystem::path& p) { r.openedFolders.push_back(p); };
    s.openTextFile = [&r](const std::filesystem::path& p) { r.openedFiles.push_back(p); };
    s.showGameWarning = [&r](QWidget*) { ++r.warnings; };
    s.gamePlatform.FindGameWindow = [] { return std::optional<platform::GameWindow>{}; };
    s.gamePlatform.GameProcessRunning = [] { return false; };
    s.gamePlatform.AskToClose = [](const platform::GameWindow&) {};
    s.gamePlatform.EndOwner = [](const platform::GameWindow&) {};
    s.terminate = [&r] { ++r.terminations; };
    return s;
}

// Lets the animation service run to its end (bounded), handling events meanwhile.
inline bool FinishAnimations(int boundMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (FutureAnimations::IsAnimating() && clock.elapsed() < boundMs) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
    return !FutureAnimations::IsAnimating();
}

// Makes a game client folder under the temporary home with the given sub-folders.
inline std::filesystem::path MakeGameFolder(const TempDir& home, const std::string& name,
                                            const std::vector<std::string>& subfolders) {
    const std::filesystem::path dir = home.root() / name;
    std::filesystem::create_directories(dir);
    for (const std::string& sub : subfolders) std::filesystem::create_directories(dir / sub);
    return dir;
}

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        FutureAnimations::StopAnimations();
        window.reset();
    }

    // Creates the window (APPDATA already points into home) and shows it.
    TVantorCompatibility& Open() {
        window = std::make_unique<TVantorCompatibility>(RecordingServices(desktop));
        window->show();
        return *window;
    }

    // Saves GameFolder as if chosen earlier, then creates the window and runs its start-up tick.
    TVantorCompatibility& StartWith(const std::filesystem::path& gameDir) {
        home.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=" + gameDir.string() + "\r\n");
        Open();
        window->Timer1Timer();
        return *window;
    }

    TempDir home;
    DesktopRecorder desktop;
    std::unique_ptr<TVantorCompatibility> window;
};

}  // namespace packwell::test
