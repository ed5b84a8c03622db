// The engine plays both sides the way the game drives it: the document's
// board (bit 128 on the pieces of the player at the top), UpdateBoard, then
// OnFindMove with turn 1 when the mover sits at the top. Every move is
// checked by the independent rules, and a game may end only by one of the
// engine's end-of-game result codes.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <tuple>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kDepth = 1;
constexpr int kMaxPlies = 150;
#else
constexpr int kDepth = 2;
constexpr int kMaxPlies = 160;
#endif

constexpr unsigned int kUntouched = 0xdeadbeefu;

struct Game
{
    Pos pos;        // Com = the player at the top
    bool topToMove; // side to move
    int plies;
};

// The first player gives the handicap and moves first; it sits at the top
// when firstUp (the set-up turned round).
Game NewGame(int teai, bool firstUp)
{
    Game g;
    g.pos = usi::StartPosition();
    const int flip = firstUp ? 170 : 0;
    const int lance = flip ? flip - Sq(9, 1) : Sq(9, 1);
    const int bishop = flip ? flip - Sq(8, 2) : Sq(8, 2);
    const int rook = flip ? flip - Sq(8, 8) : Sq(8, 8);
    const int gone[6][2] = {{}, {lance}, {bishop}, {rook}, {rook, lance}, {rook, bishop}};
    for (int s : gone[teai])
        if (s != 0)
            g.pos.Set(s, 0);
    g.topToMove = firstUp;
    g.plies = 0;
    return g;
}

// The document's reading of the move word (the mover at the bottom sees
// mirrored squares), as a move on the top-oriented position.
Move Decode(const Pos &p, unsigned int w, bool top)
{
    int src = w & 0xff, dst = (w >> 8) & 0xff;
    const int kind = (w >> 16) & 0xff;
    const bool naru = ((w >> 24) & 0xff) != 0;
    if (!top) {
        if (src != 255)
            src = 136 - src;
        dst = 136 - dst;
    }
    Move m;
    m.src = src == 255 ? 255 : src + 17;
    m.dst = dst + 17;
    m.kind = src == 255 ? (kind & 15) + (top ? 128 : 0) : p.At(m.dst);
    m.naru = naru ? 8 : 0;
    return m;
}

std::string Describe(const Move &m)
{
    std::ostringstream o;
    o << std::hex << m.src << "->" << m.dst << " kind " << std::dec << m.kind << " naru " << m.naru;
    return o.str();
}

bool Contains(const std::vector<Move> &v, const Move &m)
{
    return std::find(v.begin(), v.end(), m) != v.end();
}

// Plays one game; returns the result code that ended it (0 if it ran out of plies).
int PlayGame(ZelkorCore &z, Game g, const char *name)
{
    while (g.plies < kMaxPlies) {
        SCOPED_TRACE(::testing::Message() << name << " ply " << g.plies);
        const bool top = g.topToMove;
        usi::EngineInput in = usi::ToEngineInput(g.pos);
        z.UpdateBoard(in.board, in.up, in.down, g.plies);

        Snapshot before;
        TakeSnapshot(z, before);
        unsigned int word = kUntouched;
        int result = -1;
        z.OnFindMove(top ? 1 : 0, &word, &result);
        EXPECT_EQ(z.m_nGameStatus, 1);

        if (result == 16) {
            EXPECT_EQ(word, kUntouched);
            return result;
        }
        if (result == 18) {
            // The opponent's last move dropped a pawn that mates.
            EXPECT_TRUE(Attacked(g.pos, KingSquare(g.pos, top), !top));
            return result;
        }
        EXPECT_TRUE(result == 0 || result == 5 || result == 15 || result == 17)
            << "result " << result;
        EXPECT_NE(word, kUntouched);
        if (result == 17)
            return result;

        const Move m = Decode(g.pos, word, top);
        const std::vector<Move> legal = LegalMoves(g.pos, top);
        if (!Contains(legal, m)) {
            ADD_FAILURE() << "illegal move " << Describe(m);
            return -1;
        }

        if (top) {
            // The engine played its own choice on its board; taking it back
            // must give exactly the position handed in.
            int src, dst, kind, naru, srcKind;
            EXPECT_TRUE(z.GetKomaMove(src, dst, kind, naru, srcKind));
            EXPECT_EQ(src, m.src);
            EXPECT_EQ(dst, m.dst);
            const Pos own = Apply(g.pos, Move{src, dst, kind, naru});
            EXPECT_EQ(std::memcmp(own.board, PositionOf(z).board, sizeof own.board), 0);
            if (src == 255)
                z.BackKomaToCapt(dst);
            else
                z.BackKomaOnBoard(dst, src, naru, kind);
            const std::string diff = CompareWithSnapshot(z, before);
            EXPECT_TRUE(diff.empty()) << diff;
        }

        // The move word promotes whenever the piece may; the check the engine
        // reports is that of its own choice, which may leave the piece as it is.
        int src, dst, kind, naru, srcKind;
        if (!z.GetKomaMove(src, dst, kind, naru, srcKind)) {
            ADD_FAILURE() << "no recorded move";
            return -1;
        }
        Move chosen = m;
        chosen.naru = naru;
        const Pos engineView = Apply(g.pos, chosen);
        const bool check = Attacked(engineView, KingSquare(engineView, !top), top);
        EXPECT_EQ(result == 5 || result == 15, check) << "result " << result;

        g.pos = Apply(g.pos, m);
        g.plies++;
        g.topToMove = !top;
        if (result == 15) {
            // Mated: at most futile interpositions are left.
            for (const Move &r : LegalMoves(g.pos, !top))
                EXPECT_EQ(r.src, 255) << "escape " << Describe(r);
            return result;
        }
    }
    return 0;
}

class SelfPlay : public ::testing::TestWithParam<std::tuple<int, bool>>
{
};

TEST_P(SelfPlay, LegalMovesUntilTheEnd)
{
    auto z = NewCore();
    ASSERT_EQ(z->InitGame(), 0);
    z->SetComLevel(0);
    z->m_nFixedDepth = kDepth;
    z->m_bNoTimeLimit = true;
    const int teai = std::get<0>(GetParam());
    const bool firstUp = std::get<1>(GetParam());
    const std::string name = "handicap " + std::to_string(teai) + (firstUp ? " first up" : "");
    const int end = PlayGame(*z, NewGame(teai, firstUp), name.c_str());
    EXPECT_NE(end, -1);
}

INSTANTIATE_TEST_SUITE_P(EveryHandicap, SelfPlay,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Bool()));

} // namespace
