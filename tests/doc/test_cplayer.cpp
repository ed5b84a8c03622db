#include "cplayer.h"
#include "shogidoc.h"

#include <gtest/gtest.h>

TEST(CPlayer, DocumentOwnsTwoPlayers)
{
    ShogiDoc doc;
    ASSERT_NE(doc.GetFirstPlayer(), nullptr);
    ASSERT_NE(doc.GetSecondPlayer(), nullptr);
    EXPECT_EQ(doc.GetFirstPlayer()->GetOrderProperty(), 1);
    EXPECT_EQ(doc.GetSecondPlayer()->GetOrderProperty(), 2);
    EXPECT_EQ(doc.GetFirstPlayer()->parent(), &doc);
    EXPECT_EQ(doc.GetSecondPlayer()->doc, &doc);
    EXPECT_EQ(doc.GetPlayer(1), doc.GetFirstPlayer());
    EXPECT_EQ(doc.GetPlayer(2), doc.GetSecondPlayer());
    EXPECT_EQ(doc.GetPlayer(5), nullptr);
    EXPECT_EQ(doc.GetPlayer(0), nullptr);
}

TEST(CPlayer, AddDelKomaByKind)
{
    ShogiDoc doc;
    CPlayer &p = *doc.GetFirstPlayer();
    for (BYTE k = 1; k <= 7; ++k) {
        for (int i = 0; i < k; ++i)
            p.AddKoma(k);
    }
    for (BYTE k = 1; k <= 7; ++k)
        EXPECT_EQ(p.GetDaiNum(k), k);
    EXPECT_EQ(p.m_byBO, 1);
    EXPECT_EQ(p.m_byHYANG, 2);
    EXPECT_EQ(p.m_byGYOE, 3);
    EXPECT_EQ(p.m_byUN, 4);
    EXPECT_EQ(p.m_byGUM, 5);
    EXPECT_EQ(p.m_byGAK, 6);
    EXPECT_EQ(p.m_byBI, 7);
    p.DelKoma(6);
    EXPECT_EQ(p.GetDaiNum(6), 5);
    // Kind 0 (the resignation marker's kind), king and others change nothing.
    for (BYTE k : {BYTE(0), BYTE(8), BYTE(9), BYTE(50), BYTE(255)}) {
        p.AddKoma(k);
        p.DelKoma(k);
        EXPECT_EQ(p.GetDaiNum(k), 0);
    }
    p.AddKoma(GetKomaSort(50));
    for (BYTE k = 1; k <= 7; ++k)
        EXPECT_EQ(p.GetDaiNum(k), k == 6 ? 5 : k);
    // Never below zero.
    CPlayer &q = *doc.GetSecondPlayer();
    q.DelKoma(1);
    EXPECT_EQ(q.GetDaiNum(1), 0);
}

TEST(CPlayer, InitClearsBothHandsAndClock)
{
    ShogiDoc doc;
    CPlayer &p = *doc.GetSecondPlayer();
    p.AddKoma(3);
    p.SetDaiNumF(7, 2);
    p.SetTotalTime(99);
    p.SetProperty(2);
    p.Init();
    for (BYTE k = 1; k <= 7; ++k) {
        EXPECT_EQ(p.GetDaiNum(k), 0);
        EXPECT_EQ(p.GetDaiNumF(k), 0);
    }
    EXPECT_EQ(p.GetTotalTime(), 0);
    EXPECT_EQ(p.GetProperty(), 2); // not part of Init
}

TEST(CPlayer, StartingHandCopies)
{
    ShogiDoc doc;
    CPlayer &p = *doc.GetFirstPlayer();
    p.AddKoma(1);
    p.AddKoma(1);
    p.AddKoma(7);
    p.SetDaiAsFirst();
    EXPECT_EQ(p.m_byBOF, 2);
    EXPECT_EQ(p.m_byBIF, 1);
    p.Init();
    p.SetDaiNumF(4, 3);
    p.SetDaiFromFirst();
    EXPECT_EQ(p.GetDaiNum(4), 3);
    EXPECT_EQ(p.GetDaiNum(1), 0);
}
