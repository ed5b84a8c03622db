#include "refmoves.h"

#include "zelkor_access.h"

#include <algorithm>
#include <tuple>

bool RefMove::operator<(const RefMove &o) const
{
    return std::tie(src, dst, kind, naru) < std::tie(o.src, o.dst, o.kind, o.naru);
}

namespace {

bool OnBoard(int s)
{
    return s >= 0x11 && s <= 0x99 && (s & 15) >= 1 && (s & 15) <= 9;
}

// Rows counted from the owner's back rank: 1 = own back rank, 9 = last rank.
int RelRow(int s, bool com)
{
    return com ? (s >> 4) : 10 - (s >> 4);
}

// Steps as seen by Com (forward +16); Man negates them.
const int kGold[] = {16, 15, 17, 1, -1, -16};
const int kSilver[] = {16, 15, 17, -15, -17};
const int kKing[] = {16, 15, 17, 1, -1, -16, -15, -17};
const int kDiag[] = {15, 17, -15, -17};
const int kOrth[] = {16, -16, 1, -1};

template <int N>
void Steps(const RefPos &p, int s, bool com, const int (&st)[N], bool slide, std::vector<int> &out)
{
    for (int d : st) {
        int step = com ? d : -d;
        for (int t = s + step; OnBoard(t); t += step) {
            int c = p.board[t];
            if (c != 0 && (com ? RefIsCom(c) : RefIsMan(c)))
                break;
            out.push_back(t);
            if (c != 0 || !slide)
                break;
        }
    }
}

// Destinations of the piece on s, ignoring whose turn it is.
std::vector<int> Targets(const RefPos &p, int s)
{
    std::vector<int> out;
    int c = p.board[s];
    bool com = RefIsCom(c);
    int k = c & 15;
    switch (k) {
    case 1: {
        static const int f[] = {16};
        Steps(p, s, com, f, false, out);
        break;
    }
    case 2: {
        static const int f[] = {16};
        Steps(p, s, com, f, true, out);
        break;
    }
    case 3: {
        static const int f[] = {31, 33};
        Steps(p, s, com, f, false, out);
        break;
    }
    case 4:
        Steps(p, s, com, kSilver, false, out);
        break;
    case 5:
    case 9:
    case 10:
    case 11:
    case 12:
        Steps(p, s, com, kGold, false, out);
        break;
    case 6:
        Steps(p, s, com, kDiag, true, out);
        break;
    case 7:
        Steps(p, s, com, kOrth, true, out);
        break;
    case 8:
        Steps(p, s, com, kKing, false, out);
        break;
    case 14:
        Steps(p, s, com, kDiag, true, out);
        Steps(p, s, com, kOrth, false, out);
        break;
    case 15:
        Steps(p, s, com, kOrth, true, out);
        Steps(p, s, com, kDiag, false, out);
        break;
    default:
        break;
    }
    return out;
}

// Lowest relative row a piece of this kind may stand on without promotion.
bool DeadAt(int k, int relRow)
{
    return ((k == 1 || k == 2) && relRow >= 9) || (k == 3 && relRow >= 8);
}

} // namespace

bool RefIsCom(int code)
{
    return code > 128 && code < 255;
}

bool RefIsMan(int code)
{
    return code > 0 && code < 128;
}

RefPos RefEmpty()
{
    RefPos p{};
    for (int s = 0; s < 256; ++s) {
        int r = s >> 4, c = s & 15;
        bool frame = (r == 0 || r == 10) ? c <= 10 : (r <= 9 && (c == 0 || c == 10));
        p.board[s] = frame ? 255 : 0;
    }
    return p;
}

RefPos RefFromEngine(const ZelkorCore &z)
{
    RefPos p{};
    std::copy(z.m_nBoard, z.m_nBoard + 256, p.board);
    std::copy(z.m_nCaptByCom, z.m_nCaptByCom + 8, p.captCom);
    std::copy(z.m_nCaptByMan, z.m_nCaptByMan + 8, p.captMan);
    return p;
}

void RefToEngine(const RefPos &p, ZelkorCore &z)
{
    std::copy(p.board, p.board + 256, z.m_nBoard);
    std::copy(p.captCom, p.captCom + 8, z.m_nCaptByCom);
    std::copy(p.captMan, p.captMan + 8, z.m_nCaptByMan);
    z.SetUniBoard();
}

