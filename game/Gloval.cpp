#include "Gloval.h"

#include "language.h"

BYTE GetKomaProperty(BYTE pk)
{
    return pk / 100;
}

BYTE GetWhoseKoma(BYTE pk)
{
    return (pk - 100 * GetKomaProperty(pk)) / 10;
}

BYTE GetKomaSort(BYTE pk)
{
    return pk - 100 * GetKomaProperty(pk) - 10 * GetWhoseKoma(pk);
}

BYTE MakePhysicsKoma(BYTE s, BYTE k, BYTE p)
{
    return 10 * k + 100 * p + s;
}

BYTE MakePhysicsPos(BYTE x, BYTE y)
{
    return 10 * x + y;
}

void ConvertJapan(int n, QString &s)
{
    static const char *const numerals[] = {
        JC_Num1,  JC_Num2,  JC_Num3,  JC_Num4,  JC_Num5,  JC_Num6,  JC_Num7,
        JC_Num8,  JC_Num9,  JC_Num10, JC_Num11, JC_Num12, JC_Num13, JC_Num14,
        JC_Num15, JC_Num16, JC_Num17, JC_Num18, JC_Num19,
    };
    if (n >= 1 && n <= 19)
        s = JStr(numerals[n - 1]);
}

namespace {
QString TwoDigits(int n)
{
    QString t = QString::asprintf("%d", n);
    if (t.length() == 1)
        t.prepend(QLatin1Char('0'));
    return t;
}
} // namespace

QString GetViewTime(int minute, int second)
{
    return TwoDigits(minute) + QLatin1Char(':') + TwoDigits(second);
}
