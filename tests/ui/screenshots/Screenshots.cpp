// Saves pictures of the main window in each layout and skin, for a person to look at.
// Usage: ui_screenshots <output folder>. Works against a temporary home with a valid game folder.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/settings/IniFile.h"
#include "ui/qt/ErrorBox.h"
#include "ui/qt/FutureAnimations.h"
#include "ui/qt/GameWarning.h"
#include "ui/qt/Unit1.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/skin/Controls.h"
#include "ui/qt/skin/Fonts.h"
#include "ui/qt/skin/RussianTexts.h"
#include "ui/qt/skin/SkinManager.h"
#include "ui/qt/skin/SkinSheets.h"
#include "tests/support/ScreenshotScenes.h"

namespace fs = std::filesystem;

namespace {

void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (FutureAnimations::IsAnimating() && clock.elapsed() < 5000) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
    QApplication::processEvents();
}

void Save(QWidget& w, const QString& folder, const QString& name, double opacity = 1.0) {
    const QPixmap shot = w.grab();
    QPixmap framed(shot.size() + QSize(40, 40));
    framed.fill(QColor(0x5b, 0x6e, 0x8c));  // a desktop behind the window shows the fade
    QPainter painter(&framed);
    painter.setOpacity(opacity);
    painter.drawPixmap(20, 20, shot);
    painter.end();
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    framed.save(path);
    std::printf("%s\n", qPrintable(path));
}

fs::path MakeHome() {
    std::string pattern = (fs::temp_directory_path() / "packwell-shots-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::exit(1);
    const fs::path home = pattern;
    fs::create_directories(home / "game" / "versions" / "1.12.2");
    fs::create_directories(home / "game" / "assets");
    fs::create_directories(home / "appdata" / "Quorvane" / "Packwell");
    std::ofstream(home / "appdata" / "Quorvane" / "Packwell" / "Settings.ini")
        << "[Settings]\r\nGameFolder=" << (home / "game").string() << "\r\n";
    setenv("APPDATA", (home / "appdata").c_str(), 1);
    fs::current_path(home);
    return home;
}

void ShootSkin(const QString& folder, const QString& skinName, const QString& prefix) {
    WindowServices services = WindowServices::Defaults();
    services.terminate = [] {};
    services.gamePlatform.FindGameWindow = [] { return std::optional<platform::GameWindow>{}; };
    TVantorCompatibility w(services);
    w.sSkinManager1->SetSkinName(skinName);
    w.show();
    w.Timer1->stop();
    QApplication::processEvents();
    Save(w, folder, prefix + QStringLiteral("-1-compact"));

    w.Timer1Timer();
    w.Timer5->stop();  // the pictures are taken by hand
    Settle();
    Save(w, folder, prefix + QStringLiteral("-2-actions"));

    packwell::test::FillSampleLog(w);
    w.sGroupBox3MouseMove();
    Settle();
    Save(w, folder, prefix + QStringLiteral("-3-full"));

    w.ChngSize(1);
    w.sProgressBar1->setValue(40);
    Settle();
    Save(w, folder, prefix + QStringLiteral("-4-progress-one"));

    w.ChngSize(2);
    for (int i = 1; i <= 5; ++i) w.ProgressBar(i)->setValue(i * 18);
    Settle();
    Save(w, folder, prefix + QStringLiteral("-5-progress-five"));

    w.ChngSize(0);
    packwell::test::PrepareSampleCleanup(w);
    w.ShowCleanupDialog();
    Settle();
    Save(*w.CleanupDialog, folder, prefix + QStringLiteral("-6-cleanup"));
    w.CleanupDialog->sButtonDel->click();
    Settle();
    Save(w, folder, prefix + QStringLiteral("-7-handed-back"));

    // The two boxes a player may meet while the window is open: each is pictured once it is up.
    const auto shootBox = [&](const QString& name, const std::function<void()>& show) {
        QTimer::singleShot(300, [&folder, &prefix, name] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                Save(*box, folder, prefix + name);
                box->close();
            }
        });
        show();
    };
    shootBox(QStringLiteral("-9-game-warning"), [&] { ShowGameWarning(&w); });
    shootBox(QStringLiteral("-10-error-box"), [&] {
        ShowErrorBox(&w, packwell::IniWriteError(w.SettingsIni->FileName()));
    });
    shootBox(QStringLiteral("-11-folder-picker"),
             [&] { skin::TsPathDialog::RunFolderDialog(&w, QString::fromStdString(w.GameDir)); });

    // Mid-fade on the window's own timers: the first frame half faded with the height already
    // going, as a player sees it.
    const int heightBefore = w.height();
    w.FormCloseQuery();
    bool shot = false;
    QElapsedTimer clock;
    clock.start();
    while (!shot && clock.elapsed() < 5000) {
        QApplication::processEvents();
        const int alpha = w.AlphaBlendValue();
        if (alpha >= 50 && alpha <= 200 && w.height() < heightBefore) {
            w.Timer6->stop();
            FutureAnimations::StopAnimations();
            Save(w, folder, prefix + QStringLiteral("-8-closing"), alpha / 255.0);
            shot = true;
        }
        QThread::msleep(1);
    }
    if (!shot) std::fprintf(stderr, "%s: no frame caught the window fading while it collapsed\n", qPrintable(prefix));
    FutureAnimations::StopAnimations();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    skin::InstallFontFallbacks();
    skin::InstallRussianTexts();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    const QString absolute = QDir(folder).absolutePath();
    const fs::path home = MakeHome();
    ShootSkin(absolute, skin::kEmerald, QStringLiteral("emerald"));
    ShootSkin(absolute, skin::kMaterialDark, QStringLiteral("material-dark"));
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(home, ignored);
    return 0;
}
