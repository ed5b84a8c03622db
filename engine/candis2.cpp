// Candidate generators that attack a square and that give check.
#include "Zelkor.h"
#include "ZelkorUtil.h"
#include "side.h"

#include <initializer_list>

using namespace zelkor;

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

int Row(int s)
{
    return s >> 4;
}

int Col(int s)
{
    return s & 15;
}

// b lies strictly between a and c on one straight line.
bool Between(int a, int b, int c)
{
    int dr = Row(c) - Row(a), dc = Col(c) - Col(a);
    if (!(dr == 0 || dc == 0 || dr == dc || dr == -dc) || (dr == 0 && dc == 0))
        return false;
    int step = 16 * Sign(dr) + Sign(dc);
    for (int s = a + step; s != c; s += step)
        if (s == b)
            return true;
    return false;
}

} // namespace

// ===========================================================================
// Moves after which an own piece attacks t
// ===========================================================================

// Own bishops (kind7 6) or rooks (7) moving onto the line dir from t.
template <bool C> int ZelkorCore::LineMovesT(int t, int dir, int kind7, int mode, CANDI_MOVE *p, int n)
{
    if (m_nBoard[t + dir] != 0 || m_nBoard[t + 2 * dir] == kFrame ||
        Side<C>::Own(m_nBoard[t + 2 * dir]))
        return n;
    for (int s = t + 2 * dir; m_nBoard[s] == 0 || Side<C>::Opp(m_nBoard[s]); s += dir) {
        const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s), x = m_nBoard[s];
        bool guarded = m_nBoard[s + Side<C>::Step(16)] == Side<!C>::Code(1);
        if (!((guarded && mode != 2) || nc == 0 || (nh > 0 && nc == 1 && x == 0 && mode != 2))) {
            const int *lst = Side<C>::MyList(*this, s);
            for (int i = 0; i < nc; i++) {
                int u = lst[i];
                if (u > 128)
                    continue;
                int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
                if ((k & 7) != kind7 || src == t || IsDirectAttacker<C>(u, t))
                    continue;
                int naru = k == kind7 && (Side<C>::Zone(s) || Side<C>::Zone(src)) ? 8 : 0;
                n = PutCandi(p, n, src, s, x, naru,
                             DestScore<C>(k, src, s) + (naru ? kAddWeightOnNaru[k] : 0));
            }
        }
        if (x != 0)
            break;
    }
    return n;
}

// Drops of a bishop or rook (kind) on the empty squares of the line dir from t.
template <bool C> int ZelkorCore::LineDropsT(int t, int dir, int kind, int mode, CANDI_MOVE *p, int n)
{
    for (int s = t + dir; m_nBoard[s] == 0; s += dir) {
        if (mode != 2 && m_nBoard[s + Side<C>::Step(16)] == Side<!C>::Code(1))
            continue;
        int score;
        if (Side<C>::Theirs(*this, s) == 0)
            score = 1;
        else if (Side<C>::Mine(*this, s) == 0) {
            if (mode != 2)
                continue;
            score = -kWeight2[kind];
        } else
            score = Side<C>::ProfitUtsu(*this, Side<C>::Code(kind), s);
        n = PutCandi(p, n, kDrop, s, Side<C>::Code(kind), 0, score);
    }
    return n;
}

