#pragma once
// Selects one of the built-in skins for every window of the program.
#include <QObject>
#include <QPointer>
#include <QString>

#include "ui/qt/skin/SkinStyle.h"

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
    QPointer<TsSkinStyle> style_;  // the application owns it
};

}  // namespace skin
