#include "cplayer.h"
#include "shogidoc.h"

#include <gtest/gtest.h>

TEST(CPlayer, HandCountsByKind)
{
    ShogiDoc doc;
    EXPECT_EQ(doc.GetPlayer(0), nullptr);
    EXPECT_EQ(doc.GetPlayer(2), doc.GetSecondPlayer());
    CPlayer &p = *doc.GetFirstPlayer();
    for (BYTE k = 1; k <= 7; ++k)
        for (int i = 0; i < k; ++i)
            p.AddKoma(k);
    p.DelKoma(6);
    // The resignation marker's kind, the king and other codes change nothing.
    for (BYTE k : {BYTE(0), BYTE(8), BYTE(9), BYTE(50), BYTE(255)}) {
        p.AddKoma(k);
        p.DelKoma(k);
        EXPECT_EQ(p.GetDaiNum(k), 0);
    }
    for (BYTE k = 1; k <= 7; ++k)
        EXPECT_EQ(p.GetDaiNum(k), k == 6 ? 5 : k);
    CPlayer &q = *doc.GetSecondPlayer();
    q.DelKoma(1); // never below zero
    EXPECT_EQ(q.GetDaiNum(1), 0);
}

TEST(CPlayer, InitAndStartingHandCopies)
{
    ShogiDoc doc;
    CPlayer &p = *doc.GetFirstPlayer();
    p.AddKoma(1);
    p.AddKoma(1);
    p.AddKoma(7);
    p.SetDaiAsFirst();
    EXPECT_EQ(p.GetDaiNumF(1), 2);
    EXPECT_EQ(p.GetDaiNumF(7), 1);
    p.SetTotalTime(99);
    p.SetProperty(2);
    p.Init();
    for (BYTE k = 1; k <= 7; ++k)
        EXPECT_EQ(p.GetDaiNum(k) + p.GetDaiNumF(k), 0);
    EXPECT_EQ(p.GetTotalTime(), 0);
    EXPECT_EQ(p.GetProperty(), 2); // not part of Init
    p.SetDaiNumF(4, 3);
    p.SetDaiFromFirst();
    EXPECT_EQ(p.GetDaiNum(4), 3);
}
