// Static evaluation: single features decided by comparing two positions that
// differ only in that feature, mirror symmetry, mode flags and stability
// under make/unmake.
#include "test_score_util.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace scoretest;

namespace {

class Eval : public ::testing::Test
{
protected:
    EnginePtr z = enginetest::NewEngine();

    void SetUp() override { z->m_nFixedRandDraw = 0; }

    // Evaluation of a position with the square tables zeroed, so that only the
    // hand-written terms (and material) count.
    int Terms(const char *diagram, Hand com = {}, Hand man = {}, int counter = 30)
    {
        Place(*z, diagram, com, man, counter);
        ZeroTables(*z);
        return z->Evaluation();
    }
    // Terms of the diagram with one more piece on square s.
    int With(const char *diagram, int s, int code)
    {
        usi::Position p = enginetest::Sfen(diagram);
        p.Set(s, code);
        Place(*z, usi::ToEngineInput(p).board);
        ZeroTables(*z);
        return z->Evaluation();
    }
};

const Hand kFourMinors = {0, 1, 1, 0, 0, 0, 0}; // with the same Man hand: battle mode

// A Com pawn two rows in front of the Man king, against the same pawn aside.
// In battle mode the spear also attacks the Man pawn beside the king.
const char *kSpear = "8k/9/9/9/4p4/4P4/4K4/9/9";
const char *kNoSpear = "8k/9/9/9/2p6/4P4/4K4/9/9";

TEST_F(Eval, PawnSpearInQuietAndBattleMode)
{
    const int quiet = Terms(kSpear) - Terms(kNoSpear);
    ASSERT_FALSE(z->m_bBattle);
    EXPECT_EQ(quiet, 250);

    const int battle =
        Terms(kSpear, kFourMinors, kFourMinors) - Terms(kNoSpear, kFourMinors, kFourMinors);
    ASSERT_TRUE(z->m_bBattle);
    EXPECT_EQ(battle, 300 + 200 / 4);
}

TEST_F(Eval, ManPawnOnRowThreeBySupport)
{
    // A Man pawn on 0x33; a Com gold covers 0x23 or not; a Man gold supports
    // the pawn or not.
    const int covered = Terms("2g5k/9/2P6/6G2/9/9/9/9/K8");
    const int open = Terms("6g1k/9/2P6/6G2/9/9/9/9/K8");
    const int supported = Terms("2g5k/9/2P6/2G6/9/9/9/9/K8");
    EXPECT_EQ(open - covered, -100 - -40);
    EXPECT_EQ(supported - covered, -10);
}

TEST_F(Eval, ManRookByFile)
{
    // A Com pawn in file 4 with a Man silver on row 4 of that file; a Man
    // pawn in file 6; the Man rook moves between files.
    auto withRook = [this](int s) { return With("8k/3p5/9/3S5/9/5P3/9/9/K8", s, 7); };
    const int underSilver = withRook(0x84), open = withRook(0x85), ownPawn = withRook(0x86);
    const int pawnBehind = withRook(0x56);
    EXPECT_EQ(open - underSilver, -50 - -120);
    EXPECT_EQ(ownPawn - underSilver, 0 - -120);
    EXPECT_EQ(pawnBehind - ownPawn, 20);
}

TEST_F(Eval, ComRookOnOpenFileAndUnderPawn)
{
    auto withRook = [this](int s) { return With("8k/9/3p5/9/9/9/9/9/K8", s, 135); };
    EXPECT_EQ(withRook(0x25) - withRook(0x24), 35);
    EXPECT_EQ(withRook(0x44) - withRook(0x24), -20);
}

TEST_F(Eval, ComBishopHemmedInSideways)
{
    auto withBishop = [this](int s) { return With("8k/9/9/9/1p1p1p3/9/9/3PPP3/4K4", s, 134); };
    const int free = withBishop(0x58);
    EXPECT_EQ(withBishop(0x55) - free, -15);      // between two pawns
    EXPECT_EQ(withBishop(0x51) - free, -30 - 15); // between the edge and a pawn
}

TEST_F(Eval, ComKingFilesWithoutPawns)
{
    // One Com pawn: in the king's file, in the file beside it, or far away.
    const int inKingFile = Terms("4k4/9/4p4/9/9/9/9/9/K8");
    ASSERT_FALSE(z->m_bBattle);
    const int beside = Terms("4k4/9/3p5/9/9/9/9/9/K8");
    const int far = Terms("4k4/9/p8/9/9/9/9/9/K8");
    EXPECT_EQ(inKingFile - far, 15);
    EXPECT_EQ(beside - far, 11);
}

TEST_F(Eval, HolesAroundEachKing)
{
    // A Com gold covering the three squares in front of the Man king, or not.
    const char *near = "8k/9/4g4/9/4K4/9/9/9/9";
    const char *far = "8k/9/1g7/9/4K4/9/9/9/9";
    EXPECT_EQ(Terms(near) - Terms(far), 70 + 100 + 70);
    const Hand silver = {0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(Terms(near, silver) - Terms(far, silver), 150 + 200 + 150);

    // A Man gold covering the three squares in front of the Com king.
    const char *nearCom = "9/9/9/9/4k4/9/4G4/9/K8";
    const char *farCom = "9/9/9/9/4k4/9/7G1/9/K8";
    EXPECT_EQ(Terms(nearCom) - Terms(farCom), -50 - 75 - 50);
    EXPECT_EQ(Terms(nearCom, {}, silver) - Terms(farCom, {}, silver), -100 - 150 - 100);
}

// Com: gold, king, silver, pawns in files 4..6 and one two rows in front of
// the Man king; Man: pawns in files 4..6 and one on row 5, king, gold, silver.
const char *kMirrorPosition = "3gk4/4s4/3p1p3/4p4/2P6/1p5p1/3PPP3/4K4/3G1S3";

// Terms that are not mirror images, so the position above avoids them: the
// Com king's table entry and its missing-pawn files, the Com bishop hemmed in,
// the Com gold under its pawn, the rooks' file terms (different per side),
// the sizes of the holes around each king, the Com castle shape and the guards
// beside the Com king; in the tables, the Man defence term (Com has none), the
// Com opening touches, and in battle mode the pawn, lance and knight tables.
TEST_F(Eval, MirrorNegatesTheSymmetricTerms)
{
    for (bool battle : {false, true}) {
        const Hand hand = battle ? kFourMinors : Hand{};
        const int e = Terms(kMirrorPosition, hand, hand);
        ASSERT_EQ(z->m_bBattle, battle);
        ASSERT_NE(e, 0);
        z->ConvertBoard();
        z->PreparePosScore();
        ASSERT_EQ(z->m_bBattle, battle);
        ZeroTables(*z);
        EXPECT_EQ(z->Evaluation(), -e) << (battle ? "battle" : "quiet");
    }
}

// In battle mode the king-relative gold tables are the same for both sides:
// silvers and golds close to either king, promoted pieces far from both.
const char *kBattleMirrorPosition = "3gk4/4s2+S1/3ppp3/9/+r7+B/4G4/3sPP3/2g6/+S3K4";

TEST_F(Eval, MirrorWithBattleGoldTables)
{
    const int e = [&] {
        Place(*z, kBattleMirrorPosition, kFourMinors, kFourMinors);
        std::memset(z->m_nComPosScore, 0, sizeof(z->m_nComPosScore));
        std::memset(z->m_nManPosScore, 0, sizeof(z->m_nManPosScore));
        return z->Evaluation();
    }();
    z->ConvertBoard();
    z->PreparePosScore();
    std::memset(z->m_nComPosScore, 0, sizeof(z->m_nComPosScore));
    std::memset(z->m_nManPosScore, 0, sizeof(z->m_nManPosScore));
    EXPECT_EQ(z->Evaluation(), -e);
}

TEST_F(Eval, AttackTablesMirrorBetweenSides)
{
    // Less the Man defence term, a Com piece on s scores what a Man piece
    // scores on the mirrored square, kings mirrored.
    z->m_nMode = 1;
    Place(*z, "9/3k5/9/9/9/9/9/5K3/9");
    ASSERT_FALSE(z->m_bBattle);
    const int km = z->m_komaUni[1].nPos;
    auto manAttack = [&](int k, int m) {
        const int def = zelkor::kKinDefPcnt[ZelkorCore::KingRelIndex(
            ZelkorCore::RowOf(m) - ZelkorCore::RowOf(km), ZelkorCore::ColOf(km) - ZelkorCore::ColOf(m))];
        return z->m_nManPosScore[k][m] - z->DefenceTerm(k, def);
    };
    for (int k = 1; k <= 15; k++) {
        if (k == 8 || k == 13) // never read: no piece 3..40 has these codes
            continue;
        for (int row = 1; row <= 9; row++)
            for (int col = 1; col <= 9; col++)
                ASSERT_EQ(z->m_nComPosScore[k][Sq(row, col)], manAttack(k, 170 - Sq(row, col)))
                    << "kind " << k << " square " << Sq(row, col);
    }
    // Spot values: a Man knight two rows in front of the Com king (a knight
    // looks one row further), a Com silver two rows short of the Man king and
    // five files aside (row 6: half of the negative term).
    EXPECT_EQ(manAttack(3, Sq(4, 4)), 17 * 450 / 100 / 2 + zelkor::kIniOnPos[Sq(4, 4)]);
    EXPECT_EQ(z->m_nComPosScore[4][Sq(6, 1)], -15 * 640 / 100 / 2 + zelkor::kIniOnPos[Sq(6, 1)]);
}

TEST_F(Eval, RookLanesInBattleMode)
{
    // Kings on 0x23 and 0x87 (mirrored); Com silver 0x25, pawn 0x36 with a
    // gold below it, and their Man mirror images.
    const Hand lances = {0, 2, 0, 0, 0, 0, 0};
    Place(*z, "9/2k1s4/5p3/5g3/9/3G5/3P5/4S1K2/9", lances, lances);
    ASSERT_TRUE(z->m_bBattle);
    const auto &man = z->m_nManPosScore[7];
    EXPECT_EQ(man[0x13], 250);            // the king's file
    EXPECT_EQ(man[0x21], 270 + 50);       // open to the king, on its row
    EXPECT_EQ(man[0x27], 200 + 100 + 50); // stopped by the silver
    EXPECT_EQ(man[0x38], 120 - 100 - 80); // stopped by the pawn on the gold
    for (int row = 1; row <= 3; row++) {
        for (int col = 1; col <= 9; col++) {
            const int s = Sq(row, col), m = 170 - s;
            EXPECT_EQ(z->m_nComPosScore[7][m] - zelkor::kIniOnPos[m], man[s]) << "square " << s;
        }
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

TEST_F(Eval, RandomTermScalesTheScore)
{
    z->m_nRandPortion = 8;
    z->m_nFixedRandDraw = 32767;
    EXPECT_EQ(z->RandomTerm(1000), 8);
    EXPECT_EQ(z->RandomTerm(-1000), -8);
    EXPECT_EQ(z->RandomTerm(0), 0);
    z->m_nFixedRandDraw = 16384;
    EXPECT_EQ(z->RandomTerm(1000), 4); // truncated towards zero
    EXPECT_EQ(z->RandomTerm(-1000), -4);
    z->m_nFixedRandDraw = -1;
    for (int i = 0; i < 200; i++) {
        const int r = z->RandomTerm(1000);
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 8);
        ASSERT_EQ(z->RandomTerm(0), 0);
    }
    // Evaluation adds it to the static score.
    Place(*z, "k8/4r4/9/9/9/9/9/9/8K");
    z->m_nFixedRandDraw = 0;
    const int base = z->Evaluation();
    z->m_nFixedRandDraw = 32767;
    EXPECT_EQ(z->Evaluation(), base + base * 8 / 1000);
}

// ---- PreparePosScore flags ----

TEST_F(Eval, StandardFormationFlags)
{
    EXPECT_TRUE(z->m_bNormConfig);
    EXPECT_FALSE(z->m_bHiKakRoku);
    EXPECT_FALSE(z->m_bBattle);
    EXPECT_EQ(z->m_nMode, 0);
}

struct Handicap
{
    const char *name;
    int removed[2];
    bool hiKakRoku;
    int mode;
    bool normConfig;
};

class HandicapFlags : public ::testing::TestWithParam<Handicap>
{
};

TEST_P(HandicapFlags, SetByTheFirstPlies)
{
    const Handicap &h = GetParam();
    auto z = enginetest::NewEngine();
    for (int s : h.removed)
        if (s != 0)
            z->m_nBoard[s] = 0;
    ASSERT_TRUE(z->InitBoard());
    EXPECT_EQ(z->m_bHiKakRoku, h.hiKakRoku);
    EXPECT_EQ(z->m_nMode, h.mode);
    EXPECT_EQ(z->m_bNormConfig, h.normConfig);

    // Once two plies are played the mode stays, whatever the position.
    z->m_nBoard[0x22] = z->m_nBoard[0x22] == 0 ? 135 : 0;
    z->SetUniBoard();
    z->m_nCounter = 2;
    z->PreparePosScore();
    EXPECT_EQ(z->m_nMode, h.mode);
    z->m_nCounter = 1;
    z->PreparePosScore();
    EXPECT_EQ(z->m_nMode, z->m_bHiKakRoku && z->m_nBoard[0x22] != 135 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Eval, HandicapFlags,
                         ::testing::Values(Handicap{"ComLance", {0x11, 0}, false, 0, true},
                                           Handicap{"ComBishop", {0x28, 0}, true, 0, false},
                                           Handicap{"ComRook", {0x22, 0}, true, 1, false},
                                           Handicap{"ComRookLance", {0x22, 0x11}, true, 1, false},
                                           Handicap{"ComRookBishop", {0x22, 0x28}, true, 1, false},
                                           Handicap{"ManRook", {0x88, 0}, true, 0, false}),
                         [](const ::testing::TestParamInfo<Handicap> &info) {
                             return info.param.name;
                         });

TEST_F(Eval, RookInHandIsNoHandicap)
{
    z->m_nBoard[0x88] = 0;
    z->m_nCaptByCom[7] = 1;
    ASSERT_TRUE(z->InitBoard());
    EXPECT_FALSE(z->m_bHiKakRoku);
}

TEST_F(Eval, BattleFromInvaders)
{
    const char *silverIn = "k8/9/9/9/9/9/4s4/9/8K";
    Place(*z, silverIn, {}, {}, 10);
    EXPECT_TRUE(z->m_bBattle);
    Place(*z, silverIn, {}, {}, 9); // before ply 10 always quiet
    EXPECT_FALSE(z->m_bBattle);

    // A promoted Man pawn counts; an unpromoted one does not.
    const char *tokin = "k8/9/5+P3/9/9/9/9/9/8K";
    Place(*z, tokin);
    EXPECT_TRUE(z->m_bBattle);
    const char *pawn = "k8/9/5P3/9/9/9/9/9/8K";
    Place(*z, pawn);
    EXPECT_FALSE(z->m_bBattle);
}

TEST_F(Eval, BattleFromHandPieces)
{
    const char *kings = "k8/9/9/9/9/9/9/9/8K";
    Place(*z, kings, {0, 0, 0, 2, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0});
    EXPECT_TRUE(z->m_bBattle);
    Place(*z, kings, {0, 0, 0, 2, 0, 0, 0}, {5, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(z->m_bBattle);
}

TEST_F(Eval, BattleFromSurfaceSearch)
{
    // A Man rook that a Com silver takes for free.
    const char *hanging = "k8/9/9/3s5/4R4/9/9/9/8K";
    Place(*z, hanging);
    EXPECT_TRUE(z->m_bBattle);
    const char *safe = "k8/9/9/s8/4R4/9/9/9/8K";
    Place(*z, safe);
    EXPECT_FALSE(z->m_bBattle);
    // A promotion threat reports an empty square: no battle.
    const char *promotes = "k8/9/9/9/9/3gp4/9/9/8K";
    Place(*z, promotes);
    int pos = 0;
    ASSERT_EQ(z->SearchSurfaceByCom(&pos), 320);
    EXPECT_FALSE(z->m_bBattle);
}

} // namespace

namespace {

// Difference of Com's tables with and without the opening touches.
std::map<std::pair<int, int>, int> OpeningTouches(ZelkorCore &z)
{
    z.m_nCounter = 5;
    z.m_nMode = 1;
    z.PreparePosScore();
    std::vector<int> without(&z.m_nComPosScore[0][0], &z.m_nComPosScore[0][0] + 16 * 256);
    z.m_nMode = 0;
    z.PreparePosScore();
    std::map<std::pair<int, int>, int> diff;
    for (int k = 0; k < 16; k++)
        for (int s = 0; s < 256; s++)
            if (int d = z.m_nComPosScore[k][s] - without[k * 256 + s])
                diff[{k, s}] = d;
    return diff;
}

} // namespace

TEST_F(Eval, OpeningTouchesOnlyInModeZero)
{
    const std::map<std::pair<int, int>, int> standard = {
        {{1, 0x34}, 3},   {{4, 0x28}, -4},  {{4, 0x27}, -2}, {{5, 0x27}, -5}, {{5, 0x26}, -13},
        {{5, 0x36}, -25}, {{5, 0x37}, -15}, {{5, 0x28}, -5}, {{5, 0x16}, 5},  {{4, 0x17}, 5},
        {{6, 0x26}, -10}, {{1, 0x42}, 1},   {{1, 0x46}, 10}, {{4, 0x26}, -6}, {{0, 0x17}, -15}};
    EXPECT_EQ(OpeningTouches(*z), standard);

    // Man holding a bishop: the pawn touches move and the early block is off.
    z->m_nBoard[0x82] = 0;
    z->m_nCaptByMan[6] = 1;
    ASSERT_TRUE(z->InitBoard());
    const std::map<std::pair<int, int>, int> bishopHeld = {
        {{1, 0x35}, 5},  {{1, 0x45}, -10}, {{1, 0x44}, 2},   {{4, 0x45}, 2},
        {{1, 0x46}, 10}, {{4, 0x26}, -6},  {{0, 0x17}, -15}, {{5, 0x26}, -10}};
    EXPECT_EQ(OpeningTouches(*z), bishopHeld);
}

TEST_F(Eval, BattleTablesForPawnsAndLances)
{
    const char *kings = "9/2k6/9/9/9/9/9/6K2/9";
    Place(*z, kings);
    ASSERT_FALSE(z->m_bBattle);
    const int quietPawn = z->m_nComPosScore[1][0x33], quietLance = z->m_nComPosScore[2][0x33];
    Place(*z, kings, kFourMinors, kFourMinors);
    ASSERT_TRUE(z->m_bBattle);
    // Right in front of the own king the defence percent (37) decides: Com
    // adds 37 * 0.35 for a pawn and (one row further for a lance) 31 * 0.15.
    EXPECT_EQ(z->m_nComPosScore[1][0x33] - quietPawn, 12);
    EXPECT_EQ(z->m_nComPosScore[2][0x33] - quietLance, 4 * 430 / 100);
    // Man replaces its table: (37 + 100) * 0.8197 - 100 on the mirrored square.
    EXPECT_EQ(z->m_nManPosScore[1][0x77], 12);
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

TEST_F(Eval, BattleModeReadsTheBaseKindTables)
{
    // Com: promoted silver, tokin; Man: dragon, lance.
    Place(*z, "4k4/9/9/2+s3+p2/9/2+R3L2/9/9/4K4", kFourMinors, kFourMinors);
    ASSERT_TRUE(z->m_bBattle);
    int base = z->Evaluation();
    auto poked = [&](int(*table)[256], int k, int s) {
        table[k][s] += 1000;
        const int d = z->Evaluation() - base;
        table[k][s] -= 1000;
        return d;
    };
    EXPECT_EQ(poked(z->m_nComPosScore, 4, 0x43), 1000);
    EXPECT_EQ(poked(z->m_nComPosScore, 12, 0x43), 0);
    EXPECT_EQ(poked(z->m_nComPosScore, 1, 0x47), 0);
    EXPECT_EQ(poked(z->m_nComPosScore, 9, 0x47), 0);
    EXPECT_EQ(poked(z->m_nManPosScore, 7, 0x63), -1000);
    EXPECT_EQ(poked(z->m_nManPosScore, 2, 0x67), -1000);
    z->m_bBattle = false; // quiet mode reads the piece's own code
    base = z->Evaluation();
    EXPECT_EQ(poked(z->m_nComPosScore, 12, 0x43), 1000);
    EXPECT_EQ(poked(z->m_nManPosScore, 15, 0x63), -1000);
}
