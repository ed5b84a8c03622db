#include "analyser.h"
#include "gameanalysis.h"
#include "language.h"
#include "studycore.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace study;

namespace {

int argc0 = 0;
QCoreApplication *App()
{
    static QCoreApplication app(argc0, nullptr);
    return &app;
}

usi::Position After(const QStringList &moves)
{
    usi::Position p = usi::StartPosition();
    for (const usi::Move &m : LegalPrefix(p, moves))
        p = usi::Apply(p, m);
    return p;
}

usi::Position FromSfen(const char *b, const char *side, const char *hands)
{
    usi::Position p;
    std::string err;
    EXPECT_TRUE(usi::ParseSfen(b, side, hands, "1", p, err)) << err;
    return p;
}

QString Fake(const QString &mode, const QString &log = QString())
{
    return QStringLiteral(FAKE_STUDY_ENGINE) + mode + QStringLiteral(".fake ") + log;
}

} // namespace

TEST(StudyCore, Evaluations)
{
    usic::Info cp, mate, mated, none;
    cp.hasScore = mate.hasScore = mated.hasScore = true;
    cp.score = 600;
    mate.mate = mated.mate = true;
    mate.score = 5;
    mated.score = -1; // "mate -": no count
    const struct
    {
        const usic::Info &info;
        int side;
        const char *text; // sente's view
        double percent;
    } cases[] = {
        {cp, usi::kSente, "+600", 73.1}, {cp, usi::kGote, "-600", 26.9},
        {mate, usi::kGote, "-\xb5\xcd\xa4\xdf 5", 0.0}, {mated, usi::kGote, "\xb5\xcd\xa4\xdf", 100.0},
        {none, usi::kSente, "-", 50.0},
    };
    for (const auto &c : cases) {
        const Eval e = FromInfo(c.info, c.side);
        EXPECT_EQ(EvalText(e), JStr(c.text));
        EXPECT_NEAR(WinPercent(e), c.percent, 0.05) << c.text;
    }
}

