// Exchange estimates and the surface search on hand-built positions. Every
// Com result is also checked against the Man twin on the mirrored position.
#include "test_score_util.h"

#include <gtest/gtest.h>

using namespace scoretest;

namespace {

class Estimates : public ::testing::Test
{
protected:
    EnginePtr z = enginetest::NewEngine();

    // Com's drop estimate here equals Man's at the mirrored square there.
    int Utsu(int code, int s)
    {
        const int com = z->ProfitOnComUtsu(code, s);
        z->ConvertBoard();
        EXPECT_EQ(z->ProfitOnManUtsu(code & 15, 170 - s), com) << "Man twin";
        z->ConvertBoard();
        return com;
    }
    int Move(int src, int dst)
    {
        const int com = z->ProfitOnComMove(src, dst);
        z->ConvertBoard();
        EXPECT_EQ(z->ProfitOnManMove(170 - src, 170 - dst), com) << "Man twin";
        z->ConvertBoard();
        return com;
    }
    int Surface(int &pos)
    {
        pos = -1;
        const int com = z->SearchSurfaceByCom(&pos);
        z->ConvertBoard();
        int manPos = -1;
        EXPECT_EQ(z->SearchSurfaceByMan(&manPos), com) << "Man twin";
        if (com != 0) {
            EXPECT_EQ(manPos, 170 - pos) << "Man twin";
        }
        z->ConvertBoard();
        return com;
    }
};

// Target square 0x55 throughout; kings far away in the corners.
TEST_F(Estimates, DropAgainstStrongerSideAddsBackOnlyACheaperRecapture)
{
    // Man pawn and gold against one Com gold: the pawn is cheaper than the
    // gold, so nothing comes back.
    Place(*z, "k8/9/9/4g4/9/3GP4/9/9/8K");
    EXPECT_EQ(Utsu(132, 0x55), -zelkor::kWeight2[4]);

    // Man silver and gold against a Com pawn: the pawn retakes the silver.
    Place(*z, "k8/9/9/4p4/9/3G1S3/9/9/8K");
    EXPECT_EQ(Utsu(132, 0x55), -1280 + (1280 - 200));

    // No Com piece at all: nothing retakes, the whole silver is lost.
    Place(*z, "k8/9/9/9/9/4P4/9/9/8K");
    EXPECT_EQ(Utsu(132, 0x55), -1280);
}

TEST_F(Estimates, DropOnHeldSquareLosesOnlyToCheaperAttacker)
{
    Place(*z, "k8/9/9/4g4/9/4P4/9/9/8K");
    EXPECT_EQ(Utsu(132, 0x55), 200 - 1280);
    EXPECT_EQ(Utsu(129, 0x55), 0);
}

TEST_F(Estimates, MovingPieceIsNotItsOwnRecapturer)
{
    // A Com pawn takes a Man silver that a Man silver and gold defend; Com's
    // gold stands before the pawn in the list (scanned first).
    const char *goldFirst = "k8/9/9/3gp4/4S4/4GS3/9/9/8K";
    Place(*z, goldFirst);
    ASSERT_EQ(z->m_nPsbComKoma[0x55][0], z->m_nUniBoard[0x44]);
    // Man retakes with the silver, the gold (not the pawn again) retakes that.
    EXPECT_EQ(Move(0x45, 0x55), 1280 - 200 + std::max(0, 1280 - 1380));

    // The pawn first in the list: the second entry is the recapturer.
    Place(*z, "k8/9/9/4pg3/4S4/4GS3/9/9/8K");
    ASSERT_EQ(z->m_nPsbComKoma[0x55][0], z->m_nUniBoard[0x45]);
    EXPECT_EQ(Move(0x45, 0x55), 1080);
}

TEST_F(Estimates, MoveOntoAttackedSquare)
{
    // Com stronger there: a silver supported by a gold loses only to the pawn.
    Place(*z, "k8/9/9/3sg4/9/4P4/9/9/8K");
    EXPECT_EQ(Move(0x44, 0x55), 200 - 1280);

    // Alone: the silver is simply lost, the pawn is not retaken by anyone.
    Place(*z, "k8/9/9/3s5/9/4P4/9/9/8K");
    EXPECT_EQ(Move(0x44, 0x55), -1280);
}

TEST_F(Estimates, CheapestAttackerSkipsXRayAndKeepsEarlierOnTie)
{
    Place(*z, "k8/9/9/3g1g3/9/9/9/9/8K");
    EXPECT_EQ(z->GetMinWeightComKoma(0x55), z->m_nUniBoard[0x44]);
    EXPECT_EQ(z->GetMinWeightManKoma(0x55), 0);

    // An x-ray pawn entry in front of a direct gold entry.
    const int pawn = 40, gold = z->m_nUniBoard[0x46];
    z->m_komaUni[pawn] = {129, 0x35};
    z->m_nPsbComKoma[0x55][0] = pawn + 128;
    z->m_nPsbComKoma[0x55][1] = gold;
    z->m_nPsbComKomas[0x55] = 2;
    EXPECT_EQ(z->GetMinWeightComKoma(0x55), gold);
    z->m_nPsbComKoma[0x55][1] = pawn + 128;
    EXPECT_EQ(z->GetMinWeightComKoma(0x55), 0);
}

TEST_F(Estimates, KingNeighbourhoodTwinsDifferOnEnemyPieces)
{
    // Around 0x55: a Man pawn on 0x56 no Man piece covers (free for the Com
    // king), a Com pawn on 0x54, and 0x46 covered by the Man pawn only.
    Place(*z, "k8/9/9/9/3p1P3/9/9/9/8K");
    EXPECT_EQ(z->ProfitOnComOuMove(0x55), 6 * 100 - 200);
    z->ConvertBoard();
    // Mirrored, the Com pawn on 0x54 is no free square for the Man king.
    EXPECT_EQ(z->ProfitOnManOuMove(0x55), 5 * 100 - 200);
}

TEST_F(Estimates, SurfaceTakesTheKingFirst)
{
    Place(*z, "k8/4r4/9/9/9/9/8G/9/4K4 b");
    int pos;
    EXPECT_EQ(Surface(pos), 30000);
    EXPECT_EQ(pos, 0x95);
}

TEST_F(Estimates, SurfaceFreeCaptureCountsThePromotion)
{
    Place(*z, "k8/9/9/9/9/4p4/4G4/9/8K");
    int pos;
    EXPECT_EQ(Surface(pos), 1380 + 320);
    EXPECT_EQ(pos, 0x75);
}

TEST_F(Estimates, SurfaceSingleAttackerPaysThePromotedRecapture)
{
    // A Com silver takes a Man rook on row 3 that a Man pawn retakes,
    // promoting there.
    Place(*z, "k8/3s5/4R4/4P4/9/9/9/9/8K");
    int pos;
    EXPECT_EQ(Surface(pos), 2080 - 1280 - 320);
    EXPECT_EQ(pos, 0x35);
}

TEST_F(Estimates, SurfaceSwapOffUsesCheapestAttackerFirst)
{
    // A Man pawn defended by a Man gold, attacked by a Com gold and a Com
    // silver: taking with the silver wins the pawn, since
    // Man may not retake; starting with the gold would lose.
    Place(*z, "k8/9/9/3g1s3/4P4/4G4/9/9/8K");
    // Preparing the position already sorted the lists: undo that.
    const int gold = z->m_nUniBoard[0x44], silver = z->m_nUniBoard[0x46];
    ASSERT_EQ(z->m_nPsbComKomas[0x55], 2);
    z->m_nPsbComKoma[0x55][0] = gold;
    z->m_nPsbComKoma[0x55][1] = silver;
    int pos;
    EXPECT_EQ(z->SearchSurfaceByCom(&pos), 200);
    EXPECT_EQ(pos, 0x55);
    EXPECT_EQ(z->m_nPsbComKoma[0x55][0], silver);
    EXPECT_EQ(Surface(pos), 200);
    EXPECT_EQ(pos, 0x55);

    // Defended by a pawn instead, every sequence loses: nothing to gain.
    usi::Position second = enginetest::Sfen("k8/9/9/3g1s3/4P4/9/9/9/8K");
    second.Set(0x65, 1); // a second pawn on the file: need not arise in a game
    Place(*z, usi::ToEngineInput(second).board);
    EXPECT_EQ(Surface(pos), 0);
}

TEST_F(Estimates, SurfacePromotionThreat)
{
    Place(*z, "k8/9/9/9/9/3gp4/9/9/8K");
    int pos;
    EXPECT_EQ(Surface(pos), 320);
    EXPECT_EQ(pos, 0x75);

    // A rook reaches the zone over empty squares where Man does not cover.
    Place(*z, "k8/4r4/9/9/9/9/3G5/9/8K");
    EXPECT_EQ(Surface(pos), 260);
    EXPECT_EQ(pos, 0x85);
}

TEST_F(Estimates, SortPutsXRayEntriesLast)
{
    Place(*z, "k8/9/9/3g1s3/9/9/9/9/8K");
    const int gold = z->m_nUniBoard[0x44], silver = z->m_nUniBoard[0x46], pawn = 40;
    z->m_komaUni[pawn] = {129, 0x35};
    int *list = z->m_nPsbComKoma[0x55];
    list[0] = pawn + 128;
    list[1] = gold;
    list[2] = silver;
    z->m_nPsbComKomas[0x55] = 3;
    z->SortPsbKomasByWeight(0x55);
    EXPECT_EQ(list[0], silver);
    EXPECT_EQ(list[1], gold);
    EXPECT_EQ(list[2], pawn + 128);
    EXPECT_EQ(list[3], 0);
}

} // namespace
