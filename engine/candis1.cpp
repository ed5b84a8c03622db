// Candidate lists: the list machinery, the assemblers, the three list recipes
// and the basic generators (moves of one piece, captures onto a square,
// interpositions, check escapes).
#include "Zelkor.h"
#include "ZelkorUtil.h"
#include "side.h"

#include <algorithm>
#include <initializer_list>

using namespace zelkor;

namespace {

// Exchanges two candidates except their nTemp1.
void SwapMoves(CANDI_MOVE &a, CANDI_MOVE &b)
{
    std::swap(a.nSrcPos, b.nSrcPos);
    std::swap(a.nDstPos, b.nDstPos);
    std::swap(a.nKind, b.nKind);
    std::swap(a.nNaru, b.nNaru);
    std::swap(a.nScore, b.nScore);
}

// Fills the first nFill positions by selection; Desc picks the greatest score.
template <bool Desc> void SelectByScore(CANDI_MOVE *p, int n, int nFill)
{
    for (int i = 0; i < nFill && i < n - 1; i++) {
        int best = i;
        for (int j = i + 1; j < n; j++)
            if (Desc ? p[j].nScore > p[best].nScore : p[j].nScore < p[best].nScore)
                best = j;
        if (best != i)
            SwapMoves(p[i], p[best]);
    }
}

// Fills the first nFill positions by ascending nTemp1, earliest on ties.
void SelectByTemp(CANDI_MOVE *p, int n, int nFill)
{
    for (int i = 0; i < nFill && i < n - 1; i++) {
        int best = i;
        for (int j = i + 1; j < n; j++)
            if (p[j].nTemp1 < p[best].nTemp1)
                best = j;
        if (best != i)
            std::swap(p[i], p[best]);
    }
}

int Cap(int n, int k)
{
    return n < k ? n : k;
}

} // namespace

// ===========================================================================
// List machinery
// ===========================================================================

void ZelkorCore::SwapBestToFront(CANDI_MOVE *p, int n)
{
    if (n < 2)
        return;
    int best = 0;
    for (int i = 1; i < n; i++)
        if (p[i].nScore > p[best].nScore)
            best = i;
    if (best != 0)
        SwapMoves(p[0], p[best]);
}

void ZelkorCore::DeleteSameMove(int *pnCount)
{
    int n = *pnCount;
    if (n < 2)
        return;
    CANDI_MOVE *a = CandiRow(m_nDepth);
    for (int i = 0; i < n - 1; i++) {
        int j = i + 1;
        while (j < n) {
            if (!SameMove(a[i], a[j])) {
                j++;
                continue;
            }
            if (a[j].nScore > a[i].nScore) {
                a[i].nTemp1 = a[j].nTemp1;
                a[i].nScore = a[j].nScore;
            }
            n--;
            if (j == n)
                break;
            a[j] = a[n];
        }
    }
    *pnCount = n;
}

void ZelkorCore::SortBy_nScore(int nCount, int nFill, CANDI_MOVE *p)
{
    for (int i = 0; i < nFill - 1 && i < nCount; i++) {
        int best = i;
        for (int j = i + 1; j < nCount; j++)
            if (p[j].nScore > p[best].nScore)
                best = j;
        if (best != i)
            std::swap(p[i], p[best]);
    }
}

// ===========================================================================
// Side helpers
// ===========================================================================

template <bool C> bool ZelkorCore::CanDropOn(int k, int s)
{
    if ((k == 1 || k == 2) && Side<C>::Rel(s) >= 0x91)
        return false;
    if (k == 3 && Side<C>::Rel(s) >= 0x81)
        return false;
    return k != 1 || Side<C>::Nihu(*this, s);
}

// The destination score of a board move of a piece of kind k (code & 15).
template <bool C> int ZelkorCore::DestScore(int k, int src, int dst)
{
    int x = m_nBoard[dst] & 15, nh = Side<C>::Theirs(*this, dst), nc = Side<C>::Mine(*this, dst);
    if (nh == 0)
        return nc + kWeight2[x];
    if (nc == 1)
        return kWeight2[x] - kWeight2[k];
    return Side<C>::ProfitMove(*this, src, dst);
}

template <bool C> bool ZelkorCore::IsDirectAttacker(int u, int s) const
{
    const int *lst = Side<C>::MyList(*this, s);
    for (int i = 0, n = Side<C>::Mine(*this, s); i < n; i++)
        if (lst[i] == u)
            return true;
    return false;
}

template bool ZelkorCore::CanDropOn<true>(int, int);
template bool ZelkorCore::CanDropOn<false>(int, int);
template int ZelkorCore::DestScore<true>(int, int, int);
template int ZelkorCore::DestScore<false>(int, int, int);
template bool ZelkorCore::IsDirectAttacker<true>(int, int) const;
template bool ZelkorCore::IsDirectAttacker<false>(int, int) const;

