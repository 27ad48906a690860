#pragma once
// The cleanup dialog: created hidden at start-up, shown when files may be deleted.
#include <QWidget>

class TVantorCompatibility2 : public QWidget {
    Q_OBJECT
public:
    explicit TVantorCompatibility2(QWidget* parent = nullptr);
};
