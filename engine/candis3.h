// Mechanics shared by the strategic candidate generators (candis3.cpp,
// candis4.cpp). Each generator is written once in the computer's view and
// instantiated for both sides: Side<true> generates for Com, Side<false> for
// Man. In Side<false>, Rel() turns a square into the same square seen from
// Com (the point reflection 170 - s) and Step() negates a step, so a test
// written for Com ("s >= 0x71", "s + 16") reads Rel(s) >= 0x71, s + Step(16).
#ifndef KORVANE_CANDIS3_H
#define KORVANE_CANDIS3_H

#include "Zelkor.h"
#include "ZelkorUtil.h"

#include <initializer_list>

namespace candis3 {

using zelkor::Abs;
using zelkor::SameMove;

using zelkor::kDrop;
constexpr int kAreaSize = ZelkorCore::kCandiArea;

inline bool OnBoard(int s)
{
    return zelkor::IsPlayingSquare(s);
}

// A block of candidates that never runs past the end of the candidate area.
class Out
{
public:
    Out(CANDI_MOVE *begin, const CANDI_MOVE *areaEnd)
        : m_begin(begin), m_room(static_cast<int>(areaEnd - begin))
    {
        if (m_room < 0)
            m_room = 0;
    }

    int Count() const { return m_n; }
    CANDI_MOVE *Begin() const { return m_begin; }
    CANDI_MOVE *Next() const { return m_begin + m_n; }
    CANDI_MOVE &operator[](int i) const { return m_begin[i]; }

