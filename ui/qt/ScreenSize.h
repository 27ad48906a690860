#pragma once
// Where the windows stand on the screen.
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>

// ScreenW and ScreenH of the layouts: the primary screen's full size in pixels.
inline QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

// A window is placed at the centre of its monitor's work area, at its present size.
inline void CentreInWorkArea(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window.move(area.x() + (area.width() - window.width()) / 2, area.y() + (area.height() - window.height()) / 2);
}
