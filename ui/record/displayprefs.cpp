#include "displayprefs.h"

#include "language.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QLocale>

namespace {
const char OptionsGroup[] = "General Options";

// Values as written in the options file.
const char *const LanguageValues[] = {"desktop", "ja", "en"};
const char *const NotationValues[] = {"japanese", "western"};
} // namespace

bool ChoosesEnglish(LanguageChoice choice, const QLocale &desktop)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return false;
    case LanguageChoice::English:
        return true;
    case LanguageChoice::Desktop:
    default:
        return desktop.language() != QLocale::Japanese;
    }
}

DisplayPrefs ReadDisplayPrefs(const KConfigGroup &options, const QLocale &desktop)
{
    DisplayPrefs p;
    const QString language = options.readEntry("Language", QString());
    for (int i = 0; i < 3; ++i)
        if (language == QLatin1String(LanguageValues[i]))
            p.language = LanguageChoice(i);
    p.notation = ChoosesEnglish(p.language, desktop) ? Notation::Western : Notation::Japanese;
    const QString notation = options.readEntry("Notation", QString());
    for (int i = 0; i < 2; ++i)
        if (notation == QLatin1String(NotationValues[i]))
            p.notation = Notation(i);
    p.westernPieces = options.readEntry("WesternPieces", false);
    return p;
}

void WriteDisplayPrefs(KConfigGroup &options, const DisplayPrefs &prefs)
{
    options.writeEntry("Language", LanguageValues[int(prefs.language)]);
    options.writeEntry("Notation", NotationValues[int(prefs.notation)]);
    options.writeEntry("WesternPieces", prefs.westernPieces);
}

DisplayPrefs &CurrentDisplayPrefs()
{
    static DisplayPrefs prefs;
    return prefs;
}

void ApplyLanguageAtStart(const QLocale &desktop)
{
    const KConfigGroup g = KSharedConfig::openConfig()->group(OptionsGroup);
    CurrentDisplayPrefs() = ReadDisplayPrefs(g, desktop);
    SetTextLanguage(ChoosesEnglish(CurrentDisplayPrefs().language, desktop)
                        ? TextLanguage::English
                        : TextLanguage::Japanese);
}

records::NotationStyle ShownNotationStyle()
{
    return CurrentDisplayPrefs().notation == Notation::Western ? records::NotationStyle::Western
                                                               : records::NotationStyle::Ki2;
}
