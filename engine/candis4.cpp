// Candidate generators: line-piece play, gold approach, strategic drops,
// king-zone attacks, attacks on pinned pieces and pawn play.
#include "Zelkor.h"

#include "candis3.h"

using namespace candis3;
using namespace zelkor;

namespace {

// Rows and columns as seen from Com (1..9).
template <bool Com> int RowOf(int s)
{
    return Side<Com>::Rel(s) >> 4;
}

template <bool Com> int ColOf(int s)
{
    return Side<Com>::Rel(s) & 15;
}

// The square at row r, column c of Com's view.
template <bool Com> int SquareAt(int r, int c)
{
    return Side<Com>::Rel(16 * r + c);
}

bool IsEmpty(const ZelkorCore &z, int s)
{
    return OnBoard(s) && z.m_nBoard[s] == 0;
}

// First square from s along step that is not empty (may be the frame).
int FirstOccupied(const ZelkorCore &z, int s, int step)
{
    do
        s += step;
    while (OnBoard(s) && z.m_nBoard[s] == 0);
    return s;
}

int StepToward(int from, int to)
{
    int dr = (to >> 4) - (from >> 4);
    int dc = (to & 15) - (from & 15);
    return 16 * ((dr > 0) - (dr < 0)) + ((dc > 0) - (dc < 0));
}

// ---------------------------------------------------------------------------
// Line-piece play
// ---------------------------------------------------------------------------

template <bool Com> int BreakThroughOfShaKaku(ZelkorCore &z, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    // Moves the own piece on y away when it is all that screens a line piece
    // from an opponent's piece the opponent defends and Com does not attack.
    auto open = [&](int from, int d, bool pawnMayScreen) {
        int y = FirstOccupied(z, from, d);
        if (!OnBoard(y) || !S::Own(z.m_nBoard[y]))
            return;
        if (z.m_nBoard[y] == S::Code(1) && !pawnMayScreen)
            return;
        int w = FirstOccupied(z, y, d);
        if (!OnBoard(w))
            return;
        int cw = z.m_nBoard[w];
        if (S::Opp(cw) && cw != S::OppCode(1) && S::Theirs(z, w) > 0 && S::Mine(z, w) == 0)
            out.Take(S::UsePointed(z, 1, y, out.Next()));
    };
    for (int u = 3; u <= 4; u++)
        if (S::Own(z.m_komaUni[u].nKind))
            for (const STEP_ON_DIR &sd : kStepOfHiKaku)
                open(z.m_komaUni[u].nPos, S::Step(sd.nStepHisha), sd.nStepHisha != 16);
    for (int u = 5; u <= 6; u++)
        if (S::Own(z.m_komaUni[u].nKind))
            for (const STEP_ON_DIR &sd : kStepOfHiKaku)
                open(z.m_komaUni[u].nPos, S::Step(sd.nStepKaku), true);
    for (int u = 19; u <= 22; u++)
        if (z.m_komaUni[u].nKind == S::Code(2))
            open(z.m_komaUni[u].nPos, S::Step(16), false);
    return out.Count();
}

template <bool Com> int BreakThroughOfSha(ZelkorCore &z, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    auto push = [&](int from) {
        int up = S::Step(16);
        int y = from + up;
        while (S::Rel(y) < 0x80 && IsEmpty(z, y))
            y += up;
        if (S::Rel(y) >= 0x80 || !OnBoard(y) || z.m_nBoard[y] != S::Code(1))
            return;
        int f = y + up;
        if (z.m_nBoard[f] == 0 && S::Theirs(z, f) < S::Mine(z, f))
            out.Add(y, f, 0, S::Zone(f) ? 8 : 0, 0);
    };
    for (int u = 19; u <= 22; u++)
        if (z.m_komaUni[u].nKind == S::Code(2))
            push(z.m_komaUni[u].nPos);
    for (int u = 3; u <= 4; u++)
        if (S::Own(z.m_komaUni[u].nKind))
            push(z.m_komaUni[u].nPos);
    return out.Count();
}

// The gold nearest the opponent king's column steps toward it.
template <bool Com> int AttackByKin(ZelkorCore &z, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    int k = S::OppKing(z);
    if (S::Rel(k) < 0x70)
        return 0;
    int kc = ColOf<Com>(k);
    int g = 0, best = 99;
    for (int r = 6; r <= 9; r++) {
        for (int c = 1; c <= 9; c++) {
            int s = SquareAt<Com>(r, c);
            int code = z.m_nBoard[s];
            int kind = code & 15;
            if (S::Own(code) && (kind == 5 || (kind >= 9 && kind <= 12)) && Abs(c - kc) < best) {
                best = Abs(c - kc);
                g = s;
            }
        }
    }
    if (g == 0 || best == 0)
        return 0;
    int t = ColOf<Com>(g) < kc ? g + S::Step(1) : g - S::Step(1);
    if (IsEmpty(z, t))
        out.Add(g, t, 0, 0, 10);
    if (IsEmpty(z, t + S::Step(16)))
        out.Add(g, t + S::Step(16), 0, 0, 0);
    if (IsEmpty(z, g - S::Step(16)))
        out.Add(g, g - S::Step(16), 0, 0, -5);
    return out.Count();
}

template <bool Com> int UtsuHu(ZelkorCore &z, CANDI_MOVE *p)
{
    using S = Side<Com>;
    if (!S::Held(z, 1))
        return 0;
    Out out(p, AreaEnd(z));
    int kr = RowOf<Com>(S::OppKing(z)), kc = ColOf<Com>(S::OppKing(z));
    int ownR = RowOf<Com>(S::King(z)), ownC = ColOf<Com>(S::King(z));
    for (int r = 1; r <= 8 && r <= kr; r++) {
        int dr = kr - r == 0 ? 2 : kr - r;
        for (int c = 1; c <= 9; c++) {
            int s = SquareAt<Com>(r, c);
            if (z.m_nBoard[s] != 0 || !S::Nihu(z, s))
                continue;
            int score = (9 - Abs(c - kc) - dr) * 4 - Abs(ownR - r) - Abs(c - ownC);
            if (S::Mine(z, s) > 0)
                score++;
            out.Add(kDrop, s, S::Code(1), 0, score);
        }
    }
    return KeepBest(p, out.Count(), 15, Order::ScoreDesc);
}

template <bool Com> int UtsuOfShaKaku(ZelkorCore &z, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    int minors = S::Held(z, 2) + S::Held(z, 3) + S::Held(z, 4) + S::Held(z, 5);
    bool single = Remain(z) < 3 || minors > 2 || S::Rel(S::OppKing(z)) < 0x71;
    // Man's bishop drops rank above Com's in the second mode.
    int bishopScore = Com || single ? 1 : 3;
    static const int kBishopRows[3] = {7, 8, 9};
    static const int kRookRows[3] = {9, 8, 7};
    auto scan = [&](int kind, const int *rows, int score) {
        if (!S::Held(z, kind))
            return;
        for (int c = 1; c <= 9; c++) {
            for (int i = 0; i < 3; i++) {
                int s = SquareAt<Com>(rows[i], c);
                if (z.m_nBoard[s] != 0)
                    continue;
                int nh = S::Theirs(z, s);
                bool rookWatch =
                    kind == 6 && !single && nh == 1 && S::Mine(z, s) > 0 &&
                    ((S::TheirList(z, s)[0] & ~kXray) == 3 || (S::TheirList(z, s)[0] & ~kXray) == 4);
                if (nh != 0 && !rookWatch)
                    continue;
                if (!out.Add(kDrop, s, S::Code(kind), 0, score) || single)
                    return;
                if (out.Count() >= 5)
                    return;
            }
        }
    };
    scan(6, kBishopRows, bishopScore);
    if (single || out.Count() < 5)
        scan(7, kRookRows, 1);
    return out.Count();
}

// ---------------------------------------------------------------------------
// King-zone attacks
// ---------------------------------------------------------------------------

template <bool Com> int NarrowAround(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    int k = S::OppKing(z);
    if (S::Rel(k) < 0x30)
        return 0;
    Out out(p, AreaEnd(z));
    // Man uses a square only when Com does not attack it or Man covers it.
    auto dropOk = [&](int kind, int s) {
        return S::Theirs(z, s) == 0 ||
               (S::Mine(z, s) > 0 && S::ProfitUtsu(z, S::Code(kind), s) >= 0);
    };
    auto drops = [&](int s, int first, int base) {
        for (int kind = first; kind <= 5; kind++) {
            if (kind == 2 || kind == 3 || !S::Held(z, kind))
                continue;
            if (kind == 1 && !S::Nihu(z, s))
                continue;
            if (dropOk(kind, s))
                out.Add(kDrop, s, S::Code(kind), 0, kind + base);
        }
    };
    for (int j = 30; j <= 34; j++) {
        int s = k - S::Step(j);
        if (!IsEmpty(z, s))
            continue;
        int b = Com ? -8 * Abs(32 - j) - s / 4 : s / 4 - 8 * Abs(32 - j);
        drops(s, 1, b + 100);
        if (!Com || j < 31 || j > 33)
            continue;
        int nc = S::Mine(z, s), nh = S::Theirs(z, s);
        if (nc == 0 || (nc == 1 && nh > 0) || !(Remain(z) > 5 || nh < nc))
            continue;
        int list[32];
        int n = DirectEntries(S::MyList(z, s), nc, list);
        for (int i = 0; i < n; i++) {
            const KOMA_BY_UNINUM &a = z.m_komaUni[list[i]];
            int kind = a.nKind & 15;
            // The king would walk into an attack.
            if (list[i] == S::kKingUni && nh > 0)
                continue;
            int naru = kAddWeightOnNaru[kind] && (S::Zone(s) || S::Zone(a.nPos)) ? 8 : 0;
            out.Add(a.nPos, s, 0, naru, b + 102);
        }
    }
    if (Com && S::Rel(k) > 0x80) {
        int s = k - S::Step(48);
        if (IsEmpty(z, s) && S::Held(z, 1) && S::Nihu(z, s))
            out.Add(kDrop, s, S::Code(1), 0, 0);
    }
    for (int off : {-2, 2, -18, -14}) {
        int s = k + S::Step(off);
        if (IsEmpty(z, s))
            drops(s, 4, Com ? 84 - s / 4 : s / 4 + 84);
    }
    if (S::Held(z, 3)) {
        for (int j = 46; j <= 50; j++) {
            int s = k - S::Step(j);
            if (IsEmpty(z, s) && S::Rel(s) > 0x10 && dropOk(3, s))
                out.Add(kDrop, s, S::Code(3), 0, (Com ? 101 : 104) - 8 * Abs(48 - j) - s / 4);
        }
    }
    return KeepBest(p, out.Count(), quota, Order::ScoreDesc);
}

template <bool Com> int WideAround(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    int k = S::OppKing(z);
    int kr = RowOf<Com>(k), kc = ColOf<Com>(k);
    int cFrom = kc - 3 > 1 ? kc - 3 : 1, cTo = kc + 3 < 9 ? kc + 3 : 9;
    int rFrom = kr + 1 < 8 ? kr + 1 : 8, rTo = kr - 3 > 1 ? kr - 3 : 1;
    for (int c = cFrom; c < cTo; c++) {
        for (int r = rFrom; r > rTo; r--) {
            int s = SquareAt<Com>(r, c);
            int nc = S::Mine(z, s), nh = S::Theirs(z, s);
            if (z.m_nBoard[s] != 0 || nc == 0 || nh == 0 || nh > nc + 1)
                continue;
            if (nh == 1 && S::TheirList(z, s)[0] == S::kOppKingUni)
                continue;
            int front = s + S::Step(16);
            bool pawnGuarded = z.m_nBoard[front] == S::OppCode(1);
            if (!(quota > 3 || !pawnGuarded || S::Rel(s) >= 0x70))
                continue;
            int d = Abs(c - kc);
            if (d > 1) {
                bool guard = false;
                for (int i = 0; i < nh && !guard; i++) {
                    int e = S::TheirList(z, s)[i];
                    int code = e < kXray ? z.m_komaUni[e].nKind & 15 : 0;
                    guard = code == 8 || code == 4 || code == 5;
                }
                if (!guard)
                    continue;
            }
            int b = (5 - d) * 4 - 2 * r + (nh <= nc ? 8 : 0);
            if (S::Opp(z.m_nBoard[front]))
                for (int kind = S::Nihu(z, s) ? 1 : 2; kind <= 2; kind++)
                    if (S::Held(z, kind))
                        out.Add(kDrop, s, S::Code(kind), 0, b - kind);
            int m = 8;
            if (nc == 1 && (S::MyList(z, s)[0] & ~kXray) < 15)
                m = nh >= 2 ? 4 : 6;
            for (int kind = 3; kind < m; kind++) {
                if (!S::Held(z, kind))
                    continue;
                if (kind == 3) {
                    int a = z.m_nBoard[s + S::Step(31)], b2 = z.m_nBoard[s + S::Step(33)];
                    bool fork =
                        (S::Opp(a) && a != S::OppCode(1)) || (S::Opp(b2) && b2 != S::OppCode(1));
                    if (S::Rel(s) >= 0x81 || !fork)
                        continue;
                }
                out.Add(kDrop, s, S::Code(kind), 0, b - kind + (kind == 4 || kind == 5 ? 8 : 0));
            }
        }
    }
    return KeepBest(p, out.Count(), quota, Order::ScoreDesc);
}

// Attacks on a piece pinned against the opponent's king by an own line piece.
template <bool Com> int PinAttack(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    int k = S::OppKing(z);
    static const int kLinePieces[8] = {3, 4, 5, 6, 19, 20, 21, 22};
    for (int u : kLinePieces) {
        const KOMA_BY_UNINUM a = z.m_komaUni[u];
        if (!S::Own(a.nKind))
            continue;
        int dr = (a.nPos >> 4) - (k >> 4), dc = (a.nPos & 15) - (k & 15);
        bool rook = u <= 4, bishop = u == 5 || u == 6;
        if (rook     ? (dr != 0 && dc != 0)
            : bishop ? (Abs(dr) != Abs(dc) || dr == 0)
                     : (dc != 0 || S::Rel(a.nPos) > S::Rel(k)))
            continue;
        int dir = StepToward(k, a.nPos);
        int y = FirstOccupied(z, k, dir);
        if (!OnBoard(y) || !S::Opp(z.m_nBoard[y]) || FirstOccupied(z, y, dir) != a.nPos)
            continue;
        int pinned = z.m_nUniBoard[y];
        CANDI_MOVE *block = out.Next();
        int n = S::DestPointed(z, 2, y, block);
        out.Take(n);
        n = out.Count() - static_cast<int>(block - out.Begin());
        for (int i = 0; i < n; i++) {
            CANDI_MOVE &m = block[i];
            int nh = S::Theirs(z, m.nDstPos), nc = S::Mine(z, m.nDstPos);
            bool onlyPinned = nh == 1 && (S::TheirList(z, m.nDstPos)[0] & ~kXray) == pinned;
            int prio;
            if (rook)
                prio = nh >= 2 || (nh == 1 && !onlyPinned) ? -kMateScore : (nh == 0 ? 10 : 8);
            else
                prio = onlyPinned ? 20 : nh == 0 ? 10 : nc < nh ? 0 : 8;
            if (m.nKind == S::Code(2) || m.nKind == S::Code(6) || m.nKind == S::Code(7))
                prio -= 15;
            if (m.nDstPos == y + dir)
                prio -= 25;
            m.nTemp1 = prio;
        }
    }
    return KeepBest(p, out.Count(), quota, Order::Temp1Desc);
}

// ---------------------------------------------------------------------------
// Pawn play
// ---------------------------------------------------------------------------

template <bool Com> int AttackHu(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    for (int u = 1; u <= 40 && out.Count() < quota; u++) {
        const KOMA_BY_UNINUM &a = z.m_komaUni[u];
        if (!S::Opp(a.nKind) || S::Rel(a.nPos) < 0x20)
            continue;
        if (S::Theirs(z, a.nPos) == 0 && S::Mine(z, a.nPos) > 0)
            continue;
        int s = a.nPos - S::Step(16);
        if (z.m_nBoard[s] != 0 || S::Theirs(z, s) == 0)
            continue;
        int q = s - S::Step(16);
        if (OnBoard(q) && z.m_nBoard[q] == S::Code(1))
            out.Add(q, s, 0, S::Zone(s) ? 8 : 0, -u);
        else if (S::Held(z, 1) && S::Nihu(z, s))
            out.Add(kDrop, s, S::Code(1), 0, -u);
    }
    return out.Count();
}

template <bool Com> int AttackOnEnemyHu(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    for (int u = 23; u <= 40; u++) {
        const KOMA_BY_UNINUM &a = z.m_komaUni[u];
        if (a.nKind != S::OppCode(1))
            continue;
        int nc = S::Mine(z, a.nPos), nh = S::Theirs(z, a.nPos);
        if ((nc == 0 && nh == 0) || (nc > 0 && nh > 0))
            out.Take(S::Demand(z, 9, 8, a.nPos, out.Next()));
    }
    if (out.Count() <= quota)
        return out.Count();
    for (int i = 0; i < out.Count(); i++) {
        CANDI_MOVE &m = out[i];
        if (m.nSrcPos != kDrop)
            continue;
        if (m.nKind == S::Code(1)) {
            m.nTemp1 = 8;
        } else if (m.nKind == S::Code(6) || m.nKind == S::Code(7)) {
            if (S::Rel(m.nDstPos) < 0x71)
                m.nScore = -kMateScore;
            else
                m.nTemp1 = 7;
        }
    }
    return KeepBest(p, out.Count(), quota, Order::Temp1Asc);
}

template <bool Com> int UtsuHuOnEnemyField(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    int k = S::OppKing(z);
    if (S::Rel(k) < 0x80 || !S::Held(z, 1))
        return 0;
    Out out(p, AreaEnd(z));
    // Com may still try a far column while it has no promoted pawn; Man never.
    bool farAllowed = Com;
    for (int u = 23; u <= 40 && Com; u++)
        if (z.m_komaUni[u].nKind == S::Code(9))
            farAllowed = false;
    int kc = ColOf<Com>(k);
    static const int kRows[3] = {6, 7, 8};
    for (int c = 1; c <= 9; c++) {
        for (int r : kRows) {
            // Man scans its rows 2, 3, 4 from the top.
            int s = SquareAt<Com>(Com ? r : 14 - r, c);
            int f = s + S::Step(16);
            if (z.m_nBoard[s] != 0 || z.m_nBoard[f] != 0 || S::Theirs(z, s) > S::Mine(z, s) ||
                !S::Nihu(z, s))
                continue;
            int d = Abs(c - kc);
            int row = s >> 4;
            int b = (5 - d) * 4 + (Com ? -2 * row : 2 * row);
            if (S::Theirs(z, f) <= S::Mine(z, f))
                b += 8;
            if (z.m_nBoard[s + S::Step(32)] == S::OppCode(1))
                b = -10;
            if (d > (Com ? 3 : 2)) {
                if (S::Mine(z, f) < S::Theirs(z, f))
                    continue;
                bool guard = false;
                for (int j : {31, 32, 33}) {
                    int code = z.m_nBoard[s + S::Step(j)];
                    guard = guard || code == S::OppCode(4) || code == S::OppCode(5);
                }
                if (!guard) {
                    if (!farAllowed)
                        continue;
                    b -= 100;
                }
                b += 12;
            }
            out.Add(kDrop, s, S::Code(1), 0, b);
        }
    }
    return KeepBest(p, out.Count(), quota, Order::ScoreDesc);
}

template <bool Com> int ToruOnKeimaKyouHu(ZelkorCore &z, int quota, CANDI_MOVE *p)
{
    using S = Side<Com>;
    Out out(p, AreaEnd(z));
    for (int u = 15; u <= 40; u++) {
        const KOMA_BY_UNINUM &a = z.m_komaUni[u];
        if (!S::Opp(a.nKind) || S::Mine(z, a.nPos) == 0 || S::Theirs(z, a.nPos) == 0)
            continue;
        int list[32];
        int n = DirectEntries(S::MyList(z, a.nPos), S::Mine(z, a.nPos), list);
        for (int i = 0; i < n; i++) {
            if (list[i] == S::kKingUni)
                continue;
            if (out.Count() >= quota)
                return out.Count();
            const KOMA_BY_UNINUM &c = z.m_komaUni[list[i]];
            int kind = c.nKind & 15;
            int naru = kAddWeightOnNaru[kind] && (S::Zone(a.nPos) || S::Zone(c.nPos)) ? 8 : 0;
            out.Add(c.nPos, a.nPos, a.nKind, naru, -u);
        }
    }
    return out.Count();
}

} // namespace

