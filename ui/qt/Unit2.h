#pragma once
// The cleanup dialog: created hidden with the main window, shown when files may be deleted.
// The main window turns into it (ShowCleanupDialog); "Удалить" deletes the ticked files,
// keeps the unticked ones in the white-list, and turns it back into the main window.
#include <QWidget>
#include <vector>

#include "core/cleanup/Cleanup.h"
#include "ui/window/CleanupDialogState.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TVantorCompatibility;

namespace skin {
class TsTitleBar;
}

class TVantorCompatibility2 : public QWidget, public packwell::window::CleanupDialogState {
    Q_OBJECT
public:
    // Frame around the client area: 8 on the sides and below, the title bar and 5 above
    // (outer 553 x 279 for a client area of 537 x 241).
    static constexpr int kSideFrame = 8;
    static constexpr int kTopFrame = 30;

    explicit TVantorCompatibility2(TVantorCompatibility& mainWindow);

    skin::TsTitleBar* sTitleBar1 = nullptr;
    QWidget* sClient = nullptr;
    QGroupBox* sGroupBox1 = nullptr;
    QLabel* sLabel1 = nullptr;
    QListWidget* sCheckListBoxDel = nullptr;
    QPushButton* sButtonDel = nullptr;

    // The list as it stands: every name with its tick.
    std::vector<packwell::CleanupItem> Items() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Nothing closes the dialog but "Удалить": the hidden main window would be lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowItems(const std::vector<packwell::CleanupItem>& items) override;
    void ShowMainInPlace() override;
    void BuildControls();

    TVantorCompatibility& mainWindow_;
};
