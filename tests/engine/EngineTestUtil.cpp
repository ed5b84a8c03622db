#include "EngineTestUtil.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace enginetest {

EnginePtr NewEngine()
{
    auto z = NewCore();
    std::memcpy(z->m_nBoard, zelkor::kIniBoard, sizeof(z->m_nBoard));
    std::memset(z->m_nCaptByCom, 0, sizeof(z->m_nCaptByCom));
    std::memset(z->m_nCaptByMan, 0, sizeof(z->m_nCaptByMan));
    z->InitBoard();
    return z;
}

bool RandomLegalMove(ZelkorCore &z, bool com, Rng &rng, Move &move)
{
    const int *hand = com ? z.m_nCaptByCom : z.m_nCaptByMan;
    int handKinds[8], nHandKinds = 0;
    for (int k = 1; k <= 7; k++)
        if (hand[k] > 0)
            handKinds[nHandKinds++] = k;
    int pieces[40], nPieces = 0;
    for (int u = 1; u <= 40; u++) {
        int c = z.m_komaUni[u].nKind;
        if (c != 0 && (c > 128) == com)
            pieces[nPieces++] = z.m_komaUni[u].nPos;
    }
    for (int attempt = 0; attempt < 300; attempt++) {
        if (nHandKinds > 0 && rng.Below(10) < 3) {
            int code = handKinds[rng.Below(nHandKinds)] + (com ? 128 : 0);
            int dst = Sq(1 + rng.Below(9), 1 + rng.Below(9));
            if (z.CheckMoveable(255, dst, code) == 0) {
                move = {255, dst, code, 0};
                return true;
            }
            continue;
        }
        if (nPieces == 0)
            continue;
        int src = pieces[rng.Below(nPieces)];
        int count = 0;
        unsigned char out[81];
        z.SearchMovablePos(((src & 15) - 1) << 4 | ((src >> 4) - 1), &count, out);
        if (count == 0)
            continue;
        int b = out[rng.Below(count)];
        int dst = Sq((b & 15) + 1, (b >> 4) + 1);
        int r = z.CheckMoveable(src, dst, z.m_nBoard[src]);
        if (r == 0 || r == 11 || r == 13) {
            int naru = r == 13 || (r == 11 && rng.Below(2)) ? 8 : 0;
            move = {src, dst, z.m_nBoard[dst], naru};
            return true;
        }
    }
    return false;
}

void MakeMove(ZelkorCore &z, const Move &m)
{
    if (m.src == 255)
        z.MoveKomaOnCapt(m.dst, m.kind);
    else
        z.MoveKomaOnBoard(m.dst, m.src, m.naru);
}

void UnmakeMove(ZelkorCore &z, const Move &m)
{
    if (m.src == 255)
        z.BackKomaToCapt(m.dst);
    else
        z.BackKomaOnBoard(m.dst, m.src, m.naru, m.kind);
}

void TakeSnapshot(const ZelkorCore &z, Snapshot &s)
{
#define ENGINETEST_COPY(field, member) std::memcpy(&s.field, &z.member, sizeof s.field);
    ENGINETEST_RESTORED(ENGINETEST_COPY)
#undef ENGINETEST_COPY
}

namespace {

// A list's entries in sorted order, without allocating (the walks compare
// hundreds of thousands of lists).
struct SortedList
{
    int n = 0;
    int v[32];
    bool operator==(const SortedList &o) const { return n == o.n && std::equal(v, v + n, o.v); }
    bool operator!=(const SortedList &o) const { return !(*this == o); }
};

SortedList Sorted(const int *list, int count)
{
    SortedList r;
    r.n = count < 0 ? 0 : (count > 32 ? 32 : count);
    std::copy(list, list + r.n, r.v);
    std::sort(r.v, r.v + r.n);
    return r;
}

bool TailIsZero(const int *list, int count)
{
    for (int i = count; i < 32; i++)
        if (list[i] != 0)
            return false;
    return true;
}

template <typename... Args> std::string Say(Args... args)
{
    std::ostringstream os;
    (os << ... << args);
    return os.str();
}

// Base kind owning unique number u: kings 1-2 (0), rooks 3-4, bishops 5-6,
// golds 7-10, silvers 11-14, knights 15-18, lances 19-22, pawns 23-40.
int KindOfNumber(int u)
{
    constexpr int kLast[] = {2, 4, 6, 10, 14, 18, 22, 40}, kKind[] = {0, 7, 6, 5, 4, 3, 2, 1};
    int i = 0;
    while (u > kLast[i])
        i++;
    return kKind[i];
}

// The list of a square as a multiset of (attacker square, x-ray bit).
SortedList ListBySquare(const ZelkorCore &z, bool com, int t)
{
    SortedList r;
    r.n = Count(z, com, t);
    for (int i = 0; i < r.n; i++)
        r.v[i] = z.m_komaUni[List(z, com, t)[i] & 127].nPos * 2 + (List(z, com, t)[i] >> 7);
    std::sort(r.v, r.v + r.n);
    return r;
}

std::string CheckNumbering(const ZelkorCore &z)
{
    int seen[41] = {};
    for (int s = 0; s < 256; s++) {
        int c = z.m_nBoard[s];
        int u = z.m_nUniBoard[s];
        if (c == 0 || c == 255) {
            if (u != c)
                return Say("square ", s, " holds code ", c, " but number ", u);
            continue;
        }
        if (u < 1 || u > 40)
            return Say("square ", s, " has number ", u);
        if (z.m_komaUni[u].nKind != c || z.m_komaUni[u].nPos != s)
            return Say("number ", u, " does not describe square ", s);
        if ((c & 15) == 8 ? u != (c == 8 ? 1 : 2) : KindOfNumber(u) != (c & 7))
            return Say("number ", u, " on a piece of code ", c);
        seen[u]++;
    }
    for (int k = 1; k <= 7; k++) {
        for (int i = 0; i < z.m_nCurrUniNumPos[k]; i++) {
            int u = z.m_nUniNum[k][i];
            if (u < 1 || u > 40 || KindOfNumber(u) != k || z.m_komaUni[u].nKind != 0)
                return Say("stack ", k, " holds bad number ", u);
            seen[u]++;
        }
    }
    for (int u = 1; u <= 40; u++)
        if (seen[u] != 1)
            return Say("number ", u, " seen ", seen[u], " times");
    return "";
}

} // namespace

