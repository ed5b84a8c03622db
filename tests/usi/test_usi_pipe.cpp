// The built korvane-usi driven over pipes as a GUI drives it. Every answer is
// checked by the protocol rules; stop and go infinite are the session's tests.
#include "engine_board.h"
#include "usi_session.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

using namespace usi;
using enginetest::Sfen; // fails the test on a refusal

namespace {

class UsiProcess
{
public:
    UsiProcess()
    {
        m_p.start(QStringLiteral(KORVANE_USI_PROGRAM), QStringList());
        m_p.waitForStarted(10000);
    }
    ~UsiProcess()
    {
        m_p.kill();
        m_p.waitForFinished(10000);
    }
    bool Started() const { return m_p.state() == QProcess::Running; }
    void Send(const std::string &line)
    {
        m_p.write((line + "\n").c_str());
        m_p.waitForBytesWritten(10000);
    }
    void CloseInput() { m_p.closeWriteChannel(); }
    // Reads up to the first line starting with prefix; "" on a time-out or
    // at the end of the output.
    std::string Until(const std::string &prefix, double seconds = 120)
    {
        const QDeadlineTimer end(qint64(seconds * 1000));
        for (;;) {
            while (m_p.canReadLine()) {
                m_seen.push_back(m_p.readLine().trimmed().toStdString());
                if (m_seen.back().rfind(prefix, 0) == 0)
                    return m_seen.back();
            }
            if (end.hasExpired() || !m_p.waitForReadyRead(int(end.remainingTime())))
                return "";
        }
    }
    // The exit code, or -2 when the program is still running.
    int Wait(double seconds)
    {
        if (!m_p.waitForFinished(int(seconds * 1000)))
            return -2;
        return m_p.exitStatus() == QProcess::NormalExit ? m_p.exitCode() : -1;
    }
    const std::vector<std::string> &Seen() const { return m_seen; }

private:
    QProcess m_p;
    std::vector<std::string> m_seen;
};

Move Answer(const std::string &bestmove)
{
    Move m;
    EXPECT_EQ(bestmove.rfind("bestmove ", 0), 0u) << bestmove;
    EXPECT_TRUE(ParseMove(bestmove.size() > 9 ? bestmove.substr(9) : "", m)) << bestmove;
    return m;
}

TEST(UsiPipe, PlaysMatesAndResigns)
{
    UsiProcess u;
    ASSERT_TRUE(u.Started());
    u.Send("usi");
    ASSERT_NE(u.Until("id name Korvane", 10), "");
    ASSERT_EQ(u.Until("usiok", 10), "usiok");
    u.Send("isready");
    ASSERT_EQ(u.Until("readyok", 30), "readyok");
    u.Send("usinewgame");
    // The level's own think once, under a byoyomi clock.
    u.Send("position startpos");
    u.Send("go btime 0 wtime 0 byoyomi 10000");
    const std::string first = u.Until("bestmove");
    EXPECT_TRUE(IsLegal(StartPosition(), Answer(first))) << first;

    u.Send("setoption name FixedDepth value 2");
    const struct
    {
        const char *sfen; // the start position when null
        const char *moves;
        bool mates;
    } games[] = {
        {nullptr, "7g7f", false},
        {nullptr, "7g7f 3c3d 2g2f 8c8d 2f2e 8d8e 6i7h 4a3b 2e2d 2c2d 2h2d", false},
        {nullptr, "7g7f 3c3d 2g2f 8c8d 2f2e 8d8e 6i7h 4a3b 2e2d 2c2d 2h2d P*2c", false},
        {"ln1g3+Rl/1ks2s3/1ppp1p1pp/p3p4/9/2P1P4/PPSP1PPPP/1K1+b5/LN1G1G1NL b RBGPn 45", "", false},
        {"ln1g3+Rl/1ks2s3/1ppp1p1pp/p3p4/9/2P1P4/PPSP1PPPP/1K1+b5/LN1G1G1NL w RBGPn 46", "", false},
        {"lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1", "", false},
        {"4k4/9/4P4/9/9/9/9/9/4K4 b G 1", "", true},
        {"4k4/9/9/9/9/9/4p4/9/4K4 w g 2", "", true},
        {"8k/9/7G1/9/9/9/9/9/K8 b G 21", "", true},
    };
    for (const auto &g : games) {
        const std::string sfen = g.sfen ? g.sfen : WriteSfen(StartPosition());
        const std::string cmd = std::string("position ") +
                                (g.sfen ? "sfen " + sfen : std::string("startpos")) +
                                (*g.moves ? std::string(" moves ") + g.moves : "");
        u.Send(cmd);
        u.Send("go btime 60000 wtime 60000 byoyomi 5000");
        const std::string best = u.Until("bestmove");
        ASSERT_NE(best, "") << cmd;
        Position p = Sfen(sfen); // and the moves, by the library's rules (tested on their own)
        for (const std::string &t : SplitWords(g.moves)) {
            Move m;
            ASSERT_TRUE(ParseMove(t, m) && IsLegal(p, m)) << t;
            p = Apply(p, m);
        }
        const Move m = Answer(best);
        ASSERT_TRUE(IsLegal(p, m)) << best << " in " << WriteSfen(p);
        // An info line of the search comes before the answer; a mate's names it.
        ASSERT_GE(u.Seen().size(), 2u);
        const std::string &info = u.Seen()[u.Seen().size() - 2];
        EXPECT_TRUE(info.rfind("info depth ", 0) == 0 && info.find(" pv ") != std::string::npos) << info;
        if (g.mates) {
            const Position q = Apply(p, m);
            EXPECT_TRUE(InCheck(q, q.side) && LegalMoves(q).empty()) << best << " does not mate";
            EXPECT_EQ(info, "info depth 1 score mate 1 pv " + best.substr(9));
        }
    }

    // Checkmated already: the engine's defeat is a resignation.
    u.Send("position sfen 4k4/4G4/4P4/9/9/9/9/9/4K4 w - 2");
    u.Send("go");
    EXPECT_EQ(u.Until("bestmove"), "bestmove resign");

    u.CloseInput(); // end of input ends the program
    EXPECT_EQ(u.Wait(30), 0);
}

} // namespace