template <bool C> int ZelkorCore::DestPointedPosT(int mode, int t, CANDI_MOVE *p)
{
    if (!zelkor::IsPlayingSquare(t))
        return 0;
    const int *hand = Side<C>::Hand(*this);
    const int pawnOpp = Side<!C>::Code(1);
    int n = 0;
    // A square the own side may not use: own piece, frame, or (unless mode 2)
    // covered only by the enemy or guarded by an enemy pawn.
    auto barred = [&](int s) {
        int c = m_nBoard[s];
        if (c == kFrame || Side<C>::Own(c))
            return true;
        bool sacrifice = Side<C>::Theirs(*this, s) > 0 && Side<C>::Mine(*this, s) == 0;
        bool guarded = m_nBoard[s + Side<C>::Step(16)] == pawnOpp;
        return mode != 2 && (sacrifice || guarded);
    };

    // 1. Step attackers.
    for (int i = 0; i < 8; i++) {
        const int s = t - Side<C>::Step(kKingSteps[i]), d = kAroundCode[i];
        if (barred(s))
            continue;
        const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s), x = m_nBoard[s];
        const bool sacrifice = nh > 0 && nc == 0;
        bool skipMoves = false;
        if (x == 0) {
            for (int k = kUtsuFrom[d]; k < kUtsuTo[d]; k++) {
                if (hand[k] <= 0 || k == 3 || !CanDropOn<C>(k, s))
                    continue;
                int score = sacrifice ? -kWeight2[k]
                            : nh == 0 ? 1
                                      : Side<C>::ProfitUtsu(*this, Side<C>::Code(k), s);
                if (mode == 0 && score < 0) {
                    skipMoves = true;
                    break;
                }
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(k), 0, score);
                if (mode == 0)
                    return n;
            }
        }
        if (skipMoves || nc == 0 || (nh > 0 && nc == 1 && x == 0 && mode != 2))
            continue;
        const int *lst = Side<C>::MyList(*this, s);
        for (int j = 0; j < nc; j++) {
            int u = lst[j];
            if (u > 128)
                continue;
            int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
            if (src == t)
                continue;
            int bonus = kAddWeightOnNaru[k];
            int naru =
                bonus != 0 && (Side<C>::Zone(s) || Side<C>::Zone(src)) && !(k == 4 && d == 3) ? 8 : 0;
            if (kMarkOnCode[d][k + naru] == 0 || IsDirectAttacker<C>(u, t))
                continue;
            int score = DestScore<C>(k, src, s);
            if (mode == 0 && score < 0)
                continue;
            n = PutCandi(p, n, src, s, x, naru, score + (naru ? bonus : 0));
            if (mode == 0)
                return n;
            if (naru && k == 4 && d != 2)
                n = PutCandi(p, n, src, s, x, 0, score);
        }
    }

    // 2. Knight squares.
    if (Side<C>::Rel(t) > 0x30) {
        for (int jump : {33, 31}) {
            const int s = t - Side<C>::Step(jump);
            if (barred(s))
                continue;
            const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s), x = m_nBoard[s];
            if (x == 0 && hand[3] > 0) {
                int score = (nh > 0 && nc == 0) ? -kWeight2[3]
                            : nh == 0           ? 1
                                                : Side<C>::ProfitUtsu(*this, Side<C>::Code(3), s);
                if (mode == 0 && score < 0)
                    continue;
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(3), 0, score);
                if (mode == 0)
                    return n;
            }
            if (nc == 0 || Side<C>::Rel(s) < 0x30 || (nh > 0 && nc == 1 && x == 0 && mode != 2))
                continue;
            const int *lst = Side<C>::MyList(*this, s);
            for (int j = 0; j < nc; j++) {
                int u = lst[j];
                if (u > 128 || m_komaUni[u].nKind != Side<C>::Code(3))
                    continue;
                int src = m_komaUni[u].nPos, score = DestScore<C>(3, src, s);
                if (mode == 0 && score < 0)
                    continue;
                n = PutCandi(p, n, src, s, x, 0, score);
                if (mode == 0)
                    return n;
            }
        }
    }

    // 3. Lance drops on the file behind t, farther is dearer to answer.
    const int up = Side<C>::Step(16);
    if (hand[2] > 0 && m_nBoard[t - up] == 0 && m_nBoard[t - 2 * up] == 0) {
        for (int j = 0, s = t - 2 * up; m_nBoard[s] == 0; j++, s -= up) {
            int score;
            if (Side<C>::Theirs(*this, s) == 0)
                score = 1 + j;
            else if (Side<C>::Mine(*this, s) > 0)
                score = Side<C>::ProfitUtsu(*this, Side<C>::Code(2), s) + j;
            else if (mode == 2)
                score = -kWeight2[2] + j;
            else
                continue;
            if (score >= 0 || mode != 0) {
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(2), 0, score);
                if (mode == 0)
                    return n;
            }
        }
    }

    // 4. Lance captures that open the file onto t.
    int y = t - up;
    while (m_nBoard[y] == 0)
        y -= up;
    if (Side<C>::Opp(m_nBoard[y]) && Side<C>::Mine(*this, y) > 0) {
        const int *lst = Side<C>::MyList(*this, y);
        for (int j = 0, nc = Side<C>::Mine(*this, y); j < nc; j++) {
            int u = lst[j];
            if (u > 128 || m_komaUni[u].nKind != Side<C>::Code(2))
                continue;
            int src = m_komaUni[u].nPos, score = DestScore<C>(2, src, y);
            if (mode == 0 && score < 0)
                continue;
            n = PutCandi(p, n, src, y, m_nBoard[y], 0, score);
            if (mode == 0)
                return n;
        }
    }

    if (mode == 0)
        return 0;

    // 6-7. Bishop lines and drops.
    const int b5 = m_komaUni[5].nKind, b6 = m_komaUni[6].nKind;
    const bool own5 = Side<C>::Own(b5) && (b5 & 7) == 6, own6 = Side<C>::Own(b6) && (b6 & 7) == 6;
    if (own5 || own6) {
        bool run = true;
        if (own5 != own6) {
            int u = own5 ? 5 : 6, b = m_komaUni[u].nPos;
            if ((m_komaUni[u].nKind & 15) == 6 && (Row(b) + Col(b) + Row(t) + Col(t)) % 2 != 0)
                run = false;
        }
        if (run)
            for (int d = 0; d < 4; d++)
                n = LineMovesT<C>(t, Side<C>::Step(kStepOfHiKaku[d].nStepKaku), 6, mode, p, n);
    }
    if (hand[6] > 0)
        for (int d = 0; d < 4; d++)
            n = LineDropsT<C>(t, Side<C>::Step(kStepOfHiKaku[d].nStepKaku), 6, mode, p, n);

    // 8-9. Rook lines and drops.
    const int r3 = m_komaUni[3].nKind, r4 = m_komaUni[4].nKind;
    if ((Side<C>::Own(r3) && (r3 & 7) == 7) || (Side<C>::Own(r4) && (r4 & 7) == 7))
        for (int d = 0; d < 4; d++)
            n = LineMovesT<C>(t, Side<C>::Step(kStepOfHiKaku[d].nStepHisha), 7, mode, p, n);
    if (hand[7] > 0)
        for (int d = 0; d < 4; d++)
            n = LineDropsT<C>(t, Side<C>::Step(kStepOfHiKaku[d].nStepHisha), 7, mode, p, n);

    // 10. A rook coming behind the own pawn in front of t.
    if (m_nBoard[t - up] == Side<C>::Code(1) && m_nBoard[t - 2 * up] == 0) {
        for (int s = t - 2 * up; m_nBoard[s] == 0; s -= up) {
            const int *lst = Side<C>::MyList(*this, s);
            for (int j = 0, nc = Side<C>::Mine(*this, s); j < nc; j++) {
                int u = lst[j];
                if (u > 128 || (m_komaUni[u].nKind & 7) != 7)
                    continue;
                int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
                int naru = k == 7 && (Side<C>::Zone(s) || Side<C>::Zone(src)) ? 8 : 0;
                n = PutCandi(p, n, src, s, 0, naru, 0);
            }
        }
    }

    SwapBestToFront(p, n);
    return n;
}

