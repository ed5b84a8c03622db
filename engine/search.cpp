// Surface search: a one-move static estimate of the best material gain the
// side to move can make at once, by a swap-off count or a promotion.
#include "Zelkor.h"
#include "side.h"

#include <algorithm>

using namespace zelkor;

namespace {

} // namespace

int ZelkorCore::SearchSurfaceByCom(int *pnPos)
{
    return SearchSurface<true>(pnPos);
}

int ZelkorCore::SearchSurfaceByMan(int *pnPos)
{
    return SearchSurface<false>(pnPos);
}

// Com: Com to move, capturing Man pieces; the Man twin mirrors every side.
template <bool Com> int ZelkorCore::SearchSurface(int *pnPos)
{
    const int(*own)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    const int *nOwn = Com ? m_nPsbComKomas : m_nPsbManKomas;
    const int *nFoe = Com ? m_nPsbManKomas : m_nPsbComKomas;

    const int nKing = m_komaUni[Com ? 1 : 2].nPos;
    if (nOwn[nKing] > 0) {
        *pnPos = nKing;
        return kMateScore;
    }

    int best = 0;
    for (int u = 3; u <= 40; u++) {
        const int c = m_komaUni[u].nKind;
        if (c == 0 || (c > 128) == Com)
            continue;
        const int s = m_komaUni[u].nPos;
        int g = kWeight2[c & 15];
        if (nOwn[s] == 0 || g + kAddWeightOnNaru[1] <= best)
            continue;
        if (nFoe[s] == 0) {
            const int a = Com ? GetMinWeightComKoma(s) : GetMinWeightManKoma(s);
            if (Side<Com>::Zone(m_komaUni[a].nPos) || Side<Com>::Zone(s))
                g += UniNaruBonus(a);
            if (g > best) {
                best = g;
                *pnPos = s;
                if (u < 23) // pieces come in value order: the first free non-pawn wins
                    return g;
            }
            continue;
        }
        if (nOwn[s] == 1) {
            g -= UniWeight2(own[s][0] & ~kXray);
            if (g > 0) {
                const int d = Com ? GetMinWeightManKoma(s) : GetMinWeightComKoma(s);
                if (Side<!Com>::Zone(m_komaUni[d].nPos) || Side<!Com>::Zone(s))
                    g -= UniNaruBonus(d);
            }
        } else {
            SortPsbKomasByWeight(s);
            g = SwapOff<Com>(s, g);
        }
        if (g > best) {
            best = g;
            *pnPos = s;
        }
    }
    return PromotionThreat<Com>(pnPos, best);
}

// Both sides take on nPos in turn, cheapest first (lists already sorted), and
// each may stop when going on would lose; nVictim is the first piece's value.
template <bool Com> int ZelkorCore::SwapOff(int nPos, int nVictim) const
{
    const int(*own)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    const int(*foe)[32] = Com ? m_nPsbManKoma : m_nPsbComKoma;
    const int nOwn = Com ? m_nPsbComKomas[nPos] : m_nPsbManKomas[nPos];
    const int nFoe = Com ? m_nPsbManKomas[nPos] : m_nPsbComKomas[nPos];

    int gains[2 * 32 + 2]; // gains[i]: running gain after the i-th capture
    int gain = 0, last = 0, io = 0, jf = 0;
    for (;;) {
        gain += nVictim;
        const int a = own[nPos][io++] & ~kXray;
        const bool bNaru = Side<Com>::Zone(m_komaUni[a].nPos) || Side<Com>::Zone(nPos);
        gains[++last] = gain + (bNaru ? UniNaruBonus(a) : 0);
        if (jf >= nFoe)
            break;
        gain -= UniWeight2(a);
        const int d = foe[nPos][jf++] & ~kXray;
        const bool bFoeNaru = Side<!Com>::Zone(m_komaUni[d].nPos) || Side<!Com>::Zone(nPos);
        gains[++last] = gain - (bFoeNaru ? UniNaruBonus(d) : 0);
        nVictim = UniWeight2(d);
        if (io >= nOwn)
            break;
    }
    int v = gains[last];
    for (int i = last - 1; i >= 1; i--)
        v = (i & 1) ? std::min(v, gains[i]) : std::max(v, gains[i]); // odd: the foe chooses
    return v;
}