// ---------------------------------------------------------------------------
// Members, Com and Man twins side by side
// ---------------------------------------------------------------------------

int ZelkorCore::GCCM_BreakThroughOfShaKaku(CANDI_MOVE *pCandi)
{
    return BreakThroughOfShaKaku<true>(*this, pCandi);
}

int ZelkorCore::GMCM_BreakThroughOfShaKaku(CANDI_MOVE *pCandi)
{
    return BreakThroughOfShaKaku<false>(*this, pCandi);
}

int ZelkorCore::GCCM_BreakThroughOfSha(CANDI_MOVE *pCandi)
{
    return BreakThroughOfSha<true>(*this, pCandi);
}

int ZelkorCore::GMCM_BreakThroughOfSha(CANDI_MOVE *pCandi)
{
    return BreakThroughOfSha<false>(*this, pCandi);
}

// Blocks the lines of Man's rook and bishop toward Com's camp.
int ZelkorCore::GCCM_DefenceShaKaku(CANDI_MOVE *pCandi)
{
    Out out(pCandi, AreaEnd(*this));
    int kc = m_komaUni[2].nPos;
    for (int u = 3; u <= 4; u++) {
        int r = m_komaUni[u].nPos;
        if (!Side<true>::Opp(m_komaUni[u].nKind))
            continue;
        int t = r < kc ? 0x90 + (r & 15) : 0x10 + (r & 15);
        if (t != r) // a rook on row 1 would have nothing to cut
            out.Take(GCCM_BreakOffShaKaku(true, r, t, out.Next()), 2);
        if ((r & 15) != (kc & 15)) {
            int t2 = (r & 0xf0) + ((r & 15) < (kc & 15) ? 9 : 1);
            out.Take(GCCM_BreakOffShaKaku(true, r, t2, out.Next()), 2);
        }
    }
    for (int u = 5; u <= 6; u++) {
        int b = m_komaUni[u].nPos;
        if (!Side<true>::Opp(m_komaUni[u].nKind))
            continue;
        if ((b >> 4) >= (kc >> 4) && b > 0x30) {
            out.Take(GCCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, -17), out.Next()));
            out.Take(GCCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, -15), out.Next()));
        }
        if (b < 0x50 || (b >> 4) <= (kc >> 4)) {
            out.Take(GCCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, 17), out.Next()));
            out.Take(GCCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, 15), out.Next()), 2);
        }
    }
    return out.Count();
}

