// Attack lists, move making (long random walks: after every make the
// incremental state matches a rebuild of the position, after every unmake it
// is exactly what it was), the result table and the legality checks.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <vector>

using namespace enginetest;

namespace {

// Squares whose `com` list holds piece u, with the x-ray bit: square * 2 + xray.
std::set<int> Reach(const ZelkorCore &z, bool com, int u)
{
    std::set<int> r;
    for (int t = 0; t < 256; t++)
        for (int i = 0; i < Count(z, com, t); i++)
            if ((List(z, com, t)[i] & 127) == u)
                r.insert(t * 2 + (List(z, com, t)[i] >> 7));
    return r;
}

constexpr int Plain(int s)
{
    return s * 2;
}
constexpr int XRay(int s)
{
    return s * 2 + 1;
}

// Kings in the corners 0x19 / 0x91, then the given pieces, numbered.
EnginePtr Position(std::initializer_list<std::pair<int, int>> pieces)
{
    auto z = NewEngine(); // hands empty
    for (int s = 0; s < 256; s++)
        z->m_nBoard[s] = zelkor::kIniBoard[s] == 255 ? 255 : 0;
    z->m_nBoard[0x19] = 136;
    z->m_nBoard[0x91] = 8;
    for (const auto &p : pieces)
        z->m_nBoard[p.first] = p.second;
    z->InitBoard();
    return z;
}

} // namespace

// ---- Attack lists ----

TEST(AttackLists, RookAndBishopOfTheInitialPosition)
{
    auto z = NewEngine();
    const int rook = z->m_nUniBoard[0x88], bishop = z->m_nUniBoard[0x82];
    EXPECT_EQ(Reach(*z, false, rook),
              (std::set<int>{Plain(0x78), XRay(0x68), Plain(0x89), Plain(0x87), Plain(0x86),
                             Plain(0x85), Plain(0x84), Plain(0x83), Plain(0x82), Plain(0x98)}));
    EXPECT_TRUE(Reach(*z, true, rook).empty());
    // A pawn step opens the bishop's diagonal.
    z->MoveKomaOnBoard(0x63, 0x73, 0);
    EXPECT_EQ(Reach(*z, false, bishop),
              (std::set<int>{Plain(0x73), Plain(0x64), Plain(0x55), Plain(0x46), Plain(0x37),
                             Plain(0x71), Plain(0x91), Plain(0x93)}));
}

TEST(AttackLists, LanceSeesThroughItsRookAsXRay)
{
    auto z = Position({{0x55, 7}, {0x75, 2}, {0x25, 129}});
    int u = z->m_nUniBoard[0x75];
    std::set<int> expected = {Plain(0x65), Plain(0x55), XRay(0x45), XRay(0x35), XRay(0x25)};
    EXPECT_EQ(Reach(*z, false, u), expected);
}

TEST(AttackLists, BishopXRayDependsOnTheDiagonal)
{
    // Forward diagonal: a bishop moves on, but counts for one square only.
    auto front = Position({{0x77, 6}, {0x66, 6}});
    std::set<int> up = Reach(*front, false, front->m_nUniBoard[0x77]);
    EXPECT_EQ(up.count(Plain(0x66)), 1u);
    EXPECT_EQ(up.count(XRay(0x55)), 1u);
    EXPECT_EQ(up.count(XRay(0x44)), 0u);

    // Backward diagonal: the x-ray runs to the edge.
    auto back = Position({{0x33, 6}, {0x44, 6}});
    std::set<int> down = Reach(*back, false, back->m_nUniBoard[0x33]);
    EXPECT_EQ(down.count(Plain(0x44)), 1u);
    for (int s : {0x55, 0x66, 0x77, 0x88, 0x99})
        EXPECT_EQ(down.count(XRay(s)), 1u) << std::hex << s;
}

// ---- Result table ----

class ResultTableTest : public testing::Test
{
protected:
    using Fields = std::array<int, 6>; // gain, depth, searched, source, destination, promotion