std::string CompareWithSnapshot(const ZelkorCore &z, const Snapshot &s)
{
#define ENGINETEST_SAME(field, member)                                                             \
    if (std::memcmp(&s.field, &z.member, sizeof s.field))                                          \
        return #member " differs";
    ENGINETEST_EXACT(ENGINETEST_SAME)
#undef ENGINETEST_SAME
    // The square of a piece in hand means nothing and is not restored.
    for (int u = 0; u <= 40; u++)
        if (s.komaUni[u].nKind != z.m_komaUni[u].nKind ||
            (s.komaUni[u].nKind != 0 && s.komaUni[u].nPos != z.m_komaUni[u].nPos))
            return Say("piece table differs at number ", u);
    for (int k = 0; k < 8; k++)
        for (int i = 0; i < s.uniNumPos[k]; i++)
            if (s.uniNum[k][i] != z.m_nUniNum[k][i])
                return Say("stack ", k, " differs at ", i);
    for (int t = 0; t < 256; t++) {
        if (std::memcmp(s.psbCom[t], z.m_nPsbComKoma[t], sizeof(s.psbCom[t])) == 0 &&
            std::memcmp(s.psbMan[t], z.m_nPsbManKoma[t], sizeof(s.psbMan[t])) == 0)
            continue;
        if (Sorted(s.psbCom[t], s.psbComs[t]) != Sorted(z.m_nPsbComKoma[t], z.m_nPsbComKomas[t]) ||
            Sorted(s.psbMan[t], s.psbMans[t]) != Sorted(z.m_nPsbManKoma[t], z.m_nPsbManKomas[t]))
            return Say("list differs at ", t);
        if (!TailIsZero(z.m_nPsbComKoma[t], z.m_nPsbComKomas[t]) ||
            !TailIsZero(z.m_nPsbManKoma[t], z.m_nPsbManKomas[t]))
            return Say("stale entry past the count at ", t);
    }
    return "";
}

std::string CompareWithRebuild(const ZelkorCore &z, ZelkorCore &scratch)
{
    std::memcpy(scratch.m_nBoard, z.m_nBoard, sizeof(z.m_nBoard));
    std::memcpy(scratch.m_nCaptByCom, z.m_nCaptByCom, sizeof(z.m_nCaptByCom));
    std::memcpy(scratch.m_nCaptByMan, z.m_nCaptByMan, sizeof(z.m_nCaptByMan));
    scratch.SetUniBoard();

    if (std::memcmp(scratch.m_nBoard, z.m_nBoard, sizeof(z.m_nBoard)))
        return "position cannot be numbered";
    std::string numbering = CheckNumbering(z);
    if (!numbering.empty())
        return numbering;
    if (std::memcmp(scratch.m_nCurrUniNumPos, z.m_nCurrUniNumPos, sizeof(z.m_nCurrUniNumPos)))
        return "stack sizes differ from a rebuild";
    if (std::memcmp(scratch.m_nCaptByCom, z.m_nCaptByCom, sizeof(z.m_nCaptByCom)) ||
        std::memcmp(scratch.m_nCaptByMan, z.m_nCaptByMan, sizeof(z.m_nCaptByMan)))
        return "hands out of range";
    if (scratch.m_nWeightScore != z.m_nWeightScore)
        return Say("material ", z.m_nWeightScore, ", rebuilt ", scratch.m_nWeightScore);
    if (scratch.m_dwDai != z.m_dwDai)
        return "packed hand differs from a rebuild";
    for (int t = 0; t < 256; t++) {
        for (bool com : {false, true}) {
            if (!TailIsZero(List(z, com, t), Count(z, com, t)))
                return Say("stale entry past the count at ", t);
            if ((Count(z, com, t) != 0 || Count(scratch, com, t) != 0) &&
                ListBySquare(z, com, t) != ListBySquare(scratch, com, t))
                return Say(com ? "Com" : "Man", " list of square ", t, " differs from a rebuild");
        }
    }
    if (!const_cast<ZelkorCore &>(z).IsCorrectKomas())
        return "IsCorrectKomas fails";
    return "";
}

} // namespace enginetest
