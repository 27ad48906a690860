#include <QApplication>
#include <gtest/gtest.h>

#include "ui/qt/skin/Fonts.h"

int main(int argc, char** argv) {
    // No display is needed: the windows draw into memory.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    skin::InstallFontFallbacks();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
