// The squares marked for a held piece against the protocol's move rules,
// which are written apart from the document's, in both orientations.
#include "docfixture.h"
#include "moverules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(LegalMarks, AgreeWithTheProtocolRulesOverRandomGames)
{
    std::mt19937 rng(20);
    for (int game = 0; game < 24; ++game) {
        ShogiDoc doc;
        FakeHost host(&doc);
        doc.SetHost(&host);
        doc.SetTeai(BYTE(game % 6));
        doc.SetFirstUp(game / 6 % 2 == 1);
        doc.Init();
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
        } while (!HasFatalFailure() && PlayRandomGame(doc, host, rng, 1, false) == 1 &&
                 doc.GetKiboNum() < 120);
        doc.SetHost(nullptr);
    }
}

} // namespace
