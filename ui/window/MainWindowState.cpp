#include "ui/window/MainWindowState.h"

#include "core/settings/SharedValues.h"
#include "ui/window/WindowRunHost.h"

namespace packwell::window {

MainWindowState::MainWindowState(PostToUi post, FileOpener opener)
    : post_(post),
      runHost_(std::make_unique<WindowRunHost>(*this)),
      setupsPlus_(post, opener),
      forge_(post, opener),
      check_(std::move(post)) {}

MainWindowState::~MainWindowState() = default;

void MainWindowState::LoadProgramValues() {
    GameVersion = kGameVersion;
    BaseUrl = packwell::BaseUrl();
    AppDataDir = packwell::AppDataDir();
    EnsureAppDataDir();
    SettingsIni = std::make_unique<IniFile>(SettingsIniPath());
    ManifestIni = std::make_unique<IniFile>(ManifestIniPath());
    ModsUrlPath = kModsUrlPath;
}

std::string MainWindowState::Caption() const { return MainCaption(GameVersion); }

std::string MainWindowState::WelcomeText(const std::string& checkCaption, const std::string& downloadCaption) const {
    return "   Добро пожаловать :)\r\n   Для начала нажмите «" + checkCaption + "»," + "\r\n" + "а затем «" +
           downloadCaption + "», чтобы синхронизировать" + "\r\n" + "ваш клиент Minecraft с сервером Brenvik " +
           GameVersion + ".";
}

std::int32_t MainWindowState::ItemNumber() const {
    return run_ && run_->Dispatcher() ? run_->Dispatcher()->ItemNumber() : 0;
}

void MainWindowState::StopJobs() {
    if (run_) run_->Cancel();
    check_.Stop();
    setupsPlus_.Stop();
    forge_.Stop();
}

bool MainWindowState::Guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ShowError(e);
        return false;
    }
}

}  // namespace packwell::window
