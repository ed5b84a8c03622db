// Mate detection: the exact mate test, the mate-in-one test and the
// mate-by-checks search with its node budget and proven-result table.
// Every function comes as a twin: ...OnMan hunts Man's king with Com's
// checks, ...OnCom hunts Com's king with Man's checks.
#include "Zelkor.h"
#include "ZelkorUtil.h"

#include <initializer_list>
#include <utility>

using namespace zelkor;

namespace {

inline int Col(int s)
{
    return s & 15;
}

} // namespace

// ---------------------------------------------------------------------------
// Shared mechanics
// ---------------------------------------------------------------------------

void ZelkorCore::MakeCandiMove(const CANDI_MOVE &m)
{
    if (m.nSrcPos == kDrop)
        MoveKomaOnCapt(m.nDstPos, m.nKind);
    else
        MoveKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru);
}

void ZelkorCore::UnmakeCandiMove(const CANDI_MOVE &m)
{
    if (m.nSrcPos == kDrop)
        BackKomaToCapt(m.nDstPos);
    else
        BackKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru, m.nKind);
}

// Bit 7 - i set when neighbour i of Man's king is a square it may step to.
int ZelkorCore::GetFreeMaskOnManGyoku()
{
    const int K = m_komaUni[1].nPos;
    int mask = 0;
    for (int i = 0; i < 8; i++) {
        mask <<= 1;
        const int n = K - kKingSteps[i];
        const int c = m_nBoard[n];
        if (c != kFrame && m_nPsbComKomas[n] == 0 && (c == 0 || c > 128))
            mask |= 1;
    }
    return mask;
}

int ZelkorCore::GetFreeMaskOnComGyoku()
{
    const int K = m_komaUni[2].nPos;
    int mask = 0;
    for (int i = 0; i < 8; i++) {
        mask <<= 1;
        const int n = K + kKingSteps[i];
        const int c = m_nBoard[n];
        if (c != kFrame && m_nPsbManKomas[n] == 0 && c < 128)
            mask |= 1;
    }
    return mask;
}

// Drops that check from too far away to matter for a mate.
bool ZelkorCore::IsFarTumiDropOnMan(const CANDI_MOVE &m, int K) const
{
    if (m.nSrcPos != kDrop)
        return false;
    const int t = m.nDstPos;
    switch (m.nKind) {
    case 130:
        return K - t >= 64;
    case 135:
        if (Col(t) == Col(K))
            return Abs(K - t) >= 64;
        return Abs(Col(K) - Col(t)) >= 4;
    case 134:
        return Abs(Col(K) - Col(t)) >= 4;
    default:
        return false;
    }
}

