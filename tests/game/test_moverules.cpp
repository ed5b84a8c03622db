// The rules a player is held to: drops, promotion, and the squares marked for
// a held piece against the protocol's move rules (written apart from the
// document's) in both orientations.
#include "docfixture.h"
#include "moverules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

class Rules : public ::testing::Test
{
protected:
    void SetUp() override { Set("4k4/9/9/9/9/9/9/9/4K4 b -"); }
    void Set(const char *sfen) { ASSERT_EQ(SetSfen(doc, sfen), ""); }
    ShogiDoc doc;
};

TEST_F(Rules, DropRefusals)
{
    Set("4k4/9/9/9/9/9/2P2+P3/9/4K4 b -"); // a promoted pawn no longer counts
    EXPECT_EQ(MoveRules::CheckDrop(doc, 2, 4, 111), MoveRules::DropTwoPawns);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 5, 4, 111), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 1, 111), MoveRules::DropOk) << "check, not mate";
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 0, 111), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 0, 112), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 1, 113), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 2, 113), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 1, 112), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 8, 115), MoveRules::DropOccupied);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 9, 3, 115), MoveRules::DropOccupied);
    // The second player drops towards the bottom: its last row is 8.
    EXPECT_EQ(MoveRules::CheckDrop(doc, 0, 8, 121), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 7, 121), MoveRules::DropOk);
    // Hemmed in by its own lances, the golds holding the rest: no answer.
    Set("3lkl3/9/3G1G3/9/9/9/2P2+P3/9/4K4 b -");
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 1, 111), MoveRules::DropPawnMate);
    EXPECT_EQ(doc.GetBoardInfo(4, 1), 0);
    // A drop that leaves the dropper in check.
    Set("3lkl3/9/3G1G3/9/4+r4/9/2P2+P3/9/4K4 b -");
    EXPECT_EQ(MoveRules::CheckDrop(doc, 0, 4, 115), MoveRules::DropKingAttacked);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 6, 115), MoveRules::DropOk) << "interposes";
    EXPECT_EQ(doc.GetBoardInfo(4, 6), 0);
}

TEST_F(Rules, PromotionWhenTheMoveStartsOrEndsInTheZone)
{
    const struct
    {
        BYTE code, from, to;
        bool firstUp;
        MoveRules::Promotion want;
    } rows[] = {
        {111, 1, 0, false, MoveRules::MustPromote}, {111, 2, 1, false, MoveRules::MayPromote},
        {112, 3, 0, false, MoveRules::MustPromote}, {113, 3, 1, false, MoveRules::MustPromote},
        {113, 4, 2, false, MoveRules::MayPromote},  {114, 4, 3, false, MoveRules::NoPromotion},
        {114, 2, 3, false, MoveRules::MayPromote}, // a silver stepping back out of the zone
        {116, 1, 5, false, MoveRules::MayPromote}, // a bishop leaving the zone far
        {115, 0, 0, false, MoveRules::NoPromotion}, {118, 1, 0, false, MoveRules::NoPromotion},
        {216, 1, 0, false, MoveRules::NoPromotion}, {123, 6, 7, false, MoveRules::MustPromote},
        {124, 6, 5, false, MoveRules::MayPromote},  {126, 4, 5, false, MoveRules::NoPromotion},
        {111, 7, 8, true, MoveRules::MustPromote},  {111, 1, 0, true, MoveRules::NoPromotion},
        {114, 6, 5, true, MoveRules::MayPromote},
    };
    for (const auto &r : rows) {
        doc.SetFirstUp(r.firstUp);
        EXPECT_EQ(MoveRules::PromotionFor(doc, r.code, r.from, r.to), r.want)
            << int(r.code) << " " << int(r.from) << "->" << int(r.to);
    }
}

TEST_F(Rules, DropsComeFromTheHandOnly)
{
    std::vector<MoveRules::Move> moves;
    MoveRules::GenerateMoves(doc, 1, moves);
    EXPECT_EQ(moves.size(), 5u);
    Set("4k4/9/9/9/9/9/9/9/4K4 b G"); // a gold in hand: every empty square
    moves.clear();
    MoveRules::GenerateMoves(doc, 1, moves);
    EXPECT_EQ(moves.size(), 5u + 79);
}

TEST(LegalMarks, AgreeWithTheProtocolRulesOverRandomGames)
{
    std::mt19937 rng(20);
    for (int game = 0; game < 24; ++game) {
        HostedDoc g(BYTE(game % 6), game / 6 % 2 == 1);
        ShogiDoc &doc = g.doc;
        do {
            const usi::Position p = UsiPositionOf(doc);
            const BYTE side = doc.GetCurPlayer();
            // The protocol's legal moves from each source (a drop: kDrop and its kind).
            std::map<std::pair<int, int>, std::set<int>> want, got;
            for (const usi::Move &m : usi::LegalMoves(p))
                want[{m.src, m.drop}].insert(m.dst);
            const auto mark = [&](int n, const BYTE *way, int src, int kind) {
                for (int i = 0; i < n; ++i)
                    got[{src, kind}].insert(UsiSquare(doc, way[i] / 10, way[i] % 10));
            };
            BYTE way[81];
            for (BYTE x = 0; x < 9; ++x)
                for (BYTE y = 0; y < 9; ++y)
                    if (GetWhoseKoma(doc.GetBoardInfo(x, y)) == side)
                        mark(MoveRules::LegalDestinations(doc, x, y, way), way,
                             UsiSquare(doc, x, y), 0);
            for (BYTE k = 1; k <= 7; ++k)
                if (doc.GetPlayer(side)->GetDaiNum(k))
                    mark(MoveRules::LegalDrops(doc, MakePhysicsKoma(k, side, 1), way), way,
                         usi::kDrop, k);
            ASSERT_EQ(got, want) << usi::WriteSfen(p);
        } while (!HasFatalFailure() && PlayRandomGame(doc, g.host, rng, 1, false) == 1 &&
                 doc.GetKiboNum() < 120);
    }
}

} // namespace
