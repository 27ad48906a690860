#pragma once
// Qt's own texts in Russian like the rest of the program: the standard buttons ("Отмена"), the
// folder picker's columns and places, and dates written the Russian way.
namespace skin {

// Once, after the application object exists.
void InstallRussianTexts();

}  // namespace skin