// Blocks the lines of Com's rook and bishop toward Man's camp.
int ZelkorCore::GMCM_DefenceShaKaku(CANDI_MOVE *pCandi)
{
    Out out(pCandi, AreaEnd(*this));
    int k = m_komaUni[1].nPos;
    for (int u = 3; u <= 4; u++) {
        int r = m_komaUni[u].nPos;
        if (!Side<false>::Opp(m_komaUni[u].nKind))
            continue;
        if (r < 0x71 && r <= k)
            out.Take(GMCM_BreakOffShaKaku(true, r, 0x90 + (r & 15), out.Next()), 2);
        if ((r & 15) != (k & 15)) {
            int t2 = (r & 0xf0) + ((r & 15) < (k & 15) ? 9 : 1);
            out.Take(GMCM_BreakOffShaKaku(true, r, t2, out.Next()), 2);
        }
    }
    for (int u = 5; u <= 6; u++) {
        int b = m_komaUni[u].nPos;
        if (!Side<false>::Opp(m_komaUni[u].nKind))
            continue;
        if ((b >> 4) < (k >> 4) && b < 0x80) {
            out.Take(GMCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, 17), out.Next()));
            out.Take(GMCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, 15), out.Next()));
        }
        if ((b >> 4) > (k >> 4)) {
            out.Take(GMCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, -17), out.Next()));
            out.Take(GMCM_BreakOffShaKaku(false, b, FirstOccupied(*this, b, -15), out.Next()), 2);
        }
    }
    return out.Count();
}

