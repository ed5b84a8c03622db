#include "cplayer.h"

#include "shogidoc.h"

CPlayer::CPlayer(ShogiDoc *pDoc, BYTE order) : QObject(pDoc), m_byOrderProperty(order), doc(pDoc) {}

CPlayer::~CPlayer() = default;

BYTE *CPlayer::Dai(BYTE kind)
{
    switch (kind) {
    case 1:
        return &m_byBO;
    case 2:
        return &m_byHYANG;
    case 3:
        return &m_byGYOE;
    case 4:
        return &m_byUN;
    case 5:
        return &m_byGUM;
    case 6:
        return &m_byGAK;
    case 7:
        return &m_byBI;
    default:
        return nullptr;
    }
}

BYTE *CPlayer::DaiF(BYTE kind)
{
    switch (kind) {
    case 1:
        return &m_byBOF;
    case 2:
        return &m_byHYANGF;
    case 3:
        return &m_byGYOEF;
    case 4:
        return &m_byUNF;
    case 5:
        return &m_byGUMF;
    case 6:
        return &m_byGAKF;
    case 7:
        return &m_byBIF;
    default:
        return nullptr;
    }
}

BYTE CPlayer::GetDaiNum(BYTE kind) const
{
    const BYTE *p = const_cast<CPlayer *>(this)->Dai(kind);
    return p ? *p : 0;
}

void CPlayer::AddKoma(BYTE kind)
{
    if (BYTE *p = Dai(kind); p && *p < 255)
        ++*p;
}

void CPlayer::DelKoma(BYTE kind)
{
    if (BYTE *p = Dai(kind); p && *p > 0)
        --*p;
}

void CPlayer::Init()
{
    for (BYTE k = 1; k <= 7; ++k) {
        *Dai(k) = 0;
        *DaiF(k) = 0;
    }
    m_nTotalTime = 0;
}

void CPlayer::SetDaiNum(BYTE kind, BYTE n)
{
    if (BYTE *p = Dai(kind))
        *p = n;
}

BYTE CPlayer::GetDaiNumF(BYTE kind) const
{
    const BYTE *p = const_cast<CPlayer *>(this)->DaiF(kind);
    return p ? *p : 0;
}

void CPlayer::SetDaiNumF(BYTE kind, BYTE n)
{
    if (BYTE *p = DaiF(kind))
        *p = n;
}

void CPlayer::SetDaiAsFirst()
{
    for (BYTE k = 1; k <= 7; ++k)
        *DaiF(k) = *Dai(k);
}

void CPlayer::SetDaiFromFirst()
{
    for (BYTE k = 1; k <= 7; ++k)
        *Dai(k) = *DaiF(k);
}
