// Candidate generators: threat responses, captures and promotions, demands on
// a piece, double-attack drops, sacrifices that lure a defender away, and the
// attract estimates those sacrifices are judged by.
#include "Zelkor.h"

#include "candis3.h"

using namespace candis3;
using namespace zelkor;

namespace {

// ---------------------------------------------------------------------------
// Threat responses
// ---------------------------------------------------------------------------

// A threat move found by the probe no longer fits the position.
template <bool Com> bool IsStaleThreat(const ZelkorCore &z, int src, int t, int kind)
{
    if (!OnBoard(t))
        return true;
    if (src == kDrop)
        return z.m_nBoard[t] != 0;
    return !OnBoard(src) || !Side<Com>::Opp(z.m_nBoard[src]) || z.m_nBoard[t] != kind;
}

// Occupies an empty square: the first allowed of pawn, lance, knight held,
// then the first held of silver .. rook.
template <bool Com> void OccupyByDrop(ZelkorCore &z, int t, Out &out)
{
    using S = Side<Com>;
    for (int k = 1; k <= 3; k++) {
        if (S::Held(z, k) && S::DropRowOk(k, t) && (k != 1 || S::Nihu(z, t))) {
            out.Add(kDrop, t, S::Code(k), 0, 0);
            break;
        }
    }
    for (int k = 4; k <= 7; k++) {
        if (S::Held(z, k)) {
            out.Add(kDrop, t, S::Code(k), 0, 0);
            break;
        }
    }
}

// The own piece on t, threatened, moves away.
template <bool Com> void PieceAway(ZelkorCore &z, int t, int kind, Out &out)
{
    using S = Side<Com>;
    if (Remain(z) < 3) {
        out.Take(S::UsePointed(z, 0, t, out.Next()), (kind & 7) == 7 ? 5 : 3);
    } else {
        CANDI_MOVE *p = out.Next();
        int n = S::UsePointed(z, 0, t, p);
        out.Take(S::SelectUsePointed(z, n, t, p));
    }
}

// Interpositions between the opponent's line pieces and t. When the threat
// comes from a line piece on src, only that line is cut.
template <bool Com>
void InterposeOnThreat(ZelkorCore &z, int src, int t, int capEach, int capSelf, bool selfAll, Out &out)
{
    using S = Side<Com>;
    int x = src == kDrop ? 0 : z.m_nBoard[src];
    if (src == kDrop || !IsLinePiece(x)) {
        int list[32];
        int n = S::Theirs(z, t);
        for (int i = 0; i < n; i++)
            list[i] = S::TheirList(z, t)[i] & ~kXray;
        for (int i = 0; i < n; i++) {
            const KOMA_BY_UNINUM &a = z.m_komaUni[list[i]];
            if (S::Opp(a.nKind) && IsLinePiece(a.nKind))
                out.Take(S::BreakOff(z, true, a.nPos, t, out.Next()), capEach);
        }
    } else {
        out.Take(S::BreakOff(z, selfAll || (x & 15) != 2, src, t, out.Next()), capSelf);
    }
}

// The own moves of this ply's last best line that are still playable.
void OwnLine(ZelkorCore &z, Out &out)
{
    int d = z.m_nDepth;
    if (d < 0 || d >= 64)
        return;
    int end = z.m_nSearchedDepth[d] < 64 ? z.m_nSearchedDepth[d] : 64;
    for (int p = d + 2; p < end; p += 2) {
        const KOMA_MOVE &m = z.m_moveTree[d][p];
        if (m.nSrcPos != 0 && z.IsMoveable(m.nSrcPos, m.nDstPos, m.nKind, m.nNaru))
            out.Add(m.nSrcPos, m.nDstPos, m.nKind, m.nNaru, 0);
    }
}

template <bool Com> void Disturb(ZelkorCore &z, int src, int t, int kind, int *pn)
{
    using S = Side<Com>;
    if (IsStaleThreat<Com>(z, src, t, kind))
        return;
    Out out = RowOut(z, pn);
    int cap = Cap24(z);
    if (src == kDrop) {
        if (S::Theirs(z, t) <= S::Mine(z, t))
            OccupyByDrop<Com>(z, t, out);
    } else {
        out.Take(S::Toru(z, src, out.Next()));
        if (kind != 0)
            PieceAway<Com>(z, t, kind, out);
    }
    out.Take(S::DestPointed(z, 1, t, out.Next()), cap);
    InterposeOnThreat<Com>(z, src, t, cap, cap, false, out);
    OwnLine(z, out);
    *pn += out.Count();
}

template <bool Com> void DisturbSurface(ZelkorCore &z, int done, int *pn)
{
    using S = Side<Com>;
    int s = 0;
    int v = S::TheirSurface(z, &s);
    if (v == 0 || s == done || !OnBoard(s))
        return;
    if (z.m_bBattle && z.m_nBoard[s] == S::Code(1) && S::Rel(s) < 0x60)
        return;
    Out out = RowOut(z, pn);
    int cap = Cap24(z);
    int a = S::TheirCheapest(z, s);
    int x = a ? z.m_komaUni[a].nKind : 0;
    if (a != 0)
        out.Take(S::Toru(z, z.m_komaUni[a].nPos, out.Next()));
    if (a != 0 && IsLinePiece(x))
        out.Take(S::BreakOff(z, (x & 15) != 2, z.m_komaUni[a].nPos, s, out.Next()), cap);
    else
        InterposeOnThreat<Com>(z, kDrop, s, cap, cap, true, out);
    if (S::Own(z.m_nBoard[s]))
        PieceAway<Com>(z, s, z.m_nBoard[s], out);
    out.Take(S::DestPointed(z, 1, s, out.Next()), cap);
    *pn += out.Count();
}

// ---------------------------------------------------------------------------
// Captures and promotions
// ---------------------------------------------------------------------------

// Destination score of a capture, without the attacker count.
template <bool Com> int CaptureScore(ZelkorCore &z, int src, int s)
{
    using S = Side<Com>;
    int gain = kWeight2[z.m_nBoard[s] & 15];
    if (S::Theirs(z, s) == 0)
        return gain;
    if (S::Mine(z, s) == 1)
        return gain - kWeight2[z.m_nBoard[src] & 15];
    return S::ProfitMove(z, src, s);
}

// Captures of the piece on s scoring at least floor; false once quota
// entries are in the block (quota 0: no limit).
template <bool Com> bool CapturesOn(ZelkorCore &z, int s, int floor, int quota, Out &out)
{
    using S = Side<Com>;
    int list[32];
    int n = DirectEntries(S::MyList(z, s), S::Mine(z, s), list);
    for (int i = 0; i < n; i++) {
        int src = z.m_komaUni[list[i]].nPos;
        int k = z.m_komaUni[list[i]].nKind & 15;
        int bonus = kAddWeightOnNaru[k];
        int naru = bonus != 0 && (S::Zone(s) || S::Zone(src)) ? 8 : 0;
        int score = CaptureScore<Com>(z, src, s) + (naru ? bonus : 0);
        if (score < floor)
            continue;
        out.Add(src, s, z.m_nBoard[s], naru, score);
        if (quota > 0 && out.Count() >= quota)
            return false;
    }
    return true;
}

// Walks from a line piece over empty squares to the first square that
// satisfies ok(); 0 when an occupied square comes first.
template <typename Ok> int WalkTo(const ZelkorCore &z, int from, int step, Ok ok)
{
    for (int s = from + step; OnBoard(s) && z.m_nBoard[s] == 0; s += step)
        if (ok(s))
            return s;
    return 0;
}

template <bool Com> void Promotions(ZelkorCore &z, int quota, Out &out)
{
    using S = Side<Com>;
    const KOMA_BY_UNINUM *uni = z.m_komaUni;
    auto free = [&](int s) { return S::Theirs(z, s) == 0; };
    auto freeInZone = [&](int s) { return S::Zone(s) && S::Theirs(z, s) == 0; };

    for (int u = 23; u <= 40; u++) {
        int p = uni[u].nPos;
        if (uni[u].nKind != S::Code(1) || S::Rel(p) < 0x60)
            continue;
        int f = p + S::Step(16);
        if (z.m_nBoard[f] == 0 && S::Theirs(z, f) < S::Mine(z, f))
            out.Add(p, f, 0, 8, kAddWeightOnNaru[1]);
    }
    if (out.Count() < quota) {
        for (int u = 3; u <= 4; u++) {
            int p = uni[u].nPos;
            if (uni[u].nKind != S::Code(7))
                continue;
            int s = WalkTo(z, p, S::Step(16), freeInZone);
            if (s == 0 && S::Rel(p) > 0x6f) {
                const int steps[3] = {1, -1, -16};
                for (int i = 0; i < 3 && s == 0; i++)
                    s = WalkTo(z, p, S::Step(steps[i]), free);
            }
            if (s != 0)
                out.Add(p, s, 0, 8, kAddWeightOnNaru[7]);
        }
    }
    if (out.Count() < quota) {
        for (int u = 19; u <= 22; u++) {
            int p = uni[u].nPos;
            if (uni[u].nKind != S::Code(2))
                continue;
            int s = WalkTo(z, p, S::Step(16),
                           [&](int q) { return S::Zone(q) && S::Mine(z, q) > S::Theirs(z, q); });
            if (s != 0)
                out.Add(p, s, 0, 8, kAddWeightOnNaru[2]);
        }
    }
    if (out.Count() < quota) {
        for (int u = 5; u <= 6; u++) {
            int p = uni[u].nPos;
            if (uni[u].nKind != S::Code(6))
                continue;
            const int steps[4] = {15, 17, -17, -15};
            int walks = S::Rel(p) > 0x6f ? 4 : 2;
            for (int i = 0; i < walks; i++) {
                int s = i < 2 ? WalkTo(z, p, S::Step(steps[i]), freeInZone)
                              : WalkTo(z, p, S::Step(steps[i]), free);
                if (s == 0)
                    continue;
                out.Add(p, s, 0, 8, kAddWeightOnNaru[6]);
                if (Remain(z) < 4)
                    break;
            }
        }
    }
    if (out.Count() < quota) {
        for (int u = 15; u <= 18; u++) {
            int p = uni[u].nPos;
            if (uni[u].nKind != S::Code(3) || S::Rel(p) < 0x50)
                continue;
            for (int j : {31, 33}) {
                int s = p + S::Step(j);
                if (OnBoard(s) && z.m_nBoard[s] == 0 && S::Theirs(z, s) < S::Mine(z, s))
                    out.Add(p, s, 0, 8, kAddWeightOnNaru[3]);
            }
        }
    }
}

template <bool Com> void ToruOrNaru(ZelkorCore &z, int quota, int *pn)
{
    using S = Side<Com>;
    Out out = RowOut(z, pn);
    const KOMA_BY_UNINUM *uni = z.m_komaUni;
    auto attacked = [&](int u) { return S::Opp(uni[u].nKind) && S::Mine(z, uni[u].nPos) > 0; };

    int start = 3;
    if (Remain(z) >= 3) {
        for (int u = 3; u <= 14; u++)
            if (attacked(u))
                out.Take(S::Toru(z, uni[u].nPos, out.Next()));
        start = 15;
    }
    for (int u = start; u <= 22; u++)
        if (attacked(u))
            CapturesOn<Com>(z, uni[u].nPos, -kWeight2[1], 0, out);
    BestToFront(out.Begin(), out.Count());

    if (out.Count() < quota) {
        bool open = true;
        for (int u = 23; u <= 40 && open; u++)
            if (attacked(u))
                open = CapturesOn<Com>(z, uni[u].nPos, 0, quota, out);
        if (open)
            Promotions<Com>(z, quota, out);
    }
    *pn += out.Count();
}

template <bool Com> void ThreatKoma(ZelkorCore &z, int quota, int *pn)
{
    using S = Side<Com>;
    Out out = RowOut(z, pn);
    out.Take(S::DemandTwo(z, out.Next()));
    if (out.Count() < quota) {
        for (int u = 3; u <= 22; u++) {
            const KOMA_BY_UNINUM &a = z.m_komaUni[u];
            if (!S::Opp(a.nKind) || (S::Theirs(z, a.nPos) == 0 && S::Mine(z, a.nPos) > 0))
                continue;
            out.Take(S::Demand(z, u < 7 ? 6 : 7, u < 7 ? 4 : 5, a.nPos, out.Next()));
            if (out.Count() >= 2 * quota)
                break;
        }
    }
    out.Truncate(KeepBest(out.Begin(), out.Count(), quota, Order::Temp1Asc));
    *pn += out.Count();
}

// ---------------------------------------------------------------------------
// Attacks on one piece
// ---------------------------------------------------------------------------

template <bool Com> class Demander
{
    using S = Side<Com>;

public:
    Demander(ZelkorCore &z, int p1, int p2, int t, CANDI_MOVE *p)
        : z(z), m_p1(p1), m_p2(p2), m_t(t), m_out(p, AreaEnd(z))
    {
        m_targetWorth = kWeight2[z.m_nBoard[t] & 15];
        m_open = S::Theirs(z, t) <= S::Mine(z, t);
    }

    int Run()
    {
        if (!OnBoard(m_t) || !S::Opp(z.m_nBoard[m_t]))
            return 0;
        Steps();
        Knights();
        LanceDrops();
        LanceCaptures();
        const KOMA_BY_UNINUM *uni = z.m_komaUni;
        bool b5 = S::Own(uni[5].nKind) && (uni[5].nKind & 7) == 6;
        bool b6 = S::Own(uni[6].nKind) && (uni[6].nKind & 7) == 6;
        if ((b5 || b6) && !WrongColour(b5, b6))
            Lines(6, true);
        if (S::Held(z, 6))
            Drops(6, true);
        bool r3 = S::Own(uni[3].nKind) && (uni[3].nKind & 7) == 7;
        bool r4 = S::Own(uni[4].nKind) && (uni[4].nKind & 7) == 7;
        if (r3 || r4)
            Lines(7, false);
        if (S::Held(z, 7))
            Drops(7, false);
        return m_out.Count();
    }

private:
    ZelkorCore &z;
    int m_p1, m_p2, m_t;
    Out m_out;
    int m_targetWorth;
    bool m_open;

    bool Worth(int k) const { return m_open || kWeight2[k & 15] <= m_targetWorth; }
    bool Unsafe(int n) const { return S::Theirs(z, n) > 0 && S::Mine(z, n) == 0; }
    bool MoveAllowed(int n) const
    {
        return S::Mine(z, n) > 0 && !(S::Theirs(z, n) > 0 && S::Mine(z, n) == 1);
    }
    // Drop score, or -1 when the drop would lose material.
    int DropScore(int k, int n, int free) const
    {
        if (S::Theirs(z, n) == 0)
            return free;
        int v = S::ProfitUtsu(z, S::Code(k), n);
        return v < 0 ? -1 : v;
    }
    bool AlreadyOnTarget(int u) const
    {
        return IsDirectAttacker(S::MyList(z, m_t), S::Mine(z, m_t), u);
    }
    // A board move onto n that is worth the target and loses nothing.
    void Move(int u, int n, int naru, int twinNaru)
    {
        int src = z.m_komaUni[u].nPos;
        int k = z.m_komaUni[u].nKind & 15;
        if (src == m_t || AlreadyOnTarget(u) || !Worth(k))
            return;
        int score =
            S::Theirs(z, n) == 0 ? kWeight2[z.m_nBoard[n] & 15] : S::ProfitMove(z, src, n);
        if (score < 0)
            return;
        int prio = k == 1 ? 5 : m_p2;
        m_out.Add(src, n, z.m_nBoard[n], naru, score + (naru ? kAddWeightOnNaru[k] : 0), prio);
        if (twinNaru)
            m_out.Add(src, n, z.m_nBoard[n], 0, score, prio);
    }

    void Steps()
    {
        // The back diagonals are taken t + 17 before t + 15 (Com's view).
        static const int kOrder[8] = {0, 1, 2, 3, 4, 5, 7, 6};
        for (int i : kOrder) {
            int n = m_t - S::Step(kKingSteps[i]);
            int d = kAroundCode[i];
            if (!OnBoard(n) || S::Own(z.m_nBoard[n]) || Unsafe(n))
                continue;
            bool moves = true;
            if (z.m_nBoard[n] == 0) {
                for (int k = kUtsuFrom[d]; k < kUtsuTo[d]; k++) {
                    if (k == 3 || !S::Held(z, k) || (k == 1 && !S::Nihu(z, n)) || !Worth(k))
                        continue;
                    int score = DropScore(k, n, 0);
                    if (score < 0) {
                        moves = false;
                        break;
                    }
                    m_out.Add(kDrop, n, S::Code(k), 0, score, k == 1 ? 5 : m_p1);
                }
            }
            if (!moves || !MoveAllowed(n))
                continue;
            int list[32];
            int c = DirectEntries(S::MyList(z, n), S::Mine(z, n), list);
            for (int j = 0; j < c; j++) {
                int u = list[j];
                int src = z.m_komaUni[u].nPos;
                int k = z.m_komaUni[u].nKind & 15;
                int naru = kAddWeightOnNaru[k] != 0 && (S::Zone(n) || S::Zone(src)) &&
                                   !(k == 4 && d == 3)
                               ? 8
                               : 0;
                if (!kMarkOnCode[d][k + naru])
                    continue;
                Move(u, n, naru, naru && k == 4 && d != 2);
            }
        }
    }

    void Knights()
    {
        if (S::Rel(m_t) <= 0x2f)
            return;
        for (int j : {33, 31}) {
            int n = m_t - S::Step(j);
            if (!OnBoard(n) || S::Own(z.m_nBoard[n]) || Unsafe(n))
                continue;
            if (z.m_nBoard[n] == 0 && S::Held(z, 3) && Worth(3)) {
                int score = DropScore(3, n, 1);
                if (score < 0)
                    continue;
                m_out.Add(kDrop, n, S::Code(3), 0, score, m_p1);
            }
            if (!MoveAllowed(n) || S::Rel(n) < 0x30)
                continue;
            int list[32];
            int c = DirectEntries(S::MyList(z, n), S::Mine(z, n), list);
            for (int i = 0; i < c; i++)
                if (z.m_komaUni[list[i]].nKind == S::Code(3))
                    Move(list[i], n, 0, 0);
        }
    }

    void LanceDrops()
    {
        int up = S::Step(16);
        if (!S::Held(z, 2) || !Worth(2) || z.m_nBoard[m_t - up] != 0 ||
            z.m_nBoard[m_t - 2 * up] != 0)
            return;
        int written = 0;
        for (int s = m_t - 2 * up; OnBoard(s) && z.m_nBoard[s] == 0 && written < 2; s -= up) {
            if (Unsafe(s))
                continue;
            int score = DropScore(2, s, 1);
            if (score >= 0 && m_out.Add(kDrop, s, S::Code(2), 0, score, m_p1))
                written++;
        }
    }

    void LanceCaptures()
    {
        int up = S::Step(16);
        int y = m_t - up;
        while (OnBoard(y) && z.m_nBoard[y] == 0)
            y -= up;
        if (!OnBoard(y) || !S::Opp(z.m_nBoard[y]) || !MoveAllowed(y))
            return;
        int list[32];
        int c = DirectEntries(S::MyList(z, y), S::Mine(z, y), list);
        for (int i = 0; i < c; i++)
            if (z.m_komaUni[list[i]].nKind == S::Code(2))
                Move(list[i], y, 0, 0);
    }

    // A lone unpromoted bishop never reaches a square of the other colour.
    bool WrongColour(bool b5, bool b6) const
    {
        if (b5 == b6)
            return false;
        const KOMA_BY_UNINUM &b = z.m_komaUni[b5 ? 5 : 6];
        if (b.nKind != S::Code(6))
            return false;
        return ((b.nPos >> 4) + (b.nPos & 15) + (m_t >> 4) + (m_t & 15)) & 1;
    }

    // Line pieces of base kind kind (6 bishop/horse, 7 rook/dragon) that
    // step onto a line through t.
    void Lines(int kind, bool diagonal)
    {
        for (int i = 0; i < 4; i++) {
            const STEP_ON_DIR &sd = kStepOfHiKaku[i];
            int d = S::Step(diagonal ? sd.nStepKaku : sd.nStepHisha);
            if (z.m_nBoard[m_t + d] != 0 || S::Own(z.m_nBoard[m_t + 2 * d]))
                continue;
            for (int s = m_t + 2 * d; z.m_nBoard[s] == 0 || S::Opp(z.m_nBoard[s]); s += d) {
                if (MoveAllowed(s)) {
                    int list[32];
                    int c = DirectEntries(S::MyList(z, s), S::Mine(z, s), list);
                    for (int j = 0; j < c; j++) {
                        const KOMA_BY_UNINUM &a = z.m_komaUni[list[j]];
                        if ((a.nKind & 7) != kind)
                            continue;
                        int naru =
                            a.nKind == S::Code(kind) && (S::Zone(s) || S::Zone(a.nPos)) ? 8 : 0;
                        Move(list[j], s, naru, 0);
                    }
                }
                if (z.m_nBoard[s] != 0)
                    break;
            }
        }
    }

    void Drops(int kind, bool diagonal)
    {
        if (!Worth(kind))
            return;
        for (int i = 0; i < 4; i++) {
            const STEP_ON_DIR &sd = kStepOfHiKaku[i];
            int d = S::Step(diagonal ? sd.nStepKaku : sd.nStepHisha);
            int written = 0;
            for (int s = m_t + d; z.m_nBoard[s] == 0 && written < 2; s += d) {
                if (Unsafe(s))
                    continue;
                int score = DropScore(kind, s, 1);
                if (score < 0)
                    continue;
                int prio = S::Rel(s) > 0x70 ? m_p1 - 1 : m_p1;
                if (m_out.Add(kDrop, s, S::Code(kind), 0, score, prio))
                    written++;
            }
        }
    }
};

// ---------------------------------------------------------------------------
// Double-attack drops
// ---------------------------------------------------------------------------

template <bool Com> class ForkFinder
{
    using S = Side<Com>;

public:
    ForkFinder(ZelkorCore &z, CANDI_MOVE *p) : z(z), m_out(p, AreaEnd(z)) {}

    int Run()
    {
        if (S::Held(z, 2))
            LanceSkewers();
        if (S::Held(z, 3))
            KnightForks();
        if (S::Held(z, 4))
            SilverForks();
        if (S::Held(z, 6)) {
            bool wide = m_out.Count() < 2 && !z.m_bBattle;
            LineForks(6, wide ? 41 : (Remain(z) < 3 ? 15 : 23));
        }
        if (S::Held(z, 7)) {
            bool wide = m_out.Count() < 2 && !z.m_bBattle;
            LineForks(7, wide ? 23 : 15);
        }
        return m_out.Count();
    }

private:
    ZelkorCore &z;
    Out m_out;

    int Nh(int s) const { return S::Theirs(z, s); }
    int Nc(int s) const { return S::Mine(z, s); }
    bool NotHanging(int s) const { return Nh(s) > 0 || Nc(s) == 0; }
    bool Empty(int s) const { return OnBoard(s) && z.m_nBoard[s] == 0; }
    bool SafeDrop(int k, int s) const
    {
        return Nh(s) == 0 || (Nc(s) > 0 && S::ProfitUtsu(z, S::Code(k), s) >= 0);
    }
    // The opponent's piece of number u on the board, not hanging; its square or 0.
    int Target(int u) const
    {
        const KOMA_BY_UNINUM &a = z.m_komaUni[u];
        return S::Opp(a.nKind) && NotHanging(a.nPos) ? a.nPos : 0;
    }
    int Worth(int s) const { return kWeight2[z.m_nBoard[s] & 15]; }

    void LanceSkewers()
    {
        int up = S::Step(16);
        for (int u = 3; u <= 14; u++) {
            int p = Target(u);
            if (p == 0)
                continue;
            bool pawnBlock = S::TheirNihu(z, p) && S::TheirHeld(z, 1) > 0;
            int found = 0;
            for (int s = p - up; Empty(s); s -= up) {
                if (Nh(s) <= Nc(s))
                    found = s;
                if (pawnBlock && Nh(s) > 0)
                    break;
            }
            if (found == 0)
                continue;
            int y = p + up;
            while (Empty(y))
                y += up;
            if (OnBoard(y) && S::Opp(z.m_nBoard[y]))
                m_out.Add(kDrop, found, S::Code(2), 0, Worth(p), 3);
        }
    }

    void KnightForks()
    {
        for (int u = 3; u <= 14; u++) {
            int p = Target(u);
            if (p == 0)
                continue;
            int s = p - S::Step(31);
            int q = p + S::Step(2);
            if (!Empty(s) || S::Rel(s) <= 0x10 || !OnBoard(q))
                continue;
            int cq = z.m_nBoard[q];
            if (S::Opp(cq) && cq != S::OppCode(1) && NotHanging(q) && SafeDrop(3, s))
                m_out.Add(kDrop, s, S::Code(3), 0, Worth(p), 3);
        }
    }

    void SilverForks()
    {
        // Partner square offset and the one or two silver squares that attack
        // both (Com's view; 0 ends a pair).
        static const int kFork[9][3] = {{-32, -17, -15}, {-31, -16, 0}, {-30, -15, 0},
                                        {1, -16, -15},   {2, -15, 17},  {-2, 15, -17},
                                        {33, 17, 0},     {34, 17, 0},   {-34, -17, 0}};
        for (int u = 3; u <= 6; u++) {
            int p = Target(u);
            if (p == 0)
                continue;
            for (const auto &f : kFork) {
                int q = p + S::Step(f[0]);
                if (!OnBoard(q) || !S::Opp(z.m_nBoard[q]) || z.m_nUniBoard[q] > 10 ||
                    !NotHanging(q))
                    continue;
                for (int i = 1; i < 3 && f[i] != 0; i++) {
                    int s = p + S::Step(f[i]);
                    if (Empty(s) && SafeDrop(4, s))
                        m_out.Add(kDrop, s, S::Code(4), 0, Worth(p), 3);
                }
            }
        }
    }

    // Bishop (kind 6) or rook (kind 7) drops attacking two pieces at once.
    void LineForks(int kind, int limit)
    {
        bool bishop = kind == 6;
        int firstTarget = bishop ? 3 : 5;
        int ownLimit = bishop ? 7 : 5; // defended pieces below it need no support
        bool used[256] = {};
        for (int u = firstTarget; u < limit; u++) {
            int p = Target(u);
            if (p == 0)
                continue;
            int c = z.m_nBoard[p];
            if (bishop && c == S::OppCode(6))
                continue;
            if (Nh(p) > 0 && Nc(p) == 0 && u >= ownLimit)
                continue;
            if (c == S::OppCode(1) && !(S::Rel(p) > 0x70 && Nh(p) == 0 && Nc(p) == 0))
                continue;
            for (int i = 0; i < 4; i++) {
                int d = S::Step(bishop ? kStepOfHiKaku[i].nStepKaku
                                       : kStepOfHiKaku[i].nStepHisha);
                for (int s = p + d; Empty(s); s += d) {
                    if (used[s] || !(bishop ? SafeDrop(6, s) : Nh(s) == 0))
                        continue;
                    int y = SecondTarget(s, -d, bishop, ownLimit);
                    if (y == 0)
                        continue;
                    int uy = z.m_nUniBoard[y];
                    m_out.Add(kDrop, s, S::Code(kind), 0, Worth(uy > u ? y : p), 3);
                    used[s] = true;
                }
            }
        }
    }

    // The first piece seen from s along a line other than back, worth forking.
    int SecondTarget(int s, int back, bool bishop, int ownLimit) const
    {
        for (int j = 0; j < 4; j++) {
            int e =
                S::Step(bishop ? kStepOfHiKaku[j].nStepKaku : kStepOfHiKaku[j].nStepHisha);
            if (e == back)
                continue;
            int y = s + e;
            while (Empty(y))
                y += e;
            if (!OnBoard(y) || !S::Opp(z.m_nBoard[y]))
                continue;
            if (z.m_nBoard[y] == S::OppCode(1) && S::Rel(s) <= 0x70 && S::Rel(y) <= 0x70)
                continue;
            bool untouched = Nh(y) == 0 && Nc(y) == 0;
            bool supported = Nh(y) > 0 && (Nc(y) > 0 || z.m_nUniBoard[y] < ownLimit);
            if (untouched || supported)
                return y;
        }
        return 0;
    }
};

// ---------------------------------------------------------------------------
// Sacrifices that lure a defender away
// ---------------------------------------------------------------------------

void MakeCandi(ZelkorCore &z, const CANDI_MOVE &m)
{
    if (m.nSrcPos == kDrop)
        z.MoveKomaOnCapt(m.nDstPos, m.nKind);
    else
        z.MoveKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru);
}

