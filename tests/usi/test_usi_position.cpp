// SFEN reading and writing, move notation, and the rules the protocol uses to
// check a GUI's moves, against the engine's own start board and the move
// counts of the engine's rules.
#include "engine_board.h"
#include "sfentext.h"

#include <gtest/gtest.h>

using namespace usi;
using enginetest::Sfen; // fails the test on a refusal

namespace {

const char *const kStart = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

std::string Refusal(const std::string &sfen)
{
    Position p;
    const std::string err = ReadSfen(sfen, p);
    return err.empty() ? "accepted" : err;
}

TEST(UsiSfen, RoundTrips)
{
    // The engine's initial board has the computer (Com) at the top: gote.
    const Position start = StartPosition();
    for (int s = 0x11; s <= 0x99; s++)
        EXPECT_TRUE(!OnBoard(s) || start.At(s) == zelkor::kIniBoard[s]) << std::hex << s;
    EXPECT_EQ(WriteSfen(start), kStart);

    const char *const cases[] = {
        kStart,
        "2sgkgs2/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1", // six-piece handicap
        // promoted pieces of both sides, hands of both, multi-digit counts
        "ln1g3+Rl/1ks2s3/1ppp1p1pp/p3p4/9/2P1P4/PPSP1PPPP/1K1+b5/LN1G1G1NL b RBGPn 45",
        "8k/9/9/9/9/9/9/9/K8 w 2R2B4G4S4N4L10P8p 120",
        "4k4/9/4+P4/9/9/9/+p8/9/4K4 b - 2",
    };
    for (const char *sfen : cases)
        EXPECT_EQ(WriteSfen(Sfen(sfen)), sfen);
    const Position h = Sfen("8k/9/9/9/9/9/9/9/K8 w 2R2B4G4S4N4L10P8p 120");
    // Side, sente's and gote's pawns, sente's rooks, move number.
    EXPECT_EQ((std::vector<int>{h.side, h.hand[kSente][1], h.hand[kGote][1], h.hand[kSente][7], h.ply}),
              (std::vector<int>{kGote, 10, 8, 2, 120}));
}

TEST(UsiSfen, RefusesMalformedAndImpossiblePositions)
{
    const struct
    {
        const char *sfen;
        const char *fault;
    } cases[] = {
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1 b - 1", "nine ranks"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL/9 b - 1", "more than nine"},
        {"lnsgkgsnl/1r5b/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "nine squares"},
        {"lnsgkgsnl/1r5b11/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "more than nine"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNX b - 1", "bad piece letter"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNS+GKGSNL b - 1", "cannot be promoted"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSN+ b - 1", "nine ranks"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1x", "bad move number"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL x - 1", "'b' or 'w'"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 0", "bad move number"},
        {"4k4/9/9/9/9/9/9/9/4K4 b K 1", "in hand"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 19P 1", "bad hand count"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 1P 1", "bad hand count"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 02P 1", "bad hand count"},
        {"4k4/9/9/9/9/9/9/9/4K4 b P2 1", "ends with a count"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 3R 1", "too many"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 10P9p 1", "too many"},
        {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b P 1", "too many"},
        {"4k4/9/9/9/9/9/9/9/4KK3 b - 1", "two kings of sente"},
        {"4k4/9/9/9/9/9/9/9/9 b - 1", "no king of sente"},
        {"9/9/9/9/9/9/9/9/4K4 b - 1", "no king of gote"},
        {"P3k4/9/9/9/9/9/9/9/4K4 b - 1", "never move"},
        {"4k4/N8/9/9/9/9/9/9/4K4 b - 1", "never move"},
        {"4k4/9/9/9/9/9/9/9/l3K4 b - 1", "never move"},
        {"4k4/9/9/9/9/P8/P8/9/4K4 b - 1", "two pawns"},
        {"4k4/9/9/9/9/9/9/4R4/4K4 b - 1", "not to move is in check"},
    };
    for (const auto &c : cases)
        EXPECT_NE(Refusal(c.sfen).find(c.fault), std::string::npos) << c.sfen << ": " << Refusal(c.sfen);
    // Promoted pieces may stand anywhere and are no pawns for the file rule.
    EXPECT_EQ(Refusal("+P3k4/9/9/9/9/+P8/P8/9/4K4 b - 1"), "accepted");
}

TEST(UsiMoves, NotationRoundTripsAndRefusals)
{
    Move m;
    for (const char *t : {"7g7f", "8h2b+", "P*5e", "R*1a", "1a9i", "9i1a+"}) {
        ASSERT_TRUE(ParseMove(t, m)) << t;
        EXPECT_EQ(MoveText(m), t);
    }
    ASSERT_TRUE(ParseMove("7g7f", m));
    EXPECT_EQ(m, (Move{0x73, 0x63, 0, false})); // rank g = row 7, file 7 = col 3
    ASSERT_TRUE(ParseMove("G*1a", m));
    EXPECT_EQ(m, (Move{kDrop, 0x19, 5, false}));
    for (const char *t :
         {"", "7g7", "7g7f=", "0a1a", "7j7f", "K*5e", "X*5e", "P*5e+", "+P*5e", "7g7f++", "P*0e"})
        EXPECT_FALSE(ParseMove(t, m)) << t;
}

std::uint64_t Perft(const Position &p, int depth)
{
    const std::vector<Move> moves = LegalMoves(p);
    if (depth <= 1)
        return moves.size();
    std::uint64_t n = 0;
    for (const Move &m : moves)
        n += Perft(Apply(p, m), depth - 1);
    return n;
}

std::uint64_t EnginePerft(ZelkorCore &z, bool com, int depth)
{
    const std::vector<enginetest::Move> moves = enginetest::EngineMoves(z, com);
    if (depth <= 1)
        return moves.size();
    std::uint64_t n = 0;
    for (const enginetest::Move &m : moves) {
        enginetest::MakeMove(z, m);
        n += EnginePerft(z, !com, depth - 1);
        enginetest::UnmakeMove(z, m);
    }
    return n;
}

// The published counts of the even game, and positions whose hands hold
// most of the pieces, where the engine's rules agree.
TEST(UsiRules, PerftCounts)
{
    const struct
    {
        const char *sfen;
        int depth;
        std::uint64_t count;
    } rows[] = {
        {kStart, 1, 30},
        {kStart, 2, 900},
        {kStart, 3, 25470},
#ifndef KORVANE_SANITIZE
        {kStart, 4, 719731},
#endif
    };
    for (const auto &r : rows)
        EXPECT_EQ(Perft(Sfen(r.sfen), r.depth), r.count) << r.sfen << " depth " << r.depth;

    for (const char *sfen : {"4k4/9/9/9/9/9/9/9/4K4 b RBGSNLPrb3g3s3n3l17p 1",
                             "3gk4/2s6/4p4/9/9/9/4P4/6S2/4KG3 w R2G2S4N4L16Pr2b 1"}) {
        SCOPED_TRACE(sfen);
        const Position p = Sfen(sfen);
        const std::uint64_t mine = Perft(p, 2);
        EnginePtr z = NewCore();
        enginetest::Write(p, *z);
        EXPECT_EQ(EnginePerft(*z, p.side == kGote, 2), mine);
    }
}

TEST(UsiRules, LegalityOfSingleMoves)
{
    const struct
    {
        const char *sfen, *move;
        bool legal;
    } rows[] = {
        // Gote's king on 1a boxed in by its own pieces: a pawn on 1b mates.
        {"7nk/7p1/7G1/9/9/9/9/9/4K4 b P 1", "P*1b", false},
        // Without the gold the king takes the pawn: an ordinary check.
        {"7nk/7p1/9/9/9/9/9/9/4K4 b P 1", "P*1b", true},
        // Into the zone either way; outside it never promoted.
        {"4k4/9/9/1P7/9/9/9/2S6/4K4 b - 1", "8d8c+", true},
        {"4k4/9/9/1P7/9/9/9/2S6/4K4 b - 1", "8d8c", true},
        {"4k4/9/9/1P7/9/9/9/2S6/4K4 b - 1", "7h7g+", false},
        // A pawn on the last rank must promote.
        {"4k4/P8/9/9/9/9/9/9/4K4 b - 1", "9b9a", false},
        {"4k4/P8/9/9/9/9/9/9/4K4 b - 1", "9b9a+", true},
    };
    for (const auto &r : rows) {
        Move m;
        ASSERT_TRUE(ParseMove(r.move, m)) << r.move;
        EXPECT_EQ(IsLegal(Sfen(r.sfen), m), r.legal) << r.sfen << " " << r.move;
    }
}

TEST(UsiRules, ApplyMovesCapturesToTheHandAndCountsPlies)
{
    Position p = StartPosition();
    for (const char *t : {"7g7f", "3c3d", "8h2b+"}) {
        Move m;
        ASSERT_TRUE(ParseMove(t, m));
        ASSERT_TRUE(IsLegal(p, m)) << t;
        p = Apply(p, m);
    }
    EXPECT_EQ(WriteSfen(p), "lnsgkgsnl/1r5+B1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/7R1/LNSGKGSNL w B 4");
}

} // namespace
