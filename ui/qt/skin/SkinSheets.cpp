#include "ui/qt/skin/SkinSheets.h"

#include "ui/window/SkinPalette.h"

namespace skin {
namespace {

using packwell::window::SkinPalette;

QString Hex(packwell::window::Rgb colour) {
    return QStringLiteral("#%1").arg(colour, 6, 16, QLatin1Char('0'));
}

// One template for both skins: they differ in colour only, so every control looks the
// same shape whichever skin is selected.
QString Sheet(const SkinPalette& p) {
    QString s = QStringLiteral(R"(
QWidget#TVantorCompatibility, QWidget#TVantorCompatibility2, QWidget#sClient, QDialog {
  background: %window%; color: %caption%; }
QWidget#sTitleBar { background: %titleBar%; }
QLabel { color: %caption%; }
QLabel#sTitleCaption { color: %caption%; }
QToolButton.sTitleItem, QToolButton#sTitleClose {
  color: %caption%; background: transparent; border: 1px solid transparent; border-radius: 2px; padding: 0 1px; }
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
QLineEdit, QPlainTextEdit { background: %field%; color: %caption%; border: 1px solid %frame%; border-radius: 2px;
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
QAbstractItemView { background: %field%; color: %caption%; border: 1px solid %frame%;
  selection-background-color: %accent%; selection-color: %window%; }
QHeaderView::section { background: %button%; color: %caption%; border: none; padding: 1px 4px; }
QComboBox { background: %field%; color: %caption%; border: 1px solid %frame%; border-radius: 2px; padding: 1px 4px; }
QDialog QToolButton { background: transparent; border: 1px solid transparent; border-radius: 2px; }
QDialog QToolButton:hover { background: %buttonHover%; border-color: %frame%; }
QListWidget#sCheckListBoxDel { border: 1px solid %frame%; selection-background-color: %accent%; }
)");
    const std::pair<const char*, packwell::window::Rgb> keys[] = {
        {"%window%", p.window},         {"%frame%", p.frame},           {"%caption%", p.caption},
        {"%field%", p.field},           {"%buttonHover%", p.buttonHover}, {"%buttonDown%", p.buttonDown},
        {"%button%", p.button},         {"%accent%", p.accent},         {"%disabled%", p.disabled},
        {"%titleBar%", p.titleBar}};
    for (const auto& [key, value] : keys) s.replace(QLatin1String(key), Hex(value));
    return s;
}

}  // namespace

QStringList BuiltInSkinNames() { return {kMaterialDark, kEmerald}; }

QString SkinStyleSheet(const QString& name) {
    const auto palette = packwell::window::FindSkinPalette(name.toStdString());
    return palette ? Sheet(*palette) : QString();
}

}  // namespace skin
