// List machinery, assemblers, the candidate-area bound, check escapes and
// the documented corner cases of single generators.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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
    static CANDI_MOVE C(int src, int dst, int kind, int naru, int t1, int score)
    {
        return {src, dst, kind, naru, t1, score};
    }
    bool Has(const CANDI_MOVE *p, int n, int src, int dst, int naru = -1)
    {
        for (int i = 0; i < n; i++)
            if (p[i].nSrcPos == src && p[i].nDstPos == dst && (naru < 0 || p[i].nNaru == naru))
                return true;
        return false;
    }
};

TEST_F(Candis, DeleteSameMoveKeepsTheBetterScoreAndItsTemp)
{
    z->m_nDepth = 5;
    CANDI_MOVE *r = Row();
    r[0] = C(0x77, 0x67, 0, 0, 11, 5);
    r[1] = C(0x55, 0x45, 0, 0, 1, 1);
    r[2] = C(0x77, 0x67, 0, 0, 22, 9);
    int n = 3;
    z->DeleteSameMove(&n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(r[0].nScore, 9);
    EXPECT_EQ(r[0].nTemp1, 22);
    EXPECT_EQ(r[1].nDstPos, 0x45);

    r[0] = r[1] = r[2] = C(255, 0x55, 129, 0, 0, 3);
    r[1].nScore = 3; // equal scores: the first entry keeps its own temp
    r[1].nTemp1 = 7;
    n = 3;
    z->DeleteSameMove(&n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(r[0].nTemp1, 0);

    // A different promotion flag or kind makes a different move.
    r[0] = C(0x65, 0x75, 0, 0, 0, 1);
    r[1] = C(0x65, 0x75, 0, 8, 0, 1);
    r[2] = C(0x65, 0x75, 1, 0, 0, 1);
    n = 3;
    z->DeleteSameMove(&n);
    EXPECT_EQ(n, 3);
}

TEST_F(Candis, SortByScoreIsStableForTheFirstOfEqualMaxima)
{
    CANDI_MOVE *r = z->CandiRow(1);
    int scores[] = {3, 7, 7, 1};
    for (int i = 0; i < 4; i++)
        r[i] = C(0x11 + i, 0x21 + i, 0, 0, i, scores[i]);
    z->SortBy_nScore(4, 4, r);
    EXPECT_EQ(r[0].nTemp1, 1);
    EXPECT_EQ(r[1].nTemp1, 2);
    EXPECT_EQ(r[2].nScore, 3);
    EXPECT_EQ(r[3].nScore, 1);
    // Filling one position sorts nothing.
    r[0].nScore = 0;
    z->SortBy_nScore(4, 1, r);
    EXPECT_EQ(r[0].nScore, 0);
}

TEST_F(Candis, CalcScoreRejectsSelfCheckAndOldLancesAndBadPawnDrops)
{
    // Com king on 0x15 pinned gold on 0x25 by a Man rook on 0x85.
    // Com lance 0x11, pawn on file 3; a Man pawn stops a drop on 0x47.
    Set("l3k4/4g4/2p6/9/9/6P2/9/4R4/8K");
    Hand(pos, true, 1) = 1;
    Commit();
    z->m_nCounter = 31;
    int n = 0;
    z->AppendCandiMovebyCalcScore(&n);
    CANDI_MOVE *r = Row();
    bool goldSeen = false;
    for (int i = 0; i < n; i++) {
        if (r[i].nSrcPos == 0x25 && (r[i].nDstPos & 15) != 5) {
            goldSeen = true;
            EXPECT_EQ(r[i].nScore, -30000);
        }
        EXPECT_NE(r[i].nSrcPos, 0x11) << "lance after move 31";
        if (r[i].nSrcPos == 255) {
            EXPECT_NE(r[i].nDstPos & 15, 3);
            EXPECT_NE(r[i].nDstPos, 0x47);
            EXPECT_EQ(r[i].nScore, 1);
        }
    }
    EXPECT_TRUE(goldSeen);
    EXPECT_TRUE(Has(r, n, 255, 0x48));
    z->m_nCounter = 30;
    n = 0;
    z->AppendCandiMovebyCalcScore(&n);
    bool lance = false;
    for (int i = 0; i < n; i++)
        lance |= Row()[i].nSrcPos == 0x11;
    EXPECT_TRUE(lance);
}

TEST_F(Candis, RootListInCheckHoldsOnlyTheEscapes)
{
    // Man rook checks down the file
    Set("4k1g2/9/9/9/4R4/9/9/9/8K");
    Hand(pos, true, 1) = Hand(pos, true, 5) = 1;
    Commit();
    int n = z->MakeRootCandi();
    ASSERT_GT(n, 0);
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = z->m_CandiInZeroDepth[i];
        bool king = m.nSrcPos == 0x15;
        bool between = (m.nDstPos & 15) == 5 && m.nDstPos > 0x15 && m.nDstPos < 0x55;
        EXPECT_TRUE(king || between || m.nDstPos == 0x55) << std::hex << m.nSrcPos << m.nDstPos;
    }
    EXPECT_TRUE(Has(z->m_CandiInZeroDepth, n, 255, 0x25)); // drop between
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
            std::set<Move> got = MoveSet(r, n);
            int checker = 0;
            const int *lst = com ? z->m_nPsbManKoma[king] : z->m_nPsbComKoma[king];
            for (int j = 0; !checker; j++)
                if (lst[j] < 128)
                    checker = z->m_komaUni[lst[j]].nPos;
            for (const Move &m : LegalMoves(p, com)) {
                int code = m.src == 255 ? 0 : p.At(m.src);
                bool promotedOnly =
                    m.naru == 0 && (code & 15) <= 7 && (code & 15) != 5 && (code & 15) != 8 &&
                    (com ? (m.dst >= 0x71 || m.src >= 0x71) : (m.dst < 0x40 || m.src < 0x40));
                bool capture = m.src != 255 && m.dst == checker && m.src != king && !promotedOnly;
                if (m.src == king || capture) {
                    EXPECT_TRUE(got.count(m)) << "missing evasion " << std::hex << m.src << "->"
                                              << m.dst << " naru " << m.naru;
                }
            }
            for (int j = 0; j < n; j++)
                if (r[j].nSrcPos == king) {
                    const Pos q = Apply(p, Move{r[j].nSrcPos, r[j].nDstPos, r[j].nKind, r[j].nNaru});
                    EXPECT_FALSE(Attacked(q, r[j].nDstPos, !com));
                }
            checked++;
        }
    }
    EXPECT_GT(checked, 20);
}

