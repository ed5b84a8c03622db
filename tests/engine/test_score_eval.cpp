// Static evaluation: single features decided by comparing two positions that
// differ only in that feature, mirror symmetry, mode flags and stability
// under make/unmake.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// An SFEN position (Com's hand in lower case) written through the engine's
// own entry, then prepared for the given ply count as a think would.
void Place(ZelkorCore &z, const std::string &sfen, int counter = 30)
{
    usi::EngineInput in = usi::ToEngineInput(enginetest::Sfen(sfen));
    z.UpdateBoard(in.board, in.up, in.down, counter);
    z.PreparePosScore();
}

// Leaves only the hand-written evaluation terms (and material).
void ZeroTables(ZelkorCore &z)
{
    std::memset(z.m_nComPosScore, 0, sizeof(z.m_nComPosScore));
    std::memset(z.m_nManPosScore, 0, sizeof(z.m_nManPosScore));
    std::memset(z.m_nAddScoreInAttack, 0, sizeof(z.m_nAddScoreInAttack));
    std::memset(z.m_nAddScoreInDefense, 0, sizeof(z.m_nAddScoreInDefense));
}

class Eval : public ::testing::Test
{
protected:
    EnginePtr z = enginetest::NewEngine();

    void SetUp() override { z->m_nFixedRandDraw = 0; }

    // Evaluation of a position with the square tables zeroed, so that only the
    // hand-written terms (and material) count.
    int Terms(const std::string &sfen)
    {
        Place(*z, sfen);
        ZeroTables(*z);
        return z->Evaluation();
    }
};

// A lance and a knight in each hand: battle mode.
const std::string kFourMinors = " w LNln";

