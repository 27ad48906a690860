// The download's view of a window progress bar.
#include <QCoreApplication>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

#include "ui/qt/QtProgressBar.h"

namespace packwell::test {
namespace {

using packwell::ui::QtProgressBar;

TEST(QtProgressBar, UnknownLengthShowsBusyAndKnownLengthCounts) {
    QProgressBar bar;
    QtProgressBar adapter(&bar);
    adapter.SetMaximum(-1);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 0);

    adapter.SetPosition(0);
    adapter.SetMaximum(1000000);
    adapter.Advance(10240);
    adapter.Advance(10240);
    EXPECT_EQ(bar.maximum(), 1000000);
    EXPECT_EQ(bar.value(), 20480);
}

TEST(QtProgressBar, LengthsBeyondIntAreScaledAndPositionsKeptInRange) {
    QProgressBar bar;
    QtProgressBar adapter(&bar);
    const std::int64_t tenGiB = 10LL * 1024 * 1024 * 1024;
    adapter.SetPosition(0);
    adapter.SetMaximum(tenGiB);
    adapter.Advance(tenGiB / 2);
    ASSERT_GT(bar.maximum(), 0);
    EXPECT_NEAR(static_cast<double>(bar.value()) / bar.maximum(), 0.5, 1e-6);

    adapter.Advance(tenGiB);  // more arrived than announced
    EXPECT_EQ(bar.value(), bar.maximum());
}

TEST(QtProgressBar, WorkerCallsReachTheBarInOrderOnlyThroughTheUiThread) {
    QProgressBar bar;
    QtProgressBar adapter(&bar);
    bool uiWorkRan = false;
    QMetaObject::invokeMethod(&bar, [&uiWorkRan] { uiWorkRan = true; }, Qt::QueuedConnection);

    std::thread worker([&adapter] {
        adapter.SetPosition(0);
        adapter.SetMaximum(300);
        for (int i = 0; i < 3; ++i) {
            adapter.Advance(100);
            adapter.ProcessPendingEvents();  // nothing to do on a worker
        }
    });
    worker.join();
    EXPECT_FALSE(uiWorkRan);
    EXPECT_EQ(bar.value(), -1);  // untouched until the UI thread handles its events

    QCoreApplication::processEvents();
    EXPECT_TRUE(uiWorkRan);
    EXPECT_EQ(bar.maximum(), 300);
    EXPECT_EQ(bar.value(), 300);
}

TEST(QtProgressBar, ProcessPendingEventsOnTheUiThreadHandlesThem) {
    QProgressBar bar;
    QtProgressBar adapter(&bar);
    bool ran = false;
    QMetaObject::invokeMethod(&bar, [&ran] { ran = true; }, Qt::QueuedConnection);
    adapter.ProcessPendingEvents();
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace packwell::test
