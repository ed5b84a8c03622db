// A position from its text "board side hands [ply]", for the tests of every
// folder that write positions as SFEN.
#ifndef KORVANE_TESTS_SFENTEXT_H
#define KORVANE_TESTS_SFENTEXT_H

#include "usi_session.h"

// Empty when read, else why the text was refused. Hands and ply may be left
// out: none in hand, the first ply.
inline std::string ReadSfen(const std::string &sfen, usi::Position &p)
{
    std::vector<std::string> w = usi::SplitWords(sfen);
    w.resize(4);
    std::string err;
    return usi::ParseSfen(w[0], w[1], w[2].empty() ? "-" : w[2], w[3].empty() ? "1" : w[3], p, err)
               ? std::string()
               : err;
}

#endif
