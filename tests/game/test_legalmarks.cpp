// The squares marked for a held piece against the protocol's move rules,
// which are written apart from the document's.
#include "docfixture.h"
#include "moverules.h"
#include "usi_position.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

int Square(int x, int y)
{
    return 16 * (y + 1) + x + 1;
}

TEST(LegalMarks, AgreeWithTheProtocolRulesOverRandomGames)
{
    std::mt19937 rng(20);
    for (int game = 0; game < 24; ++game) {
        ShogiDoc doc;
        FakeHost host(&doc);
        doc.SetHost(&host);
        doc.SetTeai(BYTE(game % 6));
        doc.Init();
        do {
            usi::Position p = usi::EmptyPosition();
            for (BYTE x = 0; x < 9; ++x)
                for (BYTE y = 0; y < 9; ++y)
                    if (const BYTE v = doc.GetBoardInfo(x, y))
                        p.Set(Square(x, y), GetKomaSort(v) + (GetKomaProperty(v) == 2 ? 8 : 0) +
                                                (GetWhoseKoma(v) == 2 ? 128 : 0));
            for (BYTE k = 1; k <= 7; ++k) {
                p.hand[usi::kSente][k] = doc.GetFirstPlayer()->GetDaiNum(k);
                p.hand[usi::kGote][k] = doc.GetSecondPlayer()->GetDaiNum(k);
            }
            const BYTE side = doc.GetCurPlayer();
            p.side = side == 1 ? usi::kSente : usi::kGote;
            // The protocol's legal moves from each source (a drop: kDrop and its kind).
            std::map<std::pair<int, int>, std::set<int>> want, got;
            for (const usi::Move &m : usi::LegalMoves(p))
                want[{m.src, m.drop}].insert(m.dst);
            const auto mark = [&got](int n, const BYTE *way, int src, int kind) {
                for (int i = 0; i < n; ++i)
                    got[{src, kind}].insert(Square(way[i] / 10, way[i] % 10));
            };
            BYTE way[81];
            for (BYTE x = 0; x < 9; ++x)
                for (BYTE y = 0; y < 9; ++y)
                    if (GetWhoseKoma(doc.GetBoardInfo(x, y)) == side)
                        mark(MoveRules::LegalDestinations(doc, x, y, way), way, Square(x, y), 0);
            for (BYTE k = 1; k <= 7; ++k)
                if (doc.GetPlayer(side)->GetDaiNum(k))
                    mark(MoveRules::LegalDrops(doc, MakePhysicsKoma(k, side, 1), way), way,
                         usi::kDrop, k);
            ASSERT_EQ(got, want) << usi::WriteSfen(p);
        } while (!HasFatalFailure() && PlayRandomGame(doc, host, rng, 1, false) == 1 &&
                 doc.GetKiboNum() < 120);
        doc.SetHost(nullptr);
    }
}

} // namespace