// ===========================================================================
// Moves of one piece
// ===========================================================================

template <bool C> int ZelkorCore::UsePointedKomaT(int all, int sq, CANDI_MOVE *p)
{
    const int code = zelkor::IsPlayingSquare(sq) ? m_nBoard[sq] : 0;
    if (!Side<C>::Own(code)) {
        ErrorMessage();
        return 0;
    }
    const int k = code & 15;
    int n = 0;
    auto open = [&](int s) {
        return s >= 0 && s < 256 && m_nBoard[s] != kFrame && !Side<C>::Own(m_nBoard[s]);
    };
    // Safe mode leaves out a step onto an empty square the mover alone would defend.
    auto unsafe = [&](int s) {
        return !all && m_nBoard[s] == 0 && Side<C>::Theirs(*this, s) > 0 && Side<C>::Mine(*this, s) == 1;
    };
    auto put = [&](int s, int naru, int score) {
        n = PutCandi(p, n, sq, s, m_nBoard[s], naru, score);
    };
    auto ray = [&](int step, bool promotes) {
        for (int s = sq + Side<C>::Step(step); open(s); s += Side<C>::Step(step)) {
            if (!unsafe(s)) {
                int naru = promotes && (Side<C>::Zone(s) || Side<C>::Zone(sq)) ? 8 : 0;
                put(s, naru, DestScore<C>(k, sq, s) + (naru ? kAddWeightOnNaru[k] : 0));
            }
            if (m_nBoard[s] != 0)
                break;
        }
    };
    auto step = [&](int st, auto bonus) {
        int s = sq + Side<C>::Step(st);
        if (open(s) && !unsafe(s))
            put(s, 0, DestScore<C>(k, sq, s) + bonus(s));
    };
    switch (k) {
    case 1: {
        int s = sq + Side<C>::Step(16);
        if (open(s) && !unsafe(s)) {
            int naru = Side<C>::Zone(s) ? 8 : 0;
            put(s, naru, kWeight2[m_nBoard[s] & 15] + (naru ? kAddWeightOnNaru[1] : 0));
        }
        break;
    }
    case 2:
        for (int s = sq + Side<C>::Step(16); open(s); s += Side<C>::Step(16)) {
            if (!unsafe(s)) {
                int naru = Side<C>::Zone(s) ? 8 : 0;
                put(s, naru, DestScore<C>(k, sq, s) + (naru ? kAddWeightOnNaru[k] : 0));
            }
            if (m_nBoard[s] != 0)
                break;
        }
        break;
    case 3:
        for (int jump : {31, 33}) {
            int s = sq + Side<C>::Step(jump);
            if (zelkor::IsPlayingSquare(s) && open(s) && !unsafe(s)) {
                int naru = Side<C>::Zone(s) ? 8 : 0;
                put(s, naru, DestScore<C>(k, sq, s) + (naru ? kAddWeightOnNaru[k] : 0));
            }
        }
        break;
    case 4:
        for (int i : {0, 1, 2, 6, 7}) {
            int s = sq + Side<C>::Step(kKingSteps[i]);
            if (!open(s) || unsafe(s))
                continue;
            int score = DestScore<C>(k, sq, s) + kIniOnPos[s];
            if (Side<C>::Zone(s) || Side<C>::Zone(sq))
                put(s, 8, score + kAddWeightOnNaru[4]);
            put(s, 0, score);
        }
        break;
    case 6:
    case 14:
        for (int d = 0; d < 4; d++)
            ray(kStepOfHiKaku[d].nStepKaku, k == 6);
        if (k == 14)
            for (int d = 0; d < 4; d++)
                step(kStepOfHiKaku[d].nStepHisha, [](int) { return 0; });
        break;
    case 7:
    case 15:
        for (int d = 0; d < 4; d++)
            ray(kStepOfHiKaku[d].nStepHisha, k == 7);
        if (k == 15)
            for (int d = 0; d < 4; d++)
                step(kStepOfHiKaku[d].nStepKaku, [](int) { return 0; });
        break;
    case 8:
        for (int i = 0; i < 8; i++) {
            int s = sq + Side<C>::Step(kKingSteps[i]);
            if (open(s) && Side<C>::Theirs(*this, s) == 0)
                put(s, 0,
                    Side<C>::Mine(*this, s) + kWeight2[m_nBoard[s] & 15] +
                        (C ? ProfitOnComOuMove(s) : ProfitOnManOuMove(s)));
        }
        break;
    default: // gold and the promoted minor pieces
        for (int i = 0; i < 6; i++)
            step(kKingSteps[i], [this](int s) { return kIniOnPos[s]; });
        break;
    }
    SwapBestToFront(p, n);
    return n;
}

