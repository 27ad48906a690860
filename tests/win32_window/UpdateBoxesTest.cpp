// The start-up update check's boxes as Windows shows them: the flags of each.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/UpdateDialogsWin32.h"

namespace {

using packwell::UpdateBox;
using packwell::app::win32::UpdateBoxFlags;

TEST(UpdateBoxes, EachBoxHasItsButtonsIconAndStaysOnTop) {
    struct Case {
        UpdateBox box;
        UINT flags;
    };
    for (const Case c : {Case{UpdateBox::Question, 0x40041}, Case{UpdateBox::DownloadFailed, 0x40010},
                         Case{UpdateBox::NoConnection, 0x40030}, Case{UpdateBox::CannotInstall, 0x40030}})
        EXPECT_EQ(UpdateBoxFlags(c.box), c.flags) << static_cast<int>(c.box);
}

}  // namespace