int ZelkorCore::GCCM_DestPointedPos(int mode, int nTarget, CANDI_MOVE *p)
{
    return DestPointedPosT<true>(mode, nTarget, p);
}
int ZelkorCore::GMCM_DestPointedPos(int mode, int nTarget, CANDI_MOVE *p)
{
    return DestPointedPosT<false>(mode, nTarget, p);
}

// ===========================================================================
// Defenders of a square next to the enemy king
// ===========================================================================

// Enemy defenders of n that are neither pinned to their king nor screening
// n from an own line piece.
template <bool C> int ZelkorCore::DefendKomasT(int n)
{
    const int king = m_komaUni[Side<!C>::kKingUni].nPos;
    int count = Side<C>::Theirs(*this, n);
    const int *opp = Side<C>::TheirList(*this, n);
    for (int i = 0, cnt = Side<C>::Theirs(*this, n); i < cnt; i++) {
        if (opp[i] > 128)
            continue;
        const int q = m_komaUni[opp[i]].nPos;
        const int *own = Side<C>::MyList(*this, q);
        for (int j = 0, nc = Side<C>::Mine(*this, q); j < nc; j++) {
            if (own[j] > 128)
                continue;
            const int r = m_komaUni[own[j]].nPos, code = m_komaUni[own[j]].nKind;
            bool hit = false;
            if (code == Side<C>::Code(2)) {
                hit = Col(q) == Col(king) || (Col(q) == Col(n) && Side<C>::Rel(q) < Side<C>::Rel(n));
            } else if ((code & 7) == 7) {
                if (Col(r) == Col(q))
                    hit = Col(q) == Col(king) || (Col(q) == Col(n) && Between(r, q, n));
                else if (Row(r) == Row(q))
                    hit = Row(q) == Row(king) || Row(q) == Row(n);
            } else if ((code & 6) == 6) {
                hit = Between(r, q, king) || Between(r, q, n);
            }
            if (hit) {
                count--;
                break;
            }
        }
    }
    return count;
}