TEST_F(Candis, PieceMoveCornerCases)
{
    // Pawn 0x53: 0x63 attacked by a Man gold, covered by nothing else;
    // silver row 6 -> row 7; knight jumping into row 7.
    Set("4k4/9/9/9/2p2n3/6s2/2G6/9/4K4");
    Commit();
    CANDI_MOVE *r = Row();
    EXPECT_EQ(z->GCCM_UsePointedKoma(0, 0x53, r), 0);
    ASSERT_EQ(z->GCCM_UsePointedKoma(1, 0x53, r), 1);
    EXPECT_EQ(r[0].nScore, 0);

    int n = z->GCCM_UsePointedKoma(1, 0x67, r);
    int with = -1, without = -1;
    for (int i = 0; i < n; i++)
        if (r[i].nDstPos == 0x77)
            (r[i].nNaru ? with : without) = r[i].nScore;
    EXPECT_EQ(with - without, 30);
    EXPECT_TRUE(Has(r, n, 0x67, 0x77, 8));
    EXPECT_TRUE(Has(r, n, 0x67, 0x77, 0));

    n = z->GCCM_UsePointedKoma(1, 0x56, r);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(r[0].nNaru + r[1].nNaru, 16);

    // The king never steps onto an attacked square, and never takes a
    // defended piece.
    n = z->GMCM_UsePointedKoma(1, 0x95, r);
    for (int i = 0; i < n; i++)
        EXPECT_EQ(z->m_nPsbComKomas[r[i].nDstPos], 0);
}