void UnmakeCandi(ZelkorCore &z, const CANDI_MOVE &m)
{
    if (m.nSrcPos == kDrop)
        z.BackKomaToCapt(m.nDstPos);
    else
        z.BackKomaOnBoard(m.nDstPos, m.nSrcPos, m.nNaru, m.nKind);
}

// Com (Com = true) offered a piece on pos0 two plies up; the opponent's
// captures there are answered by Com's threat list, judged against the base
// list of threats Com had before the offer (row m_nDepth - 2).
template <bool Com> int Attract(ZelkorCore &z, int nBase, int pos0)
{
    using S = Side<Com>;
    if (S::Theirs(z, S::King(z)) > 0)
        return -kMateScore;
    int d = z.m_nDepth;
    if (d < 2 || d + 1 >= 64 || !OnBoard(pos0))
        return -kMateScore;
    const CANDI_MOVE *base = RowStart(z, d - 2);
    if (nBase > 64)
        nBase = 64;
    CANDI_MOVE captures[64];
    int n = S::TheirToru(z, pos0, RowStart(z, d));
    if (n > 64)
        n = 64;
    for (int i = 0; i < n; i++)
        captures[i] = RowStart(z, d)[i];

    int best = kMateScore;
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &m = captures[i];
        z.m_nDepth = d + 1;
        MakeCandi(z, m);
        int c = 0;
        S::ToruOrNaru(z, 5, &c);
        S::Threat(z, 10, &c);
        z.DeleteSameMove(&c);
        if (c > 32)
            c = 32;
        bool counted = S::Mine(z, S::OppKing(z)) == 0 || c <= nBase;
        int v = -kMateScore;
        if (counted) {
            const CANDI_MOVE *r = RowStart(z, d + 1);
            for (int j = 0; j < c; j++) {
                bool known = false;
                for (int b = 0; b < nBase && !known; b++)
                    known = SameMove(base[b], r[j]) && base[b].nScore >= r[j].nScore;
                if (!known && r[j].nScore > v)
                    v = r[j].nScore;
            }
        }
        z.m_nDepth = d;
        UnmakeCandi(z, m);
        if (!counted)
            continue;
        if (v == -kMateScore)
            return -kMateScore;
        if (v < best)
            best = v;
    }
    return best;
}

