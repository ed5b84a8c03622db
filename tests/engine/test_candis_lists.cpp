// List machinery, assemblers, the candidate-area bound, check escapes and
// corner cases of single generators.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace enginetest;

namespace {

class Candis : public ::testing::Test
{
protected:
    EnginePtr z = enginetest::NewEngine();
    Pos pos = usi::EmptyPosition();

    void Put(int s, int code) { pos.Set(s, code); }
    void Set(const char *sfen) { pos = Sfen(sfen); }
    void Commit() { Load(*z, pos); }
    CANDI_MOVE *Row() { return z->CandiRow(z->m_nDepth); }
};

TEST_F(Candis, DeleteSameMoveKeepsTheBetterScoreAndItsTemp)
{
    z->m_nDepth = 5;
    CANDI_MOVE *r = Row();
    r[0] = {0x77, 0x67, 0, 0, 11, 5};
    r[1] = {0x55, 0x45, 0, 0, 1, 1};
    r[2] = {0x77, 0x67, 0, 0, 22, 9};
    int n = 3;
    z->DeleteSameMove(&n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(r[0].nScore, 9);
    EXPECT_EQ(r[0].nTemp1, 22);
    EXPECT_EQ(r[1].nDstPos, 0x45);

    r[0] = r[1] = r[2] = {255, 0x55, 129, 0, 0, 3};
    r[1].nTemp1 = r[2].nTemp1 = 7; // equal scores: the first entry keeps its own temp
    n = 3;
    z->DeleteSameMove(&n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(r[0].nTemp1, 0);

    // A different promotion flag or kind makes a different move.
    r[0] = {0x65, 0x75, 0, 0, 0, 1};
    r[1] = {0x65, 0x75, 0, 8, 0, 1};
    r[2] = {0x65, 0x75, 1, 0, 0, 1};
    n = 3;
    z->DeleteSameMove(&n);
    EXPECT_EQ(n, 3);
}

TEST_F(Candis, CalcScoreRejectsSelfCheckAndOldLancesAndBadPawnDrops)
{
    // Com king on 0x15 pinned gold on 0x25 by a Man rook on 0x85.
    // Com lance 0x11, pawn on file 3; a Man pawn stops a drop on 0x47.
    Set("l3k4/4g4/2p6/9/9/6P2/9/4R4/8K w p");
    Commit();
    auto list = [&](int counter) {
        z->m_nCounter = counter;
        int n = 0;
        z->AppendCandiMovebyCalcScore(&n);
        return std::vector<CANDI_MOVE>(Row(), Row() + n);
    };
    bool goldSeen = false, dropOn48 = false;
    for (const CANDI_MOVE &c : list(31)) {
        if (c.nSrcPos == 0x25 && (c.nDstPos & 15) != 5) {
            goldSeen = true;
            EXPECT_EQ(c.nScore, -30000);
        }
        EXPECT_NE(c.nSrcPos, 0x11) << "lance after move 31";
        if (c.nSrcPos == 255) {
            EXPECT_NE(c.nDstPos & 15, 3);
            EXPECT_NE(c.nDstPos, 0x47);
            EXPECT_EQ(c.nScore, 1);
            dropOn48 |= c.nDstPos == 0x48;
        }
    }
    EXPECT_TRUE(goldSeen);
    EXPECT_TRUE(dropOn48);
    const std::vector<CANDI_MOVE> early = list(30);
    EXPECT_TRUE(std::any_of(early.begin(), early.end(),
                            [](const CANDI_MOVE &c) { return c.nSrcPos == 0x11; }));
}

// All pieces in hand and as many attackers as possible, with the list
// starting in the last row: nothing is written past the candidate area.
TEST_F(Candis, ExtremePositionStaysInsideTheCandidateArea)
{
    // Com dragons, horses, golds and promoted silvers facing the Man king.
    Set("4k4/9/9/1+b5+b1/+r7+r/3g1g3/2+sg1g+s2/2+s3+s2/4K4");
    Hand(pos, true, 1) = 17;
    Hand(pos, true, 2) = Hand(pos, true, 3) = 4;
    Commit();
    z->m_nDepth = 63;
    // m_pPreCandi lies right behind the area: any overrun would hit it.
    for (auto &p : z->m_pPreCandi)
        p = reinterpret_cast<CANDI_MOVE *>(0x5a5a);
    z->m_nDepth = 62;
    int n = 0;
    z->AppendCandiMovebyCalcScore(&n);
    ASSERT_GT(n, 64) << "the list runs on into the next row";
    z->m_nDepth = 63;
    int total = 0;
    z->AppendCandiMovebyCalcScore(&total);
    EXPECT_EQ(total, 64);
    EXPECT_LE(z->GCCM_DestPointedPos(2, 0x95, z->CandiRow(63)), 64);
    EXPECT_LE(z->GCCM_Oute(z->CandiRow(63) + 60), 4);
    // A ply past the table writes nothing at all.
    z->m_nDepth = 70;
    EXPECT_EQ(z->GCCM_Oute(z->CandiRow(70)), 0);
    for (auto &p : z->m_pPreCandi)
        EXPECT_EQ(p, reinterpret_cast<CANDI_MOVE *>(0x5a5a));
}

// Legal evasions that the escape rules include must all be there; king
// moves must be safe.
TEST_F(Candis, EscapesContainTheCapturesOfTheCheckerAndEverySafeKingMove)
{
    std::vector<Pos> positions = MakePositions(150, 99);
    enginetest::Rng rng(5);
    for (int i = 0; i < 400; i++)
        positions.push_back(HandHeavyPosition(rng));
    int checked = 0;
    for (const Pos &p : positions) {
        for (int com = 0; com <= 1; com++) {
            int king = KingSquare(p, com);
            if (king == 0 || !Attacked(p, king, !com) || Attacked(p, KingSquare(p, !com), com))
                continue;
            Load(*z, p);
            z->m_nDepth = com ? 2 : 1;
            int n = com ? z->GCCM_EscapeFromOute() : z->GMCM_EscapeFromOute();
            const CANDI_MOVE *r = Row();
            ASSERT_EQ(CheckCandidates(p, com, r, n), "");
            std::vector<Move> got;
            for (int j = 0; j < n; j++)
                got.push_back({r[j].nSrcPos, r[j].nDstPos, r[j].nKind, r[j].nNaru});
            int checker = 0;
            for (int j = 0; !checker; j++)
                if (List(*z, !com, king)[j] < 128)
                    checker = z->m_komaUni[List(*z, !com, king)[j]].nPos;
            for (const Move &m : LegalMoves(p, com)) {
                int code = m.src == 255 ? 0 : p.At(m.src);
                bool promotedOnly =
                    m.naru == 0 && (code & 15) <= 7 && (code & 15) != 5 && (code & 15) != 8 &&
                    (com ? (m.dst >= 0x71 || m.src >= 0x71) : (m.dst < 0x40 || m.src < 0x40));
                bool capture = m.src != 255 && m.dst == checker && m.src != king && !promotedOnly;
                if (m.src == king || capture) {
                    EXPECT_NE(std::find(got.begin(), got.end(), m), got.end())
                        << "missing evasion " << std::hex << m.src << "->" << m.dst << " naru "
                        << m.naru;
                }
            }
            for (const Move &m : got)
                if (m.src == king) {
                    EXPECT_FALSE(Attacked(Apply(p, m), m.dst, !com));
                }
            checked++;
        }
    }
    EXPECT_GT(checked, 20);
}

// Strategic generators on small positions: quotas, order and bounds.
TEST_F(Candis, ToruOrNaruPushesAPawnToPromotionOnlyBelowQuota)
{
    Set("4k4/9/9/9/9/2pg5/9/9/4K4"); // the gold covers the pawn's square
    Commit();
    z->m_bBattle = false;
    int n = 0;
    z->GCCM_ToruOrNaru(3, &n);
    int pushScore = -1;
    for (int i = 0; i < n; i++)
        if (Row()[i].nSrcPos == 0x63 && Row()[i].nDstPos == 0x73 && Row()[i].nNaru == 8)
            pushScore = Row()[i].nScore;
    EXPECT_EQ(pushScore, 320);

    Put(0x59, 1); // a loose pawn to take fills a quota of 1
    Put(0x49, 129);
    Commit();
    z->m_bBattle = false;
    n = 0;
    z->GCCM_ToruOrNaru(1, &n);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(Row()[0].nDstPos, 0x59);
}

TEST_F(Candis, UtsuHuKeepsFifteenAndRespectsThePawnFile)
{
    Set("4k4/9/pppp5/9/9/9/9/9/4K4 w p");
    Commit();
    z->m_bBattle = false;
    const CANDI_MOVE *r = Row();
    ASSERT_EQ(z->GCCM_UtsuHu(Row()), 15);
    for (int i = 0; i < 15; i++)
        EXPECT_GE(r[i].nDstPos & 15, 5);
    EXPECT_TRUE(std::is_sorted(r, r + 15, [](auto &a, auto &b) { return a.nScore > b.nScore; }));
}

TEST_F(Candis, FeedOverNeedsRoomForItsScratchRows)
{
    Set("4k4/9/9/9/4G4/4P4/9/9/4K4 w gs");
    Commit();
    z->m_nDepth = 50;
    z->m_nMinTagDepth = 54;
    EXPECT_EQ(z->GCCM_FeedOverEffect(5, z->CandiRow(50)), 0);
    EXPECT_EQ(z->m_nDepth, 50);
    EXPECT_EQ(std::count(std::begin(z->m_pPreCandi), std::end(z->m_pPreCandi), nullptr),
              std::size(z->m_pPreCandi));
}

} // namespace