int ZelkorCore::GCCM_AttackByKin(CANDI_MOVE *pCandi)
{
    return AttackByKin<true>(*this, pCandi);
}

int ZelkorCore::GMCM_AttackByKin(CANDI_MOVE *pCandi)
{
    return AttackByKin<false>(*this, pCandi);
}

int ZelkorCore::GCCM_UtsuHu(CANDI_MOVE *pCandi)
{
    return UtsuHu<true>(*this, pCandi);
}

int ZelkorCore::GCCM_UtsuOfShaKaku(CANDI_MOVE *pCandi)
{
    return UtsuOfShaKaku<true>(*this, pCandi);
}

int ZelkorCore::GMCM_UtsuOfShaKaku(CANDI_MOVE *pCandi)
{
    return UtsuOfShaKaku<false>(*this, pCandi);
}

// Man's pawns in Com's half run for promotion, the most advanced numbers first.
int ZelkorCore::GMCM_FowardHuNaru(CANDI_MOVE *pCandi)
{
    Out out(pCandi, AreaEnd(*this));
    for (int u = 23; u <= 40; u++) {
        int s = m_komaUni[u].nPos;
        if (m_komaUni[u].nKind == 1 && s <= 0x50 && m_nBoard[s - 16] == 0)
            out.Add(s, s - 16, 0, 8, -u);
    }
    return out.Count();
}

