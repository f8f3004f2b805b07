#include "ui/app/QtTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include <memory>

TEST(QtTranslations, StandardButtonsSpeakRussianWhateverTheSystemLanguage)
{
    std::unique_ptr<QTranslator> translator(InstallRussianQtTranslations(*qApp));
    ASSERT_NE(translator, nullptr) << "Qt's Russian translation is installed with the program's packages";
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Да"));
    QCoreApplication::removeTranslator(translator.get());
}
