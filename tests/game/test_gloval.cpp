#include "Gloval.h"
#include "language.h"

#include <gtest/gtest.h>

TEST(Gloval, NumeralsAndClockTexts)
{
    const struct
    {
        int n;
        const char *text;
    } numerals[] = {{1, "一"}, {9, "九"}, {10, "十"}, {11, "十一"}, {19, "十九"}};
    for (const auto &r : numerals) {
        QString s = "x";
        ConvertJapan(r.n, s);
        EXPECT_EQ(s, QString::fromUtf8(r.text)) << r.n;
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