bool ZelkorCore::IsFarTumiDropOnCom(const CANDI_MOVE &m, int K) const
{
    if (m.nSrcPos != kDrop)
        return false;
    const int t = m.nDstPos;
    switch (m.nKind) {
    case 2:
        return t - K >= 64;
    case 7:
        if (Col(t) == Col(K))
            return Abs(K - t) >= 64;
        return Abs(Col(K) - Col(t)) >= 4;
    case 6:
        return Abs(Col(K) - Col(t)) >= 4;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Exact test: is the king, now in check, mated?
// ---------------------------------------------------------------------------

int ZelkorCore::IsTumiOnManJust(bool bUtsuHu)
{
    const int K = m_komaUni[1].nPos;
    for (int a : kKingSteps) {
        const int n = K + a;
        const int c = m_nBoard[n];
        if (c != kFrame && m_nPsbComKomas[n] == 0 && (c == 0 || c > 128))
            return m_nWeightScore;
    }

    const int u = FirstDirect(m_nPsbComKoma[K], m_nPsbComKomas[K]);
    const int P = m_komaUni[u].nPos;
    const int code = m_komaUni[u].nKind;
    const int d = ++m_nDepth; // the caller's list lives in the row below
    CANDI_MOVE *list = m_moveCandi[d];
    int n = 0;
    if (u != 0) {
        n = GMCM_ToruOnPreMoveOfEnemy(P, list);
        if (code == 130 || (code & 135) > 133)
            n += GMCM_BreakOffShaKaku(true, P, K, list + n);
    }
    int result = bUtsuHu ? -kMateScore : kMateScore;
    if (n >= 11) {
        result = m_nWeightScore;
    } else {
        for (int i = 0; i < n; i++) {
            const CANDI_MOVE &m = list[i];
            const int t = m.nDstPos;
            if (m.nSrcPos == kDrop) {
                if (m_nPsbManKomas[t] == 1 && m_nPsbComKomas[t] >= 2 && m_nPsbManKoma[t][0] == 1)
                    continue; // only the king could retake: a wasted interposition
                if (m_nPsbComKomas[K] == 1) {
                    result = m_nWeightScore;
                    break;
                }
            }
            MakeCandiMove(m);
            const bool attacked = m_nPsbComKomas[m_komaUni[1].nPos] != 0;
            UnmakeCandiMove(m);
            if (!attacked) {
                result = m_nWeightScore;
                break;
            }
        }
    }
    m_nDepth--;
    return result;
}

int ZelkorCore::IsTumiOnComJust(bool bUtsuHu)
{
    const int K = m_komaUni[2].nPos;
    for (int a : kKingSteps) {
        const int n = K + a;
        const int c = m_nBoard[n];
        if (c != kFrame && m_nPsbManKomas[n] == 0 && c < 128)
            return m_nWeightScore;
    }

    const int u = FirstDirect(m_nPsbManKoma[K], m_nPsbManKomas[K]);
    const int P = m_komaUni[u].nPos;
    const int code = m_komaUni[u].nKind;
    const int d = ++m_nDepth;
    CANDI_MOVE *list = m_moveCandi[d];
    int n = 0;
    if (u != 0) {
        n = GCCM_ToruOnPreMoveOfEnemy(P, list);
        if (code == 2 || (code & 7) >= 6)
            n += GCCM_BreakOffShaKaku(true, P, K, list + n);
    }
    int result = bUtsuHu ? -kMateScore : kMateScore;
    if (n >= 11) {
        result = m_nWeightScore;
    } else {
        for (int i = 0; i < n; i++) {
            const CANDI_MOVE &m = list[i];
            const int t = m.nDstPos;
            if (m.nSrcPos == kDrop) {
                if (m_nPsbComKomas[t] == 1 && m_nPsbManKomas[t] >= 2 && m_nPsbComKoma[t][0] == 2)
                    continue;
                if (m_nPsbManKomas[K] == 1) {
                    result = m_nWeightScore;
                    break;
                }
            }
            MakeCandiMove(m);
            const bool attacked = m_nPsbManKomas[m_komaUni[2].nPos] != 0;
            UnmakeCandiMove(m);
            if (!attacked) {
                result = m_nWeightScore;
                break;
            }
        }
    }
    m_nDepth--;
    return result;
}

// ---------------------------------------------------------------------------
// Mate in one
// ---------------------------------------------------------------------------

// The check just made (the checker on t) mates when the king cannot take it
// and has nowhere to go; if other defenders exist the exact test decides.
bool ZelkorCore::IsCheckMateOnMan(int t)
{
    if (m_nPsbManKomas[t] == 1 && m_nPsbManKoma[t][0] == 1)
        return GetFreeMaskOnManGyoku() == 0;
    return IsTumiOnManJust(false) == kMateScore;
}

bool ZelkorCore::IsCheckMateOnCom(int t)
{
    if (m_nPsbComKomas[t] == 1 && m_nPsbComKoma[t][0] == 2)
        return GetFreeMaskOnComGyoku() == 0;
    return IsTumiOnComJust(false) == kMateScore;
}

// Tries one move; true (and the move in row 0) when it mates.
bool ZelkorCore::TryMateOnMan(const CANDI_MOVE &m)
{
    MakeCandiMove(m);
    const bool mate = m_nPsbManKomas[m_komaUni[2].nPos] == 0 && IsCheckMateOnMan(m.nDstPos);
    UnmakeCandiMove(m);
    if (mate)
        m_moveCandi[m_nDepth][0] = m;
    return mate;
}

bool ZelkorCore::TryMateOnCom(const CANDI_MOVE &m)
{
    MakeCandiMove(m);
    const bool mate = m_nPsbComKomas[m_komaUni[1].nPos] == 0 && IsCheckMateOnCom(m.nDstPos);
    UnmakeCandiMove(m);
    if (mate)
        m_moveCandi[m_nDepth][0] = m;
    return mate;
}

int ZelkorCore::IsTumiOnManByOneMove()
{
    const int K = m_komaUni[1].nPos;
    const int free = GetFreeMaskOnManGyoku();
    if (__builtin_popcount(free) >= 6)
        return m_nWeightScore;

    m_moveCandi[m_nDepth][0].nSrcPos = 0;
    for (int i = 0; i < 8; i++) {
        const int t = K - kKingSteps[i];
        const int x = m_nBoard[t];
        if (x == kFrame || x > 128 || m_nPsbComKomas[t] == 0)
            continue;
        const int cls = kAroundCode[i];
        if (x == 0) {
            for (int k = (i == 0 ? 2 : 4); k <= 7; k++) {
                const int neck = kNeckOnAround[i][k];
                if (m_nCaptByCom[k] == 0 || neck == 0 || (neck & free) != 0)
                    continue;
                if (TryMateOnMan({kDrop, t, 128 + k, 0, 0, 0}))
                    return kMateScore;
            }
        }
        if (m_nPsbComKomas[t] < 2)
            continue;
        int attackers[32];
        const int na = m_nPsbComKomas[t];
        for (int j = 0; j < na; j++)
            attackers[j] = m_nPsbComKoma[t][j];
        for (int j = 0; j < na; j++) {
            if (attackers[j] >= kXray)
                continue;
            const int p = m_komaUni[attackers[j]].nPos;
            const int k = m_komaUni[attackers[j]].nKind & 15;
            const int naru = (kAddWeightOnNaru[k] != 0 && (p >= 0x71 || t >= 0x71)) ? 8 : 0;
            if (kMarkOnCode[cls][k + naru] == 1 && TryMateOnMan({p, t, x, naru, 0, 0}))
                return kMateScore;
            const bool alsoPlain = naru == 8 && ((k == 2 && i == 0) || (k == 4 && cls == 3));
            if (alsoPlain && kMarkOnCode[cls][k] == 1 && TryMateOnMan({p, t, x, 0, 0, 0}))
                return kMateScore;
        }
    }

    if (free == 0 && K > 0x2f) {
        for (int t : {K - 33, K - 31}) {
            const int x = m_nBoard[t];
            if (x == 0 && m_nCaptByCom[3] != 0 && TryKnightMateOnMan({kDrop, t, 131, 0, 0, 0}))
                return kMateScore;
            if (x == kFrame || x > 128 || t < 0x30)
                continue;
            int attackers[32];
            const int na = m_nPsbComKomas[t];
            for (int j = 0; j < na; j++)
                attackers[j] = m_nPsbComKoma[t][j];
            for (int j = 0; j < na; j++) {
                const int u = attackers[j];
                if (u < 128 && m_komaUni[u].nKind == 131 &&
                    TryKnightMateOnMan({m_komaUni[u].nPos, t, x, 0, 0, 0}))
                    return kMateScore;
            }
        }
    }
    return m_nWeightScore;
}

int ZelkorCore::IsTumiOnComByOneMove()
{
    const int K = m_komaUni[2].nPos;
    const int free = GetFreeMaskOnComGyoku();
    if (__builtin_popcount(free) >= 6)
        return m_nWeightScore;

    m_moveCandi[m_nDepth][0].nSrcPos = 0;
    for (int i = 0; i < 8; i++) {
        const int t = K + kKingSteps[i];
        const int x = m_nBoard[t];
        if (x == kFrame || (x != 0 && x < 128) || m_nPsbManKomas[t] == 0)
            continue;
        const int cls = kAroundCode[i];
        if (x == 0) {
            for (int k = (i == 0 ? 2 : 4); k <= 7; k++) {
                const int neck = kNeckOnAround[i][k];
                if (m_nCaptByMan[k] == 0 || neck == 0 || (neck & free) != 0)
                    continue;
                if (TryMateOnCom({kDrop, t, k, 0, 0, 0}))
                    return kMateScore;
            }
        }
        if (m_nPsbManKomas[t] < 2)
            continue;
        int attackers[32];
        const int na = m_nPsbManKomas[t];
        for (int j = 0; j < na; j++)
            attackers[j] = m_nPsbManKoma[t][j];
        for (int j = 0; j < na; j++) {
            if (attackers[j] >= kXray)
                continue;
            const int p = m_komaUni[attackers[j]].nPos;
            const int k = m_komaUni[attackers[j]].nKind & 15;
            const int naru = (kAddWeightOnNaru[k] != 0 && (p < 0x40 || t < 0x40)) ? 8 : 0;
            if (kMarkOnCode[cls][k + naru] == 1 && TryMateOnCom({p, t, x, naru, 0, 0}))
                return kMateScore;
            const bool alsoPlain = naru == 8 && ((k == 2 && i == 0) || (k == 4 && cls == 3));
            if (alsoPlain && kMarkOnCode[cls][k] == 1 && TryMateOnCom({p, t, x, 0, 0, 0}))
                return kMateScore;
        }
    }

    if (free == 0 && K < 0x80) {
        for (int t : {K + 33, K + 31}) {
            const int x = m_nBoard[t];
            if (x == 0 && m_nCaptByMan[3] != 0 && TryKnightMateOnCom({kDrop, t, 3, 0, 0, 0}))
                return kMateScore;
            if (x == kFrame || (x != 0 && x < 128) || t >= 0x80)
                continue;
            int attackers[32];
            const int na = m_nPsbManKomas[t];
            for (int j = 0; j < na; j++)
                attackers[j] = m_nPsbManKoma[t][j];
            for (int j = 0; j < na; j++) {
                const int u = attackers[j];
                if (u < 128 && m_komaUni[u].nKind == 3 &&
                    TryKnightMateOnCom({m_komaUni[u].nPos, t, x, 0, 0, 0}))
                    return kMateScore;
            }
        }
    }
    return m_nWeightScore;
}

// A knight check cannot be blocked: it mates when nothing takes the knight
// and the king has no square left.
bool ZelkorCore::TryKnightMateOnMan(const CANDI_MOVE &m)
{
    MakeCandiMove(m);
    bool mate = false;
    if (m_nPsbManKomas[m_komaUni[2].nPos] == 0) {
        if (m_nPsbManKomas[m.nDstPos] == 0 && GetFreeMaskOnManGyoku() == 0) {
            mate = true;
        } else {
            mate = IsTumiOnManJust(false) == kMateScore;
        }
    }
    UnmakeCandiMove(m);
    if (mate)
        m_moveCandi[m_nDepth][0] = m;
    return mate;
}

bool ZelkorCore::TryKnightMateOnCom(const CANDI_MOVE &m)
{
    MakeCandiMove(m);
    bool mate = false;
    if (m_nPsbComKomas[m_komaUni[1].nPos] == 0) {
        if (m_nPsbComKomas[m.nDstPos] == 0 && GetFreeMaskOnComGyoku() == 0) {
            mate = true;
        } else {
            mate = IsTumiOnComJust(false) == kMateScore;
        }
    }
    UnmakeCandiMove(m);
    if (mate)
        m_moveCandi[m_nDepth][0] = m;
    return mate;
}

// ---------------------------------------------------------------------------
// Mate-by-checks search with iterative deepening
// ---------------------------------------------------------------------------

int ZelkorCore::SearchTumiOnMan(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru, int nMaxDepth)
{
    m_nTagDepth = 1;
    m_nReflex2 = 0;
    m_nStartDepth = m_nDepth;
    m_nStartWeightScore = m_nWeightScore - 2 * kWeight2[7];

    const int K = m_komaUni[1].nPos;
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = GCCM_DestPointedPos(2, K, list);
    n += GCCM_BreakThroughOfShaKakuOute(list + n);
    DeleteSameMove(&n);
    if (n > 31)
        n = 31;
    if (n == 0)
        return -kMateScore;

    for (;;) {
        int best = 0;
        int bestRow = 0;
        for (int i = 0; i < n; i++) {
            const CANDI_MOVE &m = list[i];
            if (IsFarTumiDropOnMan(m, K))
                continue;
            int v = 0;
            MakeCandiMove(m);
            if (m_nPsbManKomas[m_komaUni[2].nPos] == 0 && m_nPsbComKomas[m_komaUni[1].nPos] != 0) {
                m_nDepth++;
                const bool pawnDrop = IsPawnDrop(m, 129);
                RESULT_IO r{};
                r.nDepth = m_nTagDepth - m_nDepth + m_nStartDepth;
                LoadOuteDataOnMan(&r);
                if (r.nSearched == 1) {
                    v = r.nGain;
                } else {
                    if (m_nTagDepth == 1) {
                        v = IsTumiOnManJust(pawnDrop) == kMateScore ? 100 : 1;
                    } else {
                        const int t = m.nDstPos;
                        const bool hanging = m_nPsbComKomas[t] == 0 && m_nPsbManKomas[t] != 0 &&
                                             !pawnDrop && (m.nSrcPos == kDrop || m.nKind == 0);
                        v = AvoidOuteOnMan(pawnDrop, hanging, 0);
                    }
                    SaveOuteOnMan(v, m_nTagDepth - m_nDepth + m_nStartDepth);
                }
                m_nDepth--;
            }
            UnmakeCandiMove(m);
            if (v > best) {
                best = v;
                bestRow = i;
                if (v > 99)
                    break;
            }
        }
        if (m_nReflex2 > m_nReflexMax || best > 99 || best == 0 || m_nTagDepth >= nMaxDepth) {
            nSrcPos = list[bestRow].nSrcPos;
            nDstPos = list[bestRow].nDstPos;
            nKind = list[bestRow].nKind;
            nNaru = list[bestRow].nNaru;
            return best;
        }
        m_nTagDepth += 2;
        if (m_nTagDepth >= 5) {
            for (int i = 0; i < n; i++) {
                CANDI_MOVE &m = list[i];
                MakeCandiMove(m);
                m.nTemp1 = 0;
                if (m_nPsbManKomas[m_komaUni[2].nPos] == 0 &&
                    m_nPsbComKomas[m_komaUni[1].nPos] != 0) {
                    m_nDepth++;
                    m.nTemp1 = LoadOuteOnMan(1);
                    m_nDepth--;
                }
                UnmakeCandiMove(m);
            }
            SortTumiByTemp1(list, n);
        }
    }
}

int ZelkorCore::SearchTumiOnCom(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru, int nMaxDepth)
{
    m_nTagDepth = 1;
    m_nReflex1 = 0;
    m_nStartDepth = m_nDepth;
    m_nStartWeightScore = m_nWeightScore + 2 * kWeight2[7];

    const int K = m_komaUni[2].nPos;
    CANDI_MOVE *list = m_moveCandi[m_nDepth];
    int n = GMCM_DestPointedPos(2, K, list);
    n += GMCM_BreakThroughOfShaKakuOute(list + n);
    DeleteSameMove(&n);
    if (n > 31)
        n = 31;
    if (n == 0)
        return -kMateScore;

    for (;;) {
        int best = 0;
        int bestRow = 0;
        for (int i = 0; i < n; i++) {
            const CANDI_MOVE &m = list[i];
            if (IsFarTumiDropOnCom(m, K))
                continue;
            int v = 0;
            MakeCandiMove(m);
            if (m_nPsbComKomas[m_komaUni[1].nPos] == 0 && m_nPsbManKomas[m_komaUni[2].nPos] != 0) {
                m_nDepth++;
                const bool pawnDrop = IsPawnDrop(m, 1);
                RESULT_IO r{};
                r.nDepth = m_nTagDepth - m_nDepth + m_nStartDepth;
                LoadOuteDataOnCom(&r);
                if (r.nSearched == 1) {
                    v = r.nGain;
                } else {
                    if (m_nTagDepth == 1) {
                        v = IsTumiOnComJust(pawnDrop) == kMateScore ? 100 : 1;
                    } else {
                        const int t = m.nDstPos;
                        const bool hanging = m_nPsbManKomas[t] == 0 && m_nPsbComKomas[t] != 0 &&
                                             !pawnDrop && (m.nSrcPos == kDrop || m.nKind == 0);
                        v = AvoidOuteOnCom(pawnDrop, hanging, 0);
                    }
                    SaveOuteOnCom(v, m_nTagDepth - m_nDepth + m_nStartDepth);
                }
                m_nDepth--;
            }
            UnmakeCandiMove(m);
            if (v > best) {
                best = v;
                bestRow = i;
                if (v > 99)
                    break;
            }
        }
        if (m_nReflex1 > m_nReflexMax || best > 99 || best == 0 || m_nTagDepth >= nMaxDepth) {
            nSrcPos = list[bestRow].nSrcPos;
            nDstPos = list[bestRow].nDstPos;
            nKind = list[bestRow].nKind;
            nNaru = list[bestRow].nNaru;
            return best;
        }
        m_nTagDepth += 2;
        if (m_nTagDepth >= 5) {
            for (int i = 0; i < n; i++) {
                CANDI_MOVE &m = list[i];
                MakeCandiMove(m);
                m.nTemp1 = 0;
                if (m_nPsbComKomas[m_komaUni[1].nPos] == 0 &&
                    m_nPsbManKomas[m_komaUni[2].nPos] != 0) {
                    m_nDepth++;
                    m.nTemp1 = LoadOuteOnCom(1);
                    m_nDepth--;
                }
                UnmakeCandiMove(m);
            }
            SortTumiByTemp1(list, n);
        }
    }
}

// Proven-result table shorthands: the usable value at a remaining depth, or
// 0 when there is none; and a store of a mate value.
int ZelkorCore::LoadOuteOnMan(int nRemain)
{
    RESULT_IO r{};
    r.nDepth = nRemain;
    LoadOuteDataOnMan(&r);
    return r.nSearched == 1 ? r.nGain : 0;
}

int ZelkorCore::LoadOuteOnCom(int nRemain)
{
    RESULT_IO r{};
    r.nDepth = nRemain;
    LoadOuteDataOnCom(&r);
    return r.nSearched == 1 ? r.nGain : 0;
}

void ZelkorCore::SaveOuteOnMan(int v, int nRemain)
{
    RESULT_IO r{};
    r.nGain = v;
    r.nDepth = nRemain;
    SaveOuteDataOnMan(&r);
}

void ZelkorCore::SaveOuteOnCom(int v, int nRemain)
{
    RESULT_IO r{};
    r.nGain = v;
    r.nDepth = nRemain;
    SaveOuteDataOnCom(&r);
}

// Most promising checks first; only the move and nTemp1 travel.
void ZelkorCore::SortTumiByTemp1(CANDI_MOVE *list, int n)
{
    for (int i = 0; i + 1 < n; i++) {
        int best = i;
        for (int j = i + 1; j < n; j++)
            if (list[j].nTemp1 > list[best].nTemp1)
                best = j;
        if (best == i)
            continue;
        CANDI_MOVE &a = list[i];
        CANDI_MOVE &b = list[best];
        std::swap(a.nSrcPos, b.nSrcPos);
        std::swap(a.nDstPos, b.nDstPos);
        std::swap(a.nKind, b.nKind);
        std::swap(a.nNaru, b.nNaru);
        std::swap(a.nTemp1, b.nTemp1);
    }
}
