#include "ui/win32/ScreenshotHook.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "ui/win32/DpiScale.h"
#include "ui/win32/WideText.h"

namespace packwell::win32 {

void ApplyScreenshotHook(HWND window, MainControls& controls) {
    const wchar_t* skin = _wgetenv(L"PACKWELL_SCREENSHOT_SKIN");
    if (!skin) return;
    controls.SelectSkin(Utf8FromWide(skin));
    const wchar_t* layout = _wgetenv(L"PACKWELL_SCREENSHOT_LAYOUT");
    if (!layout || std::wstring(layout) != L"full") return;
    // The full layout with five bars: 830 x 317 at 96 dots per inch.
    const int dpi = controls.Theme().Dpi();
    SetWindowPos(window, nullptr, 0, 0, ScaleFrom96(830, dpi), ScaleFrom96(317, dpi), SWP_NOMOVE | SWP_NOZORDER);
    controls.SetPathText("C:\\Users\\Player\\AppData\\Roaming\\.minecraft");
    controls.SetLabelText("Путь к папке с игрой указан верно.");
    controls.Show(controls.sTitleItem0, true);
    controls.Show(controls.sButtonCopyTL, true);
    SetWindowPos(controls.sButtonSetFolder, nullptr, 0, 0, ScaleFrom96(329, dpi), ScaleFrom96(21, dpi),
                 SWP_NOMOVE | SWP_NOZORDER);
    controls.Show(controls.sGroupBox3, true);
    controls.Enable(controls.sGroupBox3, true);
    controls.Show(controls.sGroupBox1, true);
    controls.SetChecked(controls.sCheckBox2, false);
    for (int bar = 1; bar <= 5; ++bar) {
        controls.Show(controls.ProgressBar(bar), true);
        controls.SetProgress(bar, bar * 20 - 10);
    }
    std::vector<std::string> lines{"Packwell", "[12:00:00] Проверка совместимости..."};
    for (int i = 1; i <= 20; ++i)
        lines.push_back("[12:00:01] Успешно: a-rather-long-mod-file-name-that-needs-the-horizontal-bar-" +
                        std::to_string(i) + ".jar");
    controls.AppendLog(lines);
}

}  // namespace packwell::win32
