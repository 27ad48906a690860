#include "app/SingleInstance.h"

#include <QApplication>
#include <QLocalSocket>
#include <unistd.h>

namespace packwell::app {

namespace {
const QByteArray kRaise = "raise\n";
const QByteArray kRaised = "raised\n";
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 3000;
}  // namespace

QString InstanceServerName(const QString& className) {
    return className + QLatin1Char('-') + QString::number(::getuid());
}

bool ActivateRunningInstance(const QString& className) {
    QLocalSocket socket;
    socket.connectToServer(InstanceServerName(className));
    if (!socket.waitForConnected(kConnectMs)) return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(kAnswerMs);
    // Wait for the running copy to have raised its window, so the user never sees neither.
    while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerMs)) {
    }
    return true;
}

void RestoreAndFocusWindow(QWidget* window) {
    // While the cleanup dialog is up the main window is hidden: raise what the user works in.
    if (window && !window->isVisible()) {
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other->isVisible() && other->isWindow() && other->windowType() != Qt::ToolTip) {
                window = other;
                break;
            }
    }
    if (!window) return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

InstanceServer::InstanceServer(const QString& className, QWidget* window) : window_(window) {
    const QString name = InstanceServerName(className);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name) && server_.serverError() == QAbstractSocket::AddressInUseError) {
        // A socket left behind by a copy that crashed answers nobody: take its place. A live
        // one (a copy that got past its own check at the same moment) is left alone.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (!probe.waitForConnected(kConnectMs)) {
            QLocalServer::removeServer(name);
            server_.listen(name);
        }
    }
    connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Answer);
}

void InstanceServer::Answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() == kRaise) {
                RestoreAndFocusWindow(window_);
                socket->write(kRaised);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

}  // namespace packwell::app
