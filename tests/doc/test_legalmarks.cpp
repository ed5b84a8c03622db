// The squares the board marks for a held piece against the move rules of the
// engine protocol, which are written apart from the document's.
#include "docfixture.h"
#include "moverules.h"
#include "usi_position.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

// The document's position, first player at the bottom, as the protocol keeps it.
usi::Position ToUsi(const ShogiDoc &doc)
{
    usi::Position p = usi::EmptyPosition();
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            if (const BYTE v = doc.GetBoardInfo(x, y))
                p.Set(16 * (y + 1) + x + 1, GetKomaSort(v) + (GetKomaProperty(v) == 2 ? 8 : 0) +
                                                (GetWhoseKoma(v) == 2 ? 128 : 0));
    for (BYTE k = 1; k <= 7; ++k) {
        p.hand[usi::kSente][k] = doc.GetFirstPlayer()->GetDaiNum(k);
        p.hand[usi::kGote][k] = doc.GetSecondPlayer()->GetDaiNum(k);
    }
    p.side = doc.GetCurPlayer() == 1 ? usi::kSente : usi::kGote;
    return p;
}

std::set<int> Squares(const BYTE *way, int n)
{
    std::set<int> s;
    for (int i = 0; i < n; ++i)
        s.insert(16 * (way[i] % 10 + 1) + way[i] / 10 + 1);
    return s;
}

// Every board piece and every hand kind of the side to move.
void ExpectMarksMatch(ShogiDoc &doc)
{
    const usi::Position p = ToUsi(doc);
    const std::vector<usi::Move> legal = usi::LegalMoves(p);
    const auto expected = [&legal](int src, int drop) {
        std::set<int> s;
        for (const usi::Move &m : legal)
            if (m.src == src && m.drop == drop)
                s.insert(m.dst);
        return s;
    };
    const BYTE side = doc.GetCurPlayer();
    BYTE way[81];
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            if (GetWhoseKoma(doc.GetBoardInfo(x, y)) == side) {
                ASSERT_EQ(Squares(way, MoveRules::LegalDestinations(doc, x, y, way)),
                          expected(16 * (y + 1) + x + 1, 0))
                    << usi::WriteSfen(p) << " piece on " << int(x) << "," << int(y);
            }
    for (BYTE k = 1; k <= 7; ++k)
        if (doc.GetPlayer(side)->GetDaiNum(k)) {
            ASSERT_EQ(Squares(way, MoveRules::LegalDrops(doc, MakePhysicsKoma(k, side, 1), way)),
                      expected(usi::kDrop, k))
                << usi::WriteSfen(p) << " drop of kind " << int(k);
        }
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
        for (int ply = 0; ply < 120; ++ply) {
            ExpectMarksMatch(doc);
            if (HasFatalFailure() || PlayRandomGame(doc, host, rng, 1, false) == 0)
                break;
        }
        doc.SetHost(nullptr);
    }
}

// Positions random play seldom reaches: a pawn drop that mates, and pawn
// drops that check but leave the king an answer.
TEST(LegalMarks, PawnDropMateAndPawnDropCheck)
{
    const char *const rows[] = {
        "8k/6S2/8G/9/9/9/9/9/4K4 b P 1",   // 1b mates: silver and gold hold every flight
        "4k4/9/4G4/9/9/9/9/9/4K4 b P 1",   // 5b checks; the king steps aside
        "3gkg3/9/4G4/9/9/9/9/9/4K4 b P 1", // the king's golds take the pawn
        "4k4/9/9/9/9/9/9/9/4K4 b P 1",     // the king takes the pawn
    };
    for (const char *row : rows) {
        SCOPED_TRACE(row);
        std::string b, s, h, n;
        std::istringstream(row) >> b >> s >> h >> n;
        usi::Position p;
        std::string err;
        ASSERT_TRUE(usi::ParseSfen(b, s, h, n, p, err)) << err;
        ShogiDoc doc;
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y) {
                const int c = p.At(16 * (y + 1) + x + 1) & 15,
                          owner = p.At(16 * (y + 1) + x + 1) >> 7;
                if (c)
                    doc.SetBoardInfo(
                        x, y,
                        MakePhysicsKoma(BYTE(c == 8 ? 8 : c & 7), BYTE(owner + 1), c > 8 ? 2 : 1));
            }
        for (BYTE k = 1; k <= 7; ++k) {
            doc.GetFirstPlayer()->SetDaiNum(k, p.hand[usi::kSente][k]);
            doc.GetSecondPlayer()->SetDaiNum(k, p.hand[usi::kGote][k]);
        }
        ExpectMarksMatch(doc);
    }
}

} // namespace