int ZelkorCore::GCCM_UsePointedKoma(int all, int nPos, CANDI_MOVE *p)
{
    return UsePointedKomaT<true>(all, nPos, p);
}
int ZelkorCore::GMCM_UsePointedKoma(int all, int nPos, CANDI_MOVE *p)
{
    return UsePointedKomaT<false>(all, nPos, p);
}

// Tries each move: make, probe, evaluate, take back.
int ZelkorCore::GCCM_SelectUsePointedKoma(int n, int nPos, CANDI_MOVE *p)
{
    int code = m_nBoard[nPos], k = code & 15, k7 = code & 7;
    int keep = k7 >= 6 ? 5 : (k7 == 4 || k7 == 5) ? 4 : k == 2 ? 3 : k == 3 ? 2 : k == 1 ? 1 : 3;
    if (n <= keep)
        return n;
    for (int i = 0; i < n; i++) {
        CANDI_MOVE &m = p[i];
        int s = 0;
        if (m.nSrcPos == kDrop)
            MoveKomaOnCapt(m.nDstPos, m.nKind);
        else
            MoveKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru);
        int v = SearchSurfaceByMan(&s);
        int e = Evaluation();
        int nc = m_nPsbComKomas[m.nDstPos];
        if (m.nSrcPos == kDrop)
            BackKomaToCapt(m.nDstPos);
        else
            BackKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru, m.nKind);
        m.nScore = 4 * nc - v + e;
    }
    SelectByScore<true>(p, n, keep);
    return keep;
}

int ZelkorCore::GMCM_SelectUsePointedKoma(int n, int nPos, CANDI_MOVE *p)
{
    int code = m_nBoard[nPos], k = code & 15, k7 = code & 7;
    int keep = m_nDepth == 1 ? (k7 >= 6                ? 8
                                : (k7 == 4 || k7 == 5) ? 5
                                : k == 3               ? 2
                                : k == 2               ? 3
                                : k == 1               ? 1
                                                       : 4)
                             : (k7 >= 6                ? 5
                                : (k7 == 4 || k7 == 5) ? 4
                                : k == 2               ? 3
                                : k == 3               ? 2
                                : k == 1               ? 1
                                                       : 3);
    if (n <= keep)
        return n;
    for (int i = 0; i < n; i++) {
        CANDI_MOVE &m = p[i];
        int s = 0;
        if (m.nSrcPos == kDrop)
            MoveKomaOnCapt(m.nDstPos, m.nKind);
        else
            MoveKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru);
        int v = SearchSurfaceByCom(&s);
        int e = Evaluation();
        int nh = m_nPsbManKomas[m.nDstPos];
        if (m.nSrcPos == kDrop)
            BackKomaToCapt(m.nDstPos);
        else
            BackKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru, m.nKind);
        m.nScore = v + e - 4 * nh;
    }
    SelectByScore<false>(p, n, keep);
    return keep;
}

// ===========================================================================
// Captures onto a square
// ===========================================================================

template <bool C> int ZelkorCore::ToruOnPreMoveT(int t, CANDI_MOVE *p)
{
    if (!zelkor::IsPlayingSquare(t))
        return 0;
    const int x = m_nBoard[t];
    // A square of the mover's own (or the frame) offers nothing to take.
    if (Side<C>::Mine(*this, t) == 0 || x == kFrame || Side<C>::Own(x))
        return 0;
    const int nh = Side<C>::Theirs(*this, t);
    const int *lst = Side<C>::MyList(*this, t);
    int n = 0;
    for (int i = 0, cnt = Side<C>::Mine(*this, t); i < cnt; i++) {
        int u = lst[i];
        if (u > 128 || (u == Side<C>::kKingUni && nh > 0))
            continue;
        int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
        int bonus = kAddWeightOnNaru[k];
        int naru = bonus != 0 && (Side<C>::Zone(t) || Side<C>::Zone(src)) ? 8 : 0;
        n = PutCandi(p, n, src, t, x, naru, DestScore<C>(k, src, t) + (naru ? bonus : 0));
    }
    SwapBestToFront(p, n);
    return n;
}

int ZelkorCore::GCCM_ToruOnPreMoveOfEnemy(int nPos, CANDI_MOVE *p)
{
    return ToruOnPreMoveT<true>(nPos, p);
}
int ZelkorCore::GMCM_ToruOnPreMoveOfEnemy(int nPos, CANDI_MOVE *p)
{
    return ToruOnPreMoveT<false>(nPos, p);
}

// ===========================================================================
// Interpositions between an enemy line piece on `from` and the square t
// ===========================================================================

