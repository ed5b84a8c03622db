#include "Gloval.h"

#include <gtest/gtest.h>

TEST(Gloval, PieceCodesRoundTrip)
{
    for (int p = 1; p <= 2; ++p)
        for (int k = 1; k <= 2; ++k)
            for (int s = 1; s <= 8; ++s) {
                BYTE code = MakePhysicsKoma(s, k, p);
                EXPECT_EQ(GetKomaSort(code), s);
                EXPECT_EQ(GetWhoseKoma(code), k);
                EXPECT_EQ(GetKomaProperty(code), p);
            }
    EXPECT_EQ(MakePhysicsKoma(6, 2, 2), 226);
    EXPECT_EQ(GetWhoseKoma(50), 5);
    EXPECT_EQ(GetKomaSort(50), 0);
    EXPECT_EQ(MakePhysicsPos(8, 3), 83);
}
