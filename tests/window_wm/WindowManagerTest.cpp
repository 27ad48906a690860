// The morphs of the main window and the cleanup dialog under a window manager: every frame on
// the way to its target, and the target exactly, whatever the manager reports in between.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include "TestProcesses.h"
#include "tests/window_wm/XServerScreen.h"
#include "core/cleanup/CleanupGeometry.h"
#include "tests/support/ScreenshotScenes.h"
#include "tests/ui/WindowFixture.h"
#include "ui/qt/Unit2.h"

namespace packwell::test {
namespace {

class UnderWindowManager : public ::testing::Test {
protected:
    // One X server, one window manager and one application for the whole suite.
    static void SetUpTestSuite() {
        display_ = std::make_unique<XvfbDisplay>();
        manager_ = std::make_unique<Child>(std::vector<std::string>{"openbox"});
        QThread::msleep(500);  // the manager takes the screen before the first window maps
        qputenv("QT_QPA_PLATFORM", "xcb");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    static void TearDownTestSuite() {
        application_.reset();
        manager_.reset();
        display_.reset();
    }
    void TearDown() override {
        FutureAnimations::StopAnimations();
        window_.reset();
    }

    // The window's outer rectangle as the X server shows it now.
    QRect Shown(const QWidget& w) const {
        const ServerRect r = server_.Outer(static_cast<unsigned long>(w.winId()));
        return QRect(r.left, r.top, r.width, r.height);
    }

    TVantorCompatibility& StartOnValidFolder() {
        const auto game = MakeGameFolder(home_, "game", {"versions/1.12.2", "assets"});
        home_.write("appdata/Quorvane/Packwell/Settings.ini", "[Settings]\r\nGameFolder=" + game.string() + "\r\n");
        window_ = std::make_unique<TVantorCompatibility>(RecordingServices(desktop_));
        window_->show();
        Settle();
        window_->Timer1Timer();
        window_->Timer5->stop();
        return *window_;
    }

    // Every placement a window shows (outer rectangle on the screen) while `act` runs and its
    // animations then end; sampled on a timer, so that steps inside a call that waits are seen.
    template <typename Act>
    std::vector<QRect> Frames(QWidget& w, Act act) {
        std::vector<QRect> frames;
        const auto sample = [&] {
            const QRect shown = Shown(w);
            if (shown.isValid() && (frames.empty() || frames.back() != shown)) frames.push_back(shown);
        };
        QTimer sampler;
        sampler.setTimerType(Qt::PreciseTimer);
        QObject::connect(&sampler, &QTimer::timeout, sample);
        sampler.start(1);
        act();
        QElapsedTimer clock;
        clock.start();
        while (FutureAnimations::IsAnimating() && clock.elapsed() < 10000) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        Settle();
        sampler.stop();
        sample();
        return frames;
    }

    // The manager's last word on a window arrives after the program's last request.
    static void Settle() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
    }

    TempDir home_;
    DesktopRecorder desktop_;
    XServerScreen server_;
    std::unique_ptr<TVantorCompatibility> window_;