int ZelkorCore::GetDefendKomasOnManGyoku(int nPos)
{
    return DefendKomasT<true>(nPos);
}
int ZelkorCore::GetDefendKomasOnComGyoku(int nPos)
{
    return DefendKomasT<false>(nPos);
}

// ===========================================================================
// Checks
// ===========================================================================

template <bool C> int ZelkorCore::OuteT(CANDI_MOVE *p)
{
    const int K = m_komaUni[Side<!C>::kKingUni].nPos;
    if (!zelkor::IsPlayingSquare(K))
        return 0;
    const int *hand = Side<C>::Hand(*this);
    const int up = Side<C>::Step(16);
    int n = 0;

    // 1. Step checks next to the king.
    for (int i = 0; i < 8; i++) {
        const int s = K - Side<C>::Step(kKingSteps[i]), d = kAroundCode[i];
        const int x = m_nBoard[s];
        if (x == kFrame || Side<C>::Own(x) || Side<C>::Mine(*this, s) == 0)
            continue;
        const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s);
        int def = nh;
        bool effective = false;
        if (nc < nh) {
            def = DefendKomasT<C>(s);
            effective = true;
        }
        if (x == 0 && def <= nc)
            for (int k = kUtsuFrom[d]; k < kUtsuTo[d]; k++)
                if (hand[k] > 0 && k != 3 && CanDropOn<C>(k, s))
                    n = PutCandi(p, n, kDrop, s, Side<C>::Code(k), 0, 100);
        if (!effective)
            def = DefendKomasT<C>(s);
        if (nc <= def)
            continue;
        const int *lst = Side<C>::MyList(*this, s);
        for (int j = 0; j < nc; j++) {
            int u = lst[j];
            // The own king never gives check: the enemy king guards s.
            if (u > 128 || u == Side<C>::kKingUni)
                continue;
            int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
            int bonus = kAddWeightOnNaru[k];
            int naru =
                bonus != 0 && (Side<C>::Zone(s) || Side<C>::Zone(src)) && !(k == 4 && d == 3) ? 8 : 0;
            if (kMarkOnCode[d][k + naru] == 0)
                continue;
            int score = kWeight2[x & 15] + (naru ? bonus : 0);
            n = PutCandi(p, n, src, s, x, naru, score);
            if (naru && k == 4 && d != 2)
                n = PutCandi(p, n, src, s, x, 0, score);
        }
    }

    // 2. Knight checks.
    if (Side<C>::Rel(K) > 0x30) {
        for (int jump : {33, 31}) {
            const int s = K - Side<C>::Step(jump);
            const int x = m_nBoard[s];
            if (x == kFrame || Side<C>::Own(x))
                continue;
            const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s);
            if (x == 0 && hand[3] > 0) {
                if (nh > 0 && nc < DefendKomasT<C>(s))
                    continue;
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(3), 0, 100);
            }
            if (nc == 0 || Side<C>::Rel(s) < 0x30 || nc <= DefendKomasT<C>(s))
                continue;
            const int *lst = Side<C>::MyList(*this, s);
            for (int j = 0; j < nc; j++) {
                int u = lst[j];
                if (u <= 128 && m_komaUni[u].nKind == Side<C>::Code(3))
                    n = PutCandi(p, n, m_komaUni[u].nPos, s, x, 0, 100);
            }
        }
    }

    // 3. Lance drops on the king's file, two at most.
    if (hand[2] > 0 && m_nBoard[K - up] == 0) {
        int drops = 0;
        for (int s = K - 2 * up; m_nBoard[s] == 0 && drops < 2; s -= up) {
            if (Side<C>::Theirs(*this, s) == 0 || Side<C>::Mine(*this, s) > 0) {
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(2), 0, 100);
                drops++;
            }
        }
    }

    // 4. Bishop line checks.
    const int b5 = m_komaUni[5].nKind, b6 = m_komaUni[6].nKind;
    const bool own5 = Side<C>::Own(b5) && (b5 & 7) == 6, own6 = Side<C>::Own(b6) && (b6 & 7) == 6;
    bool bishopRun = own5 || own6;
    if (own5 != own6) {
        int u = own5 ? 5 : 6, b = m_komaUni[u].nPos;
        if ((m_komaUni[u].nKind & 15) == 6 && (Row(b) + Col(b) + Row(K) + Col(K)) % 2 != 0)
            bishopRun = false;
    }
    for (int dd = 0; dd < 4 && bishopRun; dd++) {
        const int dir = Side<C>::Step(kStepOfHiKaku[dd].nStepKaku);
        if (m_nBoard[K + dir] != 0)
            continue;
        for (int s = K + 2 * dir; m_nBoard[s] == 0; s += dir) {
            const int nh = Side<C>::Theirs(*this, s), nc = Side<C>::Mine(*this, s);
            if (m_nBoard[s + up] == Side<!C>::Code(1) || nc == 0 || (nh > 0 && nc == 1))
                continue;
            const int *lst = Side<C>::MyList(*this, s);
            for (int j = 0; j < nc; j++) {
                int u = lst[j];
                if (u > 128 || (m_komaUni[u].nKind & 7) != 6)
                    continue;
                int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
                int score = nh == 0 ? kIniOnPos[s] : Side<C>::ProfitMove(*this, src, s);
                if (score < 0)
                    continue;
                int naru = k == 6 && (Side<C>::Zone(s) || Side<C>::Zone(src)) ? 8 : 0;
                n = PutCandi(p, n, src, s, 0, naru, score + (naru ? kAddWeightOnNaru[6] : 0));
            }
        }
    }

    // 5. Bishop drop checks.
    if (hand[6] > 0) {
        for (int dd = 0; dd < 4; dd++) {
            const int dir = Side<C>::Step(kStepOfHiKaku[dd].nStepKaku);
            for (int s = K + dir; m_nBoard[s] == 0; s += dir) {
                if (m_nBoard[s + up] == Side<!C>::Code(1))
                    continue;
                int score = 10;
                if (Side<C>::Theirs(*this, s) != 0) {
                    if (Side<C>::Mine(*this, s) == 0)
                        continue;
                    score = Side<C>::ProfitUtsu(*this, Side<C>::Code(6), s);
                    if (score < 0)
                        break;
                }
                n = PutCandi(p, n, kDrop, s, Side<C>::Code(6), 0, score);
            }
        }
    }

    // 6. Rook line checks.
    const int r3 = m_komaUni[3].nKind, r4 = m_komaUni[4].nKind;
    if ((Side<C>::Own(r3) && (r3 & 7) == 7) || (Side<C>::Own(r4) && (r4 & 7) == 7)) {
        for (int dd = 0; dd < 4; dd++) {
            const int dir = Side<C>::Step(kStepOfHiKaku[dd].nStepHisha);
            if (m_nBoard[K + dir] != 0)
                continue;
            for (int s = K + 2 * dir; m_nBoard[s] == 0; s += dir) {
                if (Side<C>::Theirs(*this, s) != 0)
                    continue;
                const int *lst = Side<C>::MyList(*this, s);
                for (int j = 0, nc = Side<C>::Mine(*this, s); j < nc; j++) {
                    int u = lst[j];
                    if (u > 128 || (m_komaUni[u].nKind & 7) != 7)
                        continue;
                    int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
                    int naru = k == 7 && (Side<C>::Zone(s) || Side<C>::Zone(src)) ? 8 : 0;
                    n = PutCandi(p, n, src, s, 0, naru, 50);
                }
            }
        }
    }

    // 7. Rook drop checks, two at most per direction.
    if (hand[7] > 0) {
        for (int dd = 0; dd < 4; dd++) {
            const int dir = Side<C>::Step(kStepOfHiKaku[dd].nStepHisha);
            int drops = 0;
            for (int s = K + dir; m_nBoard[s] == 0 && drops < 2; s += dir) {
                const int nh = Side<C>::Theirs(*this, s);
                if (nh == 0 || (s == K + dir && nh == 1 && Side<C>::Mine(*this, s) > 0)) {
                    n = PutCandi(p, n, kDrop, s, Side<C>::Code(7), 0, 10);
                    drops++;
                }
            }
        }
    }
    return n;
}