template <bool Com> int FeedOver(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    const int d = z.m_nDepth;
    // Scratch rows d + 15 .. d + 18 must lie inside the candidate area.
    if (d < 0 || d + 18 >= 64)
        return 0;
    Out out(p, AreaEnd(z));

    z.m_nDepth = d + 15;
    int nBase = 0;
    S::ToruOrNaru(z, 15, &nBase);
    S::Threat(z, 30, &nBase);
    z.DeleteSameMove(&nBase);
    if (nBase > 32)
        nBase = 32;

    z.m_nDepth = d + 16;
    CANDI_MOVE *row = RowStart(z, d + 16);
    for (int u = 1; u <= 22; u++) {
        const KOMA_BY_UNINUM a = z.m_komaUni[u];
        if (!S::Opp(a.nKind) || !(S::Mine(z, a.nPos) == 0 || S::Theirs(z, a.nPos) > 0))
            continue;
        int n = S::DestPointed(z, 2, a.nPos, row);
        if (n > 32)
            n = 32;
        for (int i = 0; i < n; i++) {
            const CANDI_MOVE m = row[i];
            int t = m.nDstPos;
            if (S::Theirs(z, t) == 0 || out.Contains(m))
                continue;
            int k, loss;
            if (m.nSrcPos == kDrop) {
                k = m.nKind & 15;
                loss = S::Mine(z, t) == 0 ? -kWeight2[k & 7] : S::ProfitUtsu(z, m.nKind, t);
            } else {
                k = z.m_nBoard[m.nSrcPos] & 15;
                loss = S::Mine(z, t) == 1 ? -kWeight2[k] : S::ProfitMove(z, m.nSrcPos, t);
            }
            if (loss >= 0)
                continue;
            int sacrifice = -kWeight2[k];
            z.m_nDepth = d + 17;
            MakeCandi(z, m);
            int v = S::Attract(z, nBase, t);
            UnmakeCandi(z, m);
            z.m_nDepth = d + 16;
            if (((k & 7) < 6 || v >= kWeight2[4]) && Abs(sacrifice / 2) < v && v != -kMateScore)
                out.Add(m.nSrcPos, t, m.nKind, m.nNaru, kIniOnPos[t] - u + sacrifice + v);
        }
    }
    z.m_nDepth = d;
    z.SortBy_nScore(out.Count(), out.Count(), p);
    return out.Count() < quota ? out.Count() : quota;
}

} // namespace

