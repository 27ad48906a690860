#pragma once
// Selects one of the built-in skins for every window of the program.
#include <QObject>
#include <QString>

namespace skin {

class TsSkinManager : public QObject {
    Q_OBJECT
public:
    explicit TsSkinManager(QObject* parent = nullptr) : QObject(parent) {}
    // False (and nothing changes) for a name that is not a built-in skin.
    bool SetSkinName(const QString& name);
    QString SkinName() const { return name_; }

private:
    QString name_;
};

}  // namespace skin
