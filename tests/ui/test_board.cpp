#include "boardgeometry.h"
#include "cboardframe.h"
#include "cplayer.h"
#include "docfixture.h"
#include "gameflow.h"
#include "language.h"
#include "shogidoc.h"
#include "uitest.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Geometry, SizeClassIsTheLargestThatFits)
{
    EXPECT_EQ(ComputeBoardGeometry(1210, 840, false).sizeClass, 0);
    EXPECT_EQ(ComputeBoardGeometry(1209, 840, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(1210, 839, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(976, 680, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(975, 680, false).sizeClass, 2);
    EXPECT_EQ(ComputeBoardGeometry(634, 450, false).sizeClass, 3);
    // Too small for every class: still class 3, with negative margins.
    const BoardGeometry g = ComputeBoardGeometry(600, 400, false);
    EXPECT_EQ(g.sizeClass, 3);
    EXPECT_EQ(g.w, 33);
    EXPECT_EQ(g.h, 41);
    EXPECT_EQ(g.secondDaiY, -5);
}

TEST(Geometry, PiecesInAStandSlot)
{
    int xs[7];
    GetDaiX(100, 295, 65, 1, xs);
    EXPECT_EQ(xs[0], 100 + 97 - 32) << "one piece is centred";
    GetDaiX(100, 295, 65, 7, xs);
    EXPECT_EQ(xs[0], 230) << "the first at the right end";
    for (int i = 1; i < 7; ++i)
        EXPECT_EQ(xs[i - 1] - xs[i], 130 / 6) << "evenly overlapping";
    EXPECT_GE(xs[6], 100);
}

TEST(Geometry, SpriteByCodeAndOrientation)
{
    EXPECT_EQ(KomaSprite(0, true, 111, false), QPoint(130, 0));
    EXPECT_EQ(KomaSprite(0, true, 121, false), QPoint(130, 80)) << "upside down";
    EXPECT_EQ(KomaSprite(0, true, 121, true), QPoint(130, 0));
    EXPECT_EQ(KomaSprite(1, true, 118, false), QPoint(7 * 52 + 104, 160));
    EXPECT_EQ(KomaSprite(2, false, 226, false), QPoint(588, 812)) << "horse, one character";
    EXPECT_EQ(KomaSprite(3, true, 217, true), QPoint(495, 433)) << "dragon of the top side";
    EXPECT_EQ(KomaSprite(3, false, 214, false), QPoint(429, 864)) << "promoted silver";
    EXPECT_EQ(KomaOrientation(111, false), 0);
    EXPECT_EQ(KomaOrientation(111, true), 1);
}

class Board : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestBoxes::Reset();
        doc.Init();
        doc.SetOSSound(false);
        doc.SetMustWait(false);
        doc.GetSecondPlayer()->SetProperty(1); // two humans at the board
        g_byGameStatus = GameStatus::Playing;
        board = new CBoardFrame(&doc, nullptr);
        board->resize(1210, 840);
        board->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(board));
    }
    void TearDown() override
    {
        delete board;
        g_byGameStatus = GameStatus::Start;
    }
    void Set(const char *sfen)
    {
        ASSERT_EQ(SetSfen(doc, sfen), "");
        board->RedrawAll();
    }
    QPoint Cell(int c, int r) const { return board->CellCenter(c, r); }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(board, Qt::LeftButton, {}, from);
        QTest::mouseMove(board, to);
        QTest::mouseRelease(board, Qt::LeftButton, {}, to);
    }
    void Click(QPoint at) { QTest::mouseClick(board, Qt::LeftButton, {}, at); }
    void RightClick(QPoint at) { QTest::mouseClick(board, Qt::RightButton, {}, at); }
    void DropFromHand(BYTE kind, int c, int r)
    {
        Drag(board->DaiKomaCenter(doc.GetCurPlayer(), kind), Cell(c, r));
    }

    ShogiDoc doc;
    CBoardFrame *board = nullptr;
};

// The labels name squares as the record does, from sente's side: a handicap
// giver at the bottom plays gote, so they stand as for sente at the top.
TEST_F(Board, CoordinateLabelsNameTheRecordsSquares)
{
    doc.SetOSDan(true);
    const auto topMargin = [this](BYTE teai, bool firstUp) {
        doc.SetTeai(teai);
        doc.SetFirstUp(firstUp);
        doc.Init();
        board->RedrawAll();
        const BoardGeometry &g = board->Geometry();
        return board->BoardPixmap().toImage().copy(g.startX2, g.startY1, 9 * g.w, g.startY2 - g.startY1);
    };
    const QImage senteBottom = topMargin(0, false), senteTop = topMargin(0, true);
    ASSERT_NE(senteBottom, senteTop) << "file numbers stand above the board only with sente below";
    EXPECT_EQ(topMargin(2, false), senteTop) << "bishop handicap, the giver at the bottom";
}

