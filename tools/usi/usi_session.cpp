#include "usi_session.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <sstream>
#include <system_error>

#ifndef KORVANE_VERSION
#define KORVANE_VERSION "0"
#endif

namespace usi {

namespace {

// What a GUI's own delays (process switch, pipe, network) may cost.
constexpr long long kMarginMs = 300;
// Share of the time left that one move may use when no byoyomi or increment
// stands behind it, so that the bank lasts the game.
constexpr long long kMovesToGo = 20;

bool ParseCount(const std::string &s, long long &out)
{
    const std::size_t start = !s.empty() && s[0] == '-' ? 1 : 0;
    if (s.size() <= start || s.size() > 12 ||
        s.find_first_not_of("0123456789", start) != std::string::npos)
        return false;
    out = std::max(0LL, std::stoll(s)); // a late GUI may send a negative time left
    return true;
}

bool SameName(const std::string &a, const char *b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; i++)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
            return false;
    return i == a.size() && !b[i];
}

std::string ScoreText(int score)
{
    if (score >= 30000)
        return "mate +";
    if (score <= -30000)
        return "mate -";
    return "cp " + std::to_string(score);
}

} // namespace

std::vector<std::string> SplitWords(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;)
        w.push_back(s);
    return w;
}

bool ParseGo(const std::vector<std::string> &args, GoLimits &out, std::string &err)
{
    GoLimits g;
    for (std::size_t i = 0; i < args.size(); i++) {
        const std::string &a = args[i];
        long long *field = a == "btime"     ? &g.btime
                           : a == "wtime"   ? &g.wtime
                           : a == "binc"    ? &g.binc
                           : a == "winc"    ? &g.winc
                           : a == "byoyomi" ? &g.byoyomi
                                            : nullptr;
        if (field) {
            if (i + 1 >= args.size() || !ParseCount(args[i + 1], *field)) {
                err = "go: '" + a + "' needs a number of milliseconds";
                return false;
            }
            i++;
        } else if (a == "infinite" || a == "ponder") {
            g.infinite = true;
        } else if (a == "mate") {
            g.mate = true;
        }
    }
    out = g;
    return true;
}

long long ThinkBudgetMs(const GoLimits &g, int side)
{
    if (g.infinite)
        return 0;
    const long long left = side == kSente ? g.btime : g.wtime;
    const long long inc = side == kSente ? g.binc : g.winc;
    if (left < 0 && g.byoyomi == 0 && inc == 0)
        return 0;
    const long long bank = std::max(0LL, left);
    const long long most = bank + g.byoyomi; // the increment comes only after the move
    const long long margin = std::min(kMarginMs, most / 2);
    const long long share = bank / kMovesToGo + inc + g.byoyomi;
    return std::max(1LL, std::min(share, most) - margin);
}

Session::Session(CZelkor &engine, Writer out)
    : m_engine(engine), m_out(std::move(out)), m_pos(StartPosition())
{
}

Session::~Session()
{
    Finish();
    m_engine.m_pfnIterationDone = nullptr;
    m_engine.m_pIterationCtx = nullptr;
}

void Session::Write(const std::string &line)
{
    std::lock_guard<std::mutex> lock(m_outMutex);
    m_out(line);
}

bool Session::Handle(const std::string &line)
{
    const std::vector<std::string> w = SplitWords(line);
    if (w.empty())
        return true;
    const std::string &cmd = w[0];
    if (cmd == "usi") {
        Usi();
    } else if (cmd == "isready") {
        if (!IsReady())
            return false;
        Write("readyok");
    } else if (cmd == "setoption") {
        SetOption(w);
    } else if (cmd == "usinewgame" || cmd == "gameover") {
        Stop();
    } else if (cmd == "position") {
        SetPosition(w);
    } else if (cmd == "go") {
        Go(w);
        return m_exitCode == 0;
    } else if (cmd == "stop" || cmd == "ponderhit") {
        Stop();
    } else if (cmd == "quit") {
        Finish();
        return false;
    } else {
        Info("unknown command '" + cmd + "'");
    }
    return true;
}

