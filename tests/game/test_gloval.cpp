#include "Gloval.h"
#include "language.h"

#include <gtest/gtest.h>

TEST(Gloval, NumeralsAndClockTexts)
{
    const char *expected[] = {"一",   "二",   "三",   "四",   "五",   "六",   "七",
                              "八",   "九",   "十",   "十一", "十二", "十三", "十四",
                              "十五", "十六", "十七", "十八", "十九"};
    for (int n = 1; n <= 19; ++n) {
        QString s = "x";
        ConvertJapan(n, s);
        EXPECT_EQ(s, QString::fromUtf8(expected[n - 1])) << n;
    }
    for (int n : {0, 20, -1}) {
        QString s = "unchanged";
        ConvertJapan(n, s);
        EXPECT_EQ(s, "unchanged") << n;
    }
    EXPECT_EQ(GetViewTime(0, 0), "00:00");
    EXPECT_EQ(GetViewTime(9, 59), "09:59");
    EXPECT_EQ(GetViewTime(123, 7), "123:07");
}