    void SetUp() override
    {
        z = NewCore();
        ASSERT_TRUE(z->AllocMemory(0));
        z->InitResultArea();
        z->m_dwBoard1 = 0x12345678;
        z->m_dwBoard2 = 0x9abcdef0;
        z->m_dwDai = 0;
    }
    void Save(int gain, int depth, int searched = 2)
    {
        RESULT_IO in = {gain, depth, searched, 0, 0, 0, 0};
        z->SaveSearchData(&in);
    }
    // What a probe at `depth` reads back.
    Fields Probe(int depth, void (ZelkorCore::*load)(RESULT_IO *) = &ZelkorCore::LoadSearchData)
    {
        RESULT_IO r = {-1, depth, 9, 9, 0, 0, 0};
        ((*z).*load)(&r);
        return {r.nGain, r.nDepth, r.nSearched, r.nSrcPos, r.nDstPos, r.nNaru};
    }
    EnginePtr z;
};

TEST_F(ResultTableTest, SearchEntryHitsAndShallowResults)
{
    RESULT_IO in = {120, 3, 2, 0x77, 0x76, 0, 8};
    z->SaveSearchData(&in);
    EXPECT_EQ(z->m_nResults, 1);
    EXPECT_EQ(Probe(3), (Fields{120, 3, 2, 0x77, 0x76, 8}));
    EXPECT_EQ(Probe(5), (Fields{-1, 3, 0, 0x77, 0x76, 8})); // deeper than stored: only the move
    z->m_dwBoard2 ^= 1;                                     // same home slot, other position
    EXPECT_EQ(Probe(1), (Fields{-1, 0, 0, 0, 0, 0}));
}

TEST_F(ResultTableTest, ReplacementByDepth)
{
    Save(10, 4, 1);
    Save(20, 3);
    Save(30, 4); // kept: equal depth and the stored one was searched fully
    EXPECT_EQ(Probe(1)[0], 10);
    Save(40, 6);
    EXPECT_EQ(Probe(1)[0], 40);
    EXPECT_EQ(z->m_nResults, 1);
}

TEST_F(ResultTableTest, FullTableStoresNothing)
{
    z->m_nResults = z->m_nLimitResults + 1;
    Save(50, 4);
    RESULT_IO a = {50, 4, 2, 0, 0, 0, 0};
    z->SaveOuteDataOnMan(&a);
    EXPECT_EQ(Probe(1)[2], 0);
    EXPECT_EQ(z->m_nResults, z->m_nLimitResults + 1);
}

TEST_F(ResultTableTest, MateAgainstManAlsoRecordsAWin)
{
    RESULT_IO mate = {100, 5, 2, 0, 0, 0, 0};
    z->SaveOuteDataOnMan(&mate);
    EXPECT_EQ(z->m_nResults, 2);
    const Fields oute = Probe(7, &ZelkorCore::LoadOuteDataOnMan);
    EXPECT_EQ((std::array<int, 3>{oute[0], oute[1], oute[2]}), (std::array<int, 3>{100, 5, 1}));
    const Fields win = Probe(5 * 256);
    EXPECT_EQ(win[0], 30000);
    EXPECT_EQ(win[2], 1);
    const Fields none = Probe(1, &ZelkorCore::LoadOuteDataOnCom);
    EXPECT_EQ(none[1], -1);
    EXPECT_EQ(none[2], 0);
}

TEST(DaiBits, CompareStoredAndCurrentHands)
{
    EnginePtr z = NewCore();
    auto hand = [&](int pawns, int golds) {
        return pawns * zelkor::kDaiCode[1] + golds * zelkor::kDaiCode[5];
    };
    z->m_dwDai = hand(2, 1);
    // pawns, golds of the hand compared with the stored one; the two verdicts
    const int rows[][4] = {{2, 1, 1, 2}, {3, 1, 1, 2}, {1, 1, 2, 1}, {3, 0, 0, 0}};
    for (const auto &r : rows) {
        EXPECT_EQ(z->CheckManyDaiBits(hand(r[0], r[1])), r[2]) << r[0] << " " << r[1];
        EXPECT_EQ(z->CheckLittleDaiBits(hand(r[0], r[1])), r[3]) << r[0] << " " << r[1];
    }
}

