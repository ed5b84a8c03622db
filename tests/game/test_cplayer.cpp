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