// Hand-written terms as the difference between two positions.
TEST_F(Eval, TermDifferences)
{
    const struct
    {
        const char *name;
        std::string with, without;
        int diff;
        bool battle;
    } rows[] = {
        // A Com pawn two rows in front of the Man king, against the same pawn
        // aside; in battle mode the spear also attacks the pawn beside the king.
        {"spear", "8k/9/9/9/4p4/4P4/4K4/9/9", "8k/9/9/9/2p6/4P4/4K4/9/9", 250, false},
        {"spear in battle", "8k/9/9/9/4p4/4P4/4K4/9/9" + kFourMinors,
         "8k/9/9/9/2p6/4P4/4K4/9/9" + kFourMinors, 300 + 200 / 4, true},
        // A Man pawn on 0x33; a Com gold covers 0x23 or not; a Man gold
        // supports the pawn or not.
        {"pawn on row 3 open", "6g1k/9/2P6/6G2/9/9/9/9/K8", "2g5k/9/2P6/6G2/9/9/9/9/K8", -100 - -40,
         false},
        {"pawn on row 3 supported", "2g5k/9/2P6/2G6/9/9/9/9/K8", "2g5k/9/2P6/6G2/9/9/9/9/K8", -10,
         false},
        // A gold covering the three squares in front of the enemy king, or not.
        {"holes by Man's king", "8k/9/4g4/9/4K4/9/9/9/9", "8k/9/1g7/9/4K4/9/9/9/9", 70 + 100 + 70,
         false},
        {"holes with a silver in hand", "8k/9/4g4/9/4K4/9/9/9/9 w s", "8k/9/1g7/9/4K4/9/9/9/9 w s",
         150 + 200 + 150, false},
        {"holes by Com's king", "9/9/9/9/4k4/9/4G4/9/K8", "9/9/9/9/4k4/9/7G1/9/K8", -50 - 75 - 50,
         false},
        {"holes with a silver in Man's hand", "9/9/9/9/4k4/9/4G4/9/K8 w S",
         "9/9/9/9/4k4/9/7G1/9/K8 w S", -100 - 150 - 100, false},
        // Man's rook on file 4 under a silver with a Com pawn ahead, on the open
        // file 5, behind its own pawn on file 6, and that pawn then behind it.
        {"Man rook on an open file", "8k/3p5/9/3S5/9/5P3/9/4R4/K8", "8k/3p5/9/3S5/9/5P3/9/3R5/K8",
         -50 - -120, false},
        {"Man rook behind its pawn", "8k/3p5/9/3S5/9/5P3/9/5R3/K8", "8k/3p5/9/3S5/9/5P3/9/3R5/K8",
         0 - -120, false},
        {"Man rook ahead of its pawn", "8k/3p5/9/3S5/5R3/5P3/9/9/K8", "8k/3p5/9/3S5/9/5P3/9/5R3/K8",
         20, false},
        {"Com rook on an open file", "8k/4r4/3p5/9/9/9/9/9/K8", "8k/3r5/3p5/9/9/9/9/9/K8", 35,
         false},
        {"Com rook below its pawn", "8k/9/3p5/3r5/9/9/9/9/K8", "8k/3r5/3p5/9/9/9/9/9/K8", -20,
         false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        const int without = Terms(r.without);
        EXPECT_EQ(Terms(r.with) - without, r.diff);
        EXPECT_EQ(z->m_bBattle, r.battle);
    }
}

// Com: gold, king, silver, pawns in files 4..6 and one two rows in front of
// the Man king; Man: pawns in files 4..6 and one on row 5, king, gold, silver.
const std::string kMirrorPosition = "3gk4/4s4/3p1p3/4p4/2P6/1p5p1/3PPP3/4K4/3G1S3";

// Terms that are not mirror images, so the position above avoids them: the
// Com king's table entry and its missing-pawn files, the Com bishop hemmed in,
// the Com gold under its pawn, the rooks' file terms (different per side),
// the sizes of the holes around each king, the Com castle shape and the guards
// beside the Com king; in the tables, the Man defence term (Com has none), the
// Com opening touches, and in battle mode the pawn, lance and knight tables.
TEST_F(Eval, MirrorNegatesTheSymmetricTerms)
{
    for (bool battle : {false, true}) {
        const int e = Terms(kMirrorPosition + (battle ? kFourMinors : ""));
        ASSERT_EQ(z->m_bBattle, battle);
        ASSERT_NE(e, 0);
        z->ConvertBoard();
        z->PreparePosScore();
        ASSERT_EQ(z->m_bBattle, battle);
        ZeroTables(*z);
        EXPECT_EQ(z->Evaluation(), -e) << (battle ? "battle" : "quiet");
    }
}

TEST_F(Eval, StableAcrossMakeAndUnmake)
{
    enginetest::Rng rng(7);
    for (int ply = 0; ply < 40; ply++) {
        enginetest::Move m;
        ASSERT_TRUE(enginetest::RandomLegalMove(*z, ply % 2 == 1, rng, m));
        enginetest::MakeMove(*z, m);
    }
    z->m_nCounter = 40;
    z->PreparePosScore();
    for (int i = 0; i < 300; i++) {
        const bool com = i % 2 == 0;
        enginetest::Move m;
        if (!enginetest::RandomLegalMove(*z, com, rng, m))
            continue;
        for (bool battle : {false, true}) {
            z->m_bBattle = battle;
            const int before = z->Evaluation();
            enginetest::MakeMove(*z, m);
            z->Evaluation();
            enginetest::UnmakeMove(*z, m);
            ASSERT_EQ(z->Evaluation(), before) << "move " << i << (battle ? " battle" : " quiet");
        }
    }
}

// The handicap flags of each set-up; once two plies are played the mode
// stays, whatever the position.
TEST(HandicapFlags, SetByTheFirstPlies)
{
    const struct
    {
        const char *name;
        int removed[2];
        bool hiKakRoku;
        int mode;
        bool normConfig;
    } rows[] = {
        {"even", {0, 0}, false, 0, true},
        {"Com lance", {0x11, 0}, false, 0, true},
        {"Com bishop", {0x28, 0}, true, 0, false},
        {"Com rook", {0x22, 0}, true, 1, false},
        {"Com rook and lance", {0x22, 0x11}, true, 1, false},
        {"Com rook and bishop", {0x22, 0x28}, true, 1, false},
        {"Man rook", {0x88, 0}, true, 0, false},
    };
    for (const auto &h : rows) {
        SCOPED_TRACE(h.name);
        auto z = enginetest::NewEngine();
        for (int s : h.removed)
            if (s != 0)
                z->m_nBoard[s] = 0;
        ASSERT_TRUE(z->InitBoard());
        EXPECT_EQ(z->m_bHiKakRoku, h.hiKakRoku);
        EXPECT_EQ(z->m_nMode, h.mode);
        EXPECT_EQ(z->m_bNormConfig, h.normConfig);

        z->m_nBoard[0x22] = z->m_nBoard[0x22] == 0 ? 135 : 0;
        z->SetUniBoard();
        z->m_nCounter = 2;
        z->PreparePosScore();
        EXPECT_EQ(z->m_nMode, h.mode);
        z->m_nCounter = 1;
        z->PreparePosScore();
        EXPECT_EQ(z->m_nMode, z->m_bHiKakRoku && z->m_nBoard[0x22] != 135 ? 1 : 0);
    }
}

TEST_F(Eval, RookInHandIsNoHandicap)
{
    z->m_nBoard[0x88] = 0;
    z->m_nCaptByCom[7] = 1;
    ASSERT_TRUE(z->InitBoard());
    EXPECT_FALSE(z->m_bHiKakRoku);
}

// Battle mode from pieces in the enemy camp, from the hands, from what the
// surface search finds, and never before ply 10.
TEST_F(Eval, BattleMode)
{
    const struct
    {
        const char *sfen;
        int counter;
        bool battle;
    } rows[] = {
        {"k8/9/9/9/9/9/4s4/9/8K", 10, true},
        {"k8/9/9/9/9/9/4s4/9/8K", 9, false},
        {"k8/9/5+P3/9/9/9/9/9/8K", 30, true}, // a promoted Man pawn counts
        {"k8/9/5P3/9/9/9/9/9/8K", 30, false}, // an unpromoted one does not
        {"k8/9/9/9/9/9/9/9/8K w N2s", 30, true},
        {"k8/9/9/9/9/9/9/9/8K w 5P2s", 30, false},
        // From the surface search: a Man rook that a Com silver takes for free,
        // or not; a promotion threat reports an empty square.
        {"k8/9/9/3s5/4R4/9/9/9/8K", 30, true},
        {"k8/9/9/s8/4R4/9/9/9/8K", 30, false},
        {"k8/9/9/9/9/3gp4/9/9/8K", 30, false},
    };
    for (const auto &r : rows) {
        Place(*z, r.sfen, r.counter);
        EXPECT_EQ(z->m_bBattle, r.battle) << r.sfen << " at ply " << r.counter;
    }
    int pos = 0;
    EXPECT_EQ(z->SearchSurfaceByCom(&pos), 320); // the promotion threat of the last row
}

TEST_F(Eval, ComCastleAndGuardsBesideTheKing)
{
    // King on 0x13: file 2 is shut when each of its squares on rows 1..3
    // holds a Com piece or is covered by Man.
    const char *shut = "1lk6/1p7/8R/9/9/9/9/9/4K4";
    Place(*z, shut);
    EXPECT_EQ(z->BattleComCastle(), -200);
    Place(*z, "1lk6/1p7/9/8R/9/9/9/9/4K4");
    EXPECT_EQ(z->BattleComCastle(), 0);
    Place(*z, "7k1/6g2/6s2/9/9/9/9/9/4K4");
    EXPECT_EQ(z->BattleComCastle(), 150 + 100);

    // A Man rook along row 1 through the Com king hits the gold on 0x13.
    Place(*z, "2g1k3R/9/9/9/9/9/9/9/4K4");
    EXPECT_EQ(z->BattleComGuards(), -1380 / 4);
    Place(*z, "2g1k3R/1s7/9/9/9/9/9/9/4K4");
    EXPECT_EQ(z->BattleComGuards(), -1380 / 8);
    Place(*z, "2gpk3R/9/9/9/9/9/9/9/4K4");
    EXPECT_EQ(z->BattleComGuards(), 0);
}

} // namespace
