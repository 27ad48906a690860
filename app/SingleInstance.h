#pragma once
// One Packwell per user: the running copy's main window answers under its class name, and a
// copy started later raises that window and ends.
#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace packwell::app {

inline const QString kMainWindowClass = QStringLiteral("TVantorCompatibility");

// The local socket name of a window class for the present user.
QString InstanceServerName(const QString& className);

// When a window of className answers, it is asked to restore and raise itself and true comes
// back: the caller then ends with exit code 0. False when no such window runs.
bool ActivateRunningInstance(const QString& className);

// Shows the window in its normal state (restored when minimised) in front of the others.
void RestoreAndFocusWindow(QWidget* window);

// Answers ActivateRunningInstance for one window for as long as it lives.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(const QString& className, QWidget* window);
    bool Listening() const { return server_.isListening(); }

private:
    void Answer();

    QLocalServer server_;
    QPointer<QWidget> window_;
};

}  // namespace packwell::app
