#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kDirectory = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("vollmark_");
const QString kSuffix = QStringLiteral(".qm");

}  // namespace

QStringList EmbeddedTranslations() {
    QStringList codes;
    // Matched by hand: a name filter is a wildcard that Qt compiles into a regular expression,
    // which loads and runs the expression compiler at every start.
    for (const QString& file : QDir(kDirectory).entryList(QDir::Files)) {
        if (!file.startsWith(kPrefix) || !file.endsWith(kSuffix)) continue;
        codes << file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
    }
    return codes;
}

// "C" and "POSIX" (what Qt reports under LANG=C or with no LANG at all) name no language,
// so a test or a script without one keeps the texts as written.
QString PickTranslation(const QStringList& uiLanguages, const QStringList& available) {
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::Ukrainian) return {};
        if (language == QLocale::C || language == QLocale::AnyLanguage) continue;
        const QString code = QLocale::languageToCode(language);
        if (available.contains(code)) return code;
    }
    return {};
}

QString InstallTranslation(QTranslator& translator, const QStringList& uiLanguages) {
    const QString code = PickTranslation(uiLanguages, EmbeddedTranslations());
    if (code.isEmpty() || !translator.load(kPrefix + code + kSuffix, kDirectory)) return {};
    QCoreApplication::installTranslator(&translator);
    return code;
}
