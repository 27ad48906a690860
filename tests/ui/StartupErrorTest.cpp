// An error that escapes the start-up: a box, then a clean end instead of an abort.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/Startup.h"
#include "tests/support/TempDir.h"

namespace packwell::test {
namespace {

TEST(StartupError, DataFolderPathTooLongShowsABoxAndEndsWithOne) {
    TempDir home;  // restores APPDATA when done
    const std::string longAppData = (home.root() / std::string(300, 'a')).string();
    setenv("APPDATA", longAppData.c_str(), 1);
    // The single-instance guard's socket lives in TMPDIR: no Packwell of the user's may answer.
    const QByteArray oldTmp = qgetenv("TMPDIR");
    const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(home.root().string()));

    QString boxText;
    QTimer::singleShot(0, [&boxText] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });
    EXPECT_EQ(app::StartProgram(), 1);
    if (hadTmp) qputenv("TMPDIR", oldTmp);
    else qunsetenv("TMPDIR");

    EXPECT_TRUE(boxText.contains(QStringLiteral("255"))) << boxText.toStdString();
    EXPECT_TRUE(boxText.contains(QString::fromStdString(longAppData))) << boxText.toStdString();
}

}  // namespace
}  // namespace packwell::test
