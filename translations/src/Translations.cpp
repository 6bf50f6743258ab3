#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

namespace {

// Loads name_<language>.qm (or of the bare language, "de" for "de_AT") from
// folder and installs it; false when there is none.
bool installCatalogue(QCoreApplication& app, const QString& name, const QString& language,
                      const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(name + QLatin1Char('_') + language, folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

bool Install(QCoreApplication& app, const QLocale& locale)
{
    // The first language the user names that is English or has a catalogue
    // wins: a user who asks for English before German sees English.
    for (QString language : locale.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (language == QLatin1String("C") || language.startsWith(QLatin1String("en")))
            return false;
        // The program's catalogues are built into this library.
        if (installCatalogue(app, QStringLiteral("legato"), language, QStringLiteral(":/i18n"))) {
            // Qt's own texts (standard buttons, file dialogs), where Qt's catalogues are installed.
            installCatalogue(app, QStringLiteral("qtbase"), language,
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return true;
        }
    }
    return false;
}

} // namespace Translations
