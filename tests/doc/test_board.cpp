// Part 1.1: board model, set-ups, orientation.
#include "docfixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void ExpectBoardIs(const ShogiDoc &doc, const BYTE (&b)[9][9], bool init)
{
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            EXPECT_EQ(init ? doc.GetInitBoardInfo(x, y) : doc.GetBoardInfo(x, y), b[x][y])
                << "square (" << int(x) << ", " << int(y) << ")";
}

} // namespace

TEST(Board, ConstructorDefaults)
{
    ShogiDoc doc;
    EXPECT_FALSE(doc.GetFirstUp());
    EXPECT_TRUE(doc.IsMustWait());
    EXPECT_EQ(doc.GetKiboNum(), 0);
    EXPECT_EQ(doc.GetFirstPlayer()->GetOrderProperty(), 1);
    EXPECT_EQ(doc.GetSecondPlayer()->GetOrderProperty(), 2);
}

TEST(Board, EvenGameWithFirstPlayerAtTheBottom)
{
    ShogiDoc doc;
    doc.Init();
    const BYTE row0[9] = {122, 123, 124, 125, 128, 125, 124, 123, 122};
    const BYTE row8[9] = {112, 113, 114, 115, 118, 115, 114, 113, 112};
    for (BYTE x = 0; x < 9; ++x) {
        EXPECT_EQ(doc.GetBoardInfo(x, 0), row0[x]);
        EXPECT_EQ(doc.GetBoardInfo(x, 2), 121);
        EXPECT_EQ(doc.GetBoardInfo(x, 6), 111);
        EXPECT_EQ(doc.GetBoardInfo(x, 8), row8[x]);
        for (BYTE y = 3; y <= 5; ++y)
            EXPECT_EQ(doc.GetBoardInfo(x, y), 0);
        if (x != 1 && x != 7) {
            EXPECT_EQ(doc.GetBoardInfo(x, 1), 0);
            EXPECT_EQ(doc.GetBoardInfo(x, 7), 0);
        }
    }
    EXPECT_EQ(doc.GetBoardInfo(1, 1), 127);
    EXPECT_EQ(doc.GetBoardInfo(7, 1), 126);
    EXPECT_EQ(doc.GetBoardInfo(1, 7), 116);
    EXPECT_EQ(doc.GetBoardInfo(7, 7), 117);
    EXPECT_EQ(doc.GetCurPlayer(), 1);
}

TEST(Board, EverySetUpInBothOrientations)
{
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true}) {
            SCOPED_TRACE(testing::Message() << "teai " << int(teai) << " firstUp " << up);
            ShogiDoc doc;
            doc.SetTeai(teai);
            doc.SetFirstUp(up);
            doc.Init();
            const KvnSpec spec = StartSpec(teai, up);
            ExpectBoardIs(doc, spec.board, false);
            ExpectBoardIs(doc, spec.board, true);
        }
}

TEST(Board, HandicapSquares)
{
    // (teai, firstUp) -> squares emptied; the listed survivors hold their piece.
    struct Case
    {
        BYTE teai;
        bool up;
        std::vector<std::pair<int, int>> empty;
        std::vector<std::tuple<int, int, int>> kept;
    };
    const Case cases[] = {
        {0, false, {}, {{0, 8, 112}, {1, 7, 116}, {7, 7, 117}}},
        {1, false, {{0, 8}}, {{8, 8, 112}, {1, 7, 116}, {7, 7, 117}}},
        {2, false, {{1, 7}}, {{0, 8, 112}, {7, 7, 117}}},
        {3, false, {{7, 7}}, {{0, 8, 112}, {1, 7, 116}}},
        {4, false, {{7, 7}, {0, 8}}, {{1, 7, 116}, {8, 8, 112}}},
        {5, false, {{7, 7}, {1, 7}}, {{0, 8, 112}, {8, 8, 112}}},
        {0, true, {}, {{8, 0, 112}, {7, 1, 116}, {1, 1, 117}}},
        {1, true, {{8, 0}}, {{0, 0, 112}, {7, 1, 116}, {1, 1, 117}}},
        {2, true, {{7, 1}}, {{8, 0, 112}, {1, 1, 117}}},
        {3, true, {{1, 1}}, {{8, 0, 112}, {7, 1, 116}}},
        {4, true, {{1, 1}, {8, 0}}, {{7, 1, 116}, {0, 0, 112}}},
        {5, true, {{1, 1}, {7, 1}}, {{8, 0, 112}, {0, 0, 112}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "teai " << int(c.teai) << " up " << c.up);
        ShogiDoc doc;
        doc.SetTeai(c.teai);
        doc.SetFirstUp(c.up);
        doc.Init();
        for (auto [x, y] : c.empty) {
            EXPECT_EQ(doc.GetBoardInfo(x, y), 0);
            EXPECT_EQ(doc.GetInitBoardInfo(x, y), 0);
        }
        for (auto [x, y, v] : c.kept)
            EXPECT_EQ(doc.GetBoardInfo(x, y), v);
        // The second player is never touched.
        int second = 0;
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y)
                second += GetWhoseKoma(doc.GetBoardInfo(x, y)) == 2;
        EXPECT_EQ(second, 20);
    }
}