template <bool C, bool Psb> int ZelkorCore::BreakOffT(int all, int from, int t, CANDI_MOVE *p)
{
    if (!zelkor::IsPlayingSquare(from) || !zelkor::IsPlayingSquare(t))
        return 0;
    const int *hand = Side<C>::Hand(*this);
    const int fc = m_nBoard[from];
    const bool lance = fc == Side<!C>::Code(2);
    int step;
    if (lance) {
        step = -Side<C>::Step(16);
    } else {
        int dr = (t >> 4) - (from >> 4), dc = (t & 15) - (from & 15);
        step = (dr > 0) - (dr < 0);
        step = 16 * step + (dc > 0) - (dc < 0);
        if (step == 0)
            return 0;
    }
    int n = 0;
    for (int s = from + step; s != t && m_nBoard[s] == 0; s += step) {
        const int nc = Side<C>::Mine(*this, s), nh = Side<C>::Theirs(*this, s);
        if (nc == 0 && !Psb)
            continue;
        if (!lance && nc > 0 && !all && nh > nc)
            continue;
        // Drops. A square no own piece covers gets a pawn at most.
        for (int k = 1; k <= (lance && !all ? 5 : 7); k++) {
            if (hand[k] <= 0)
                continue;
            if (nc == 0 && k != 1)
                break;
            if (!CanDropOn<C>(k, s))
                continue;
            int score = nc == 0 ? 0 : Side<C>::ProfitUtsu(*this, Side<C>::Code(k), s);
            if (!lance && !all && score < 0)
                continue;
            if (!lance && k == (fc & 7))
                score += 100;
            n = PutCandi(p, n, kDrop, s, Side<C>::Code(k), 0, score);
            if (!all)
                return n;
        }
        if (lance ? !(all && (Psb || nc != 1)) : !(Psb || nc != 1))
            continue;
        const int *lst = Side<C>::MyList(*this, s);
        for (int i = 0; i < nc; i++) {
            int u = lst[i];
            if (u > 128 || u == Side<C>::kKingUni || m_komaUni[u].nPos == t)
                continue;
            int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
            int bonus = kAddWeightOnNaru[k];
            int naru = bonus != 0 && (Side<C>::Zone(s) || Side<C>::Zone(src)) ? 8 : 0;
            int score = Side<C>::ProfitMove(*this, src, s) + (naru ? bonus : 0);
            if (!lance && !all && score < 0)
                continue;
            n = PutCandi(p, n, src, s, 0, naru, score);
            if (!lance && !all)
                return n;
        }
    }
    if (!Psb)
        SwapBestToFront(p, n);
    return n;
}

int ZelkorCore::GCCM_BreakOffShaKaku(bool all, int nFrom, int nTarget, CANDI_MOVE *p)
{
    return BreakOffT<true, false>(all, nFrom, nTarget, p);
}
int ZelkorCore::GMCM_BreakOffShaKaku(bool all, int nFrom, int nTarget, CANDI_MOVE *p)
{
    return BreakOffT<false, false>(all, nFrom, nTarget, p);
}
int ZelkorCore::GCCM_PsbBreakOffShaKaku(int all, int nFrom, int nTarget, CANDI_MOVE *p)
{
    return BreakOffT<true, true>(all, nFrom, nTarget, p);
}

// ===========================================================================
// Check escapes: take the checker, interpose, move the king
// ===========================================================================

template <bool C, bool Psb> int ZelkorCore::EscapeFromOuteT()
{
    CANDI_MOVE *p = CandiRow(m_nDepth);
    const int king = m_komaUni[Side<C>::kKingUni].nPos;
    int n = 0;
    const int *lst = Side<C>::TheirList(*this, king);
    int checker = 0;
    for (int i = 0, cnt = Side<C>::Theirs(*this, king); i < cnt && checker == 0; i++)
        if (lst[i] < kXray)
            checker = lst[i];
    if (checker != 0) {
        int from = m_komaUni[checker].nPos, code = m_komaUni[checker].nKind;
        n += ToruOnPreMoveT<C>(from, p + n);
        if ((code & 15) == 2 || (code & 7) >= 6)
            n += Cap(BreakOffT<C, Psb>(1, from, king, p + n), Psb ? 20 : 4);
    }
    n += UsePointedKomaT<C>(0, king, p + n);
    return n;
}

int ZelkorCore::GCCM_EscapeFromOute()
{
    return EscapeFromOuteT<true, false>();
}
int ZelkorCore::GMCM_EscapeFromOute()
{
    return EscapeFromOuteT<false, false>();
}
int ZelkorCore::GCCM_PsbEscapeFromOute()
{
    return EscapeFromOuteT<true, true>();
}

template int ZelkorCore::UsePointedKomaT<true>(int, int, CANDI_MOVE *);
template int ZelkorCore::UsePointedKomaT<false>(int, int, CANDI_MOVE *);
template int ZelkorCore::ToruOnPreMoveT<true>(int, CANDI_MOVE *);
template int ZelkorCore::ToruOnPreMoveT<false>(int, CANDI_MOVE *);

// ===========================================================================
// Assemblers
// ===========================================================================