// ---------------------------------------------------------------------------
// Members, Com and Man twins side by side
// ---------------------------------------------------------------------------

void ZelkorCore::GCCM_Disturb(int nSrcPos, int nDstPos, int nKind, int, int *pnCount)
{
    Disturb<true>(*this, nSrcPos, nDstPos, nKind, pnCount);
}

void ZelkorCore::GMCM_Disturb(int nSrcPos, int nDstPos, int nKind, int, int *pnCount)
{
    Disturb<false>(*this, nSrcPos, nDstPos, nKind, pnCount);
}

// Root variant: the covering moves always come first, and a stale threat is
// a caller error.
void ZelkorCore::GCCM_PsbDisturb(int nSrcPos, int nDstPos, int nKind, int, int *pnCount)
{
    using S = Side<true>;
    Out out = RowOut(*this, pnCount);
    const int t = nDstPos;
    if (OnBoard(t))
        out.Take(GCCM_DestPointedPos(1, t, out.Next()), 10);
    if (IsStaleThreat<true>(*this, nSrcPos, t, nKind)) {
        ErrorMessage();
        *pnCount += out.Count();
        return;
    }
    if (nSrcPos == kDrop) {
        if (m_nPsbComKomas[t] > 0 || m_nPsbManKomas[t] == 0)
            for (int k = 1; k <= 7; k++)
                if (m_nCaptByCom[k] && S::DropRowOk(k, t) && (k != 1 || CheckComNihu(t)))
                    out.Add(kDrop, t, S::Code(k), 0, 0);
    } else {
        if (nKind != 0)
            out.Take(GCCM_UsePointedKoma(0, t, out.Next()), 10);
        out.Take(GCCM_ToruOnPreMoveOfEnemy(nSrcPos, out.Next()));
    }
    InterposeOnThreat<true>(*this, nSrcPos, t, 4, 6, true, out);
    OwnLine(*this, out);
    *pnCount += out.Count();
}