int ZelkorCore::GCCM_Oute(CANDI_MOVE *p)
{
    return OuteT<true>(p);
}
int ZelkorCore::GMCM_Oute(CANDI_MOVE *p)
{
    return OuteT<false>(p);
}

// Checks that sacrifice next to the king to lure it off a piece it defends.
template <bool C> int ZelkorCore::DemandKomaOuteT(CANDI_MOVE *p)
{
    const int K = m_komaUni[Side<!C>::kKingUni].nPos;
    if (!zelkor::IsPlayingSquare(K))
        return 0;
    const int *hand = Side<C>::Hand(*this);
    int n = 0;
    for (int i = 0; i < 8; i++) {
        const int t = K - Side<C>::Step(kKingSteps[i]);
        if (!Side<C>::Opp(m_nBoard[t]) || Side<C>::Theirs(*this, t) > Side<C>::Mine(*this, t))
            continue;
        int v = kWeight2[m_nBoard[t] & 15];
        if (Side<C>::Zone(t) && Side<C>::Mine(*this, t) > 0)
            v += kAddWeightOnNaru[m_komaUni[Side<C>::MyList(*this, t)[0] & ~kXray].nKind & 15];
        for (int a = 1; a <= kAttractDir[i][0]; a++) {
            const int j = kAttractDir[i][a];
            const int s = K - Side<C>::Step(kKingSteps[j]), e = kAroundCode[j];
            const int x = m_nBoard[s];
            if (x == kFrame || Side<C>::Own(x) || Side<C>::Theirs(*this, s) >= 2)
                continue;
            const int nc = Side<C>::Mine(*this, s);
            if (x == 0 && nc == 0) {
                for (int a2 = 1; a2 <= kKomaOnCode[e][0]; a2++) {
                    int k = kKomaOnCode[e][a2];
                    if (hand[k] > 0 && CanDropOn<C>(k, s))
                        n = PutCandi(p, n, kDrop, s, Side<C>::Code(k), 0, v - kWeight2[k]);
                }
            }
            if (nc != 1)
                continue;
            int u = Side<C>::MyList(*this, s)[0];
            // The own king never gives check: the enemy king guards s.
            if (u > 128 || u == Side<C>::kKingUni)
                continue;
            int src = m_komaUni[u].nPos, k = m_komaUni[u].nKind & 15;
            int bonus = kAddWeightOnNaru[k];
            int naru =
                bonus != 0 && (Side<C>::Zone(s) || Side<C>::Zone(src)) && !(k == 4 && e == 3) ? 8 : 0;
            if (kMarkOnCode[e][k + naru] == 0)
                continue;
            int score = kWeight2[x & 15] - kWeight2[k] + v;
            n = PutCandi(p, n, src, s, x, naru, score);
            if (naru && k == 4 && e != 2)
                n = PutCandi(p, n, src, s, x, 0, kWeight2[x & 15] - kWeight2[4] + v);
        }
    }
    return n;
}

