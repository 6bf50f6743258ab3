#include "Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Removes what Install put in, so each test starts from the English texts.
void RemoveTranslators()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QString FileMenu()
{
    return QCoreApplication::translate("frmFrame", "&File");
}

TEST(Translations, GermanCatalogueTranslatesTheInterface)
{
    EXPECT_TRUE(Translations::Install(*qApp, QLocale(QLocale::German, QLocale::Austria)));
    EXPECT_EQ(FileMenu(), QStringLiteral("&Datei"));
    RemoveTranslators();
    EXPECT_EQ(FileMenu(), QStringLiteral("&File"));
}

TEST(Translations, EnglishAndLanguagesWithoutCatalogueKeepTheSourceTexts)
{
    EXPECT_FALSE(Translations::Install(*qApp, QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_FALSE(Translations::Install(*qApp, QLocale(QLocale::French)));
    EXPECT_EQ(FileMenu(), QStringLiteral("&File"));
    RemoveTranslators();
}

} // namespace
