// The built korvane-usi driven over pipes as a GUI drives it. Every answer is
// checked by the protocol rules.
#include "usi_session.h"
#include "usi_test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace usi;
using namespace usitest;

namespace {

using Clock = std::chrono::steady_clock;

class UsiProcess
{
public:
    UsiProcess()
    {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            execl(KORVANE_USI_PROGRAM, KORVANE_USI_PROGRAM, static_cast<char *>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~UsiProcess()
    {
        CloseInput();
        if (m_out >= 0)
            close(m_out);
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool Started() const { return m_pid > 0 && m_in >= 0; }
    void Send(const std::string &line)
    {
        const std::string s = line + "\n";
        ASSERT_EQ(write(m_in, s.data(), s.size()), ssize_t(s.size()));
    }
    void CloseInput()
    {
        if (m_in >= 0)
            close(m_in);
        m_in = -1;
    }
    // The next line, or "" when none comes within the time.
    std::string ReadLine(double seconds)
    {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            const std::size_t nl = m_buf.find('\n');
            if (nl != std::string::npos) {
                std::string line = m_buf.substr(0, nl);
                m_buf.erase(0, nl + 1);
                m_seen.push_back(line);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            pollfd p{m_out, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, int(left)) <= 0)
                return "";
            char chunk[4096];
            const ssize_t n = read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                return "";
            m_buf.append(chunk, std::size_t(n));
        }
    }
    // Reads up to the first line starting with prefix; "" on a time-out.
    std::string Until(const std::string &prefix, double seconds = 120)
    {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            const double left = std::chrono::duration<double>(end - Clock::now()).count();
            if (left <= 0)
                return "";
            const std::string line = ReadLine(left);
            if (line.empty() && left > 0 && Clock::now() >= end)
                return "";
            if (line.rfind(prefix, 0) == 0)
                return line;
        }
    }
    int Wait(double seconds)
    {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        int status = 0;
        while (Clock::now() < end) {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(10000);
        }
        return -2;
    }
    const std::vector<std::string> &Seen() const { return m_seen; }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buf;
    std::vector<std::string> m_seen;
};

void Handshake(UsiProcess &u)
{
    ASSERT_TRUE(u.Started());
    u.Send("usi");
    ASSERT_NE(u.Until("id name Korvane", 10), "");
    ASSERT_EQ(u.Until("usiok", 10), "usiok");
    u.Send("isready");
    ASSERT_EQ(u.Until("readyok", 30), "readyok");
    u.Send("usinewgame");
}

// The position after the moves, by the library's rules (tested on their own).
Position After(const std::string &sfen, const std::vector<std::string> &moves)
{
    Position p = Sfen(sfen);
    for (const std::string &t : moves) {
        Move m;
        EXPECT_TRUE(ParseMove(t, m) && IsLegal(p, m)) << t;
        p = Apply(p, m);
    }
    return p;
}

Move Answer(const std::string &bestmove)
{
    Move m;
    EXPECT_EQ(bestmove.rfind("bestmove ", 0), 0u) << bestmove;
    EXPECT_TRUE(ParseMove(bestmove.size() > 9 ? bestmove.substr(9) : "", m)) << bestmove;
    return m;
}

TEST(UsiPipe, PlaysLegalMovesMatesAndResigns)
{
    UsiProcess u;
    Handshake(u);
    // The level's own think once, under a byoyomi clock.
    u.Send("position startpos");
    u.Send("go btime 0 wtime 0 byoyomi 10000");
    const std::string first = u.Until("bestmove");
    EXPECT_TRUE(IsLegal(StartPosition(), Answer(first))) << first;

    u.Send("setoption name FixedDepth value 2");
    const struct
    {
        const char *position;
        bool mates;
    } games[] = {
        {"startpos moves 7g7f", false},
        {"startpos moves 7g7f 3c3d 2g2f 8c8d 2f2e 8d8e 6i7h 4a3b 2e2d 2c2d 2h2d", false},
        {"startpos moves 7g7f 3c3d 2g2f 8c8d 2f2e 8d8e 6i7h 4a3b 2e2d 2c2d 2h2d P*2c", false},
        {"sfen ln1g3+Rl/1ks2s3/1ppp1p1pp/p3p4/9/2P1P4/PPSP1PPPP/1K1+b5/LN1G1G1NL b RBGPn 45",
         false},
        {"sfen ln1g3+Rl/1ks2s3/1ppp1p1pp/p3p4/9/2P1P4/PPSP1PPPP/1K1+b5/LN1G1G1NL w RBGPn 46",
         false},
        {"sfen lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1", false},
        {"sfen 4k4/9/4P4/9/9/9/9/9/4K4 b G 1", true},
        {"sfen 4k4/9/9/9/9/9/4p4/9/4K4 w g 2", true},
        {"sfen 8k/9/7G1/9/9/9/9/9/K8 b G 21", true},
    };
    for (const auto &g : games) {
        const std::string cmd = std::string("position ") + g.position;
        u.Send(cmd);
        u.Send("go btime 60000 wtime 60000 byoyomi 5000");
        const std::string best = u.Until("bestmove");
        ASSERT_NE(best, "") << cmd;
        const std::vector<std::string> w = SplitWords(g.position);
        const bool fromStart = w[0] == "startpos";
        const std::string sfen =
            fromStart ? WriteSfen(StartPosition()) : w[1] + " " + w[2] + " " + w[3] + " " + w[4];
        std::vector<std::string> moves;
        for (std::size_t i = fromStart ? 2 : 6; i < w.size(); i++)
            moves.push_back(w[i]);
        const Position p = After(sfen, moves);
        const Move m = Answer(best);
        ASSERT_TRUE(IsLegal(p, m)) << best << " in " << WriteSfen(p);
        if (g.mates) {
            EXPECT_TRUE(IsMate(Apply(p, m))) << best << " does not mate in " << WriteSfen(p);
            const auto &seen = u.Seen();
            ASSERT_GE(seen.size(), 2u);
            EXPECT_EQ(seen[seen.size() - 2], "info depth 1 score mate 1 pv " + best.substr(9));
        }
    }

    // Checkmated already: the engine's defeat is a resignation.
    u.Send("position sfen 4k4/4G4/4P4/9/9/9/9/9/4K4 w - 2");
    u.Send("go");
    EXPECT_EQ(u.Until("bestmove"), "bestmove resign");

    u.Send("quit");
    EXPECT_EQ(u.Wait(30), 0);
}

TEST(UsiPipe, StopIsAnsweredPromptlyAfterGoInfinite)
{
    UsiProcess u;
    Handshake(u);
    const std::string moves = "7g7f 3c3d 2g2f 8c8d 2f2e 8d8e 6i7h 4a3b";
    u.Send("position startpos moves " + moves);
    u.Send("go infinite");
    EXPECT_EQ(u.Until("bestmove", 1.0), ""); // holds its answer until stop
    u.Send("isready");                       // the input loop stays responsive
    EXPECT_EQ(u.Until("readyok", 10), "readyok");
    const auto t0 = Clock::now();
    u.Send("stop");
    const std::string best = u.Until("bestmove", 60);
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    ASSERT_NE(best, "");
    // Left alone this think goes 32 plies deep; a generous bound still shows
    // that stop cut it.
    EXPECT_LT(s, 10.0);
    std::vector<std::string> list = SplitWords(moves);
    EXPECT_TRUE(IsLegal(After(WriteSfen(StartPosition()), list), Answer(best))) << best;
    bool scored = false;
    for (const std::string &l : u.Seen())
        scored |= l.rfind("info depth 1 score cp ", 0) == 0 && l.find(" pv ") != std::string::npos;
    EXPECT_TRUE(scored);
    u.CloseInput(); // end of input ends the program
    EXPECT_EQ(u.Wait(30), 0);
}


} // namespace
