// The inner nodes of the mate-by-checks search (OR: give check, AND: answer
// it) and the selective alpha-beta reply search below the root.
#include "Zelkor.h"
#include "side.h"
#include "ZelkorUtil.h"

#include <ctime>

using namespace zelkor;

namespace {

// Deepest plies a mate line and a reply line may reach. Lists written at
// these plies, and the mate probes started from them, stay inside
// m_moveCandi and m_moveTree whatever the nominal depth.
constexpr int kTumiMaxPly = 51;
constexpr int kTreeMaxPly = 40;

inline void CopyMove(KOMA_MOVE &to, const CANDI_MOVE &from)
{
    to.nSrcPos = from.nSrcPos;
    to.nDstPos = from.nDstPos;
    to.nKind = from.nKind;
    to.nNaru = from.nNaru;
}

} // namespace

// ---------------------------------------------------------------------------
// OR nodes: the attacker gives check
// ---------------------------------------------------------------------------

int ZelkorCore::ApplyOuteOnMan(bool bFree, int nCount)
{
    if (++m_nReflex2 > m_nReflexMax)
        return 1;
    if (m_nDepth >= kTumiMaxPly)
        return 0;

    const int K = m_komaUni[1].nPos;
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = GCCM_DestPointedPos(2, K, list);
    n += GCCM_BreakThroughOfShaKakuOute(list + n);
    if (n == 0)
        return 0;
    DeleteSameMove(&n);
    if (n > 31)
        n = 31;

    int best = 0;
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = list[i];
        const int t = m.nDstPos;
        if (IsFarTumiDropOnMan(m, K))
            continue;
        // Sacrifices the defender takes for free lead nowhere after a few.
        if (m.nSrcPos == kDrop) {
            const bool hangs = m_nPsbComKomas[t] == 0 && m_nPsbManKomas[t] != 0;
            if (hangs && (nCount >= 3 || (bFree && m.nKind != 129)))
                continue;
        } else if (m_nPsbComKomas[t] == 1 && m_nPsbManKomas[t] != 0 &&
                   ((nCount >= 3 && m.nKind <= 1) || (bFree && m.nKind == 0))) {
            continue;
        }
        int v = 0;
        m_nDepth++;
        MakeCandiMove(m);
        if (m_nPsbManKomas[m_komaUni[2].nPos] == 0 && m_nPsbComKomas[m_komaUni[1].nPos] != 0 &&
            m_nWeightScore >= m_nStartWeightScore) {
            RESULT_IO r{};
            r.nDepth = m_nTagDepth - m_nDepth + m_nStartDepth;
            LoadOuteDataOnMan(&r);
            if (r.nSearched == 1) {
                v = r.nGain;
            } else {
                const bool pawnDrop = IsPawnDrop(m, 129);
                const bool hanging = m_nPsbComKomas[t] == 0 && m_nPsbManKomas[t] != 0 &&
                                     !pawnDrop && (m.nSrcPos == kDrop || m.nKind == 0);
                v = AvoidOuteOnMan(pawnDrop, hanging, nCount);
                if (v == 0 || v > 99)
                    SaveOuteOnMan(v, m_nTagDepth - m_nDepth + m_nStartDepth);
            }
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        if (v > 99)
            return v;
        if (v > best)
            best = v;
    }
    return best;
}

