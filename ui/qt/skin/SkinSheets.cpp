#include "ui/qt/skin/SkinSheets.h"

namespace skin {
namespace {

struct Palette {
    const char* window;      // form and group box background
    const char* frame;       // group box and edit borders
    const char* caption;     // group box captions and plain text
    const char* field;       // edit and memo background
    const char* button;      // button face
    const char* buttonHover;
    const char* buttonDown;
    const char* accent;      // progress, check marks, focus
    const char* disabled;    // disabled text
    const char* titleBar;
};

constexpr Palette kEmeraldColours{"#0e3b2f", "#2a9d6f", "#e6eeff", "#082a21", "#16704f", "#1f8c63",
                                  "#0f5239", "#3ddc97", "#7f9c92", "#0a2c23"};
constexpr Palette kMaterialDarkColours{"#212121", "#4a4a4a", "#eeeeee", "#181818", "#333333", "#3d3d3d",
                                       "#2a2a2a", "#26a69a", "#7a7a7a", "#161616"};

// One template for both skins: they differ in colour only, so every control looks the
// same shape whichever skin is selected.
QString Sheet(const Palette& p) {
    QString s = QStringLiteral(R"(
QWidget#TVantorCompatibility, QWidget#TVantorCompatibility2, QWidget#sClient {
  background: %window%; color: %caption%; }
QWidget#sTitleBar { background: %titleBar%; }
QLabel#sTitleCaption { color: %caption%; }
QToolButton.sTitleItem, QToolButton#sTitleClose {
  color: %caption%; background: transparent; border: 1px solid transparent; border-radius: 2px; padding: 0 4px; }
QToolButton.sTitleItem:hover { background: %buttonHover%; border-color: %frame%; }
QToolButton#sTitleClose:hover { background: #c0392b; }
QGroupBox { background: %window%; border: 1px solid %frame%; border-radius: 4px; margin-top: 6px; color: %caption%; }
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top right; right: 10px; padding: 0 3px;
  background: %window%; }
QGroupBox#sGroupBox1::title { subcontrol-position: top left; left: 10px; }
QPushButton { background: %button%; color: %caption%; border: 1px solid %frame%; border-radius: 3px; padding: 0; }
QPushButton:hover { background: %buttonHover%; }
QPushButton:pressed { background: %buttonDown%; }
QPushButton:focus { border-color: %accent%; }
QPushButton:disabled { color: %disabled%; border-color: %buttonDown%; }
QLineEdit, QPlainTextEdit { background: %field%; border: 1px solid %frame%; border-radius: 2px;
  selection-background-color: %accent%; selection-color: %window%; }
QLineEdit { padding: 0 3px; }
QCheckBox { color: %caption%; spacing: 3px; }
QCheckBox:disabled { color: %disabled%; }
QProgressBar { background: %field%; border: 1px solid %frame%; border-radius: 2px; }
QProgressBar::chunk { background: %accent%; }
QScrollBar:vertical { width: 12px; background: %field%; margin: 0; }
QScrollBar:horizontal { height: 12px; background: %field%; margin: 0; }
QScrollBar::handle { background: %button%; border: 1px solid %frame%; border-radius: 3px; margin: 1px; }
QScrollBar::handle:vertical { min-height: 20px; }
QScrollBar::handle:horizontal { min-width: 20px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QAbstractScrollArea::corner { background: %field%; }
QToolTip { background: %window%; color: %caption%; border: 1px solid %accent%; }
QListWidget { background: %field%; color: %caption%; border: 1px solid %frame%; }
QListWidget#sCheckListBoxDel { border: 1px solid %frame%; selection-background-color: %accent%; }
)");
    const std::pair<const char*, const char*> keys[] = {
        {"%window%", p.window},         {"%frame%", p.frame},           {"%caption%", p.caption},
        {"%field%", p.field},           {"%buttonHover%", p.buttonHover}, {"%buttonDown%", p.buttonDown},
        {"%button%", p.button},         {"%accent%", p.accent},         {"%disabled%", p.disabled},
        {"%titleBar%", p.titleBar}};
    for (const auto& [key, value] : keys) s.replace(QLatin1String(key), QLatin1String(value));
    return s;
}

}  // namespace

QStringList BuiltInSkinNames() { return {kMaterialDark, kEmerald}; }

QString SkinStyleSheet(const QString& name) {
    if (name == kEmerald) return Sheet(kEmeraldColours);
    if (name == kMaterialDark) return Sheet(kMaterialDarkColours);
    return {};
}

}  // namespace skin
