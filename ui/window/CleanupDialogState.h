#pragma once
// What the cleanup dialog decides, whatever toolkit draws it: the list it offers, what
// "Удалить" deletes and keeps, and how it turns back into the main window. The Qt dialog and
// the Win32 dialog derive from it and only draw.
#include <vector>

#include "core/cleanup/Cleanup.h"

namespace packwell::window {

class MainWindowState;

class CleanupDialogState {
public:
    CleanupDialogState(const CleanupDialogState&) = delete;
    CleanupDialogState& operator=(const CleanupDialogState&) = delete;

    // The list as it stands: every name with its tick.
    virtual std::vector<CleanupItem> Items() const = 0;

    // Shown: the files the last check may delete, ticked but for the white-listed ones.
    void FormShow();
    // Deletes the ticked files, keeps the unticked ones in the white-list, and turns back
    // into the main window (also when the white-list cannot be written: nothing else leads back).
    void sButtonDelClick();
    // Asked at every press on a drag area: refused while anything animates.
    bool sGroupBox1MouseDown() const;

protected:
    explicit CleanupDialogState(MainWindowState& main) : main_(main) {}
    ~CleanupDialogState() = default;

    virtual void ShowItems(const std::vector<CleanupItem>& items) = 0;
    // The main window takes this dialog's place and size and is shown; this dialog hides.
    virtual void ShowMainInPlace() = 0;

    MainWindowState& main_;

private:
    void HandBack();
};

}  // namespace packwell::window