int ZelkorCore::GCCM_DemandKomaOute(CANDI_MOVE *p)
{
    return DemandKomaOuteT<true>(p);
}
int ZelkorCore::GMCM_DemandKomaOute(CANDI_MOVE *p)
{
    return DemandKomaOuteT<false>(p);
}

// Discovered checks: every move of an own piece standing alone between an
// own line piece and the enemy king.
template <bool C> int ZelkorCore::BreakThroughOuteT(CANDI_MOVE *p)
{
    const int K = m_komaUni[Side<!C>::kKingUni].nPos;
    if (!zelkor::IsPlayingSquare(K))
        return 0;
    int n = 0;
    auto screen = [&](int u) {
        const int r = m_komaUni[u].nPos;
        const int step = 16 * Sign(Row(r) - Row(K)) + Sign(Col(r) - Col(K));
        int y = K + step;
        while (m_nBoard[y] == 0)
            y += step;
        if (!Side<C>::Own(m_nBoard[y]))
            return;
        int z = y + step;
        while (m_nBoard[z] == 0)
            z += step;
        if (z == r)
            n += UsePointedKomaT<C>(1, y, p + n);
    };
    for (int u : {3, 4}) {
        int c = m_komaUni[u].nKind, r = m_komaUni[u].nPos;
        if (Side<C>::Own(c) && (c & 7) == 7 && (Row(r) == Row(K) || Col(r) == Col(K)))
            screen(u);
    }
    for (int u : {5, 6}) {
        int c = m_komaUni[u].nKind, r = m_komaUni[u].nPos;
        int dr = Row(r) - Row(K), dc = Col(r) - Col(K);
        if (Side<C>::Own(c) && (c & 7) == 6 && (dr == dc || dr == -dc))
            screen(u);
    }
    for (int u = 19; u <= 22; u++) {
        int r = m_komaUni[u].nPos;
        if (m_komaUni[u].nKind == Side<C>::Code(2) && Col(r) == Col(K) &&
            Side<C>::Rel(r) < Side<C>::Rel(K))
            screen(u);
    }
    return n;
}

int ZelkorCore::GCCM_BreakThroughOfShaKakuOute(CANDI_MOVE *p)
{
    return BreakThroughOuteT<true>(p);
}
int ZelkorCore::GMCM_BreakThroughOfShaKakuOute(CANDI_MOVE *p)
{
    return BreakThroughOuteT<false>(p);
}
