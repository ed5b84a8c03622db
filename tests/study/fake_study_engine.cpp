// An analysing engine for the study tests.
//
//   fake_study_engine MODE [LOG]
//
// MODE: good (MultiPV up to 3, go mate answered), nomate (go mate not
// offered), hang (timed thinks never answer), die (exits on a think).
// LOG receives every line the engine is sent. Each line's score is 200 - 100
// * its number, for the side to move; its pv is that many-th legal move and
// a legal reply. After stop one stale line comes before the bestmove.
#include "usi_position.h"
#include "usi_session.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void Say(const std::string &line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string Lines(const usi::Position &p, int count)
{
    const std::vector<usi::Move> legal = usi::LegalMoves(p);
    std::string out, first;
    for (int k = 1; k <= count && size_t(k) <= legal.size(); k++) {
        const usi::Move m = legal[size_t(k) - 1];
        const std::vector<usi::Move> replies = usi::LegalMoves(usi::Apply(p, m));
        std::string pv = usi::MoveText(m);
        if (!replies.empty())
            pv += " " + usi::MoveText(replies[0]);
        Say("info depth 3 multipv " + std::to_string(k) + " score cp " +
            std::to_string(200 - 100 * k) + " nodes 1000 pv " + pv);
        if (k == 1)
            first = usi::MoveText(m);
    }
    return first.empty() ? "resign" : first;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "good";
    std::ofstream log;
    if (argc > 2)
        log.open(argv[2], std::ios::app);
    usi::Position pos = usi::StartPosition();
    int multiPv = 1;
    std::string pending; // bestmove held until stop
    for (std::string line; std::getline(std::cin, line);) {
        if (log.is_open())
            log << line << std::endl;
        const std::vector<std::string> w = usi::SplitWords(line);
        if (w.empty())
            continue;
        if (w[0] == "usi") {
            Say("id name FakeStudy");
            Say("option name MultiPV type spin default 1 min 1 max 3");
            Say("usiok");
        } else if (w[0] == "setoption" && w.size() == 5 && w[2] == "MultiPV") {
            multiPv = std::stoi(w[4]);
        } else if (w[0] == "isready") {
            Say("readyok");
        } else if (w[0] == "position" && w.size() >= 6) {
            std::string err;
            usi::ParseSfen(w[2], w[3], w[4], w[5], pos, err);
        } else if (w[0] == "quit") {
            return 0;
        } else if (w[0] == "stop" && !pending.empty()) {
            Say("info depth 9 multipv 1 score cp 999 nodes 1 pv " + pending);
            Say("bestmove " + pending);
            pending.clear();
        } else if (w[0] == "go") {
            if (mode == "die")
                return 3;
            if (w.size() > 1 && w[1] == "mate") {
                const std::vector<usi::Move> legal = usi::LegalMoves(pos);
                if (mode == "nomate")
                    Say("checkmate notimplemented");
                else
                    Say(legal.empty() ? "checkmate nomate" : "checkmate " + usi::MoveText(legal[0]));
                continue;
            }
            const std::string best = Lines(pos, multiPv);
            if (w.size() > 1 && w[1] == "infinite")
                pending = best;
            else if (mode != "hang")
                Say("bestmove " + best);
        }
    }
    return 0;
}
