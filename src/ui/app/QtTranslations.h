#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own dialogs and buttons (open and save, colour, font, print set-up, "Yes"/"No") speak
// Russian like the rest of the program, whatever the system's language. Returns the installed
// translator (owned by the application), or null when Qt's Russian translation is missing
// (Debian: qt6-translations-l10n).
QTranslator* InstallRussianQtTranslations(QCoreApplication& app);
