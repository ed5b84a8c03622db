#ifndef KORVANE_DISPLAYPREFS_H
#define KORVANE_DISPLAYPREFS_H

#include "notation.h"

class KConfigGroup;
class QLocale;

// The language of the texts, the notation of moves and the piece letters,
// kept in the options with the rest.
enum class LanguageChoice
{
    Desktop, // English unless the desktop's language is Japanese
    Japanese,
    English
};

enum class Notation
{
    Japanese, // 7六歩
    Western   // P-7f
};

struct DisplayPrefs
{
    LanguageChoice language = LanguageChoice::Desktop;
    Notation notation = Notation::Japanese;
    bool westernPieces = false; // Western letters beside the kanji
};

bool ChoosesEnglish(LanguageChoice choice, const QLocale &desktop);

// A notation never chosen follows the language the texts are shown in.
DisplayPrefs ReadDisplayPrefs(const KConfigGroup &options, const QLocale &desktop);
void WriteDisplayPrefs(KConfigGroup &options, const DisplayPrefs &prefs);

// The preferences of this run, read at start-up; the notation and pieces may
// change while it runs, the language only at the next start.
DisplayPrefs &CurrentDisplayPrefs();
// The notation engine lines are shown in, as the record window shows moves.
records::NotationStyle ShownNotationStyle();

// Reads the options and sets the language of the texts. Before any window.
void ApplyLanguageAtStart(const QLocale &desktop);

#endif
