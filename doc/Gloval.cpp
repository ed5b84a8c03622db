#include "Gloval.h"

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