int ZelkorCore::ApplyOuteOnCom(bool bFree, int nCount)
{
    if (++m_nReflex1 > m_nReflexMax)
        return 1;
    if (m_nDepth >= kTumiMaxPly)
        return 0;

    const int K = m_komaUni[2].nPos;
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = GMCM_DestPointedPos(2, K, list);
    n += GMCM_BreakThroughOfShaKakuOute(list + n);
    if (n == 0)
        return 0;
    DeleteSameMove(&n);
    if (n > 31)
        n = 31;

    int best = 0;
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = list[i];
        const int t = m.nDstPos;
        if (IsFarTumiDropOnCom(m, K))
            continue;
        if (m.nSrcPos == kDrop) {
            const bool hangs = m_nPsbManKomas[t] == 0 && m_nPsbComKomas[t] != 0;
            if (hangs && (nCount >= 3 || (bFree && m.nKind != 1)))
                continue;
        } else if (m_nPsbManKomas[t] == 1 && m_nPsbComKomas[t] != 0 &&
                   ((nCount >= 3 && (m.nKind & 127) <= 1) || (bFree && m.nKind == 0))) {
            continue;
        }
        int v = 0;
        m_nDepth++;
        MakeCandiMove(m);
        if (m_nPsbComKomas[m_komaUni[1].nPos] == 0 && m_nPsbManKomas[m_komaUni[2].nPos] != 0 &&
            m_nWeightScore <= m_nStartWeightScore) {
            RESULT_IO r{};
            r.nDepth = m_nTagDepth - m_nDepth + m_nStartDepth;
            LoadOuteDataOnCom(&r);
            if (r.nSearched == 1) {
                v = r.nGain;
            } else {
                const bool pawnDrop = IsPawnDrop(m, 1);
                const bool hanging = m_nPsbManKomas[t] == 0 && m_nPsbComKomas[t] != 0 &&
                                     !pawnDrop && (m.nSrcPos == kDrop || m.nKind == 0);
                v = AvoidOuteOnCom(pawnDrop, hanging, nCount);
                if (v == 0 || v > 99)
                    SaveOuteOnCom(v, m_nTagDepth - m_nDepth + m_nStartDepth);
            }
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        if (v > 99)
            return v;
        if (v > best)
            best = v;
    }
    return best;
}

// ---------------------------------------------------------------------------
// AND nodes: the defender answers the check
// ---------------------------------------------------------------------------

// Value of an AND child whose remaining depth r has no usable table entry.
// s is the depth of a shallower entry of the same position (-1 if none);
// odd s lets the search deepen from there. stored tells that a decided value
// was already saved at a shallower depth.
int ZelkorCore::DeepenTumiOnMan(int r, int s, bool bFree, int nCount, bool &stored)
{
    stored = false;
    if (r == 1)
        return IsTumiOnManByOneMove() == kMateScore ? 100 : 1;
    if (s == r - 2)
        return ApplyOuteOnMan(bFree, nCount);
    const int saveTag = m_nTagDepth;
    int limit = (s & 1) ? s + 2 : r;
    int v = 0;
    for (;;) {
        if (limit > r)
            limit = r;
        m_nTagDepth = limit + m_nDepth - m_nStartDepth;
        v = limit == 1 ? (IsTumiOnManByOneMove() == kMateScore ? 100 : 1)
                       : ApplyOuteOnMan(bFree, nCount);
        if (limit == r)
            break;
        SaveOuteOnMan(v, limit);
        if (v == 0 || v > 99) {
            stored = true;
            break;
        }
        limit += 2;
    }
    m_nTagDepth = saveTag;
    return v;
}

int ZelkorCore::DeepenTumiOnCom(int r, int s, bool bFree, int nCount, bool &stored)
{
    stored = false;
    if (r == 1)
        return IsTumiOnComByOneMove() == kMateScore ? 100 : 1;
    if (s == r - 2)
        return ApplyOuteOnCom(bFree, nCount);
    const int saveTag = m_nTagDepth;
    int limit = (s & 1) ? s + 2 : r;
    int v = 0;
    for (;;) {
        if (limit > r)
            limit = r;
        m_nTagDepth = limit + m_nDepth - m_nStartDepth;
        v = limit == 1 ? (IsTumiOnComByOneMove() == kMateScore ? 100 : 1)
                       : ApplyOuteOnCom(bFree, nCount);
        if (limit == r)
            break;
        SaveOuteOnCom(v, limit);
        if (v == 0 || v > 99) {
            stored = true;
            break;
        }
        limit += 2;
    }
    m_nTagDepth = saveTag;
    return v;
}

