#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The language codes ("de", "fr", ...) of the translations built into the program.
QStringList EmbeddedTranslations();

// The translation for the first of the user's languages (most wanted first, as
// QLocale::uiLanguages() gives them) that has one. Ukrainian, the language the texts are
// written in, ends the search with no translation, as does a language list without any match.
QString PickTranslation(const QStringList& uiLanguages, const QStringList& available);

// Loads the picked translation into `translator` and installs it in the application;
// returns its language code, or an empty string when the texts stay as written.
QString InstallTranslation(QTranslator& translator, const QStringList& uiLanguages);