TEST(StudyCore, LinesInJapanese)
{
    const usi::Position start = usi::StartPosition(), took = After({"7g7f", "3c3d", "8h2b+"});
    const struct
    {
        usi::Position from;
        const char *pv;
        int maxMoves, lastDst;
        const char *text; // UTF-8
    } cases[] = {
        {start, "7g7f 3c3d 8h2b+ 3a2b", 16, 0, "▲７六歩△３四歩▲２二角成△同銀"},
        {start, "7g7f 7g7f 3c3d", 16, 0, "▲７六歩"}, // an illegal tail is cut
        {start, "7g7f 3c3d 8h2b+", 2, 0, "▲７六歩△３四歩"},
        {took, "3a2b", 16, usi::Square(2, 2), "△同銀"}, // the move before the line
        {FromSfen("4k4/9/9/9/9/9/9/9/4K4", "w", "g"), "G*5h 5i5h", 16, 0, "△５八金▲同玉"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PvText(c.from, QString::fromLatin1(c.pv).split(' '), c.maxMoves, c.lastDst),
                  QString::fromUtf8(c.text))
            << c.pv;
}

TEST(StudyCore, SharpFalls)
{
    // Default thresholds: 10 and 20 points of the mover's winning percentage.
    const Eval even{true, false, 0}, down150{true, false, -150}, down300{true, false, -300},
        down600{true, false, -600}, up2000{true, false, 2000}, up1500{true, false, 1500}, unknown;
    const struct
    {
        Eval before, after;
        int mover;
        Mark mark;
    } cases[] = {
        {even, down150, usi::kSente, Mark::None},   // 6 points
        {even, down300, usi::kSente, Mark::Dubious}, // 12 points
        {even, down600, usi::kSente, Mark::Bad},     // 23 points
        {down300, even, usi::kGote, Mark::Dubious},  // gote's 62 -> 50
        {even, down300, usi::kGote, Mark::None},     // gote gained
        {up2000, up1500, usi::kSente, Mark::None},   // still winning
        {even, Eval{true, true, -3}, usi::kSente, Mark::Bad},
        {unknown, down600, usi::kSente, Mark::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Judge(c.before, c.after, c.mover, Thresholds()), c.mark)
            << c.before.value << " " << c.after.value;
    EXPECT_EQ(Judge(even, down300, usi::kSente, Thresholds{5, 12}), Mark::Bad);
}

TEST(StudyAnalyser, LinesRestartOnStepAndHalt)
{
    App();
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log"));
    Analyser a(Fake(QStringLiteral("good"), log), 2);
    QSignalSpy got(&a, &Analyser::lines);
    const usi::Position first = usi::StartPosition(), second = After({"7g7f"});
    a.Analyse(first);
    while (got.count() < 2 && got.wait(5000)) {
    }
    a.Analyse(second);
    while (got.count() < 4 && got.wait(5000)) {
    }
    ASSERT_EQ(got.count(), 4); // two lines for each position; none stale after stop
    const auto last = got.last()[0].value<QVector<Line>>();
    ASSERT_EQ(last.size(), 2);
    // Gote to move: its +100 and 0 are sente's -100 and 0; the pv is gote's.
    EXPECT_EQ(last[0].eval.value, -100);
    EXPECT_EQ(last[1].eval.value, 0);
    EXPECT_EQ(LegalPrefix(second, last[1].pv).size(), 2u);
    a.Halt();
    QTest::qWait(200);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList sent = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts).filter(
        QRegularExpression(QStringLiteral("^(go|stop|setoption)")));
    EXPECT_EQ(sent, QStringList({"setoption name MultiPV value 2", "go infinite", "stop",
                                 "go infinite", "stop"}));
}

TEST(StudyAnalyser, MateSearch)
{
    App();
    const usi::Position start = usi::StartPosition();
    const struct
    {
        const char *mode;
        bool found;
    } cases[] = {{"good", true}, {"nomate", false}};
    for (const auto &c : cases) {
        Analyser a(Fake(QString::fromLatin1(c.mode)), 1);
        QSignalSpy got(&a, &Analyser::mateResult);
        a.Mate(start, 300);
        ASSERT_TRUE(got.wait(5000)) << c.mode;
        EXPECT_EQ(got[0][0].toBool(), c.found) << c.mode;
        // The engine is fit for more after a mate search.
        QSignalSpy done(&a, &Analyser::finished);
        a.Think(start, 100);
        EXPECT_TRUE(done.wait(5000)) << c.mode;
    }
}

// A hanging or dying engine ends the analysis unfinished; a cancelled one is
// stopped at once, so its hang is never reported.
TEST(StudyGameAnalysis, EngineFaultsEndItAndCancelStopsTheEngine)
{
    App();
    usic::UsiEngine::Limits quick;
    quick.thinkMarginMs = 300;
    const std::vector<usi::Position> game = {usi::StartPosition(), After({"7g7f"})};
    const struct
    {
        const char *mode;
        bool cancel, failed;
    } cases[] = {{"hang", false, true}, {"die", false, true}, {"hang", true, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << (c.cancel ? ", cancelled" : ""));
        GameAnalysis g(Fake(QString::fromLatin1(c.mode)), game);
        g.SetLimits(quick);
        QSignalSpy failed(&g, &GameAnalysis::failed), finished(&g, &GameAnalysis::finished);
        g.Start(100);
        if (c.cancel) {
            QTest::qWait(100);
            g.Cancel();
        }
        EXPECT_EQ(failed.wait(3000), c.failed);
        EXPECT_EQ(finished.count(), 0);
        EXPECT_FALSE(g.Results()[0].done);
    }
}

TEST(StudyGameAnalysis, AMatedPositionIsJudgedWithoutTheEngine)
{
    App();
    // Sente to move, mated by a gold its pawn holds.
    GameAnalysis g(Fake(QStringLiteral("good")),
                   {FromSfen("4k4/9/9/9/9/9/4p4/4g4/4K4", "b", "-")});
    QSignalSpy finished(&g, &GameAnalysis::finished);
    g.Start(100);
    ASSERT_TRUE(finished.wait(5000));
    const Eval e = g.Results()[0].best.eval;
    EXPECT_TRUE(g.Results()[0].done && e.mate && e.value < 0);
}

TEST(StudyGameAnalysis, ShortGameWithOurEngine)
{
    App();
    // Gote gives a rook and moves first: every position is sente's, seen
    // from sente whichever side is to move.
    std::vector<usi::Position> game = {
        FromSfen("lnsgkgsnl/7b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL", "w", "-")};
    const QStringList moves = {"3c3d", "7g7f", "8c8d", "2g2f"};
    for (const usi::Move &m : LegalPrefix(game[0], moves))
        game.push_back(usi::Apply(game.back(), m));
    ASSERT_EQ(game.size(), 5u);
    GameAnalysis g(QStringLiteral(KORVANE_USI_PROGRAM), game);
    QSignalSpy finished(&g, &GameAnalysis::finished), progress(&g, &GameAnalysis::progress);
    g.Start(200);
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(progress.last()[0].toInt(), 5);
    ASSERT_TRUE(g.Complete());
    for (const PlyResult &r : g.Results())
        EXPECT_GT(r.best.eval.value, 300);
    const QStringList comments = CommentLines(game, g.Results(), 4, Thresholds());
    ASSERT_FALSE(comments.isEmpty());
    EXPECT_TRUE(comments[0].startsWith(QLatin1Char('*') + JStr(JC_StudyEval)));
}
