#pragma once
// The few skinned controls that need more than a style sheet.
#include <QCheckBox>
#include <QFileDialog>
#include <QMouseEvent>
#include <QString>
#include <functional>
#include <optional>

namespace skin {

// A check box that reports the release of any mouse button after it has taken its new state.
class TsCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp(Qt::MouseButton button);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QCheckBox::mouseReleaseEvent(event);
        emit mouseUp(event->button());
    }
};

// The folder picker: opens at Path; Execute gives the chosen folder, nothing after Cancel.
class TsPathDialog {
public:
    using Runner = std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)>;

    explicit TsPathDialog(Runner runner) : runner_(std::move(runner)) {}
    std::optional<QString> Execute(QWidget* parent) const { return runner_(parent, Path); }

    // A folder dialog of the platform, with the desktop among its places.
    static std::optional<QString> RunFolderDialog(QWidget* parent, const QString& startFolder);

    QString Path;

private:
    Runner runner_;
};

}  // namespace skin
