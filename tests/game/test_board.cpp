// Board model, set-ups, orientation, and the texts of numbers and clocks.
#include "docfixture.h"
#include "language.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Board, InitSetsEverySetUpAndClearsTheLastGame)
{
    ShogiDoc doc;
    for (BYTE teai = 0; teai <= 5; ++teai)
        for (bool up : {false, true}) {
            SCOPED_TRACE(testing::Message() << "teai " << int(teai) << " firstUp " << up);
            for (BYTE x = 0; x < 9; ++x)
                for (BYTE y = 0; y < 9; ++y)
                    doc.SetBoardInfo(x, y, 217);
            doc.SetInitBoardInfo();
            doc.GetFirstPlayer()->AddKoma(3);
            doc.GetSecondPlayer()->SetTotalTime(50);
            doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
            doc.SetOte(true);
            doc.SetComputerMoveing(true);
            doc.SetTeai(teai);
            doc.SetFirstUp(up);
            doc.Init();
            const KvnLayout layout = StartLayout(teai, up);
            const DocState s = Capture(doc);
            EXPECT_EQ(std::memcmp(s.board, layout.board, sizeof s.board), 0);
            EXPECT_EQ(std::memcmp(s.init, layout.board, sizeof s.init), 0);
            EXPECT_EQ(s.kiboNum, 0);
            EXPECT_FALSE(doc.GetOte());
            EXPECT_FALSE(doc.IsComputerMoveing());
            EXPECT_EQ(doc.GetCurPlayer(), 1);
            EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(3), 0);
            EXPECT_EQ(doc.GetSecondPlayer()->GetTotalTime(), 0);
        }
}

TEST(Board, OutOfRangeWritesAreIgnored)
{
    // Off-board squares, kinds out of range and player 0 are ignored, not
    // written out of bounds; a hand never goes below zero.
    ShogiDoc doc;
    doc.Init();
    doc.SetBoardInfo(9, 0, 111);
    doc.SetBoardInfo(0, 255, 111);
    EXPECT_EQ(doc.GetBoardInfo(9, 0), 0);
    EXPECT_EQ(doc.GetPlayer(0), nullptr);
    CPlayer &p = *doc.GetFirstPlayer();
    for (BYTE k : {BYTE(0), BYTE(8), BYTE(50), BYTE(255)}) {
        p.AddKoma(k);
        EXPECT_EQ(p.GetDaiNum(k), 0) << int(k);
    }
    p.DelKoma(1);
    EXPECT_EQ(p.GetDaiNum(1), 0);
}

TEST(Board, UpsetBoardMirrorsBoardsAndRecordAndTwiceRestores)
{
    ShogiDoc doc;
    doc.SetTeai(4);
    doc.Init();
    for (const KIBO &m : SixEntries())
        doc.AddKibo(m.sx, m.sy, m.skoma, m.dx, m.dy, m.dkoma, m.koma);
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

    doc.SetFirstUp(false);
    doc.UpsetBoard();
    EXPECT_EQ(Capture(doc), before);
}

TEST(Gloval, NumeralsAndClockTexts)
{
    const struct
    {
        int n;
        const char *text;
    } numerals[] = {{1, "一"}, {9, "九"}, {10, "十"}, {11, "十一"}, {19, "十九"},
                    {0, "x"}, {20, "x"}, {-1, "x"}}; // out of range: left as it was
    for (const auto &r : numerals) {
        QString s = "x";
        ConvertJapan(r.n, s);
        EXPECT_EQ(s, QString::fromUtf8(r.text)) << r.n;
    }
    EXPECT_EQ(GetViewTime(0, 0), "00:00");
    EXPECT_EQ(GetViewTime(9, 59), "09:59");
    EXPECT_EQ(GetViewTime(123, 7), "123:07");
}