TEST_F(Candis, InterpositionWithoutAllIsASingleCandidate)
{
    // Man rook on the king's file
    Set("4k4/9/3g1g3/9/9/9/4R4/9/4K4");
    Hand(pos, true, 1) = Hand(pos, true, 4) = Hand(pos, true, 5) = 1;
    Commit();
    CANDI_MOVE *r = Row();
    EXPECT_LE(z->GCCM_BreakOffShaKaku(false, 0x75, 0x15, r), 1);
    EXPECT_GT(z->GCCM_BreakOffShaKaku(true, 0x75, 0x15, r), 1);
}

TEST_F(Candis, DestPointedPosModesAndDropShapes)
{
    Set("4k4/9/9/9/4G4/9/9/9/4K4"); // the Man gold is the target
    Hand(pos, true, 4) = Hand(pos, true, 5) = Hand(pos, true, 2) = Hand(pos, true, 6) = 1;
    Commit();
    CANDI_MOVE *r = Row();
    int n = z->GCCM_DestPointedPos(0, 0x55, r);
    EXPECT_TRUE(n == 0 || n == 1);
    for (int i = 0; i < n; i++)
        EXPECT_NE(r[i].nKind, 0x86);
    n = z->GCCM_DestPointedPos(1, 0x55, r);
    // Diagonally below t (class 3, seen from Com): silver yes, gold no.
    EXPECT_TRUE(Has(r, n, 255, 0x64) || Has(r, n, 255, 0x66));
    for (int i = 0; i < n; i++)
        if (r[i].nSrcPos == 255 && (r[i].nDstPos == 0x64 || r[i].nDstPos == 0x66)) {
            EXPECT_NE(r[i].nKind, 0x85);
        }
    // Lance drops farther up the file score one more per row.
    int s35 = -1000, s25 = -1000;
    for (int i = 0; i < n; i++) {
        if (r[i].nSrcPos != 255 || r[i].nKind != 0x82)
            continue;
        if (r[i].nDstPos == 0x35)
            s35 = r[i].nScore;
        if (r[i].nDstPos == 0x25)
            s25 = r[i].nScore;
    }
    EXPECT_EQ(s35, 1);
    EXPECT_EQ(s25, 2);
}

TEST_F(Candis, CheckGeneratorLimits)
{
    Set("4k4/9/9/9/9/9/9/9/4K4");
    Hand(pos, true, 2) = 2;
    Hand(pos, true, 7) = 2;
    Commit();
    CANDI_MOVE *r = Row();
    int n = z->GCCM_Oute(r);
    int lances = 0, rookByDir[3] = {0, 0, 0};
    for (int i = 0; i < n; i++) {
        if (r[i].nKind == 0x82)
            lances++;
        if (r[i].nKind == 0x87)
            rookByDir[(r[i].nDstPos & 15) < 5 ? 0 : (r[i].nDstPos & 15) > 5 ? 1 : 2]++;
    }
    EXPECT_EQ(lances, 2);
    for (int c : rookByDir)
        EXPECT_EQ(c, 2);
    EXPECT_EQ(z->GCCM_DemandKomaOute(r), 0); // nothing next to the king

    // A silver between a Com rook and the Man king: all its moves.
    Put(0x55, 132);
    Put(0x35, 135);
    Commit();
    n = z->GCCM_BreakThroughOfShaKakuOute(r);
    EXPECT_EQ(n, z->GCCM_UsePointedKoma(1, 0x55, z->CandiRow(9)));
    EXPECT_TRUE(Has(r, n, 0x55, 0x65)); // keeps the line closed
}

} // namespace
