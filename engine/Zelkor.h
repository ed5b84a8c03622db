#ifndef KORVANE_ZELKOR_H
#define KORVANE_ZELKOR_H

// The computer opponent. One object for the whole run (g_pZelkor).
class CZelkor
{
public:
    CZelkor();
    ~CZelkor();
};

extern CZelkor *g_pZelkor;

#endif