// Quiet pawn drops in front of Man's camp.
int ZelkorCore::GMCM_UtsuOfHu(CANDI_MOVE *pCandi)
{
    if (m_nCaptByMan[1] == 0)
        return 0;
    Out out(pCandi, AreaEnd(*this));
    for (int c = 1; c <= 9; c++) {
        for (int r = 3; r <= 5; r++) {
            int s = 16 * r + c;
            if (!CheckManNihu(s))
                break;
            if (m_nBoard[s] == 0 && m_nBoard[s - 32] != 0x81 &&
                m_nPsbComKomas[s] <= m_nPsbManKomas[s])
                out.Add(kDrop, s, 1, 0, 1);
        }
    }
    return out.Count();
}

int ZelkorCore::GCCM_AttackOnGyokuNarrowAround(int nQuota, CANDI_MOVE *pCandi)
{
    return NarrowAround<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_AttackOnGyokuNarrowAround(int nQuota, CANDI_MOVE *pCandi)
{
    return NarrowAround<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_AttackOnGyokuWideAround(int nQuota, CANDI_MOVE *pCandi)
{
    return WideAround<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_AttackOnGyokuWideAround(int nQuota, CANDI_MOVE *pCandi)
{
    return WideAround<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_AttackbyHishaKakuKyou(int nQuota, CANDI_MOVE *pCandi)
{
    return PinAttack<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_AttackbyHishaKakuKyou(int nQuota, CANDI_MOVE *pCandi)
{
    return PinAttack<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_AttackHu(int nQuota, CANDI_MOVE *pCandi)
{
    return AttackHu<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_AttackHu(int nQuota, CANDI_MOVE *pCandi)
{
    return AttackHu<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_AttackOnEnemyHu(int nQuota, CANDI_MOVE *pCandi)
{
    return AttackOnEnemyHu<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_AttackOnEnemyHu(int nQuota, CANDI_MOVE *pCandi)
{
    return AttackOnEnemyHu<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_UtsuHuOnEnemyField(int nQuota, CANDI_MOVE *pCandi)
{
    return UtsuHuOnEnemyField<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_UtsuHuOnEnemyField(int nQuota, CANDI_MOVE *pCandi)
{
    return UtsuHuOnEnemyField<false>(*this, nQuota, pCandi);
}

int ZelkorCore::GCCM_ToruOnKeimaKyouHu(int nQuota, CANDI_MOVE *pCandi)
{
    return ToruOnKeimaKyouHu<true>(*this, nQuota, pCandi);
}

int ZelkorCore::GMCM_ToruOnKeimaKyouHu(int nQuota, CANDI_MOVE *pCandi)
{
    return ToruOnKeimaKyouHu<false>(*this, nQuota, pCandi);
}