// A move by drag, and one by two clicks; a refused move puts the piece back.
TEST_F(Board, MovesByDragOrClicksAndRefusedOnes)
{
    Drag(Cell(2, 6), Cell(2, 5));
    EXPECT_EQ(doc.GetBoardInfo(2, 5), 111);
    EXPECT_EQ(doc.GetBoardInfo(2, 6), 0);
    ASSERT_EQ(doc.GetKiboNum(), 1);
    EXPECT_EQ(doc.GetKibo()->at(0).skoma, 111);
    EXPECT_EQ(doc.GetCurPlayer(), 2);
    EXPECT_FALSE(board->m_bMP);
    Click(Cell(6, 2));
    EXPECT_TRUE(board->m_bMP);
    EXPECT_TRUE(board->m_bReleaseMove);
    Click(Cell(6, 3));
    EXPECT_EQ(doc.GetBoardInfo(6, 3), 121);
    EXPECT_EQ(doc.GetKiboNum(), 2);
    EXPECT_EQ(doc.GetCurPlayer(), 1);
    Drag(Cell(7, 7), Cell(2, 2)); // a rook cannot jump
    EXPECT_EQ(doc.GetBoardInfo(7, 7), 117);
    EXPECT_EQ(doc.GetKiboNum(), 2);
    EXPECT_EQ(board->m_byKomaPosX, 6) << "the marker returns to the last move";
    EXPECT_EQ(board->m_byKomaPosY, 3);
    Click(Cell(2, 5));
    Click(Cell(2, 3)); // a pawn steps one square
    EXPECT_EQ(doc.GetBoardInfo(2, 5), 111);
    EXPECT_FALSE(board->m_bMP);
    EXPECT_EQ(doc.GetCurPlayer(), 1);
    Drag(Cell(2, 2), Cell(2, 3)); // the other side's pieces cannot be picked up
    EXPECT_EQ(doc.GetBoardInfo(2, 2), 121);
    EXPECT_EQ(doc.GetKiboNum(), 2);
}

TEST_F(Board, DropsAndTheirRefusals)
{
    Set("4k4/9/9/9/9/P8/9/9/4K4 b SNLP");
    DropFromHand(1, 0, 3); // two pawns
    DropFromHand(1, 4, 8); // onto the own king
    EXPECT_EQ(doc.GetKiboNum(), 0);
    DropFromHand(4, 2, 2);
    EXPECT_EQ(doc.GetBoardInfo(2, 2), 114);
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(4), 0);
    ASSERT_EQ(doc.GetKiboNum(), 1);
    EXPECT_EQ(doc.GetKibo()->at(0).sx, 10);
    EXPECT_TRUE(TestBoxes::texts.empty()) << "a drop is never offered promotion";
    Set("4k4/9/9/9/4+r4/P8/9/9/4K4 b NLP"); // the second player's dragon checks
    DropFromHand(1, 0, 1); // leaves the king attacked
    EXPECT_EQ(doc.GetKiboNum(), 0);
    for (BYTE kind : {1, 2, 3})
        EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(kind), 1) << int(kind);
    EXPECT_FALSE(board->m_bDaiPress);
    DropFromHand(1, 4, 6); // interposing is fine
    EXPECT_EQ(doc.GetBoardInfo(4, 6), 111);
    EXPECT_EQ(doc.GetKiboNum(), 1);
}

