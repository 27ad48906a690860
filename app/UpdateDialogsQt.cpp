#include "app/UpdateDialogs.h"

#include <QMessageBox>
#include <QString>

namespace packwell::app {
namespace {

// The boxes of the update check: modal, on top of every window, owned by no window.
class MessageBoxDialogs : public UpdateDialogs {
public:
    bool Show(const UpdateMessage& message) override {
        QMessageBox box(Icon(message.box), QString::fromStdString(message.caption), Text(message),
                        message.box == UpdateBox::Question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        // Closing the question answers Cancel.
        if (message.box == UpdateBox::Question) box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }

private:
    static QMessageBox::Icon Icon(UpdateBox box) {
        switch (box) {
            case UpdateBox::Question: return QMessageBox::Information;
            case UpdateBox::DownloadFailed: return QMessageBox::Critical;
            case UpdateBox::NoConnection: return QMessageBox::Warning;
            case UpdateBox::CannotInstall: return QMessageBox::Warning;
        }
        return QMessageBox::NoIcon;
    }
    // The texts break lines with CR LF; Qt wants LF alone.
    static QString Text(const UpdateMessage& message) {
        return QString::fromStdString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
};

}  // namespace

std::unique_ptr<UpdateDialogs> MakeUpdateDialogs() { return std::make_unique<MessageBoxDialogs>(); }

}  // namespace packwell::app
