#include "usi_test_util.h"

#include "EngineTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace usitest {

RefPos ToRef(const usi::Position &p)
{
    RefPos r = RefEmpty();
    for (int row = 1; row <= 9; row++)
        for (int col = 1; col <= 9; col++)
            r.board[16 * row + col] = p.At(16 * row + col);
    for (int k = 1; k <= 7; k++) {
        r.captCom[k] = p.hand[usi::kGote][k];
        r.captMan[k] = p.hand[usi::kSente][k];
    }
    return r;
}

RefMove ToRefMove(const usi::Position &p, const usi::Move &m)
{
    if (m.src == usi::kDrop)
        return {255, m.dst, m.drop + (p.side == usi::kGote ? 128 : 0), 0};
    return {m.src, m.dst, p.At(m.dst), m.promote ? 8 : 0};
}

std::vector<RefMove> RefLegal(const usi::Position &p)
{
    const RefPos r = ToRef(p);
    const bool com = p.side == usi::kGote;
    std::vector<RefMove> out;
    for (const RefMove &m : RefLegalMoves(r, com)) {
        if (m.src == 255 && (m.kind & 15) == 1) {
            const RefPos after = RefApply(r, m);
            const int king = RefKing(after, !com);
            if (RefAttacked(after, king, com) && RefLegalMoves(after, !com).empty())
                continue;
        }
        out.push_back(m);
    }
    return out;
}

bool RefIsLegal(const usi::Position &p, const usi::Move &m)
{
    const std::vector<RefMove> legal = RefLegal(p);
    return std::find(legal.begin(), legal.end(), ToRefMove(p, m)) != legal.end();
}

bool RefIsMate(const usi::Position &p)
{
    const RefPos r = ToRef(p);
    const bool com = p.side == usi::kGote;
    return RefAttacked(r, RefKing(r, com), !com) && RefLegalMoves(r, com).empty();
}

usi::Position Sfen(const std::string &sfen)
{
    std::istringstream in(sfen);
    std::string b, s, h, n = "1";
    in >> b >> s >> h >> n;
    usi::Position p;
    std::string err;
    EXPECT_TRUE(usi::ParseSfen(b, s, h, n, p, err)) << sfen << ": " << err;
    return p;
}

std::vector<usi::Position> RandomGamePositions(unsigned seed, int plies, int every)
{
    enginetest::Rng rng(seed);
    std::vector<usi::Position> out;
    usi::Position p = usi::StartPosition();
    for (int ply = 1; ply <= plies; ply++) {
        const std::vector<usi::Move> moves = usi::LegalMoves(p);
        if (moves.empty())
            break;
        // Captures and drops first when there are any, so that hands fill.
        std::vector<usi::Move> lively;
        for (const usi::Move &m : moves)
            if (m.src == usi::kDrop || p.At(m.dst) != 0 || m.promote)
                lively.push_back(m);
        const auto &from = !lively.empty() && rng.Below(3) != 0 ? lively : moves;
        p = usi::Apply(p, from[rng.Below(int(from.size()))]);
        if (ply % every == 0)
            out.push_back(p);
    }
    return out;
}

} // namespace usitest
