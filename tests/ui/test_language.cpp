// Every text in both languages, checked against the headers themselves.
#include "displayprefs.h"
#include "language.h"

#include <KConfig>
#include <KConfigGroup>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The JC_ names the language headers declare, read from the sources, so a
// text added in any language_*.h without its English fails here.
QSet<QString> DeclaredNames()
{
    QSet<QString> names;
    const QDir dir(QStringLiteral(KORVANE_LANGUAGE_DIR));
    const QRegularExpression decl(QStringLiteral("constexpr\\s+char\\s+(JC_\\w+)\\s*\\[\\]"));
    for (const QString &file : dir.entryList({QStringLiteral("language*.h")})) {
        QFile f(dir.filePath(file));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        auto it = decl.globalMatch(QString::fromUtf8(f.readAll()));
        while (it.hasNext())
            names.insert(it.next().captured(1));
    }
    return names;
}

struct LanguageGuard
{
    ~LanguageGuard() { SetTextLanguage(TextLanguage::Japanese); }
};

TEST(Language, EveryDeclaredTextHasEnglishAndNoOther)
{
    const QSet<QString> declared = DeclaredNames();
    ASSERT_GT(declared.size(), 150);
    QSet<QString> table;
    for (int i = 0; i < g_EnglishTextCount; ++i)
        table.insert(QString::fromLatin1(g_EnglishTexts[i].name));
    for (const QString &n : declared - table)
        ADD_FAILURE() << "no English for " << n.toStdString();
    for (const QString &n : table - declared)
        ADD_FAILURE() << "English for an undeclared text " << n.toStdString();
}

// Both forms of a text carry the same menu accelerator and line breaks; texts
// of equal bytes read alike, as the English is found by the Japanese bytes;
// Japanese stays byte for byte.
TEST(Language, EachTextKeepsItsShapeAndIsFoundByItsBytes)
{
    LanguageGuard guard;
    QHash<QByteArray, QByteArray> byBytes;
    for (int i = 0; i < g_EnglishTextCount; ++i) {
        const EnglishText &t = g_EnglishTexts[i];
        const QByteArray ja(t.euc), en(t.english);
        SCOPED_TRACE(t.name);
        EXPECT_FALSE(en.isEmpty());
        EXPECT_EQ(ja.contains('&'), en.contains('&'));
        EXPECT_EQ(ja.count('\n'), en.count('\n'));
        const auto seen = byBytes.constFind(ja);
        if (seen != byBytes.constEnd()) {
            EXPECT_EQ(*seen, en) << "same Japanese, different English";
        }
        byBytes.insert(ja, en);
        SetTextLanguage(TextLanguage::Japanese);
        EXPECT_EQ(JBytes(JStr(t.euc)), ja);
        SetTextLanguage(TextLanguage::English);
        EXPECT_EQ(JStr(t.euc), QString::fromUtf8(t.english));
    }
    // A text outside the table still shows.
    EXPECT_EQ(JStr("\xc6\xfc\xcb\xdc\xbc\xb0\xa4\xce"), QString::fromUtf8("日本式の"));
}

TEST(Language, ChoiceAgainstTheDesktop)
{
    const struct
    {
        LanguageChoice choice;
        const char *desktop;
        bool english;
    } rows[] = {
        {LanguageChoice::Desktop, "ja_JP", false},  {LanguageChoice::Desktop, "en_US", true},
        {LanguageChoice::Desktop, "de_DE", true},   {LanguageChoice::Desktop, "C", true},
        {LanguageChoice::Japanese, "en_US", false}, {LanguageChoice::English, "ja_JP", true},
    };
    for (const auto &r : rows)
        EXPECT_EQ(ChoosesEnglish(r.choice, QLocale(QLatin1String(r.desktop))), r.english)
            << int(r.choice) << " " << r.desktop;
}

// A notation never chosen follows the language; a chosen one is kept.
TEST(Language, NotationDefaultsToTheLanguageShown)
{
    const struct
    {
        const char *language, *notation, *desktop;
        Notation expected;
    } rows[] = {
        {nullptr, nullptr, "en_US", Notation::Western},
        {nullptr, nullptr, "ja_JP", Notation::Japanese},
        {"ja", nullptr, "en_US", Notation::Japanese},
        {"en", nullptr, "ja_JP", Notation::Western},
        {nullptr, "japanese", "en_US", Notation::Japanese},
        {"ja", "western", "ja_JP", Notation::Western},
    };
    for (const auto &r : rows) {
        KConfig config(QString(), KConfig::SimpleConfig);
        KConfigGroup g = config.group("General Options");
        if (r.language)
            g.writeEntry("Language", r.language);
        if (r.notation)
            g.writeEntry("Notation", r.notation);
        EXPECT_EQ(ReadDisplayPrefs(g, QLocale(QLatin1String(r.desktop))).notation, r.expected)
            << (r.language ? r.language : "-") << " " << (r.notation ? r.notation : "-");
    }
}

} // namespace
