#pragma once

// The program's identity and language, before the first window opens:
// its name, the desktop entry it belongs to, and Qt's own texts (buttons,
// the save dialog) in Simplified Chinese whatever the system's locale.
//
// No application display name is set: Qt would append it to every window
// title that lacks it, and the save dialog's title is "保存" alone. Every box
// carries the application title "Orsela" itself.
void SetUpApplication();

// Loads Qt's Simplified Chinese translation into the running application;
// false when the system has none (Debian: qt6-translations-l10n).
bool InstallChineseQtTranslation();