// ---- Legality ----

TEST(IsMoveable, PromotionAndDrops)
{
    auto z = Position({{0x55, 5}, {0x57, 1}});
    z->m_nDepth = 1;
    EXPECT_FALSE(z->IsMoveable(0x55, 0x45, 0, 8)); // a gold never promotes
    z->m_nCaptByMan[1] = 1;
    z->m_nCaptByMan[3] = 1;
    EXPECT_TRUE(z->IsMoveable(255, 0x56, 1, 0));
    EXPECT_FALSE(z->IsMoveable(255, 0x47, 1, 0)); // second pawn on the file
    EXPECT_FALSE(z->IsMoveable(255, 0x16, 1, 0)); // no move from the last row
    EXPECT_FALSE(z->IsMoveable(255, 0x26, 3, 0));
    EXPECT_TRUE(z->IsMoveable(255, 0x36, 3, 0));
    EXPECT_FALSE(z->IsMoveable(255, 0x36, 2, 0));   // none in hand
    EXPECT_FALSE(z->IsMoveable(255, 0x36, 129, 0)); // not Man's piece
    EXPECT_FALSE(z->IsMoveable(255, 0x36, 9, 0));   // no promoted drops
    EXPECT_FALSE(z->IsMoveable(255, 0x55, 1, 0));   // occupied
}

TEST(CheckMoveable, BoardMoveCodes)
{
    auto z = Position({{0x44, 4}, {0x24, 1}, {0x43, 3}, {0x64, 129}, {0x84, 129}, {0x66, 7}});
    // source, destination, code, expected result
    const int cases[][4] = {{0x44, 0x33, 4, 11},   {0x44, 0x55, 4, 0},  {0x44, 0x54, 4, 4},
                            {0x24, 0x14, 1, 13},   {0x43, 0x22, 3, 13}, {0x64, 0x74, 129, 11},
                            {0x84, 0x94, 129, 13}, {0x66, 0x64, 7, 0},  {0x66, 0x46, 7, 0},
                            {0x66, 0x26, 7, 11},   {0x66, 0x16, 7, 11}, {0x66, 0x06, 7, 4},
                            {0x44, 0x66, 4, 4},    {0x55, 0x45, 4, 4},  {0x44, 0x43, 4, 4},
                            {0x44, 0x33, 0, 4},    {0x44, 0x3A, 4, 4}};
    for (const auto &c : cases)
        EXPECT_EQ(z->CheckMoveable(c[0], c[1], c[2]), c[3]) << std::hex << c[0] << " " << c[1];
}

TEST(CheckMoveable, KingSafety)
{
    // Man's gold pinned on file 5 by Com's rook; Com's bishop covers 0x84.
    auto z = NewEngine();
    Write(Sfen("k3r4/9/9/9/6b2/9/9/4G4/4K4"), *z);
    EXPECT_EQ(z->CheckMoveable(0x85, 0x84, 5), 4);
    EXPECT_EQ(z->CheckMoveable(0x85, 0x75, 5), 0); // stays on the file
    EXPECT_EQ(z->CheckMoveable(0x95, 0x84, 8), 6);
    EXPECT_EQ(z->CheckMoveable(0x95, 0x94, 8), 0);
    EXPECT_EQ(z->CheckMoveable(0x15, 0x85, 135), 11);

    // A king in check is never taken.
    Write(Sfen("k3r4/9/9/9/9/9/2b6/4G4/4K4 b"), *z);
    EXPECT_GT(z->m_nPsbComKomas[0x95], 0);
    EXPECT_EQ(z->CheckMoveable(0x73, 0x95, 134), 4);
}

