#pragma once
// Lets a download drive one of the window's progress bars from any thread.
#include <QPointer>
#include <QProgressBar>
#include <cstdint>
#include <mutex>

#include "net/FutureDownloads/ProgressBar.h"

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

    // Bars hold int; 64-bit values are divided by this before they are shown.
    static std::int64_t ScaleFor(std::int64_t maximum);

private:
    struct Shown {
        int maximum;
        int value;
    };
    Shown Current() const;  // under mutex_
    void Show(Shown shown);

    QPointer<QProgressBar> bar_;
    mutable std::mutex mutex_;
    std::int64_t maximum_ = 0;
    std::int64_t position_ = 0;
};

}  // namespace packwell::ui
