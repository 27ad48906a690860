#include "ui/win32/ScreenshotHook.h"

#include <cstdlib>

#include "ui/win32/WideText.h"

namespace packwell::win32 {

void ApplyScreenshotHook(MainControls& controls) {
    if (const wchar_t* skin = _wgetenv(L"PACKWELL_SCREENSHOT_SKIN")) controls.SelectSkin(Utf8FromWide(skin));
}

}  // namespace packwell::win32
