#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QStringList TranslationFolders() {
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.absoluteFilePath(QStringLiteral("../translations")),
            bin.absoluteFilePath(QStringLiteral("../share/tickwell/translations"))};
}

bool InstallTranslations(const QLocale& locale, const QStringList& folders) {
    // English is the source language: nothing to load, and a stray English
    // file must not change a text.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return false;
    auto* qt = new QTranslator(qApp);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    auto* own = new QTranslator(qApp);
    for (const QString& folder : folders)
        if (own->load(locale, QStringLiteral("tickwell"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own);
            return true;
        }
    delete own;
    return false;
}
