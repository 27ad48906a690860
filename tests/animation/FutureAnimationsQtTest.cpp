#include "ui/qt/FutureAnimations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWidget>
#include <cstdlib>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "animation_tests";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

// Runs the event loop until done() or a bound of seconds; returns done().
template <class Done>
bool PumpUntil(Done done, int seconds = 10) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < seconds * 1000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

}  // namespace

TEST(FutureAnimationsQt, MovesAWindowAndAChildAndStopsItsTimer) {
    App();
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 406, 133);
    QPushButton button("Указать", &window);
    button.setGeometry(8, 68, 369, 21);
    window.show();

    FutureAnimations::AnimateControl(&window, 50, 60, FutureAnimations::kKeep, 294, 0.2, "size");
    FutureAnimations::AnimateControl(&button, FutureAnimations::kKeep, FutureAnimations::kKeep, 329,
                                     FutureAnimations::kKeep, 0.2, "CopyTL");
    EXPECT_TRUE(FutureAnimations::IsAnimating());
    ASSERT_TRUE(PumpUntil([] { return !FutureAnimations::IsAnimating(); }));
    EXPECT_EQ(window.frameGeometry().height(), 294);
    EXPECT_EQ(window.width(), 406);
    EXPECT_EQ(window.pos(), QPoint(50, 60));
    EXPECT_EQ(button.width(), 329);
    EXPECT_EQ(button.pos(), QPoint(8, 68));
    EXPECT_EQ(FutureAnimations::CurrentAnimationTask(), "CopyTL");
}

TEST(FutureAnimationsQt, StopLeavesTheWindowWhereItIsAndDeletedControlsAreSkipped) {
    App();
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 406, 133);
    window.show();
    auto* doomed = new QPushButton("TL", &window);
    doomed->setGeometry(344, 68, 33, 21);

    FutureAnimations::AnimateControl(doomed, FutureAnimations::kKeep, FutureAnimations::kKeep, 200,
                                     FutureAnimations::kKeep, 0.001, "CopyTL");
    FutureAnimations::AnimateControl(&window, FutureAnimations::kKeep, FutureAnimations::kKeep, 830,
                                     FutureAnimations::kKeep, 0.2, "Closing");
    ASSERT_TRUE(PumpUntil([&] { return doomed->width() > 33; }));
    delete doomed;
    ASSERT_TRUE(PumpUntil([&] { return window.width() > 406; }));
    FutureAnimations::StopAnimations();
    int stoppedAt = window.width();
    EXPECT_FALSE(FutureAnimations::IsAnimating());
    PumpUntil([] { return false; }, 0);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), stoppedAt);
    EXPECT_EQ(FutureAnimations::CurrentAnimationTask(), "Closing");
}