namespace {

// Whether a Com piece of this code may make the move with this promotion
// flag: only promotable kinds promote, only in or out of the zone, and no
// piece is left on a rank where it could never move again.
bool ComPromotionOk(const int *bonus, int code, int src, int dst, int naru)
{
    int k = code & 15;
    if (naru != 0)
        return bonus[k] != 0 && (src >= 0x71 || dst >= 0x71);
    return !((k == 1 || k == 2) && dst >= 0x91) && !(k == 3 && dst >= 0x81);
}

} // namespace

void ZelkorCore::AppendCandiMovebyTreeData(int *pnCount)
{
    const int d = m_nDepth;
    if (d + 1 >= 64)
        return;
    CANDI_MOVE *row = CandiRow(d);
    const KOMA_MOVE *line = m_moveTree[d + 1];
    int &n = *pnCount;

    // Own moves of the probe's line that can still be played now.
    for (int ply = d + 2; ply < m_nMinTagDepth && ply < 64; ply += 2) {
        const KOMA_MOVE &m = line[ply];
        if (m.nSrcPos == 0)
            break;
        int dst = m.nDstPos, kind = m.nKind;
        if (!zelkor::IsPlayingSquare(dst))
            continue;
        if (m.nSrcPos == kDrop) {
            int k = kind & 15;
            if (kind < 129 || k > 7 || m_nCaptByCom[k] <= 0 || m_nBoard[dst] != 0 ||
                !CanDropOn<true>(k, dst))
                continue;
        } else {
            int src = m.nSrcPos;
            bool found = false;
            for (int i = 0, cnt = m_nPsbComKomas[dst]; i < cnt && !found; i++) {
                int u = m_nPsbComKoma[dst][i];
                found = u < 129 && m_komaUni[u].nPos == src;
            }
            if (!found || (m.nNaru == 8 && (m_nBoard[src] & 15) > 8) ||
                !ComPromotionOk(kAddWeightOnNaru, m_nBoard[src], src, dst, m.nNaru))
                continue;
            kind = m_nBoard[dst];
        }
        if (m_nBoard[dst] < 0x81)
            n = PutCandi(row, n, m.nSrcPos, dst, kind, m.nNaru, 0);
    }

    // The opponent's moves of the line: cover, occupy, take, interpose, flee.
    for (int ply = d + 1; ply < m_nDisturbDepth && ply < 64; ply += 2) {
        const KOMA_MOVE &m = line[ply];
        if (m.nSrcPos == 0)
            break;
        const int t = m.nDstPos;
        if (!zelkor::IsPlayingSquare(t))
            continue;
        n += Cap(GCCM_DestPointedPos(1, t, row + n), 2);
        if (m.nSrcPos == kDrop && m_nBoard[t] == 0 && m_nPsbManKomas[t] <= m_nPsbComKomas[t]) {
            for (int k : {1, 2, 3}) {
                if (m_nCaptByCom[k] > 0 && CanDropOn<true>(k, t)) {
                    n = PutCandi(row, n, kDrop, t, 128 + k, 0, 0);
                    break;
                }
            }
            for (int k : {4, 5, 6, 7}) {
                if (m_nCaptByCom[k] > 0) {
                    n = PutCandi(row, n, kDrop, t, 128 + k, 0, 0);
                    break;
                }
            }
        }
        // The callees only read the lists, so walking t's list here is safe.
        for (int i = 0; i < m_nPsbManKomas[t]; i++) {
            int u = m_nPsbManKoma[t][i] & ~kXray;
            int q = m_komaUni[u].nPos, code = m_komaUni[u].nKind;
            n += GCCM_ToruOnPreMoveOfEnemy(q, row + n);
            if (code == 2 || (code & 7) >= 6)
                n += Cap(GCCM_BreakOffShaKaku(true, q, t, row + n), 2);
        }
        if (m.nSrcPos != kDrop && m_nBoard[t] > 128 && m_nBoard[t] != kFrame)
            n += Cap(GCCM_UsePointedKoma(0, t, row + n), 3);
    }
}

void ZelkorCore::AppendCandiMovebyCalcScore(int *pnCount)
{
    CANDI_MOVE *row = CandiRow(m_nDepth);
    int &n = *pnCount;
    for (int u = 2; u <= 40; u++) {
        int code = m_komaUni[u].nKind;
        if (code < 128 || (code == 0x82 && m_nCounter >= 31))
            continue;
        CANDI_MOVE *block = row + n;
        int c = GCCM_UsePointedKoma(1, m_komaUni[u].nPos, block);
        for (int i = 0; i < c; i++) {
            CANDI_MOVE &m = block[i];
            int loss = 0;
            if (m_nPsbManKomas[m.nDstPos] != 0)
                loss = std::min(ProfitOnComMove(m.nSrcPos, m.nDstPos), 0);
            MoveKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru);
            if (m_nPsbManKomas[m_komaUni[2].nPos] == 0)
                m.nScore = Evaluation() - kWeight1[8] + loss;
            else
                m.nScore = -kMateScore;
            BackKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru, m.nKind);
        }
        SortBy_nScore(c, c, block);
        n += Cap(c, u < 7 ? 6 : 2);
    }
    if (m_nCaptByCom[1] <= 0)
        return;
    for (int col = 1; col <= 9; col++) {
        for (int r = 4; r <= 7; r++) {
            int s = 16 * r + col;
            if (!CheckComNihu(s))
                break;
            if (m_nBoard[s] == 0 && m_nBoard[s + 32] != 1 && m_nPsbManKomas[s] <= m_nPsbComKomas[s])
                n = PutCandi(row, n, kDrop, s, 0x81, 0, 1);
        }
    }
}