void Session::Finish()
{
    Stop();
}

void Session::Usi()
{
    Write("id name Korvane " KORVANE_VERSION);
    Write("id author the Korvane developers");
    Write("option name Level type spin default 0 min 0 max 2");
    Write("option name FixedDepth type spin default 0 min 0 max " + std::to_string(kMaxDepth));
    Write("usiok");
}

bool Session::IsReady()
{
    if (m_ready)
        return true;
    if (m_engine.InitGame() != 0) {
        Info("cannot allocate the engine's result table");
        m_exitCode = 1;
        return false;
    }
    m_ready = true;
    return true;
}

void Session::SetOption(const std::vector<std::string> &w)
{
    std::string name, value;
    std::size_t i = 1;
    if (i < w.size() && w[i] == "name")
        i++;
    for (; i < w.size() && w[i] != "value"; i++)
        name += (name.empty() ? "" : " ") + w[i];
    for (i++; i < w.size(); i++)
        value += (value.empty() ? "" : " ") + w[i];

    int *target = nullptr;
    int most = 0;
    if (SameName(name, "Level")) {
        target = &m_level;
        most = 2;
    } else if (SameName(name, "FixedDepth")) {
        target = &m_fixedDepth;
        most = kMaxDepth;
    } else {
        return; // options of other engines, or the GUI's own (USI_Hash, USI_Ponder)
    }
    long long v = -1;
    if (value.empty() || value[0] == '-' || !ParseCount(value, v) || v > most) {
        Info("refused: " + name + " takes 0 to " + std::to_string(most) + ", not '" + value + "'");
        return;
    }
    *target = int(v);
}

void Session::SetPosition(const std::vector<std::string> &w)
{
    Position p;
    std::string err;
    std::size_t i = 2;
    if (w.size() >= 2 && w[1] == "startpos") {
        p = StartPosition();
    } else if (w.size() >= 5 && w[1] == "sfen") {
        // The move number may be left out.
        const bool numbered = w.size() >= 6 && w[5] != "moves";
        if (!ParseSfen(w[2], w[3], w[4], numbered ? w[5] : "1", p, err)) {
            m_posError = "bad sfen: " + err;
            Info(m_posError);
            return;
        }
        i = numbered ? 6 : 5;
    } else {
        m_posError = "position needs 'startpos' or 'sfen <board> <side> <hands> <ply>'";
        Info(m_posError);
        return;
    }
    if (i < w.size() && w[i] != "moves") {
        m_posError = "unexpected '" + w[i] + "' in position";
        Info(m_posError);
        return;
    }
    for (i++; i < w.size(); i++) {
        Move m;
        if (!ParseMove(w[i], m)) {
            m_posError = "bad move '" + w[i] + "'";
            Info(m_posError);
            return;
        }
        if (!IsLegal(p, m)) {
            m_posError = "illegal move '" + w[i] + "' in " + WriteSfen(p);
            Info(m_posError);
            return;
        }
        p = Apply(p, m);
    }
    m_pos = p;
    m_posError.clear();
}

void Session::Go(const std::vector<std::string> &w)
{
    const auto start = std::chrono::steady_clock::now();
    if (m_worker.joinable()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_done) {
            Info("go refused: a think is running");
            return;
        }
    }
    if (m_worker.joinable())
        m_worker.join();
    GoLimits g;
    std::string err;
    if (!ParseGo(std::vector<std::string>(w.begin() + 1, w.end()), g, err))
        Info(err + "; thinking without the clock"); // g is left without a clock
    if (g.mate) {
        Write("checkmate notimplemented");
        return;
    }
    if (!IsReady())
        return;
    if (!m_posError.empty()) {
        Info("no position to think on (" + m_posError + ")");
        Write("bestmove resign");
        return;
    }

    // A chosen depth, or a think until stop, is not cut by the level's clock.
    const int depth = m_fixedDepth > 0 ? m_fixedDepth : (g.infinite ? kMaxDepth : 0);
    m_engine.SetComLevel(m_level);
    m_engine.m_nFixedDepth = depth;
    m_engine.m_bNoTimeLimit = depth > 0;
    const long long budget = ThinkBudgetMs(g, m_pos.side);
    const long long spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
    m_engine.m_nWallLimitMs =
        budget > 0 ? int(std::min<long long>(INT_MAX, std::max(1LL, budget - spent))) : 0;
    m_engine.m_bStopRequest = false;
    m_think = {this, m_pos, start, 0};
    m_engine.m_pfnIterationDone = &Session::OnIteration;
    m_engine.m_pIterationCtx = &m_think;

    const EngineInput in = ToEngineInput(m_pos);
    m_engine.UpdateBoard(in.board, in.up, in.down, in.counter);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = false;
        m_done = false;
        m_holdBestmove = g.infinite;
    }
    const int turn = in.turn;
    try {
        m_worker = std::thread([this, turn] { RunThink(turn); });
    } catch (const std::system_error &) {
        RunThink(turn); // no thread to be had: answer late rather than never
    }
}

