#include "ui/app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

QTranslator* InstallRussianQtTranslations(QCoreApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds the texts of the widgets and the standard dialogs.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"), folder)
        || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    translator->setParent(&app);
    return translator.release();
}
