#include "docfixture.h"
#include "formattestgames.h"
#include "gamerecord.h"

#include <gtest/gtest.h>

using records::GameRecord;

namespace {

// Random legal games of every handicap, in both orientations: the record
// agrees with the document's own replay, and comes back through a document
// unchanged.
TEST(GameRecord, DocumentToRecordAndBack)
{
    for (int teai = 0; teai <= records::kMaxHandicap; ++teai)
        for (bool up : {false, true}) {
            SCOPED_TRACE(testing::Message() << "teai " << teai << " firstUp " << up);
            HostedDoc g(BYTE(teai), up);
            const int n = g.PlayRandom(unsigned(teai * 2 + up), 160, up);
            const ShogiDoc &doc = g.doc;

            const GameRecord rec = records::RecordOf(doc);
            EXPECT_EQ(rec.handicap, teai);
            EXPECT_EQ(rec.start.side, teai == 0 ? usi::kSente : usi::kGote);
            ASSERT_EQ(int(rec.moves.size()), n);
            EXPECT_EQ(rec.ending, up ? GameEnding::Resign : GameEnding::None);
            std::string err;
            ASSERT_TRUE(rec.CheckMoves(err)) << err;
            usi::Position last = rec.PositionAfter(rec.moves.size());
            last.ply = records::PositionOnScreen(doc, n).ply; // the board and hands agree
            EXPECT_EQ(usi::WriteSfen(last), usi::WriteSfen(records::PositionOnScreen(doc, n)));

            ShogiDoc loaded;
            ASSERT_TRUE(records::LoadIntoDoc(rec, loaded, err)) << err;
            EXPECT_EQ(loaded.GetFirstUp(), teai != 0); // the giver at the top
            EXPECT_EQ(loaded.GetTeai(), teai);
            const GameRecord back = records::RecordOf(loaded);
            EXPECT_EQ(UsiLine(back), UsiLine(rec));
            EXPECT_EQ(back.seconds, rec.seconds);
            EXPECT_EQ(back.ending, rec.ending);
        }
}

// A refused game leaves the document exactly as it was and names the move.
TEST(GameRecord, RefusalLeavesDocumentAlone)
{
    HostedDoc g;
    g.PlayRandom(5, 20, false);
    const DocState before = Capture(g.doc);
    g.host.log.clear();

    GameRecord rec;
    usi::Move a, b;
    ASSERT_TRUE(usi::ParseMove("7g7f", a));
    ASSERT_TRUE(usi::ParseMove("7f7e", b)); // sente again: not its turn
    rec.moves = {a, b};
    std::string err;
    EXPECT_FALSE(records::LoadIntoDoc(rec, g.doc, err));
    EXPECT_NE(err.find("move 2"), std::string::npos) << err;
    EXPECT_TRUE(Capture(g.doc) == before);
    EXPECT_TRUE(g.host.log.isEmpty());
}

} // namespace