void ZelkorCore::GCCM_DisturbSurfaceByMan(int nDone, int *pnCount)
{
    DisturbSurface<true>(*this, nDone, pnCount);
}

void ZelkorCore::GMCM_DisturbSurfaceByCom(int nDone, int *pnCount)
{
    DisturbSurface<false>(*this, nDone, pnCount);
}

void ZelkorCore::GCCM_ToruOrNaru(int nQuota, int *pnCount)
{
    ToruOrNaru<true>(*this, nQuota, pnCount);
}

void ZelkorCore::GMCM_ToruOrNaru(int nQuota, int *pnCount)
{
    ToruOrNaru<false>(*this, nQuota, pnCount);
}

void ZelkorCore::GCCM_ThreatManKoma(int nQuota, int *pnCount)
{
    ThreatKoma<true>(*this, nQuota, pnCount);
}

void ZelkorCore::GMCM_ThreatComKoma(int nQuota, int *pnCount)
{
    ThreatKoma<false>(*this, nQuota, pnCount);
}

int ZelkorCore::GCCM_DemandManKoma(int nUtsuPrio, int nMovePrio, int nPos, CANDI_MOVE *pCandi)
{
    return Demander<true>(*this, nUtsuPrio, nMovePrio, nPos, pCandi).Run();
}

int ZelkorCore::GMCM_DemandComKoma(int nUtsuPrio, int nMovePrio, int nPos, CANDI_MOVE *pCandi)
{
    return Demander<false>(*this, nUtsuPrio, nMovePrio, nPos, pCandi).Run();
}

int ZelkorCore::GCCM_UtsuDemandTwo(CANDI_MOVE *pCandi)
{
    return ForkFinder<true>(*this, pCandi).Run();
}

int ZelkorCore::GMCM_UtsuDemandTwo(CANDI_MOVE *pCandi)
{
    return ForkFinder<false>(*this, pCandi).Run();
}

int ZelkorCore::GCCM_FeedOverEffect(int nQuota, CANDI_MOVE *pCandi)
{
    return FeedOver<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_FeedOverEffect(int nQuota, CANDI_MOVE *pCandi)
{
    return FeedOver<false>(*this, nQuota, pCandi);
}

int ZelkorCore::ProfitOnAttractMan(int nBase, int nPos0)
{
    return Attract<true>(*this, nBase, nPos0);
}

int ZelkorCore::ProfitOnAttractCom(int nBase, int nPos0)
{
    return Attract<false>(*this, nBase, nPos0);
}
