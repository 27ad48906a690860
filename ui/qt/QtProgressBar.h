#pragma once
// Lets a download drive one of the window's progress bars from any thread.
#include <QPointer>
#include <QProgressBar>
#include <cstdint>
#include <mutex>

#include "net/FutureDownloads/ProgressBar.h"
#include "ui/window/BarProgress.h"

namespace packwell::ui {

class QtProgressBar : public FutureDownloads::ProgressBar {
public:
    explicit QtProgressBar(QProgressBar* bar) : bar_(bar) {}

    // A negative maximum (none announced) shows the bar busy.
    void SetMaximum(std::int64_t maximum) override;
    void SetPosition(std::int64_t position) override;
    void Advance(std::int64_t delta) override;
    // Handles the window's events on the window's thread; on a worker it does nothing.
    void ProcessPendingEvents() override;

private:
    void Show(window::BarValue shown);  // under mutex_

    QPointer<QProgressBar> bar_;
    std::mutex mutex_;
    window::BarProgress progress_;
};

}  // namespace packwell::ui
