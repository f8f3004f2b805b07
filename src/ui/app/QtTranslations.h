#pragma once

class QCoreApplication;

// Qt's own dialogs and buttons (open and save, colour, font, print set-up, "Yes"/"No") speak
// Russian like the rest of the program, whatever the system's language. Returns whether Qt's
// Russian translation was found (Debian: qt6-translations-l10n).
bool InstallRussianQtTranslations(QCoreApplication& app);