TEST(Board, InitOverwritesEverySquareAndClearsTheGame)
{
    ShogiDoc doc;
    doc.Init();
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            doc.SetBoardInfo(x, y, 217);
    doc.SetInitBoardInfo();
    doc.GetFirstPlayer()->AddKoma(3);
    doc.GetSecondPlayer()->SetTotalTime(50);
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.SetOte(true);
    doc.SetComputerMoveing(true);
    doc.SetTeai(5);
    doc.Init();
    const KvnSpec spec = StartSpec(5, false);
    ExpectBoardIs(doc, spec.board, false);
    ExpectBoardIs(doc, spec.board, true);
    EXPECT_EQ(doc.GetKiboNum(), 0);
    EXPECT_TRUE(doc.GetKibo()->isEmpty());
    EXPECT_FALSE(doc.GetOte());
    EXPECT_FALSE(doc.IsComputerMoveing());
    EXPECT_EQ(doc.GetCurPlayer(), 1);
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(3), 0);
    EXPECT_EQ(doc.GetSecondPlayer()->GetTotalTime(), 0);
}

TEST(Board, InitBoardInfoLeavesHandsAlone)
{
    ShogiDoc doc;
    doc.GetFirstPlayer()->AddKoma(2);
    doc.InitBoardInfo();
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(2), 1);
}

TEST(Board, IsAddXYAndUpset)
{
    ShogiDoc doc;
    EXPECT_FALSE(doc.IsAddXY(1));
    EXPECT_TRUE(doc.IsAddXY(2));
    doc.SetFirstUp(true);
    EXPECT_TRUE(doc.IsAddXY(1));
    EXPECT_FALSE(doc.IsAddXY(2));
    EXPECT_EQ(ShogiDoc::UpsetX(0), 8);
    EXPECT_EQ(ShogiDoc::UpsetY(3), 5);
    EXPECT_EQ(ShogiDoc::UpsetX(4), 4);
}

TEST(Board, SetDelAndInitCopy)
{
    ShogiDoc doc;
    doc.Init();
    doc.SetBoardInfo(4, 4, 226);
    EXPECT_EQ(doc.GetBoardInfo(4, 4), 226);
    EXPECT_EQ(doc.GetInitBoardInfo(4, 4), 0);
    doc.DelBoardInfo(4, 8);
    EXPECT_EQ(doc.GetBoardInfo(4, 8), 0);
    EXPECT_EQ(doc.GetInitBoardInfo(4, 8), 118);
    doc.SetInitBoardInfo();
    EXPECT_EQ(doc.GetInitBoardInfo(4, 4), 226);
    EXPECT_EQ(doc.GetInitBoardInfo(4, 8), 0);
    // Off-board coordinates are ignored, not written out of bounds.
    doc.SetBoardInfo(9, 0, 111);
    doc.SetBoardInfo(0, 255, 111);
    EXPECT_EQ(doc.GetBoardInfo(9, 0), 0);
}

TEST(Board, UpsetBoardMirrorsBoardsAndRecordAndTwiceRestores)
{
    ShogiDoc doc;
    doc.SetTeai(4);
    doc.Init();
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.AddKibo(6, 2, 121, 6, 3, 0, 121);
    doc.AddKibo(1, 7, 116, 7, 1, 126, 216);
    doc.AddKibo(6, 0, 124, 7, 1, 216, 124);
    doc.AddKibo(10, 10, 116, 4, 4, 0, 116);
    doc.AddKibo(50, 50, 50, 50, 50, 50, 50);
    const DocState before = Capture(doc);

    doc.SetFirstUp(true);
    doc.UpsetBoard();
    const DocState turned = Capture(doc);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) {
            EXPECT_EQ(turned.board[8 - x][8 - y], before.board[x][y]);
            EXPECT_EQ(turned.init[8 - x][8 - y], before.init[x][y]);
        }
    const QVector<KIBO> &k = turned.kibo;
    EXPECT_EQ(k[0], Kibo(6, 2, 111, 6, 3, 0, 111));
    EXPECT_EQ(k[2], Kibo(7, 1, 116, 1, 7, 126, 216));
    EXPECT_EQ(k[4], Kibo(10, 10, 116, 4, 4, 0, 116)); // drop keeps column 10
    EXPECT_TRUE(IsResignKibo(k[5]));
    // Codes do not change; forward is now the other way.
    EXPECT_EQ(doc.GetBoardInfo(6, 3), 111);
    EXPECT_TRUE(doc.IsAddXY(1));

    doc.SetFirstUp(false);
    doc.UpsetBoard();
    EXPECT_EQ(Capture(doc), before);
}

TEST(Board, UpsetBoardTouchesOnlyEntriesInUse)
{
    ShogiDoc doc;
    doc.Init();
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.AddKibo(6, 2, 121, 6, 3, 0, 121);
    doc.RetractKibo(1); // array still holds 2, one in use
    doc.UpsetBoard();
    EXPECT_EQ(doc.GetKibo()->at(0), Kibo(6, 2, 111, 6, 3, 0, 111));
    EXPECT_EQ(doc.GetKibo()->at(1), Kibo(6, 2, 121, 6, 3, 0, 121));
}

TEST(Board, ViewList)
{
    ShogiDoc doc;
    auto *v = reinterpret_cast<ShogiView *>(0x1000);
    doc.addView(v);
    doc.addView(v);
    EXPECT_EQ(ShogiDoc::GetViewList().count(v), 1);
    doc.removeView(v);
    EXPECT_FALSE(ShogiDoc::GetViewList().contains(v));
}
