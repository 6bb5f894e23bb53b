#include "app/InterfaceLanguage.h"

#include "app/Settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace InterfaceLanguage {

const char *const SettingKey = "interface/language";

namespace {

constexpr TInterfaceLanguage Languages[] = {
    { lgEnglish, "en", "English", "ENGLISH.DCT", true, QLocale::English },
    { lgSpanish, "es", "Espa\u00f1ol", "ESPANOL.DCT", false, QLocale::Spanish },
};

// The translators in use; none for English, the language the texts are written in.
std::unique_ptr<QTranslator> ProgramTranslator;
std::unique_ptr<QTranslator> QtTranslator;

void Uninstall(std::unique_ptr<QTranslator> &translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

void Load(std::unique_ptr<QTranslator> &translator, const QString &name, const QString &folder)
{
    auto loaded = std::make_unique<QTranslator>();
    // A missing file leaves those texts in English; the rest of the language still applies.
    if (loaded->load(name, folder) && QCoreApplication::installTranslator(loaded.get()))
        translator = std::move(loaded);
}

} // namespace

const TInterfaceLanguage &Of(TLanguages id)
{
    return id == lgSpanish ? Languages[1] : Languages[0];
}

TLanguages ForLocale(const QLocale &locale)
{
    return locale.language() == QLocale::Spanish ? lgSpanish : lgEnglish;
}

TLanguages Saved()
{
    const QString code = Settings::Store().value(SettingKey).toString();
    for (const TInterfaceLanguage &language : Languages)
        if (code == language.Code)
            return language.Id;
    // The languages of the interface the user asked for (LANGUAGE, then LC_ALL,
    // LC_MESSAGES, LANG), not of the numbers and dates.
    const QStringList wanted = QLocale::system().uiLanguages();
    return ForLocale(wanted.isEmpty() ? QLocale::system() : QLocale(wanted.first()));
}

void Save(TLanguages id)
{
    Settings::Store().setValue(SettingKey, Of(id).Code);
}

void Install(TLanguages id)
{
    Uninstall(ProgramTranslator);
    Uninstall(QtTranslator);
    if (id != lgEnglish) {
        const QString code = Of(id).Code;
        Load(ProgramTranslator, "scrivlo_" + code, ":/i18n");
        Load(QtTranslator, "qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    // The application posts the change to its windows; they relabel now, not later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

} // namespace InterfaceLanguage
