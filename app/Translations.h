#pragma once
// The windows in the user's language: Tickwell's own translation and Qt's
// (the standard buttons of the message boxes and dialogs).
#include <QStringList>

class QLocale;

// Where tickwell_LANG.qm is looked for: beside the program in a build tree
// (build/translations, next to build/app/), then the installed
// share/tickwell/translations beside the program's bin/.
QStringList TranslationFolders();
// Installs the translations for the locale on the application: Tickwell's from
// the first folder that has one, and Qt's base translation. English, and a
// language without a translation, install none of Tickwell's. Returns whether
// Tickwell's was found.
bool InstallTranslations(const QLocale& locale, const QStringList& folders = TranslationFolders());
