// Mechanics shared by the strategic candidate generators (candis3.cpp,
// candis4.cpp): bounded candidate blocks, ordering and list helpers. The
// side a generator works for is a Side<Com> (side.h).
#ifndef KORVANE_CANDIS3_H
#define KORVANE_CANDIS3_H

#include "Zelkor.h"
#include "ZelkorUtil.h"
#include "side.h"

#include <initializer_list>

namespace candis3 {

using zelkor::Abs;
using zelkor::SameMove;

using zelkor::kDrop;
using zelkor::Side;
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
