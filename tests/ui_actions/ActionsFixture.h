#pragma once
// A main window on a valid game folder, talking to a server on 127.0.0.1, with the desktop
// and the connection probe replaced by recorders.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/HttpServer.h"
#include "tests/support/TempDir.h"
#include "tests/ui/WindowFixture.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/Unit1.h"

namespace packwell::test {

struct OpenedProgram {
    std::filesystem::path file;
    std::filesystem::path workingDir;
    std::size_t logLinesThen;  // how far the log had come when it was opened
};

// Far below the minute after which a transfer that receives nothing gives up, far above what
// closing the window takes.
constexpr int kPromptMs = 10000;

// Handles events until `done` holds or the bound passes; true when it holds.
inline bool ProcessUntil(const std::function<bool()>& done, int boundMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < boundMs) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
    return done();
}

// The lines logged since `from`.
inline std::vector<std::string> LinesSince(const TVantorCompatibility& w, std::size_t from) {
    const std::vector<std::string> all = w.StatusLog.Lines();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

// Whether the line begins with the "[H:mm:ss] " stamp.
inline bool Stamped(const std::string& line) {
    static const std::regex stamp(R"(^\[\d{1,2}:\d\d:\d\d\] )");
    return std::regex_search(line, stamp);
}

// Text after the stamp; the line itself when it has none.
inline std::string Unstamped(const std::string& line) {
    return Stamped(line) ? line.substr(line.find("] ") + 2) : line;
}

inline std::vector<std::string> UnstampedLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(Unstamped(line));
    return out;
}

class ActionsTest : public ::testing::Test {
protected:
    void TearDown() override {
        FutureAnimations::StopAnimations();
        window.reset();
    }

    // The window started on a valid game folder and pointed at the test server.
    TVantorCompatibility& Start() {
        game = MakeGameFolder(home, "game", {"versions/1.12.2", "assets", "mods/1.12.2"});
        home.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=" + game.string() + "\r\n");
        WindowServices services = RecordingServices(desktop);
        services.isConnected = [this] {
            enabledWhenAsked.push_back(window->isEnabled());
            return online;
        };
        services.openProgram = [this](const std::filesystem::path& file, const std::filesystem::path& dir) {
            opened.push_back({file, dir, window->StatusLog.LineCount()});
        };
        window = std::make_unique<TVantorCompatibility>(services);
        window->show();
        window->Timer1Timer();
        window->Timer5->stop();  // validations are not what these tests watch
        window->BaseUrl = server.url("");
        EXPECT_TRUE(FinishAnimations());
        return *window;
    }

    std::filesystem::path Mods() const { return game / "mods" / "1.12.2"; }

    // Presses "Проверить совместимость" and handles events until the check has ended.
    void Check(TVantorCompatibility& w) {
        w.sButtonCheckClick();
        EXPECT_TRUE(ProcessUntil([&] { return !w.CheckRunning(); }));
    }

    // A manifest listing `mods` (name, size) and `deletable` names.
    void ServeManifest(const std::vector<std::pair<std::string, int>>& mods, const std::vector<std::string>& deletable) {
        std::string text = "[modlist]\r\nCount=" + std::to_string(mods.size()) + "\r\n";
        for (std::size_t i = 0; i < mods.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            text += "mod" + n + "=" + mods[i].first + "\r\nmod" + n + "size=" + std::to_string(mods[i].second) + "\r\n";
        }
        text += "[dellist]\r\nCount=" + std::to_string(deletable.size()) + "\r\n";
        for (std::size_t i = 0; i < deletable.size(); ++i)
            text += "mod" + std::to_string(i + 1) + "=" + deletable[i] + "\r\n";
        server.serve("/Update", text);
    }

    TempDir home;
    HttpServer server;
    DesktopRecorder desktop;
    std::filesystem::path game;
    bool online = true;
    std::vector<bool> enabledWhenAsked;
    std::vector<OpenedProgram> opened;
    std::unique_ptr<TVantorCompatibility> window;
};

}  // namespace packwell::test