void ZelkorCore::AppendCandiMovebyAttackManHuKinGin(int &nCount)
{
    const int d = m_nDepth;
    if (d < 1 || d > 64 || m_pPreCandi[d - 1] == nullptr)
        return;
    CANDI_MOVE *row = CandiRow(d);
    const int t = m_pPreCandi[d - 1]->nDstPos;
    if (!zelkor::IsPlayingSquare(t))
        return;
    {
        CANDI_MOVE *block = row + nCount;
        int c = m_nUniBoard[t] < 7 ? GMCM_DemandComKoma(6, 4, t, block)
                                   : GMCM_DemandComKoma(7, 5, t, block);
        if (c > 4) {
            SelectByTemp(block, c, 4);
            c = 4;
        }
        nCount += c;
    }
    for (int dc = -1; dc <= 1; dc++) {
        for (int dr : {2, 3}) {
            int s = t + 16 * dr + dc;
            if (!zelkor::IsPlayingSquare(s) || m_nBoard[s] > 128)
                continue;
            if (m_nBoard[s] == 1 && m_nBoard[s - 16] == 0)
                nCount = PutCandi(row, nCount, s, s - 16, 0, s < 0x50 ? 8 : 0, 0);
            if (dr != 2 || m_nBoard[s] != 0)
                continue;
            for (int i = 0; i < m_nPsbManKomas[s]; i++) {
                int u = m_nPsbManKoma[s][i];
                if (u > 128)
                    continue;
                int q = m_komaUni[u].nPos, code = m_komaUni[u].nKind;
                if ((code == 4 || code == 5) && (q >> 4) >= (s >> 4))
                    nCount = PutCandi(row, nCount, q, s, 0, 0, 0);
            }
        }
    }
}

void ZelkorCore::AppendCandiMovebyUtsuManHu(int &nCount)
{
    const int d = m_nDepth;
    if (d < 1 || d > 64 || m_pPreCandi[d - 1] == nullptr)
        return;
    const int t = m_pPreCandi[d - 1]->nDstPos, s = t + 16;
    if (!zelkor::IsPlayingSquare(t) || !zelkor::IsPlayingSquare(s))
        return;
    const int c = m_nBoard[t];
    if ((c == 0x82 || (c & 0x87) == 0x87) && c != kFrame && m_nCaptByMan[1] >= 2 && m_nBoard[s] == 0 &&
        CheckManNihu(s) && m_nBoard[s + 16] == 0 && m_nPsbComKomas[s + 16] != 0)
        nCount = PutCandi(CandiRow(d), nCount, kDrop, s, 1, 0, 1);
}

void ZelkorCore::AppendCandiMovebyUtsuComHu(int &nCount)
{
    const int d = m_nDepth;
    if (d < 1 || d > 64 || m_pPreCandi[d - 1] == nullptr)
        return;
    const int t = m_pPreCandi[d - 1]->nDstPos, s = t - 16;
    if (!zelkor::IsPlayingSquare(t) || !zelkor::IsPlayingSquare(s))
        return;
    const int c = m_nBoard[t];
    if ((c == 2 || (c & 0x87) == 7) && m_nCaptByCom[1] >= 2 && m_nBoard[s] == 0 &&
        CheckComNihu(s) && m_nBoard[s - 16] == 0 && m_nPsbComKomas[s - 16] != 0)
        nCount = PutCandi(CandiRow(d), nCount, kDrop, s, 0x81, 0, 1);
}

void ZelkorCore::AppendCandiMovebyManKomas(int &nCount)
{
    CANDI_MOVE *row = CandiRow(m_nDepth);
    for (int u = 1; u <= 40; u++) {
        int code = m_komaUni[u].nKind;
        if (code >= 1 && code <= 15 && code != 2)
            nCount += GMCM_UsePointedKoma(1, m_komaUni[u].nPos, row + nCount);
    }
}

// ===========================================================================
// Recipes
// ===========================================================================

