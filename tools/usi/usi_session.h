// One protocol session: reads command lines, drives the engine as the game
// does (UpdateBoard, then OnFindMove on a worker thread) and writes replies.
#ifndef KORVANE_USI_SESSION_H
#define KORVANE_USI_SESSION_H

#include "usi_position.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace usi {

struct GoLimits
{
    long long btime = -1; // ms left; -1 when not given
    long long wtime = -1;
    long long binc = 0;
    long long winc = 0;
    long long byoyomi = 0;
    bool infinite = false; // also a ponder search: bestmove waits for stop
    bool mate = false;
};

bool ParseGo(const std::vector<std::string> &args, GoLimits &out, std::string &err);
// Wall-clock milliseconds the side to move may think; 0 when the GUI gave no
// clock. Never more than its time left plus byoyomi, less a safety margin.
long long ThinkBudgetMs(const GoLimits &g, int side);

std::vector<std::string> SplitWords(const std::string &line);

class Session
{
public:
    using Writer = std::function<void(const std::string &line)>;

    Session(CZelkor &engine, Writer out);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // false once the session is over (quit, or the engine could not start).
    bool Handle(const std::string &line);
    void Finish(); // ends a running think, after its bestmove
    int ExitCode() const { return m_exitCode; }

    static constexpr int kMaxDepth = 32;

private:
    struct Think
    {
        Session *session;
        Position pos;
        std::chrono::steady_clock::time_point start;
        int reported; // iterations reported so far
    };

    void Write(const std::string &line);
    void Info(const std::string &text) { Write("info string " + text); }
    void Usi();
    bool IsReady();
    void SetOption(const std::vector<std::string> &w);
    void SetPosition(const std::vector<std::string> &w);
    void Go(const std::vector<std::string> &w);
    void Stop();
    void RunThink(int turn);
    std::string BestMove(int result, int turn);
    static void OnIteration(void *ctx, const CZelkor &z, int depth, int score);

    CZelkor &m_engine;
    Writer m_out;
    std::mutex m_outMutex;
    int m_exitCode = 0;
    bool m_ready = false;
    int m_level = 0;
    int m_fixedDepth = 0;

    Position m_pos;
    std::string m_posError; // not empty: the last position was refused

    Think m_think{};
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_stopped = false;
    bool m_holdBestmove = false;
    bool m_done = true; // the last think has written its bestmove
};

} // namespace usi

#endif
