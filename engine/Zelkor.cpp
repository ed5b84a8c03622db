#include "Zelkor.h"

CZelkor::CZelkor() : m_hEndEvent(0), m_hKillEvent(0), m_nGameStatus(1), m_pResult(nullptr) {}

CZelkor::~CZelkor()
{
    m_hKillEvent = 0;
    m_hEndEvent = 0;
}

bool CZelkor::InitInstance()
{
    return true;
}

int CZelkor::ExitInstance()
{
    return 0;
}

CZelkor *g_pZelkor = new CZelkor;