int ZelkorCore::MakeRootCandi()
{
    const int d = m_nDepth;
    CANDI_MOVE *row = CandiRow(d);
    const int comKing = m_komaUni[2].nPos, manKing = m_komaUni[1].nPos;
    int n = 0;
    if (m_nPsbManKomas[comKing] != 0) {
        n = GCCM_PsbEscapeFromOute();
    } else {
        AppendCandiMovebyTreeData(&n);
        if (d + 1 < 64 && m_moveTree[d + 1][d + 1].nSrcPos != 0) {
            const KOMA_MOVE &th = m_moveTree[d + 1][d + 1];
            GCCM_PsbDisturb(th.nSrcPos, th.nDstPos, th.nKind, th.nNaru, &n);
        }
        GCCM_ToruOrNaru(20, &n);
        GCCM_ThreatManKoma(20, &n);
        n += GCCM_Oute(row + n);
        GCCM_DisturbSurfaceByMan(0, &n);
        n += GCCM_ToruOnKeimaKyouHu(3, row + n);
        if (m_nMinTagDepth > 1)
            n += GCCM_AttackHu(10, row + n);
        n += GCCM_AttackOnGyokuNarrowAround(4, row + n);
        n += GCCM_AttackbyHishaKakuKyou(4, row + n);
        n += GCCM_AttackOnGyokuWideAround(4, row + n);
        n += GCCM_DefenceShaKaku(row + n);
        n += GCCM_AttackByKin(row + n);
        if (m_nMinTagDepth > 2)
            n += GCCM_FeedOverEffect(5, row + n);
        n += GCCM_DemandKomaOute(row + n);
        int c = GCCM_UsePointedKoma(0, comKing, row + n);
        for (int i = 0; i < Cap(c, 2); i++)
            row[n + i].nScore = 0;
        n += Cap(c, 2);
        n += GCCM_UtsuHuOnEnemyField(3, row + n);
        n += GCCM_UtsuHu(row + n);
        n += GCCM_UtsuOfShaKaku(row + n);
        n += GCCM_AttackOnEnemyHu(4, row + n);
        n += Cap(GCCM_BreakThroughOfShaKaku(row + n), 6);
        n += Cap(GCCM_BreakThroughOfShaKakuOute(row + n), 6);
        n += Cap(GCCM_DestPointedPos(2, manKing, row + n), 6);
        AppendCandiMovebyCalcScore(&n);
    }
    DeleteSameMove(&n);
    for (int i = 0; i < m_nHubos && i < 64; i++) {
        const KOMA_MOVE &h = m_moveHubo[i];
        for (int j = 0; j < n; j++) {
            if (row[j].nSrcPos == h.nSrcPos && row[j].nDstPos == h.nDstPos &&
                row[j].nKind == h.nKind && row[j].nNaru == h.nNaru) {
                row[j].nScore = kMateScore + i;
                break;
            }
        }
    }
    SortBy_nScore(n, n, row);
    n = Cap(n, 100);
    std::copy(row, row + n, m_CandiInZeroDepth);
    return n;
}

int ZelkorCore::BeginComReplyCandi()
{
    const int d = m_nDepth;
    if (m_nPsbManKomas[m_komaUni[2].nPos] != 0) {
        int n = GCCM_EscapeFromOute();
        DeleteSameMove(&n);
        return Cap(n, 31);
    }
    CANDI_MOVE *row = CandiRow(d);
    int n = 0;
    if (d >= 1 && d <= 64 && m_pPreCandi[d - 1] != nullptr)
        n += GCCM_ToruOnPreMoveOfEnemy(m_pPreCandi[d - 1]->nDstPos, row + n);
    GCCM_ToruOrNaru(5, &n);
    return n;
}

// The square of the probe's threat, 0 for a drop or no threat; the threat
// itself is answered first.
int ZelkorCore::ThreatOfProbe(bool com, int &n)
{
    const int d = m_nDepth;
    if (d + 1 >= 64 || m_moveTree[d + 1][d + 1].nSrcPos == 0)
        return 0;
    const KOMA_MOVE &th = m_moveTree[d + 1][d + 1];
    if (com)
        GCCM_Disturb(th.nSrcPos, th.nDstPos, th.nKind, 0, &n);
    else
        GMCM_Disturb(th.nSrcPos, th.nDstPos, th.nKind, 0, &n);
    return th.nSrcPos == kDrop ? 0 : th.nDstPos;
}

