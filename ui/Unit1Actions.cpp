// The actions of the window that the check, the download run, Setups+ and Forge fill in.
#include "ui/Unit1.h"

void TVantorCompatibility::sButtonCheckClick() {}

void TVantorCompatibility::sButtonDownloadClick() {}

bool TVantorCompatibility::conecteon() { return false; }

void TVantorCompatibility::sCheckBox1MouseUp(Qt::MouseButton) {}

void TVantorCompatibility::sCheckBox2MouseUp(Qt::MouseButton) {}

void TVantorCompatibility::sTitleBar1Items0MouseUp(Qt::MouseButton) {}

void TVantorCompatibility::sTitleBar1Items2MouseUp(Qt::MouseButton) {}