    bool Add(int src, int dst, int kind, int naru, int score, int temp1 = 0)
    {
        if (m_n >= m_room)
            return false;
        m_begin[m_n++] = CANDI_MOVE{src, dst, kind, naru, temp1, score};
        return true;
    }
    // Keeps at most cap of the entries a sub-generator wrote at Next().
    void Take(int written, int cap = kAreaSize)
    {
        int n = written < cap ? written : cap;
        if (n > m_room - m_n)
            n = m_room - m_n;
        if (n > 0)
            m_n += n;
    }
    void Truncate(int n)
    {
        if (n < m_n)
            m_n = n;
    }
    bool Contains(const CANDI_MOVE &m) const
    {
        for (int i = 0; i < m_n; i++)
            if (SameMove(m_begin[i], m))
                return true;
        return false;
    }

private:
    CANDI_MOVE *m_begin;
    int m_room;
    int m_n = 0;
};

// The area's bound is the one every generator keeps (ZelkorCore::PutCandi).
inline CANDI_MOVE *AreaEnd(ZelkorCore &z)
{
    return z.CandiEnd();
}

// Start of row d of the candidate area, or its end when the row lies outside.
inline CANDI_MOVE *RowStart(ZelkorCore &z, int d)
{
    return z.CandiRow(d);
}

// The write position of a pointer-to-count generator: row m_nDepth, index *pn.
inline Out RowOut(ZelkorCore &z, const int *pnCount)
{
    CANDI_MOVE *end = AreaEnd(z);
    CANDI_MOVE *row = RowStart(z, z.m_nDepth);
    int room = static_cast<int>(end - row);
    if (*pnCount < 0 || *pnCount >= room)
        return Out(end, end);
    return Out(row + *pnCount, end);
}

inline int Remain(const ZelkorCore &z)
{
    return z.m_nMinTagDepth - z.m_nDepth;
}

// The cap written "2/4": 2 near the horizon, else 4.
inline int Cap24(const ZelkorCore &z)
{
    return Remain(z) < 3 ? 2 : 4;
}

enum class Order
{
    ScoreDesc,
    Temp1Asc,
    Temp1Desc
};

inline bool Before(const CANDI_MOVE &a, const CANDI_MOVE &b, Order o)
{
    switch (o) {
    case Order::ScoreDesc:
        return a.nScore > b.nScore;
    case Order::Temp1Asc:
        return a.nTemp1 < b.nTemp1;
    case Order::Temp1Desc:
        return a.nTemp1 > b.nTemp1;
    }
    return false;
}

// Fills the first k positions by selection (earliest on ties, whole entries
// swapped) when more than k were written; returns the number kept.
inline int KeepBest(CANDI_MOVE *p, int n, int k, Order o)
{
    if (n <= k)
        return n;
    if (k < 0)
        k = 0;
    for (int i = 0; i < k; i++) {
        int b = i;
        for (int j = i + 1; j < n; j++)
            if (Before(p[j], p[b], o))
                b = j;
        if (b != i) {
            CANDI_MOVE t = p[i];
            p[i] = p[b];
            p[b] = t;
        }
    }
    return k;
}

// Swaps the best-scored entry (first on ties) with the first; nTemp1 stays.
inline void BestToFront(CANDI_MOVE *p, int n)
{
    if (n < 2)
        return;
    int b = 0;
    for (int i = 1; i < n; i++)
        if (p[i].nScore > p[b].nScore)
            b = i;
    if (b == 0)
        return;
    CANDI_MOVE a = p[0];
    p[0] = CANDI_MOVE{p[b].nSrcPos, p[b].nDstPos, p[b].nKind, p[b].nNaru, a.nTemp1, p[b].nScore};
    p[b] = CANDI_MOVE{a.nSrcPos, a.nDstPos, a.nKind, a.nNaru, p[b].nTemp1, a.nScore};
}

// Lance, bishop, rook, horse or dragon of either side.
inline bool IsLinePiece(int code)
{
    return (code & 15) == 2 || (code & 7) >= 6;
}

// The side a generator works for and the engine services of that side.
template <bool Com> struct Side
{
    static int Rel(int s) { return Com ? s : 170 - s; }
    static int Step(int d) { return Com ? d : -d; }
    static int Code(int k) { return Com ? (k | 0x80) : k; }
    static int OppCode(int k) { return Com ? k : (k | 0x80); }
    static bool Own(int c) { return Com ? (c > 128 && c < zelkor::kFrame) : (c > 0 && c < 128); }
    static bool Opp(int c) { return Com ? (c > 0 && c < 128) : (c > 128 && c < zelkor::kFrame); }
    static bool Zone(int s) { return Rel(s) >= 0x71; }
    static constexpr int kKingUni = Com ? 2 : 1;
    static constexpr int kOppKingUni = Com ? 1 : 2;

    static int Mine(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbComKomas[s] : z.m_nPsbManKomas[s];
    }
    static int Theirs(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbManKomas[s] : z.m_nPsbComKomas[s];
    }
    static const int *MyList(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbComKoma[s] : z.m_nPsbManKoma[s];
    }
    static const int *TheirList(const ZelkorCore &z, int s)
    {
        return Com ? z.m_nPsbManKoma[s] : z.m_nPsbComKoma[s];
    }
    static int Held(const ZelkorCore &z, int k) { return Com ? z.m_nCaptByCom[k] : z.m_nCaptByMan[k]; }
    static int TheirHeld(const ZelkorCore &z, int k)
    {
        return Com ? z.m_nCaptByMan[k] : z.m_nCaptByCom[k];
    }
    static int King(const ZelkorCore &z) { return z.m_komaUni[kKingUni].nPos; }
    static int OppKing(const ZelkorCore &z) { return z.m_komaUni[kOppKingUni].nPos; }
    static bool Nihu(ZelkorCore &z, int s) { return Com ? z.CheckComNihu(s) : z.CheckManNihu(s); }
    static bool TheirNihu(ZelkorCore &z, int s) { return Com ? z.CheckManNihu(s) : z.CheckComNihu(s); }

    // The destination of a drop of kind k is allowed for this side's pieces.
    static bool DropRowOk(int k, int s) { return k > 3 || Rel(s) < (k == 3 ? 0x81 : 0x91); }

    static int ProfitUtsu(ZelkorCore &z, int code, int s)
    {
        return Com ? z.ProfitOnComUtsu(code, s) : z.ProfitOnManUtsu(code, s);
    }
    static int ProfitMove(ZelkorCore &z, int src, int dst)
    {
        return Com ? z.ProfitOnComMove(src, dst) : z.ProfitOnManMove(src, dst);
    }
    // The opponent's best immediate capture (value, square).
    static int TheirSurface(ZelkorCore &z, int *pnPos)
    {
        return Com ? z.SearchSurfaceByMan(pnPos) : z.SearchSurfaceByCom(pnPos);
    }
    static int TheirCheapest(ZelkorCore &z, int s)
    {
        return Com ? z.GetMinWeightManKoma(s) : z.GetMinWeightComKoma(s);
    }

    static int UsePointed(ZelkorCore &z, int all, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_UsePointedKoma(all, s, p) : z.GMCM_UsePointedKoma(all, s, p);
    }
    static int SelectUsePointed(ZelkorCore &z, int n, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_SelectUsePointedKoma(n, s, p) : z.GMCM_SelectUsePointedKoma(n, s, p);
    }
    static int Toru(ZelkorCore &z, int s, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_ToruOnPreMoveOfEnemy(s, p) : z.GMCM_ToruOnPreMoveOfEnemy(s, p);
    }
    static int TheirToru(ZelkorCore &z, int s, CANDI_MOVE *p)
    {
        return Com ? z.GMCM_ToruOnPreMoveOfEnemy(s, p) : z.GCCM_ToruOnPreMoveOfEnemy(s, p);
    }
    static int BreakOff(ZelkorCore &z, bool all, int from, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_BreakOffShaKaku(all, from, t, p)
                   : z.GMCM_BreakOffShaKaku(all, from, t, p);
    }
    static int DestPointed(ZelkorCore &z, int mode, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_DestPointedPos(mode, t, p) : z.GMCM_DestPointedPos(mode, t, p);
    }
    static int Demand(ZelkorCore &z, int p1, int p2, int t, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_DemandManKoma(p1, p2, t, p) : z.GMCM_DemandComKoma(p1, p2, t, p);
    }
    static int DemandTwo(ZelkorCore &z, CANDI_MOVE *p)
    {
        return Com ? z.GCCM_UtsuDemandTwo(p) : z.GMCM_UtsuDemandTwo(p);
    }
    static void ToruOrNaru(ZelkorCore &z, int quota, int *pn)
    {
        Com ? z.GCCM_ToruOrNaru(quota, pn) : z.GMCM_ToruOrNaru(quota, pn);
    }
    static void Threat(ZelkorCore &z, int quota, int *pn)
    {
        Com ? z.GCCM_ThreatManKoma(quota, pn) : z.GMCM_ThreatComKoma(quota, pn);
    }
    static int Attract(ZelkorCore &z, int nBase, int s)
    {
        return Com ? z.ProfitOnAttractMan(nBase, s) : z.ProfitOnAttractCom(nBase, s);
    }
};

// Copies the direct (non x-ray) entries of a list: trial moves made by a
// sub-generator may reorder the lists while the caller walks them.
inline int DirectEntries(const int *list, int count, int *out)
{
    int n = 0;
    for (int i = 0; i < count; i++)
        if (list[i] < zelkor::kXray)
            out[n++] = list[i];
    return n;
}

// Whether piece u attacks s directly.
inline bool IsDirectAttacker(const int *list, int count, int u)
{
    for (int i = 0; i < count; i++)
        if (list[i] == u)
            return true;
    return false;
}

} // namespace candis3

#endif
