// Each window's caption exactly as its definition gives it, read back from the X server: the
// application's title names the program but is never added to a caption.
#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "TestProcesses.h"
#include "XCaption.h"
#include "app/ApplicationTitle.h"
#include "app/UpdateDialogs.h"
#include "tests/ui/WindowFixture.h"
#include "ui/qt/GameWarning.h"
#include "ui/qt/Unit2.h"

namespace packwell::test {
namespace {

// The caption the X server holds for a top-level widget, once Qt has sent it (bounded).
std::string CaptionOnDisplay(QWidget* window) {
    std::string caption;
    for (int attempt = 0; attempt < 400 && caption.empty(); ++attempt) {
        QApplication::processEvents();
        caption = NetWmName(static_cast<unsigned long>(window->winId()));
        if (caption.empty()) QThread::msleep(5);
    }
    return caption;
}

// The caption of the modal box `open` shows; the box is then closed.
std::string CaptionOfBox(const std::function<void()>& open) {
    std::string caption = "(no box)";
    QTimer::singleShot(0, [&caption] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            caption = CaptionOnDisplay(box);
            box->close();
        }
    });
    open();
    return caption;
}

class WindowCaptions : public ::testing::Test {
protected:
    // One X server and one application for the whole suite, as the program has them.
    static void SetUpTestSuite() {
        display_ = std::make_unique<XvfbDisplay>();
        qputenv("QT_QPA_PLATFORM", "xcb");
        application_ = std::make_unique<QApplication>(argc_, argv_);
        app::SetApplicationTitle();
    }
    static void TearDownTestSuite() {
        application_.reset();
        display_.reset();
    }

    TempDir home;
    DesktopRecorder desktop;

    static inline int argc_ = 1;
    static inline char name_[] = "window_captions_tests";
    static inline char* argv_[] = {name_, nullptr};
    static inline std::unique_ptr<XvfbDisplay> display_;
    static inline std::unique_ptr<QApplication> application_;
};

TEST_F(WindowCaptions, EveryWindowAndBoxShowsItsOwnCaptionOnly) {
    TVantorCompatibility w(RecordingServices(desktop));
    w.Timer1->stop();
    w.show();
    EXPECT_EQ(CaptionOnDisplay(&w), "Packwell v1.2.6 - Brenvik 1.12.2");

    w.CleanupDialog->show();
    EXPECT_EQ(CaptionOnDisplay(w.CleanupDialog.get()), "Очистка лишних файлов");
    w.CleanupDialog->hide();

    EXPECT_EQ(CaptionOfBox([&w] { ShowGameWarning(&w); }), "Предупреждение");
    // The standard error box is captioned with the application's title itself.
    EXPECT_EQ(CaptionOfBox([&w] { w.ShowError(std::runtime_error("Unable to write to x")); }), "Brenvik Update");
    const UpdateMessage failed = UpdateDownloadFailed();
    EXPECT_EQ(CaptionOfBox([&failed] { app::MakeUpdateDialogs()->Show(failed); }), failed.caption);
}

}  // namespace
}  // namespace packwell::test