int ZelkorCore::AvoidOuteOnMan(bool bUtsuHu, bool bFree, int nCount)
{
    if (m_nDepth - m_nStartDepth >= m_nTagDepth)
        return 1;
    if (m_nDepth >= kTumiMaxPly)
        return 0;

    const int K = m_komaUni[1].nPos;
    const int u = FirstDirect(m_nPsbComKoma[K], m_nPsbComKomas[K]);
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = 0;
    if (u != 0) {
        const int P = m_komaUni[u].nPos;
        const int code = m_komaUni[u].nKind;
        n = GMCM_ToruOnPreMoveOfEnemy(P, list);
        if (code == 130 || (code & 135) > 133)
            n += GMCM_BreakOffShaKaku(true, P, K, list + n);
    }
    n += GMCM_UsePointedKoma(2, K, list + n);
    DeleteSameMove(&n);
    if (n >= 21)
        return 0;

    int best = 100;
    bool noLegal = true;
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = list[i];
        const int t = m.nDstPos;
        if (m.nSrcPos == kDrop && m_nPsbManKomas[t] == 1 && m_nPsbComKomas[t] >= 2 && t >= 0x71 &&
            m_nPsbManKoma[t][0] == 1)
            continue;
        int v;
        m_nDepth++;
        MakeCandiMove(m);
        if (m_nWeightScore < m_nStartWeightScore) {
            v = 0;
        } else if (m_nPsbComKomas[m_komaUni[1].nPos] == 0) {
            noLegal = false;
            const int r = m_nTagDepth - m_nDepth + m_nStartDepth;
            RESULT_IO io{};
            io.nDepth = r;
            LoadOuteDataOnMan(&io);
            if (io.nSearched == 1) {
                v = io.nGain;
            } else {
                const bool free =
                    bFree && m.nSrcPos != kDrop && m.nKind != 0 && m_nPsbComKomas[t] == 0;
                bool stored;
                v = DeepenTumiOnMan(r, io.nDepth, free, free ? nCount + 1 : nCount, stored);
                if (!stored)
                    SaveOuteOnMan(v, r);
            }
        } else {
            v = 100;
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        if (v < 100)
            return v;
        if (v < best)
            best = v;
    }
    if (noLegal && bUtsuHu)
        best = 99;
    return best;
}

int ZelkorCore::AvoidOuteOnCom(int bUtsuHu, int bFree, int nCount)
{
    if (m_nDepth - m_nStartDepth >= m_nTagDepth)
        return 1;
    if (m_nDepth >= kTumiMaxPly)
        return 0;

    const int K = m_komaUni[2].nPos;
    const int u = FirstDirect(m_nPsbManKoma[K], m_nPsbManKomas[K]);
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = 0;
    if (u != 0) {
        const int P = m_komaUni[u].nPos;
        const int code = m_komaUni[u].nKind;
        n = GCCM_ToruOnPreMoveOfEnemy(P, list);
        if (code == 2 || (code & 7) >= 6)
            n += GCCM_BreakOffShaKaku(true, P, K, list + n);
    }
    n += GCCM_UsePointedKoma(2, K, list + n);
    DeleteSameMove(&n);
    if (n >= 21)
        return 0;

    int best = 100;
    bool noLegal = true;
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = list[i];
        const int t = m.nDstPos;
        if (m.nSrcPos == kDrop && m_nPsbComKomas[t] == 1 && m_nPsbManKomas[t] >= 2 && t < 0x40 &&
            m_nPsbComKoma[t][0] == 2)
            continue;
        int v;
        m_nDepth++;
        MakeCandiMove(m);
        if (m_nWeightScore > m_nStartWeightScore) {
            v = 0;
        } else if (m_nPsbManKomas[m_komaUni[2].nPos] == 0) {
            noLegal = false;
            const int r = m_nTagDepth - m_nDepth + m_nStartDepth;
            RESULT_IO io{};
            io.nDepth = r;
            LoadOuteDataOnCom(&io);
            if (io.nSearched == 1) {
                v = io.nGain;
            } else {
                const bool free =
                    bFree == 1 && m.nSrcPos != kDrop && m.nKind != 0 && m_nPsbManKomas[t] == 0;
                bool stored;
                v = DeepenTumiOnCom(r, io.nDepth, free, free ? nCount + 1 : nCount, stored);
                if (!stored)
                    SaveOuteOnCom(v, r);
            }
        } else {
            v = 100;
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        if (v < 100)
            return v;
        if (v < best)
            best = v;
    }
    if (noLegal && bUtsuHu == 1)
        best = 99;
    return best;
}

// ---------------------------------------------------------------------------
// Reply search
// ---------------------------------------------------------------------------

bool ZelkorCore::IsTimeOver() const
{
    if (m_bStopRequest.load(std::memory_order_relaxed))
        return true;
    if (m_nWallLimitMs > 0 && std::chrono::steady_clock::now() - m_tWallStart >=
                                  std::chrono::milliseconds(m_nWallLimitMs))
        return true;
    if (m_bNoTimeLimit)
        return false;
    return (std::clock() - m_clockStart) / CLOCKS_PER_SEC > m_nTimeLimit;
}

