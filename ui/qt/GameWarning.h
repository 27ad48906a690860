#pragma once
class QWidget;

// The warning about a game started while the program is open: one OK button, warning icon,
// modal for the program and above every other window. Returns when it has been closed.
void ShowGameWarning(QWidget* parent);
