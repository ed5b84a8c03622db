// An engine that does what its script file says, for the client's, the
// board's and the study's tests.
//
//   fake_engine SCRIPT [LOG]
//   fake_engine              the script named by FAKE_ENGINE_SCRIPT (a program
//                            registered without arguments)
//
// Script lines (# starts a comment):
//   option REST          sent as "option REST" in the usi answer
//   usiok no             never answers usi
//   readyok no           never answers isready
//   quit ignore          stays after quit (to be killed)
//   log PATH             appends every line received to PATH (as LOG does)
//   mate answer          go mate gets the first legal move, or nomate;
//                        without it, checkmate notimplemented
//   go N|* ACTION [ARG]  what the N-th go (from 1), or any other, does:
//     move               a legal move, with one info line first
//     lines              one line per MultiPV, the k-th scored 200 - 100 * k
//                        for the side to move, its pv the k-th legal move and
//                        a reply; bestmove the first, held by go infinite
//                        until stop, which sends one stale line before it
//     sleep MS           waits, then as move
//     hang               never answers
//     crash | exit       dies of a signal | exits with code 3
//     illegal | malformed  a move the position does not allow | no move at all
//     flood | longline   endless info lines | one line that never ends
//     resign | win       bestmove resign | bestmove win
#include "usi_position.h"
#include "usi_session.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Script
{
    std::vector<std::string> options;
    std::set<std::string> switches; // "usiok no", "mate answer", ...: whole lines
    std::string log;
    bool Has(const char *line) const { return switches.count(line) != 0; }
    std::map<int, std::string> go; // 0: any other
};

Script Load(const char *path)
{
    Script s;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t sp = line.find(' ');
        const std::string key = line.substr(0, sp);
        const std::string rest = sp == std::string::npos ? "" : line.substr(sp + 1);
        if (key == "option")
            s.options.push_back(rest);
        else if (key == "log")
            s.log = rest;
        else if (key != "go")
            s.switches.insert(line);
        else {
            const std::size_t sp2 = rest.find(' ');
            const std::string n = rest.substr(0, sp2);
            s.go[n == "*" ? 0 : std::atoi(n.c_str())] = rest.substr(sp2 + 1);
        }
    }
    return s;
}

void Say(const std::string &line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

usi::Position Parse(const std::vector<std::string> &w)
{
    usi::Position p = usi::StartPosition();
    std::size_t i = 2;
    std::string err;
    if (w.size() >= 6 && w[1] == "sfen") {
        usi::ParseSfen(w[2], w[3], w[4], w[5], p, err);
        i = 6;
    }
    for (i++; i < w.size(); i++) {
        usi::Move m;
        if (usi::ParseMove(w[i], m) && usi::IsLegal(p, m))
            p = usi::Apply(p, m);
    }
    return p;
}

std::string AnyLegal(const usi::Position &p)
{
    const std::vector<usi::Move> legal = usi::LegalMoves(p);
    if (legal.empty())
        return "resign";
    return usi::MoveText(legal[(p.ply * 7) % legal.size()]);
}

std::string NotLegal(const usi::Position &p)
{
    for (int file = 1; file <= 9; file++)
        for (int rank = 2; rank <= 9; rank++)
            if (p.At(usi::Square(file, rank)) == 0)
                return usi::MoveText({usi::Square(file, rank), usi::Square(file, rank - 1), 0, false});
    return "1a1b";
}

std::string Lines(const usi::Position &p, int count)
{
    const std::vector<usi::Move> legal = usi::LegalMoves(p);
    for (int k = 1; k <= count && size_t(k) <= legal.size(); k++) {
        const usi::Move m = legal[size_t(k) - 1];
        const std::vector<usi::Move> replies = usi::LegalMoves(usi::Apply(p, m));
        std::string pv = usi::MoveText(m);
        if (!replies.empty())
            pv += " " + usi::MoveText(replies[0]);
        Say("info depth 3 multipv " + std::to_string(k) + " score cp " +
            std::to_string(200 - 100 * k) + " nodes 1000 pv " + pv);
    }
    return legal.empty() ? "resign" : usi::MoveText(legal[0]);
}

} // namespace

int main(int argc, char **argv)
{
    const char *path = argc >= 2 ? argv[1] : std::getenv("FAKE_ENGINE_SCRIPT");
    if (argc > 3 || !path) {
        std::fprintf(stderr, "usage: fake_engine SCRIPT [LOG]\n");
        return 2;
    }
    Script s = Load(path);
    if (argc == 3)
        s.log = argv[2];
    std::ofstream log;
    if (!s.log.empty())
        log.open(s.log, std::ios::app);
    usi::Position pos = usi::StartPosition();
    int goCount = 0, multiPv = 1;
    std::string held; // an infinite go's bestmove, until stop
    for (std::string line; std::getline(std::cin, line);) {
        if (log.is_open())
            log << line << std::endl;
        const std::vector<std::string> w = usi::SplitWords(line);
        if (w.empty())
            continue;
        if (w[0] == "usi" && !s.Has("usiok no")) {
            Say("id name Fake");
            Say("id author the tests");
            for (const std::string &o : s.options)
                Say("option " + o);
            Say("usiok");
        } else if (w[0] == "isready" && !s.Has("readyok no")) {
            Say("readyok");
        } else if (w[0] == "setoption" && w.size() == 5 && w[2] == "MultiPV") {
            multiPv = std::stoi(w[4]);
        } else if (w[0] == "position") {
            pos = Parse(w);
        } else if (w[0] == "quit" && !s.Has("quit ignore")) {
            return 0;
        } else if (w[0] == "stop" && !held.empty()) {
            Say("info depth 9 multipv 1 score cp 999 nodes 1 pv " + held);
            Say("bestmove " + held);
            held.clear();
        } else if (w[0] == "go" && w.size() > 1 && w[1] == "mate") {
            const std::vector<usi::Move> legal = usi::LegalMoves(pos);
            Say(!s.Has("mate answer") ? "checkmate notimplemented"
                : legal.empty() ? "checkmate nomate"
                                : "checkmate " + usi::MoveText(legal[0]));
        } else if (w[0] == "go") {
            auto it = s.go.find(++goCount);
            std::istringstream act(it != s.go.end() ? it->second : s.go.count(0) ? s.go.at(0) : "move");
            std::string a;
            long long arg = 0;
            act >> a >> arg;
            if (a == "sleep")
                std::this_thread::sleep_for(std::chrono::milliseconds(arg));
            if (a == "lines") {
                const std::string best = Lines(pos, multiPv);
                if (w.size() > 1 && w[1] == "infinite")
                    held = best;
                else
                    Say("bestmove " + best);
            } else if (a == "move" || a == "sleep") {
                const std::string m = AnyLegal(pos);
                Say("info depth 1 score cp 42 nodes 7 pv " + m);
                Say("bestmove " + m);
            } else if (a == "crash") {
                std::raise(SIGKILL);
            } else if (a == "exit") {
                return 3;
            } else if (a == "illegal") {
                Say("bestmove " + NotLegal(pos));
            } else if (a == "malformed") {
                Say("bestmove 0z$");
            } else if (a == "flood") {
                for (;;)
                    Say("info string flood");
            } else if (a == "longline") {
                for (;;)
                    std::fputs("xxxxxxxxxxxxxxxx", stdout);
            } else if (a == "resign" || a == "win") {
                Say("bestmove " + a);
            } // hang: no answer
        }
    }
    return 0;
}