// Row d's line becomes the child's line (row d + 1), with `first` in front;
// the null move leaves the front entry empty.
void ZelkorCore::TakeChildLine(int d, const CANDI_MOVE *first)
{
    if (first)
        CopyMove(m_moveTree[d][d], *first);
    else
        m_moveTree[d][d].nSrcPos = 0;
    const int end = m_nSearchedDepth[d + 1];
    for (int i = d + 1; i < end; i++)
        m_moveTree[d][i] = m_moveTree[d + 1][i];
    m_nSearchedDepth[d] = end < d + 1 ? d + 1 : end;
}

void ZelkorCore::SetOneMoveLine(int d, int nSrcPos, int nDstPos, int nKind, int nNaru)
{
    m_moveTree[d][d] = {nSrcPos, nDstPos, nKind, nNaru};
    m_nSearchedDepth[d] = d + 1;
}

void ZelkorCore::SaveSearchResult(int nGain, int nSearched, const KOMA_MOVE &m, int nDepth)
{
    RESULT_IO r;
    r.nGain = nGain;
    r.nDepth = nDepth;
    r.nSearched = nSearched;
    r.nSrcPos = m.nSrcPos;
    r.nDstPos = m.nDstPos;
    r.nKind = m.nKind;
    r.nNaru = m.nNaru;
    SaveSearchData(&r);
}

// The stored best move of the position goes first: swapped to row 0 when the
// list holds it, otherwise put there if still playable.
void ZelkorCore::PutHashMoveFirst(CANDI_MOVE *list, int &n, const KOMA_MOVE &h, int nMax)
{
    if (h.nSrcPos == 0)
        return;
    for (int i = 0; i < n; i++) {
        if (SameMove(list[i], h)) {
            if (i != 0) {
                CANDI_MOVE &a = list[0];
                CANDI_MOVE &b = list[i];
                b.nSrcPos = a.nSrcPos;
                b.nDstPos = a.nDstPos;
                b.nKind = a.nKind;
                b.nNaru = a.nNaru;
                a.nSrcPos = h.nSrcPos;
                a.nDstPos = h.nDstPos;
                a.nKind = h.nKind;
                a.nNaru = h.nNaru;
            }
            return;
        }
    }
    if (!IsMoveable(h.nSrcPos, h.nDstPos, h.nKind, h.nNaru))
        return;
    if (n == 0) {
        list[0] = {h.nSrcPos, h.nDstPos, h.nKind, h.nNaru, 0, 0};
        n = 1;
        return;
    }
    if (n >= nMax)
        n = nMax - 1; // room for the displaced row
    list[n] = list[0];
    list[0].nSrcPos = h.nSrcPos;
    list[0].nDstPos = h.nDstPos;
    list[0].nKind = h.nKind;
    list[0].nNaru = h.nNaru;
    n++;
}

// A recapture at ply 3 (Man) or 2 (Com) that the side to move may lose on is
// searched two plies deeper.
bool ZelkorCore::IsManRecaptureExtended() const
{
    const CANDI_MOVE *p = m_pPreCandi[1];
    const CANDI_MOVE *q = m_pPreCandi[2];
    if (!p || !q || p->nDstPos != q->nDstPos)
        return false;
    const int t = q->nDstPos;
    const bool quiet = p->nSrcPos == kDrop || p->nKind == 0;
    bool lose = m_nPsbManKomas[t] == 0;
    if (!lose && m_nPsbManKomas[t] == 1 && quiet) {
        int x = kWeight2[m_nBoard[t] & 15];
        if (m_nPsbComKomas[t] != 0)
            x -= UniWeight2(GetMinWeightManKoma(t));
        lose = x - kWeight2[q->nKind & 15] < -kWeight2[1];
    }
    return lose && (quiet || ((q->nKind & 7) > 1 && p->nKind == 129));
}

