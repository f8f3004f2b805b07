#include "ui/app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallRussianQtTranslations(QCoreApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds the widgets' and dialogs' texts; the application owns the translator.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        translator->deleteLater();
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