TEST(CheckMoveable, DropCodes)
{
    auto z = Position({{0x57, 1}, {0x33, 129}});
    z->m_nCaptByMan[1] = 1;
    z->m_nCaptByMan[3] = 1;
    z->m_nCaptByCom[2] = 1;
    z->SetUniBoard();
    // source, destination, code, expected result
    const int cases[][4] = {{255, 0x56, 1, 0},   {255, 0x47, 1, 4},   {255, 0x16, 1, 4},
                            {255, 0x26, 3, 4},   {255, 0x36, 3, 0},   {255, 0x36, 4, 4},
                            {255, 0x57, 1, 4},   {255, 0x84, 130, 0}, {255, 0x94, 130, 4},
                            {255, 0x84, 129, 4}, {255, 0x84, 138, 4}};
    for (const auto &c : cases)
        EXPECT_EQ(z->CheckMoveable(c[0], c[1], c[2]), c[3]) << std::hex << c[0] << " " << c[1];
    EXPECT_EQ(z->m_nCaptByMan[1], 1);
    EXPECT_EQ(CompareWithRebuild(*z, *NewEngine()), "");
}

TEST(CheckBoard, ValidationCodes)
{
    const struct
    {
        const char *name;
        std::vector<std::array<int, 3>> edits; // row, column (0-based), code
        std::array<int, 7> com, man;
        int turn, want;
    } rows[] = {
        {"start, turn 0", {}, {}, {}, 0, 0},
        {"start, turn 1", {}, {}, {}, 1, 0},
        {"start, either turn", {}, {}, {}, -1, 0},
        {"Man knight on row 2", {{1, 3, 3}}, {}, {}, 0, 12},
        {"Com pawn on row 9", {{8, 0, 129}}, {}, {}, 0, 12},
        {"second Man pawn on file 7", {{4, 6, 1}}, {}, {}, 0, 3},
        {"a promoted pawn is no pawn", {{6, 0, 0}, {4, 6, 9}}, {}, {}, 0, 0},
        {"no Com king", {{0, 4, 0}}, {}, {}, 0, 1},
        {"a nineteenth pawn", {}, {1}, {}, 0, 1},
        {"a negative hand", {}, {}, {0, -1}, 0, 1},
        {"a bad code", {{4, 4, 13}}, {}, {}, -1, 1},
        // Com's rook sees Man's king: only a position with Man to move is valid.
        {"Man in check, Com to move", {{1, 1, 0}, {6, 4, 0}, {2, 4, 0}, {1, 4, 135}}, {}, {}, 0, 1},
        {"Man in check, Man to move", {{1, 1, 0}, {6, 4, 0}, {2, 4, 0}, {1, 4, 135}}, {}, {}, 1, 0},
    };
    auto z = NewEngine();
    for (const auto &r : rows) {
        BOARD b;
        for (int i = 0; i < 9; i++)
            for (int j = 0; j < 9; j++)
                b[i][j] = static_cast<unsigned char>(zelkor::kIniBoard[Sq(i + 1, j + 1)]);
        for (const auto &e : r.edits)
            b[e[0]][e[1]] = static_cast<unsigned char>(e[2]);
        EXPECT_EQ(z->CheckBoard(b, r.com.data(), r.man.data(), r.turn), r.want) << r.name;
    }
    EXPECT_EQ(CompareWithRebuild(*z, *NewEngine()), "");
}