bool ZelkorCore::IsComRecaptureExtended() const
{
    const CANDI_MOVE *p = m_pPreCandi[0];
    const CANDI_MOVE *q = m_pPreCandi[1];
    if (!p || !q || p->nDstPos != q->nDstPos)
        return false;
    const int t = q->nDstPos;
    const bool quiet = p->nSrcPos == kDrop || p->nKind == 0;
    bool lose = m_nPsbComKomas[t] == 0;
    if (!lose && m_nPsbComKomas[t] == 1 && quiet) {
        int x = kWeight2[m_nBoard[t] & 15];
        if (m_nPsbManKomas[t] != 0)
            x -= UniWeight2(GetMinWeightComKoma(t));
        lose = x - kWeight2[q->nKind & 15] < -kWeight2[1];
    }
    return lose && (quiet || ((q->nKind & 7) > 1 && p->nKind == 1));
}

// The reply search of one side, written once: Com maximises (improves alpha),
// Man minimises (improves beta). Where the sides differ (the clock, the mate
// searches, the extension ply, the value of being mated) the branch says so.
template <bool Com> int ZelkorCore::SearchReply(int nMin, int nMax)
{
    using S = Side<Com>;
    auto better = [](int v, int than) { return Com ? v > than : v < than; };
    auto child = [this](int a, int b) { return Com ? SearchManMove(a, b) : SearchComMove(a, b); };
    const int mateByMe = Com ? kMateScore : -kMateScore;

    // 1. Count the node; Man's plies look at the clock.
    m_nSearchNodes++;
    const int d = m_nDepth;
    int alpha = nMin;
    int beta = nMax;
    int &best = Com ? alpha : beta; // the bound this side improves
    int best0 = best;
    m_moveTree[d][d].nSrcPos = 0;
    m_nSearchedDepth[d] = d;
    if constexpr (!Com) {
        if (m_nMinTagDepth > 1 && ++m_nTimeCounter > 3000) {
            m_nTimeCounter = 0;
            if (IsTimeOver())
                m_bTime = true;
        }
        if (m_bTime)
            return alpha;
    }

    // 2. The result table: a stored value ends the node or narrows the window.
    const int D = 256 * m_nMinTagDepth + m_nRemainDepth;
    RESULT_IO io{};
    io.nDepth = D - 256 * d;
    LoadSearchData(&io);
    const KOMA_MOVE hash = {io.nSrcPos, io.nDstPos, io.nKind, io.nNaru};
    if (io.nSearched == 1 || (io.nSearched == 2 && (Com ? beta <= io.nGain : io.nGain <= alpha))) {
        if (hash.nSrcPos != 0)
            SetOneMoveLine(d, hash.nSrcPos, hash.nDstPos, hash.nKind, hash.nNaru);
        return io.nGain;
    }
    if (io.nSearched == 2 && better(io.nGain, best))
        best = io.nGain;

    // 3. At the horizon, out of check: the evaluation after the best capture.
    const bool inCheck = S::Theirs(*this, m_komaUni[S::kKingUni].nPos) != 0;
    if ((m_nMinTagDepth <= d && !inCheck) || d >= kTreeMaxPly) {
        int s = 0;
        int g = Com ? SearchSurfaceByCom(&s) : SearchSurfaceByMan(&s);
        if (g != 0) {
            const int k = m_nBoard[s] & 7;
            g += m_nProfitOnCapt1[S::Held(*this, k)][k];
        }
        return Com ? Evaluation() + g : Evaluation() - g;
    }

    // 4. Out of check: a mate found at once, then the threat probe (the
    // other side moves again) between the two halves of the candidate list.
    CANDI_MOVE *list = m_moveCandi[d];
    int n = 0;
    bool noLegal = false;
    if (!inCheck) {
        if ((Com ? IsTumiOnManByOneMove() : IsTumiOnComByOneMove()) == kMateScore) {
            const CANDI_MOVE &m = list[0];
            SetOneMoveLine(d, m.nSrcPos, m.nDstPos, m.nKind, m.nNaru);
            return mateByMe;
        }
        if constexpr (Com) {
            const int remain = m_nMinTagDepth - d;
            if (remain > 3) {
                int s = 0, t = 0, k = 0, nr = 0;
                const int lim = remain == 4 ? 3 : remain <= 6 ? 5 : 7;
                if (SearchTumiOnMan(s, t, k, nr, lim) > 99) {
                    SetOneMoveLine(d, s, t, k, nr);
                    return kMateScore;
                }
            }
        }
        n = Com ? BeginComReplyCandi() : BeginManReplyCandi();
        m_pPreCandi[d] = nullptr;
        m_nDepth++;
        m_dwBoard1 = ~m_dwBoard1;
        m_dwBoard2 = ~m_dwBoard2;
        const int v = child(alpha, beta);
        m_dwBoard1 = ~m_dwBoard1;
        m_dwBoard2 = ~m_dwBoard2;
        m_nDepth--;
        if (better(v, best)) {
            best = v;
            TakeChildLine(d, nullptr);
        }
        if (alpha >= beta) {
            SaveSearchResult(best, 2, KOMA_MOVE{}, D - 256 * d);
            return best;
        }
        // around the threat the probe left in m_moveTree[d + 1][d + 1]
        n = Com ? EndComReplyCandi(n) : EndManReplyCandi(n);
    } else {
        n = Com ? BeginComReplyCandi() : BeginManReplyCandi(); // the evasions
        noLegal = true;
    }
    PutHashMoveFirst(list, n, hash, 64);

    // 5. The moves; the first searched half a ply deeper, recaptures at the
    // side's extension ply two plies deeper.
    const bool extend = Com ? d == 2 && IsComRecaptureExtended() : d == 3 && IsManRecaptureExtended();
    int storeD = D;
    for (int i = 0; i < n; i++) {
        CANDI_MOVE &m = list[i];
        m_pPreCandi[d] = &m;
        const int Drow = i == 0 ? D + 128 : D;
        m_nMinTagDepth = Drow >> 8;
        m_nRemainDepth = Drow & 255;
        m_nDepth++;
        MakeCandiMove(m);
        int v = -mateByMe;
        if (S::Theirs(*this, m_komaUni[S::kKingUni].nPos) == 0) {
            noLegal = false;
            v = child(alpha, beta);
            if (extend && better(v, best)) {
                if constexpr (Com)
                    m_bCallTumiFunc = 1;
                m_nMinTagDepth += 2;
                v = child(alpha, beta);
                m_nMinTagDepth -= 2;
                if constexpr (Com)
                    m_bCallTumiFunc = 0;
            }
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        m_nMinTagDepth = D >> 8;
        m_nRemainDepth = D & 255;
        if (better(v, best)) {
            best = v;
            storeD = Drow;
            TakeChildLine(d, &m);
        }
        if (alpha >= beta) {
            KOMA_MOVE km;
            CopyMove(km, m);
            SaveSearchResult(best, 2, km, storeD - 256 * d);
            return best;
        }
    }

    // 6. Man's plies 1 and 3: a mate search for Com before settling.
    if constexpr (!Com) {
        if (d == 1 && !inCheck && (beta == kMateScore || m_nMinTagDepth > 1)) {
            int s = 0, t = 0, k = 0, nr = 0;
            const int lim = beta == kMateScore ? 31 : 2 * m_nMinTagDepth - 1;
            if (SearchTumiOnCom(s, t, k, nr, lim) > 99) {
                SetOneMoveLine(d, s, t, k, nr);
                return -kMateScore;
            }
        } else if (d == 3 && m_bCallTumiFunc == 1 && alpha != kMateScore && !inCheck &&
                   m_nMinTagDepth > 3) {
            int s = 0, t = 0, k = 0, nr = 0;
            if (SearchTumiOnCom(s, t, k, nr, 2 * m_nMinTagDepth - 5) > 99) {
                SetOneMoveLine(d, s, t, k, nr);
                return -kMateScore;
            }
        }
    }

    // 7. No legal move: mated, unless the last move was a pawn drop, which
    // may not mate.
    if (noLegal) {
        m_moveTree[d][d].nSrcPos = 0;
        m_nSearchedDepth[d] = d;
        const CANDI_MOVE *prev = m_pPreCandi[d - 1];
        if (prev && IsPawnDrop(*prev, S::OppCode(kPawn))) {
            best = best0 = mateByMe;
        } else if constexpr (Com) {
            alpha = -25000;
            best0 = -25001;
        } else {
            beta = kMateScore;
            best0 = 25001;
        }
    }
    if (better(best, best0))
        SaveSearchResult(best, 1, m_moveTree[d][d], storeD - 256 * d);
    return best;
}

int ZelkorCore::SearchManMove(int nMin, int nMax)
{
    return SearchReply<false>(nMin, nMax);
}

int ZelkorCore::SearchComMove(int nMin, int nMax)
{
    return SearchReply<true>(nMin, nMax);
}