int ZelkorCore::EndComReplyCandi(int n)
{
    const int d = m_nDepth;
    CANDI_MOVE *row = CandiRow(d);
    const int rem = m_nMinTagDepth - d;
    const int threat = ThreatOfProbe(true, n);
    n += Cap(GCCM_Oute(row + n), 5);
    GCCM_DisturbSurfaceByMan(threat, &n);
    if (rem > 1) {
        GCCM_ThreatManKoma(rem < 3 ? 3 : 5, &n);
        n += Cap(GCCM_BreakThroughOfShaKakuOute(row + n), 4);
        n += GCCM_AttackOnGyokuNarrowAround(rem < 4 ? 2 : 4, row + n);
        if (rem > 2) {
            n += GCCM_AttackOnGyokuWideAround(2, row + n);
            n += GCCM_ToruOnKeimaKyouHu(2, row + n);
        }
        n += GCCM_AttackbyHishaKakuKyou(4, row + n);
        n += Cap(GCCM_DemandKomaOute(row + n), 4);
        n += Cap(GCCM_BreakThroughOfShaKaku(row + n), 3);
        n += GCCM_UtsuOfShaKaku(row + n);
        if (!m_bBattle || n < 11)
            n += GCCM_BreakThroughOfSha(row + n);
        if (n < 10 && !m_bBattle) {
            n += GCCM_UtsuHuOnEnemyField(1, row + n);
            n += GCCM_AttackOnEnemyHu(2, row + n);
        }
        if (rem > 3)
            AppendCandiMovebyUtsuComHu(n);
        if (d == 2) {
            int c = GCCM_UsePointedKoma(0, m_komaUni[2].nPos, row + n);
            n += m_bBattle ? Cap(c, 1) : (n < 5 && c > 4) ? 4 : Cap(c, 2);
        }
    }
    DeleteSameMove(&n);
    return Cap(n, 31);
}

int ZelkorCore::BeginManReplyCandi()
{
    const int d = m_nDepth;
    if (m_nPsbComKomas[m_komaUni[1].nPos] != 0) {
        int n = GMCM_EscapeFromOute();
        DeleteSameMove(&n);
        return Cap(n, 48);
    }
    CANDI_MOVE *row = CandiRow(d);
    int n = 0;
    if (d >= 1 && d <= 64 && m_pPreCandi[d - 1] != nullptr)
        n += GMCM_ToruOnPreMoveOfEnemy(m_pPreCandi[d - 1]->nDstPos, row + n);
    GMCM_ToruOrNaru(d == 1 ? 10 : 5, &n);
    return n;
}

int ZelkorCore::EndManReplyCandi(int n)
{
    const int d = m_nDepth;
    const bool first = d == 1;
    CANDI_MOVE *row = CandiRow(d);
    const int rem = m_nMinTagDepth - d;
    const int threat = ThreatOfProbe(false, n);
    n += Cap(GMCM_Oute(row + n), 5);
    GMCM_DisturbSurfaceByCom(threat, &n);
    if (rem > 1) {
        GMCM_ThreatComKoma(first ? 10 : rem < 3 ? 3 : 5, &n);
        n += Cap(GMCM_BreakThroughOfShaKakuOute(row + n), first ? 10 : 3);
        n += GMCM_AttackOnGyokuNarrowAround(first ? 5 : rem < 4 ? 2 : 4, row + n);
        if (rem > 2) {
            n += GMCM_AttackOnGyokuWideAround(2, row + n);
            n += Cap(GMCM_DemandKomaOute(row + n), 4);
            n += GMCM_ToruOnKeimaKyouHu(2, row + n);
        }
        if (!m_bBattle || n < 11)
            n += GMCM_BreakThroughOfSha(row + n);
        if (first) {
            n += GMCM_ToruOnKeimaKyouHu(4, row + n);
            if (m_nMinTagDepth > 3)
                n += GMCM_FeedOverEffect(4, row + n);
            if (m_nMinTagDepth > 2) {
                n += GMCM_AttackHu(4, row + n);
                n += GMCM_FowardHuNaru(row + n);
            }
            n += GMCM_UtsuHuOnEnemyField(3, row + n);
            n += GMCM_DefenceShaKaku(row + n);
            n += GMCM_AttackByKin(row + n);
        }
        if (d < 4 && !m_bBattle && n < 10) {
            n += GMCM_DefenceShaKaku(row + n);
            n += GMCM_AttackByKin(row + n);
            n += Cap(GMCM_UsePointedKoma(0, m_komaUni[1].nPos, row + n), 1);
            n += GMCM_UtsuHuOnEnemyField(2, row + n);
        }
        n += Cap(GMCM_BreakThroughOfShaKaku(row + n), first ? 4 : 2);
        n += GMCM_AttackbyHishaKakuKyou(4, row + n);
        n += GMCM_UtsuOfShaKaku(row + n);
        if (rem > 3)
            AppendCandiMovebyUtsuManHu(n);
        if (n < 15 && !m_bBattle) {
            n += GMCM_AttackOnEnemyHu(3, row + n);
            n += GMCM_UtsuOfHu(row + n);
        }
        if (first && !m_bBattle && m_nMinTagDepth > 2)
            AppendCandiMovebyManKomas(n);
        if (first && m_nMinTagDepth > 3)
            AppendCandiMovebyAttackManHuKinGin(n);
    }
    DeleteSameMove(&n);
    return Cap(n, 48);
}