// First empty square along step from nPos that the foe does not reach (in the
// promotion zone when bZone); 0 when the slide ends before one.
template <bool Com> int ZelkorCore::FreeSlideSquare(int nPos, int step, bool bZone) const
{
    const int *nFoe = Com ? m_nPsbManKomas : m_nPsbComKomas;
    for (int t = nPos + step; m_nBoard[t] == 0; t += step)
        if ((!bZone || Side<Com>::Zone(t)) && nFoe[t] == 0)
            return t;
    return 0;
}

// A promotion the side can make safely, tried only while it beats best.
template <bool Com> int ZelkorCore::PromotionThreat(int *pnPos, int best) const
{
    const int *nOwn = Com ? m_nPsbComKomas : m_nPsbManKomas;
    const int *nFoe = Com ? m_nPsbManKomas : m_nPsbComKomas;
    const int owner = Com ? 128 : 0, sign = Com ? 1 : -1, fwd = 16 * sign;
    const int foeHu = Com ? 1 : 129;
    const int *bonus = kAddWeightOnNaru;
    auto at = [this](int u) { return m_komaUni[u].nPos; };
    auto is = [this, owner](int u, int k) { return m_komaUni[u].nKind == owner + k; };

    if (best < bonus[1]) {
        for (int u = 23; u <= 40; u++) {
            const int p = at(u), t = p + fwd;
            if (is(u, 1) && (Com ? p > 0x60 : p < 0x51) && m_nBoard[t] == 0 && nOwn[t] > nFoe[t]) {
                *pnPos = t;
                return bonus[1];
            }
        }
    }
    if (best < bonus[7]) {
        for (int u = 3; u <= 4; u++) {
            if (!is(u, 7))
                continue;
            const int p = at(u);
            int t = FreeSlideSquare<Com>(p, fwd, true);
            if (Side<Com>::Zone(p)) {
                const int steps[3] = {-sign, sign, -fwd}; // sideways, then back
                for (int i = 0; i < 3 && t == 0; i++)
                    t = FreeSlideSquare<Com>(p, steps[i], false);
            }
            if (t != 0) {
                *pnPos = t;
                return bonus[7];
            }
        }
    }
    if (best < bonus[2]) {
        for (int u = 19; u <= 22; u++) {
            if (!is(u, 2))
                continue;
            for (int t = at(u) + fwd; m_nBoard[t] == 0; t += fwd) {
                if (Side<Com>::Zone(t) && nOwn[t] > nFoe[t] && m_nBoard[t + fwd] != foeHu) {
                    *pnPos = t;
                    return bonus[2];
                }
            }
        }
    }
    if (best < bonus[6]) {
        for (int u = 5; u <= 6; u++) {
            if (!is(u, 6))
                continue;
            const int p = at(u);
            const int steps[4] = {15 * sign, 17 * sign, -17 * sign, -15 * sign};
            const int nSteps = Side<Com>::Zone(p) ? 4 : 2; // backward too from inside the zone
            for (int i = 0; i < nSteps; i++) {
                const int t = FreeSlideSquare<Com>(p, steps[i], i < 2);
                if (t != 0) {
                    *pnPos = t;
                    return bonus[6];
                }
            }
        }
    }
    if (best < bonus[3]) {
        for (int u = 15; u <= 18; u++) {
            const int p = at(u);
            if (!is(u, 3) || !(Com ? p > 0x50 : p < 0x60))
                continue;
            for (int jump : {31 * sign, 33 * sign}) {
                const int t = p + jump;
                if (t >= 0 && m_nBoard[t] == 0 && nOwn[t] > nFoe[t] && m_nBoard[t + fwd] != foeHu) {
                    *pnPos = t;
                    return bonus[3];
                }
            }
        }
    }
    return best;
}

// Cheapest first for the swap-off; x-ray entries stay behind the direct ones.
void ZelkorCore::SortPsbKomasByWeight(int nPos)
{
    SortAttackersByWeight(m_nPsbManKoma[nPos], m_nPsbManKomas[nPos]);
    SortAttackersByWeight(m_nPsbComKoma[nPos], m_nPsbComKomas[nPos]);
}

void ZelkorCore::SortAttackersByWeight(int *list, int n) const
{
    auto weight = [this](int e) { return e > 128 ? kMateScore : UniWeight2(e); };
    for (int i = 0; i < n - 1; i++) {
        int m = i;
        for (int j = i + 1; j < n; j++)
            if (weight(list[j]) < weight(list[m]))
                m = j;
        std::swap(list[i], list[m]);
    }
}
