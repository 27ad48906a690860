// The log double-click: the whole log to "Packwell - Статус.txt", then the text editor.
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include "tests/ui/WindowFixture.h"

namespace packwell::test {
namespace {

namespace fs = std::filesystem;
using StatusExport = WindowTest;

void DoubleClick(QWidget* target) {
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &click);
}

TEST_F(StatusExport, DoubleClickWritesEveryLineWithCrLfAndOpensTheFile) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    w.Console(false, "первая\r\nвторая");
    w.Console(1, false, "=====Проверка совместимости=====");

    DoubleClick(w.sMemo1->viewport());

    const fs::path file = home.cwd() / "Packwell - Статус.txt";
    EXPECT_EQ(readFile(file), "первая\r\nвторая\r\n \r\n=====Проверка совместимости=====\r\n");
    ASSERT_EQ(desktop.openedFiles.size(), 1u);
    EXPECT_EQ(fs::weakly_canonical(desktop.openedFiles[0]), fs::weakly_canonical(file));
}

TEST_F(StatusExport, FileThatCannotBeWrittenIsReportedAndNothingIsOpened) {
    TVantorCompatibility& w = Open();
    w.Timer1->stop();
    w.Console(false, "строка");
    fs::create_directories(home.cwd() / "Packwell - Статус.txt");  // a folder stands in the way

    QString boxText;
    QTimer::singleShot(0, [&boxText] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });
    w.sMemo1DblClick();

    EXPECT_TRUE(boxText.contains(QStringLiteral("Packwell - Статус.txt"))) << boxText.toStdString();
    EXPECT_TRUE(desktop.openedFiles.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.sMemo1->toPlainText(), QStringLiteral("строка"));
}

}  // namespace
}  // namespace packwell::test
