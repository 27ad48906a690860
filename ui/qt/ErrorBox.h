#pragma once
// The application's standard error box: the error's text under the application's name.
#include <exception>

class QWidget;

// Modal, OK only; returns once it has been closed. Without a parent it belongs to no window
// (an error at start-up, before any window exists).
void ShowErrorBox(QWidget* parent, const std::exception& error);
