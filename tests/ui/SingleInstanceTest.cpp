// Two real copies of the program: the second raises the first and ends.
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <gtest/gtest.h>

#include "app/SingleInstance.h"
#include "tests/support/TempDir.h"

#ifdef PACKWELL_EXE

namespace packwell::test {
namespace {

namespace fs = std::filesystem;

// The socket lives in the temporary folder Qt picks from TMPDIR: keep it inside the test's.
class SecondCopy : public ::testing::Test {
protected:
    void SetUp() override {
        hadTmp_ = qEnvironmentVariableIsSet("TMPDIR");
        oldTmp_ = qgetenv("TMPDIR");
        fs::create_directories(home.root() / "tmp");
        qputenv("TMPDIR", QByteArray::fromStdString((home.root() / "tmp").string()));
    }
    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            first.kill();
            first.waitForFinished(5000);
        }
        if (hadTmp_)
            qputenv("TMPDIR", oldTmp_);
        else
            qunsetenv("TMPDIR");
    }

    QProcessEnvironment Environment(const fs::path& appData) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("APPDATA", QString::fromStdString(appData.string()));
        env.insert("TMPDIR", QString::fromStdString((home.root() / "tmp").string()));
        return env;
    }

    // The first copy answers once its main window exists.
    bool FirstCopyAnswers(int boundMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < boundMs && first.state() != QProcess::NotRunning) {
            QLocalSocket probe;
            probe.connectToServer(app::InstanceServerName(app::kMainWindowClass));
            if (probe.waitForConnected(200)) return true;
            QThread::msleep(50);
        }
        return false;
    }

    TempDir home;
    QProcess first;
    bool hadTmp_ = false;
    QByteArray oldTmp_;
};

TEST_F(SecondCopy, RaisesTheRunningWindowAndEndsWithZeroBeforeLookingForUpdates) {
    first.setProcessEnvironment(Environment(home.root() / "first"));
    first.start(QStringLiteral(PACKWELL_EXE), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(FirstCopyAnswers(20000));

    // What a second copy sends: the running one answers after raising its window.
    {
        QLocalSocket socket;
        socket.connectToServer(app::InstanceServerName(app::kMainWindowClass));
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write("raise\n");
        ASSERT_TRUE(socket.waitForReadyRead(5000));
        EXPECT_EQ(socket.readLine(), QByteArray("raised\n"));
    }

    QProcess second;
    const fs::path secondAppData = home.root() / "second";
    second.setProcessEnvironment(Environment(secondAppData));
    second.start(QStringLiteral(PACKWELL_EXE), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(fs::exists(secondAppData / "Quorvane"));  // ended before its data folder was made
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SecondCopy, NoRunningCopyMeansNobodyAnswers) {
    EXPECT_FALSE(app::ActivateRunningInstance(app::kMainWindowClass));
    EXPECT_FALSE(app::ActivateRunningInstance(QStringLiteral("TVantorCompatibility2")));
}

}  // namespace
}  // namespace packwell::test

#endif