TEST(SearchMovablePos, ListsReachableSquaresInScanOrder)
{
    auto z = NewEngine();
    int count = -1;
    unsigned char out[81];
    z->SearchMovablePos(0x66, &count, out); // Man pawn on row 7, col 7
    ASSERT_EQ(count, 1);
    EXPECT_EQ(out[0], 0x65);

    z->SearchMovablePos(0x77, &count, out); // Man rook on row 8, col 8
    const unsigned char rook[] = {0x27, 0x37, 0x47, 0x57, 0x67, 0x87};
    ASSERT_EQ(count, 6);
    EXPECT_EQ(std::memcmp(out, rook, sizeof(rook)), 0);

    z->SearchMovablePos(0x44, &count, out); // empty centre
    EXPECT_EQ(count, 0);
    z->SearchMovablePos(0x99, &count, out); // off the board
    EXPECT_EQ(count, 0);

    z->SearchMovablePos(0x71, &count, out); // Com bishop on row 2, col 8: shut in
    EXPECT_EQ(count, 0);
    z->SearchMovablePos(0x11, &count, out); // Com rook on row 2, col 2
    ASSERT_EQ(count, 6);
    EXPECT_EQ(out[0], 0x01);
}

// ---- Make and unmake ----

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kPairsPerRun = 24000;
#else
constexpr int kPairsPerRun = 120000;
#endif
constexpr int kMaxPly = 90;

struct Frame
{
    Move move;
    Snapshot before;
};

// Walks from z's position until `pairs` make/unmake pairs have been checked,
// then unwinds to it. Returns the number of pairs checked.
int Walk(ZelkorCore &z, ZelkorCore &scratch, Rng &rng, int pairs, bool comFirst)
{
    std::vector<Frame> stack(kMaxPly);
    int depth = 0, checked = 0;
    while (checked < pairs || depth > 0) {
        Move m;
        bool back = checked >= pairs || depth == kMaxPly || (depth > 0 && rng.Below(100) < 30) ||
                    !RandomLegalMove(z, (depth % 2 == 0) == comFirst, rng, m);
        if (back && depth == 0)
            break; // no move at the root
        Frame &f = stack[back ? --depth : depth++];
        if (!back) {
            f.move = m;
            TakeSnapshot(z, f.before);
            MakeMove(z, m);
        } else {
            UnmakeMove(z, f.move);
        }
        const std::string diff =
            back ? CompareWithSnapshot(z, f.before) : CompareWithRebuild(z, scratch);
        if (!diff.empty()) {
            ADD_FAILURE() << (back ? "unmake of " : "make of ") << f.move.src << "->" << f.move.dst
                          << " kind " << f.move.kind << " naru " << f.move.naru << " at depth "
                          << depth << ": " << diff;
            return checked;
        }
        checked += back;
    }
    return checked;
}

// Handicaps of either side, most pieces in hand, and promoted and long-range
// pieces everywhere with pieces in hand.
const struct
{
    const char *name;
    const char *sfen;
} kStarts[] = {
    {"even", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {"rook off", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B7/LNSGKGSNL"},
    {"rook and bishop off", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/9/LNSGKGSNL"},
    {"Com gives three pieces", "1nsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {"many in hand", "3gk4/9/2p6/9/9/9/6P2/9/4KG3 w RBG2S2N2L8Prbg2s2n2l8p"},
    {"middlegame", "4k3l/3g1s3/2+S3+B2/1+R2p2+P1/l3+r3L/1+p2P2+b1/9/3S1G3/L3K4 w G2N4Pgs2n3p"},
};

} // namespace

TEST(IncrementalConsistency, RandomMakeUnmakeMatchesRebuild)
{
    auto z = NewEngine();
    auto scratch = NewEngine();
    Rng rng(0x5eed2024);
    const int perWalk = kPairsPerRun / (2 * std::size(kStarts)) + 1;
    int total = 0;
    for (const auto &start : kStarts) {
        SCOPED_TRACE(start.name);
        Write(Sfen(start.sfen), *z);
        ASSERT_EQ(CompareWithRebuild(*z, *scratch), "");
        for (bool comFirst : {false, true}) {
            total += Walk(*z, *scratch, rng, perWalk, comFirst);
            if (HasFailure())
                return;
        }
    }
    EXPECT_GE(total, kPairsPerRun);
}
