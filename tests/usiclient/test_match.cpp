// korvane-match against scripted and real engines: the one line per game and
// the tally are what engine authors read, so they are checked as printed.
#include "recordformat.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Script(QTemporaryDir &dir, const char *name, const QString &text)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    return path;
}

QString Match(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KORVANE_MATCH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

TEST(Match, EveryEngineFaultEndsTheGameAgainstIt)
{
    const struct
    {
        const char *script; // engine 2's
        const char *game1;  // the result part of game 1's line
    } cases[] = {
        {"go * resign", "1-0 resign 1"},
        {"go * crash", "1-0 crash 1"},
        {"go * exit", "1-0 crash 1"},
        {"go * flood", "1-0 crash 1"},
        {"go * illegal", "1-0 illegal-move 1"},
        {"go * malformed", "1-0 illegal-move 1"},
        {"go * win", "1-0 illegal-move 1"}, // a declaration that does not hold
        {"go * sleep 1000", "1-0 time 1"},  // late, though inside the margin
        {"go * hang", "1-0 no-response 1"},
        {"go 3 resign", "1-0 resign 5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        QTemporaryDir dir;
        const QString fake = QStringLiteral(FAKE_ENGINE " ") + Script(dir, "s", QString::fromLatin1(c.script));
        const QString out = Match({"--engine1", "zelkor:0", "--engine2", fake, "--games", "1", "--byoyomi",
                                   "200", "--kif-dir", dir.filePath("kif")});
        const QRegularExpression line(QStringLiteral("^game 1: Korvane \\S+ vs Fake: (.*?)( \\(.*\\))?$"),
                                      QRegularExpression::MultilineOption);
        const auto m = line.match(out);
        ASSERT_TRUE(m.hasMatch()) << out.toStdString();
        EXPECT_EQ(m.captured(1), QLatin1String(c.game1));
        EXPECT_TRUE(out.endsWith(QLatin1String("W-D-L: 1-0-0\n"))) << out.toStdString();
        records::GameRecord rec;
        records::ReadReport report;
        ASSERT_TRUE(records::ReadRecordFile(dir.filePath("kif/game001.kif"), rec, report)) << report.Message();
        EXPECT_EQ(QString::number(rec.moves.size()), m.captured(1).section(QLatin1Char(' '), 2));
        EXPECT_NE(rec.ending, GameEnding::None);
    }
}

TEST(Match, ColoursAlternateAndOpeningsCycle)
{
    QTemporaryDir dir;
    // Engine 2 resigns at once; the second opening's sente holds a declaration.
    const QString fake = QStringLiteral(FAKE_ENGINE " ") + Script(dir, "s", QStringLiteral("go * resign\n"));
    const QString declarer = QStringLiteral(FAKE_ENGINE " ") + Script(dir, "d", QStringLiteral("go * win\n"));
    const QString openings = Script(dir, "o",
                                    QStringLiteral("position startpos moves 7g7f\n"
                                                   "sfen GGGG1SSSS/2R1K1B2/9/9/9/9/9/9/4k4 b 10P 1\n"));
    const QString out = Match({"--engine1", declarer, "--engine2", fake, "--games", "4", "--openings", openings,
                               "--time", "1000", "--byoyomi", "0", "--inc", "100"});
    EXPECT_EQ(out, QStringLiteral("game 1: Fake vs Fake: 1-0 resign 1\n"       // engine 2 is gote after 7g7f
                                  "game 2: Fake vs Fake: 0-1 illegal-move 1\n" // engine 1 declares too early
                                  "game 3: Fake vs Fake: 1-0 impasse 0\n"
                                  "game 4: Fake vs Fake: 1-0 resign 0\n"
                                  "W-D-L: 3-0-1\n"));
}

// Real engines play whole games through the client: Zelkor in-process
// against the protocol program (both colours, a handicap), and the other
// programs installed here against each other (which may think past a short
// byoyomi on a busy machine).
TEST(Match, RealEnginesPlayWholeGames)
{
    QTemporaryDir dir;
    const QString handicap =
        Script(dir, "o", QStringLiteral("lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1\n"));
    const struct
    {
        QStringList engines;
        int games;
    } rows[] = {
        {{"--engine1", "zelkor:0", "--engine2", KORVANE_USI_PROGRAM, "--option2", "Level=0",
          "--openings", handicap},
         2},
        {{"--engine1", "/usr/games/gpsusi", "--engine2", "/usr/games/fairy-stockfish", "--option2",
          "UCI_Variant=shogi"},
         1},
    };
    const QRegularExpression game(QStringLiteral(
        "^game \\d: .+ vs .+: (1-0|0-1|1/2) (mate|resign|repetition|max-plies|time) \\d+( \\(.*\\))?$"));
    for (const auto &r : rows) {
        SCOPED_TRACE(r.engines.join(' ').toStdString());
        if (!QFile::exists(r.engines[1]) && r.engines[1].startsWith(QLatin1String("/usr/games")))
            continue; // not installed here
        const QString out = Match(r.engines + QStringList{"--games", QString::number(r.games),
                                                          "--byoyomi", "500", "--max-plies", "16"});
        const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), r.games + 1) << out.toStdString();
        for (int i = 0; i < r.games; ++i)
            EXPECT_TRUE(game.match(lines[i]).hasMatch()) << out.toStdString();
        EXPECT_TRUE(lines.back().startsWith(QLatin1String("W-D-L: "))) << out.toStdString();
    }
}

} // namespace