    static inline int argc_ = 1;
    static inline char name_[] = "window_wm_tests";
    static inline char* argv_[] = {name_, nullptr};
    static inline std::unique_ptr<XvfbDisplay> display_;
    static inline std::unique_ptr<Child> manager_;
    static inline std::unique_ptr<QApplication> application_;
};

// Whether the values run one way from the first to the last, never back.
bool OneWay(std::vector<int> values) {
    return std::is_sorted(values.begin(), values.end()) || std::is_sorted(values.rbegin(), values.rend());
}

std::string Listed(const std::vector<QRect>& frames) {
    std::string text;
    for (const QRect& r : frames)
        text += " " + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
                std::to_string(r.height());
    return text;
}

std::vector<int> Along(const std::vector<QRect>& frames, int (QRect::*side)() const) {
    std::vector<int> values;
    for (const QRect& r : frames) values.push_back((r.*side)());
    return values;
}

QRect AsQRect(const WindowRect& r) { return QRect(r.left, r.top, r.width, r.height); }

TEST_F(UnderWindowManager, CleanupAndHandBackMorphStraightToTheirTargets) {
    TVantorCompatibility& w = StartOnValidFolder();
    const QSize screen = QApplication::primaryScreen()->size();
    PrepareSampleCleanup(w);
    TVantorCompatibility2& d = *w.CleanupDialog;
    const std::vector<QRect> toDialog = Frames(d, [&] { w.ShowCleanupDialog(); });
    ASSERT_FALSE(toDialog.empty());
    EXPECT_EQ(toDialog.back(), AsQRect(CleanupDialogTarget(screen.width(), screen.height()))) << Listed(toDialog);
    for (auto side : {&QRect::left, &QRect::top, &QRect::width, &QRect::height})
        EXPECT_TRUE(OneWay(Along(toDialog, side))) << "the dialog's morph jittered:" << Listed(toDialog);

    const std::vector<QRect> back = Frames(w, [&] { d.sButtonDel->click(); });
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.back(), AsQRect(HandBackTarget(screen.width(), screen.height(), 830, 294))) << Listed(back);
    EXPECT_GT(back.size(), 5u) << "the hand-back did not animate:" << Listed(back);
    for (auto side : {&QRect::left, &QRect::top, &QRect::width, &QRect::height})
        EXPECT_TRUE(OneWay(Along(back, side))) << "the hand-back wandered (or came from the screen's corner):"
                                                << Listed(back);
}

TEST_F(UnderWindowManager, GrowToBarsAndShrinkToCompactStepOneWay) {
    TVantorCompatibility& w = StartOnValidFolder();
    const std::vector<QRect> grow = Frames(w, [&] { w.ChngSize(2); });  // five bars: the tallest layout
    ASSERT_FALSE(grow.empty());
    EXPECT_EQ(grow.back().size(), QSize(406, 317)) << Listed(grow);
    EXPECT_TRUE(OneWay(Along(grow, &QRect::height))) << Listed(grow);

    const std::vector<QRect> shrink = Frames(w, [&] { w.RequestCompactLayout(); });
    ASSERT_FALSE(shrink.empty());
    EXPECT_EQ(shrink.back().size(), QSize(406, 133)) << Listed(shrink);
    EXPECT_GT(shrink.size(), 5u) << "the shrink did not animate:" << Listed(shrink);
    EXPECT_TRUE(std::is_sorted(shrink.rbegin(), shrink.rend(),
                               [](const QRect& a, const QRect& b) { return a.height() < b.height(); }))
        << "the shrink stepped backwards:" << Listed(shrink);
    EXPECT_EQ(Along(shrink, &QRect::width), std::vector<int>(shrink.size(), 406)) << Listed(shrink);
}

// As the screen shows it: the window fades while it visibly collapses, not after.
TEST_F(UnderWindowManager, ClosingFadesWhileTheWindowCollapses) {
    TVantorCompatibility& w = StartOnValidFolder();
    Frames(w, [] {});  // the actions layout, settled
    const int heightBefore = Shown(w).height();
    ASSERT_GT(heightBefore, 100);
    w.FormCloseQuery();
    std::vector<std::pair<int, int>> seen;  // alpha, height on the screen
    QElapsedTimer clock;
    clock.start();
    while (desktop_.terminations == 0 && clock.elapsed() < 10000) {
        QApplication::processEvents();
        const QRect shown = Shown(w);
        if (shown.isValid()) seen.emplace_back(w.AlphaBlendValue(), shown.height());
        QThread::msleep(1);
    }
    EXPECT_EQ(desktop_.terminations, 1);
    std::string listed;
    for (const auto& [alpha, height] : seen) listed += " " + std::to_string(alpha) + "/" + std::to_string(height);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(),
                            [&](const auto& s) { return s.first >= 50 && s.first <= 200 && s.second < heightBefore; }))
        << "the window vanished before it visibly collapsed (alpha/height):" << listed;
}

}  // namespace
}  // namespace packwell::test