// The question comes only when the piece may promote or not.
TEST_F(Board, PromotionIsAskedOnlyWhenThereIsAChoice)
{
    const struct
    {
        const char *name, *sfen;
        int from[2], to[2];
        BoxAnswer answer;
        int code; // on the destination afterwards
        bool asked;
    } cases[] = {
        {"into the zone, Yes", "4k4/9/9/1S7/9/9/9/9/4K4 b -", {1, 3}, {1, 2}, BoxAnswer::Yes, 214,
         true},
        {"into the zone, No", "4k4/9/9/1S7/9/9/9/9/4K4 b -", {1, 3}, {1, 2}, BoxAnswer::No, 114,
         true},
        {"leaving the zone", "4k4/9/1S7/9/9/9/9/9/4K4 b -", {1, 2}, {2, 3}, BoxAnswer::Yes, 214,
         true},
        {"a knight to its second-to-last row", "4k4/9/9/1N7/9/9/9/9/4K4 b -", {1, 3}, {2, 1},
         BoxAnswer::No, 213, false},
        {"a pawn to its last row", "4k4/7P1/9/9/9/9/9/9/4K4 b -", {7, 1}, {7, 0}, BoxAnswer::No,
         211, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Set(c.sfen);
        TestBoxes::Reset();
        TestBoxes::answers = {c.answer};
        Drag(Cell(c.from[0], c.from[1]), Cell(c.to[0], c.to[1]));
        EXPECT_EQ(doc.GetBoardInfo(c.to[0], c.to[1]), c.code);
        EXPECT_EQ(TestBoxes::Count(JC_IsNaru), c.asked ? 1 : 0);
    }
}

TEST_F(Board, EditingRightClicksCycleForms)
{
    // Silver: promoted, the other side's, promoted, back; gold and king have fewer forms.
    const std::vector<std::pair<int, std::vector<int>>> cycles = {
        {2, {214, 124, 224, 114}}, {3, {125, 115}}, {4, {118}}};
    g_byGameStatus = GameStatus::Editing;
    for (const auto &[c, forms] : cycles)
        for (int code : forms) {
            RightClick(Cell(c, 8));
            EXPECT_EQ(doc.GetBoardInfo(c, 8), code) << c;
        }
    g_byGameStatus = GameStatus::Playing;
    RightClick(Cell(2, 8)); // only while editing
    EXPECT_EQ(doc.GetBoardInfo(2, 8), 114);
}

TEST_F(Board, EditingMovesPiecesFreely)
{
    g_byGameStatus = GameStatus::Editing;
    Drag(Cell(7, 7), Cell(4, 4)); // the rook anywhere
    EXPECT_EQ(doc.GetBoardInfo(4, 4), 117);
    EXPECT_EQ(doc.GetBoardInfo(7, 7), 0);
    Drag(Cell(4, 4), Cell(4, 0)); // onto the other king: refused
    EXPECT_EQ(doc.GetBoardInfo(4, 4), 117);
    EXPECT_EQ(TestBoxes::Count(JC_MSGNotKillWang), 1);
    Drag(Cell(4, 4), Cell(4, 2)); // onto another enemy piece: replaces it
    EXPECT_EQ(doc.GetBoardInfo(4, 2), 117);
    // To a stand and back.
    const QPoint secondStand = board->DaiPos(2) + QPoint(5, 5);
    Drag(Cell(4, 2), secondStand);
    EXPECT_EQ(doc.GetBoardInfo(4, 2), 0);
    EXPECT_EQ(doc.GetSecondPlayer()->GetDaiNum(7), 1);
    Drag(board->DaiKomaCenter(2, 7), Cell(4, 4));
    EXPECT_EQ(doc.GetBoardInfo(4, 4), 127);
    // A king dragged to a stand returns to its square.
    Drag(Cell(4, 8), secondStand);
    EXPECT_EQ(doc.GetBoardInfo(4, 8), 118);
    EXPECT_EQ(doc.GetSecondPlayer()->GetDaiNum(8), 0);
    EXPECT_EQ(doc.GetKiboNum(), 0) << "editing records nothing";
}

TEST_F(Board, RemovalMode)
{
    g_byGameStatus = GameStatus::Removing;
    TestBoxes::answers = {BoxAnswer::Yes};
    Click(Cell(0, 6));
    EXPECT_EQ(doc.GetBoardInfo(0, 6), 0);
    TestBoxes::answers = {BoxAnswer::No};
    Click(Cell(1, 6));
    EXPECT_EQ(doc.GetBoardInfo(1, 6), 111);
    Click(Cell(4, 0));
    EXPECT_EQ(doc.GetBoardInfo(4, 0), 128);
    EXPECT_EQ(TestBoxes::Count(JC_MSGNotKillWang), 1);
    EXPECT_EQ(TestBoxes::Count(JC_IsKill), 2);
}

// An impossible computer move leaves the board usable; a good one is shown
// for a moment, presses ignored meanwhile, then recorded.
TEST_F(Board, ComputerMoveIsShownThenRecordedAndAnImpossibleOneIgnored)
{
    board->SetComputerMoveShowTime(20);
    doc.GetSecondPlayer()->SetProperty(2);
    doc.SetCurPlayer(2);
    board->ComputerMove(4, 4, 4, 5, 1, false);     // from an empty square
    board->ComputerMove(10, 15, 4, 4, 129, false); // a drop of a piece not in hand
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_FALSE(board->IsShowingComputerMove());
    board->ComputerMove(1, 1, 1, 4, 7, false); // the second player's rook
    EXPECT_EQ(g_byGameStatus, GameStatus::ShowingComputerMove);
    Drag(Cell(2, 6), Cell(2, 5));
    EXPECT_EQ(doc.GetBoardInfo(2, 6), 111);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc.GetKiboNum() == 1; }, 2000));
    EXPECT_EQ(doc.GetBoardInfo(1, 4), 127);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(doc.GetCurPlayer(), 1);
    Drag(Cell(2, 6), Cell(2, 5));
    EXPECT_EQ(doc.GetKiboNum(), 2);
}

} // namespace