int RefKing(const RefPos &p, bool com)
{
    for (int s = 0x11; s <= 0x99; ++s)
        if (OnBoard(s) && p.board[s] == (com ? 136 : 8))
            return s;
    return 0;
}

bool RefAttacked(const RefPos &p, int sq, bool byCom)
{
    for (int s = 0x11; s <= 0x99; ++s) {
        if (!OnBoard(s))
            continue;
        int c = p.board[s];
        if (c == 0 || (byCom ? !RefIsCom(c) : !RefIsMan(c)))
            continue;
        for (int t : Targets(p, s))
            if (t == sq)
                return true;
    }
    return false;
}

std::vector<RefMove> RefPseudoMoves(const RefPos &p, bool com)
{
    std::vector<RefMove> out;
    for (int s = 0x11; s <= 0x99; ++s) {
        if (!OnBoard(s))
            continue;
        int c = p.board[s];
        if (c == 0 || (com ? !RefIsCom(c) : !RefIsMan(c)))
            continue;
        int k = c & 15;
        bool canPromote = k == 1 || k == 2 || k == 3 || k == 4 || k == 6 || k == 7;
        for (int t : Targets(p, s)) {
            bool zone = RelRow(s, com) >= 7 || RelRow(t, com) >= 7;
            if (!DeadAt(k, RelRow(t, com)))
                out.push_back({s, t, p.board[t], 0});
            if (canPromote && zone)
                out.push_back({s, t, p.board[t], 8});
        }
    }
    const int *hand = com ? p.captCom : p.captMan;
    for (int k = 1; k <= 7; ++k) {
        if (hand[k] <= 0)
            continue;
        for (int t = 0x11; t <= 0x99; ++t) {
            if (!OnBoard(t) || p.board[t] != 0 || DeadAt(k, RelRow(t, com)))
                continue;
            if (k == 1) {
                bool twoPawns = false;
                for (int r = 1; r <= 9; ++r)
                    twoPawns |= p.board[16 * r + (t & 15)] == (com ? 129 : 1);
                if (twoPawns)
                    continue;
            }
            out.push_back({255, t, com ? 128 + k : k, 0});
        }
    }
    return out;
}

RefPos RefApply(const RefPos &p, const RefMove &m)
{
    RefPos q = p;
    if (m.src == 255) {
        bool com = RefIsCom(m.kind);
        (com ? q.captCom : q.captMan)[m.kind & 7] -= 1;
        q.board[m.dst] = m.kind;
        return q;
    }
    int c = q.board[m.src];
    int cap = q.board[m.dst];
    if (cap != 0 && (cap & 15) != 8)
        (RefIsCom(c) ? q.captCom : q.captMan)[cap & 7] += 1;
    q.board[m.dst] = c + m.naru;
    q.board[m.src] = 0;
    return q;
}

bool RefLeavesKingAttacked(const RefPos &p, const RefMove &m, bool com)
{
    RefPos q = RefApply(p, m);
    int k = RefKing(q, com);
    return k != 0 && RefAttacked(q, k, !com);
}

std::vector<RefMove> RefLegalMoves(const RefPos &p, bool com)
{
    std::vector<RefMove> out;
    for (const RefMove &m : RefPseudoMoves(p, com))
        if (!RefLeavesKingAttacked(p, m, com))
            out.push_back(m);
    return out;
}

RefPos RefMirror(const RefPos &p)
{
    RefPos q = RefEmpty();
    for (int s = 0x11; s <= 0x99; ++s) {
        if (!OnBoard(s) || p.board[s] == 0)
            continue;
        int c = p.board[s];
        q.board[170 - s] = c < 128 ? c + 128 : c - 128;
    }
    for (int k = 0; k < 8; ++k) {
        q.captCom[k] = p.captMan[k];
        q.captMan[k] = p.captCom[k];
    }
    return q;
}

RefMove RefMirrorMove(const RefMove &m)
{
    int kind = m.kind == 0 ? 0 : (m.kind < 128 ? m.kind + 128 : m.kind - 128);
    return {m.src == 255 ? 255 : 170 - m.src, 170 - m.dst, kind, m.naru};
}
