#pragma once

class QCoreApplication;
class QLocale;

namespace Translations {

// Installs the program's own catalogue and Qt's for the first of the user's
// interface languages that has one (QLocale::uiLanguages: LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). English needs no catalogue: the source texts are English.
// Returns whether the program's catalogue was installed.
//
// The command-line program never calls this: its texts stay English whatever
// the language, because scripts read them.
bool Install(QCoreApplication& app, const QLocale& locale);

} // namespace Translations