void Session::RunThink(int turn)
{
    unsigned int word = 0;
    int result = -1;
    m_engine.OnFindMove(turn, &word, &result);
    const std::string best = BestMove(result, turn);
    // Only the mate probe plays without an iteration: its win is still shown.
    if (m_think.reported == 0 && best != "resign")
        Write(std::string("info depth 1 score mate ") + (result == 15 ? "1" : "+") + " pv " + best);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return !m_holdBestmove || m_stopped; });
    Write("bestmove " + best);
    m_done = true;
}

void Session::Stop()
{
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
    }
    m_engine.m_bStopRequest = true;
    m_cv.notify_all();
    m_worker.join();
}

// Defeat (16), resignation (17) and a pawn-drop mate against the engine (18)
// have no move to send. Otherwise the engine's own record of its move is read,
// since the packed word's promotion byte is also set for moves that do not
// promote.
std::string Session::BestMove(int result, int turn)
{
    if (result == 16 || result == 17 || result == 18 || result < 0)
        return "resign";
    int src, dst, kind, naru, srcKind;
    if (!m_engine.m_bThinkMoved || !m_engine.GetKomaMove(src, dst, kind, naru, srcKind)) {
        Info("the engine found no move");
        return "resign";
    }
    const Position &pos = m_think.pos;
    Move m = FromEngineMove({src, dst, kind, naru}, turn == 0);
    const std::vector<Move> legal = LegalMoves(pos);
    if (std::find(legal.begin(), legal.end(), m) != legal.end())
        return MoveText(m);
    Move other = m;
    other.promote = !m.promote;
    if (std::find(legal.begin(), legal.end(), other) != legal.end()) {
        Info("promotion of " + MoveText(m) + " corrected to the rules");
        return MoveText(other);
    }
    Info("the engine's move " + MoveText(m) + " is not legal here");
    return legal.empty() ? "resign" : MoveText(legal.front());
}

// Runs on the thinking thread: only cheap checks, so as to cost the search
// next to nothing.
void Session::OnIteration(void *ctx, const CZelkor &z, int depth, int score)
{
    Think &t = *static_cast<Think *>(ctx);
    t.reported++;
    const bool turned = t.pos.side == kSente;
    Position cur = t.pos;
    std::string pv;
    int length = 0;
    const KOMA_MOVE *line = z.BestLine(length);
    for (int j = 0; j < length && j < 64; j++) {
        const KOMA_MOVE &k = line[j];
        const Move m = FromEngineMove({k.nSrcPos, k.nDstPos, k.nKind, k.nNaru}, turned);
        if (!OnBoard(k.nDstPos) || !IsPseudoLegal(cur, m))
            break;
        pv += " " + MoveText(m);
        cur = Apply(cur, m);
    }
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - t.start)
                             .count();
    char head[160];
    std::snprintf(head, sizeof head, "info depth %d score %s nodes %llu time %lld", depth,
                  ScoreText(score).c_str(), (unsigned long long)z.m_nSearchNodes, ms);
    t.session->Write(head + (pv.empty() ? std::string() : " pv" + pv));
}

} // namespace usi
