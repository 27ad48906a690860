// Every caption and hint of the window definitions, against the texts the windows must show.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/ui/WindowFixture.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/skin/TitleBar.h"

namespace packwell::test {
namespace {

using ControlTexts = WindowTest;

// The caption a control shows: a button's or label's text, a group box's title.
QString CaptionOf(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) return memo->toPlainText();
    return control->windowTitle();
}

// The definitions break lines with CR LF; Qt shows LF alone.
QString Shown(const char* text) { return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

TEST_F(ControlTexts, CaptionsAndHintsAreThoseOfTheDefinitions) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    const TVantorCompatibility2& d = *w.CleanupDialog;
    const struct {
        const QWidget* control;
        const char* caption;
        const char* hint;
    } table[] = {
        {w.sGroupBox2, "Путь к папке с игрой", ""},
        {w.sEdit1, "", "Двойной клик чтобы скопировать в буфер обмена"},
        {w.sButtonOpenFolder, "Открыть", ""},
        {w.sLabel1, "Неправильный путь к папке с игрой!", ""},
        {w.sButtonSetFolder, "Указать", ""},
        {w.sButtonCopyTL, "TL", "Указать путь как в TLauncher Legacy"},
        {w.sGroupBox3, "Действия", ""},
        {w.sButtonCheck, "Проверить совместимость", ""},
        {w.sButtonDownload, "Запуск синхронизации", ""},
        {w.sCheckBox1, "Турбо",
         "Активирует 5-ти поточную загрузку,\r\nкоторая позволяет скачивать\r\nодновременно сразу 5 файлов."},
        {w.sCheckBox2, "Setups",
         "Если стоит галочка, то по окончании\r\nзагрузок будет загружен и запущен\r\nфайл с дополнительными настройками."},
        {w.sButtonExit, "Выход", ""},
        {w.sGroupBox1, "Статус", ""},
        {w.sMemo1, "", "Двойной клик чтобы открыть \"Статус.txt\""},
        {w.Button1, "B", ""},
        {w.sTitleBar1->Item(0), "Setups+", "Загрузка и запуск\r\nдополнительных настроек"},
        {w.sTitleBar1->Item(1), "Forge Install", ""},
        {&w, "Packwell v1.2.6 - Brenvik 1.12.2", ""},
        {&d, "Очистка лишних файлов", ""},
        {d.sLabel1, "Файлы из следующего списка можно удалить.\r\nСнимите галочки около файлов, которые хотите оставить.", ""},
        {d.sButtonDel, "Удалить", ""},
    };
    for (const auto& row : table) {
        const std::string name = row.control->objectName().toStdString();
        EXPECT_EQ(CaptionOf(row.control), Shown(row.caption)) << name;
        EXPECT_EQ(row.control->toolTip(), Shown(row.hint)) << name;
    }
    EXPECT_EQ(w.sTitleBar1->ItemCount(), 2);
}

}  // namespace
}  // namespace packwell::test
