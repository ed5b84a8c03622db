// Appending, taking back and stepping through the record.
#include "docfixture.h"

#include <gtest/gtest.h>

namespace {

struct Record : testing::Test, HostedDoc
{
};

} // namespace

// One move made and taken back: what it changes and that taking it back
// restores every square and hand (RetractKibo leaves the side to move alone).
TEST_F(Record, MoveAndTakeBack)
{
    const struct
    {
        const char *name, *sfen;
        KIBO move;
        int x, y, code; // the destination afterwards
        int owner, kind, inHand;
    } cases[] = {
        {"pawn drop", "4k4/9/9/9/9/9/9/9/4K4 b P", Kibo(10, 10, 111, 4, 4, 0, 111, 3), 4, 4, 111, 1, 1, 0},
        {"capture of a promoted bishop", "4k4/9/9/9/4+b4/4R4/9/9/4K4 b -", Kibo(4, 5, 117, 4, 4, 226, 117, 3), 4, 4, 117, 1, 6, 1},
        {"promotion", "4k4/9/9/3P5/9/9/9/9/4K4 b -", Kibo(3, 3, 111, 3, 2, 0, 211, 3), 3, 2, 211, 1, 1, 0},
        {"second player's capture", "4k4/9/9/9/2r6/2P6/9/9/4K4 w -", Kibo(2, 4, 127, 2, 5, 111, 127, 3), 2, 5, 127, 2, 1, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(SetSfen(doc, c.sfen), "");
        const DocState before = Capture(doc);
        host.elapsedMs = 3000;
        doc.AddKibo(c.move.sx, c.move.sy, c.move.skoma, c.move.dx, c.move.dy, c.move.dkoma, c.move.koma);
        EXPECT_EQ(doc.GetKibo()->at(0), c.move);
        EXPECT_EQ(doc.GetBoardInfo(BYTE(c.x), BYTE(c.y)), c.code);
        EXPECT_EQ(doc.GetPlayer(BYTE(c.owner))->GetDaiNum(BYTE(c.kind)), c.inHand);
        EXPECT_EQ(doc.GetPlayer(BYTE(3 - c.owner))->GetDaiNum(BYTE(c.kind)), 0);
        doc.RetractKibo(0);
        EXPECT_EQ(doc.GetKiboNum(), 0);
        EXPECT_EQ(doc.GetCurPlayer(), 3 - c.owner);
        EXPECT_TRUE(Capture(doc).SamePosition(before));
    }
}

TEST_F(Record, MoveAndResignationTellTheHostInOrder)
{
    host.elapsedMs = 12999;
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    EXPECT_EQ(host.log, QStringList({"SetDocModified(1)", "AddKibo(2,6,111,2,5,0,111,12) cur=1",
                                     "RestartGameTime"}));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.GetFirstPlayer()->GetTotalTime(), 12);
    const DocState before = Capture(doc);
    host.log.clear();
    host.elapsedMs = 65000;
    doc.AddKibo(50, 50, 50, 50, 50, 50, 50);
    EXPECT_EQ(host.log, QStringList({"SetDocModified(1)", "AddKibo(50,50,50,50,50,50,50,65) cur=2",
                                     "slotGameBreak", "RestartGameTime"}));
    EXPECT_EQ(doc.GetKiboNum(), 2);
    EXPECT_EQ(*doc.GetKibo(), (QVector<KIBO>{Kibo(2, 6, 111, 2, 5, 0, 111, 12), ResignKibo(65)}));
    EXPECT_TRUE(Capture(doc).SamePosition(before));
    EXPECT_EQ(doc.GetCurPlayer(), 1);
    // Taking it back changes nothing either (stepping over it is checked by
    // the reader's judge on every resigned sample game).
    doc.RetractKibo(1);
    EXPECT_EQ(doc.GetKiboNum(), 1);
    EXPECT_TRUE(Capture(doc).SamePosition(before));
}

TEST_F(Record, SteppingOutOfRangeDoesNothing)
{
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.SetKiboTestPos(0);
    const DocState s = Capture(doc);
    doc.KiboForwardOne(); // no entry 1
    EXPECT_EQ(Capture(doc), s);
    doc.SetKiboTestPos(-1);
    doc.KiboBackOne();
    doc.RetractKibo(5);
    doc.RetractKibo(-1);
    EXPECT_TRUE(Capture(doc).SamePosition(s));
}
