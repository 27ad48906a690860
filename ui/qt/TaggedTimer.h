#pragma once
#include <QTimer>

// A timer whose Tag chooses the job its ticks do.
class TTaggedTimer : public QTimer {
    Q_OBJECT
public:
    using QTimer::QTimer;
    int Tag = 0;
};
