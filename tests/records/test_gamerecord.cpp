#include "docfixture.h"
#include "gamerecord.h"

#include <gtest/gtest.h>

using records::GameRecord;

namespace {

bool SameBoardAndHands(const usi::Position &a, const usi::Position &b)
{
    return usi::WriteSfen(a).substr(0, usi::WriteSfen(a).rfind(' ')) ==
           usi::WriteSfen(b).substr(0, usi::WriteSfen(b).rfind(' '));
}

void ExpectSameGame(const GameRecord &a, const GameRecord &b)
{
    EXPECT_EQ(usi::WriteSfen(a.start), usi::WriteSfen(b.start));
    EXPECT_EQ(a.handicap, b.handicap);
    ASSERT_EQ(a.moves.size(), b.moves.size());
    for (size_t i = 0; i < a.moves.size(); ++i)
        EXPECT_EQ(usi::MoveText(a.moves[i]), usi::MoveText(b.moves[i])) << "move " << i + 1;
    EXPECT_EQ(a.seconds, b.seconds);
    EXPECT_EQ(a.ending, b.ending);
}

struct RealGame
{
    int teai;
    bool firstUp;
    unsigned seed;
};

class GameRecordRoundTrip : public ::testing::TestWithParam<RealGame>
{
};

// Random legal games of every handicap, in both orientations: the document's
// own replay and the converted moves must reach the same position, and the
// game must come back through a document unchanged.
TEST_P(GameRecordRoundTrip, DocumentToRecordAndBack)
{
    const RealGame g = GetParam();
    ShogiDoc doc;
    FakeHost host(&doc);
    doc.SetHost(&host);
    doc.SetTeai(BYTE(g.teai));
    doc.SetFirstUp(g.firstUp);
    doc.Init();
    std::mt19937 rng(g.seed);
    const int n = PlayRandomGame(doc, host, rng, 160, g.seed % 2 == 0);

    const GameRecord rec = records::RecordOf(doc);
    EXPECT_EQ(rec.handicap, g.teai);
    EXPECT_EQ(rec.start.side, g.teai == 0 ? usi::kSente : usi::kGote);
    ASSERT_EQ(int(rec.moves.size()), n);
    EXPECT_EQ(rec.ending, g.seed % 2 == 0 ? GameEnding::Resign : GameEnding::None);
    std::string err;
    ASSERT_TRUE(rec.CheckMoves(err)) << err;
    EXPECT_TRUE(SameBoardAndHands(rec.PositionAfter(rec.moves.size()),
                                  records::PositionOnScreen(doc, int(rec.moves.size()))));

    // Each entry converts to the usi move and back against the board of its ply.
    ShogiDoc replay;
    replay.SetTeai(BYTE(g.teai));
    replay.SetFirstUp(g.firstUp);
    replay.Init();
    const records::DocFrame f = records::FrameOf(replay);
    for (size_t i = 0; i < rec.moves.size(); ++i) {
        const KIBO &e = (*doc.GetKibo())[int(i)];
        const MoveRules::Move m{e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma};
        const usi::Move u = records::ToUsiMove(f, m);
        ASSERT_EQ(usi::MoveText(u), usi::MoveText(rec.moves[i]));
        MoveRules::Move back{};
        ASSERT_TRUE(records::FromUsiMove(replay, f, u, back)) << "move " << i + 1;
        ASSERT_TRUE(back.sx == m.sx && back.sy == m.sy && back.skoma == m.skoma &&
                    back.dx == m.dx && back.dy == m.dy && back.dkoma == m.dkoma &&
                    back.koma == m.koma)
            << "move " << i + 1;
        replay.AddKibo(e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma);
    }

    ShogiDoc loaded;
    ASSERT_TRUE(records::LoadIntoDoc(rec, loaded, err)) << err;
    EXPECT_EQ(loaded.GetFirstUp(), g.teai != 0); // the giver at the top
    EXPECT_EQ(loaded.GetTeai(), g.teai);
    ExpectSameGame(records::RecordOf(loaded), rec);
}

std::vector<RealGame> AllStarts()
{
    std::vector<RealGame> v;
    for (int teai = 0; teai <= records::kMaxHandicap; ++teai)
        for (bool up : {false, true})
            for (unsigned seed : {1u, 2u, 3u})
                v.push_back({teai, up, seed + 10u * unsigned(teai) + (up ? 100u : 0u)});
    return v;
}

INSTANTIATE_TEST_SUITE_P(EveryHandicapBothWays, GameRecordRoundTrip,
                         ::testing::ValuesIn(AllStarts()));

// A first move in known coordinates, whichever way the board is turned.
TEST(GameRecord, FirstMovesInStandardCoordinates)
{
    const struct
    {
        int teai;
        bool firstUp;
        const char *usiMove; // the first player's first move
        const char *startSfen;
    } rows[] = {
        {0, false, "7g7f", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {0, true, "2g2f", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {1, true, "3c3d", "lnsgkgsn1/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"},
        {5, false, "5c5d", "lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"},
    };
    for (const auto &r : rows) {
        ShogiDoc doc;
        doc.SetTeai(BYTE(r.teai));
        doc.SetFirstUp(r.firstUp);
        doc.Init();
        const records::DocFrame f = records::FrameOf(doc);
        usi::Move u;
        ASSERT_TRUE(usi::ParseMove(r.usiMove, u));
        MoveRules::Move m{};
        ASSERT_TRUE(records::FromUsiMove(doc, f, u, m)) << r.usiMove;
        EXPECT_EQ(GetKomaSort(m.skoma), 1) << r.usiMove; // a pawn of the first player
        EXPECT_EQ(GetWhoseKoma(m.skoma), 1) << r.usiMove;
        EXPECT_EQ(usi::WriteSfen(records::RecordOf(doc).start), r.startSfen);
    }
}

// Edited starts keep their side to move and both hands; sente stays at the
// bottom on screen.
TEST(GameRecord, EditedStartsKeepSideAndHands)
{
    for (const char *side : {"b", "w"}) {
        GameRecord rec;
        std::string err;
        ASSERT_TRUE(usi::ParseSfen("4k4/9/4P4/9/9/9/9/9/4K4", side, "2Gs3p", "1", rec.start, err));
        rec.handicap = records::HandicapOf(rec.start);
        ASSERT_EQ(rec.handicap, records::kOtherStart);
        usi::Move m;
        ASSERT_TRUE(usi::ParseMove(side[0] == 'b' ? "G*5b" : "S*5h", m));
        rec.moves = {m};
        rec.seconds = {7};
        rec.ending = GameEnding::Interrupt;
        ShogiDoc doc;
        ASSERT_TRUE(records::LoadIntoDoc(rec, doc, err)) << err;
        EXPECT_EQ(doc.GetFirstUp(), side[0] == 'w');
        ExpectSameGame(records::RecordOf(doc), rec);
    }
}

// A refused game leaves the document exactly as it was and names the move.
TEST(GameRecord, RefusalLeavesDocumentAlone)
{
    ShogiDoc doc;
    FakeHost host(&doc);
    doc.SetHost(&host);
    doc.Init();
    std::mt19937 rng(5);
    PlayRandomGame(doc, host, rng, 20, false);
    const DocState before = Capture(doc);
    host.log.clear();

    GameRecord rec;
    usi::Move a, b;
    ASSERT_TRUE(usi::ParseMove("7g7f", a));
    ASSERT_TRUE(usi::ParseMove("7f7e", b)); // sente again: not its turn
    rec.moves = {a, b};
    std::string err;
    EXPECT_FALSE(records::LoadIntoDoc(rec, doc, err));
    EXPECT_NE(err.find("move 2"), std::string::npos) << err;
    EXPECT_TRUE(Capture(doc) == before);
    EXPECT_TRUE(host.log.isEmpty());
}

} // namespace
