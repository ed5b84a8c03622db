#include "engine_board.h"
#include "sfentext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace enginetest {

namespace {

int SideOf(bool com)
{
    return com ? usi::kGote : usi::kSente;
}

Pos ToMove(Pos p, bool com)
{
    p.side = SideOf(com);
    return p;
}

Move ToEngine(const Pos &p, const usi::Move &m)
{
    if (m.src == usi::kDrop)
        return {255, m.dst, m.drop + (p.side == usi::kGote ? 128 : 0), 0};
    return {m.src, m.dst, p.At(m.dst), m.promote ? 8 : 0};
}

usi::Move ToUsi(const Move &m)
{
    usi::Move u;
    u.src = m.src;
    u.dst = m.dst;
    u.drop = m.src == 255 ? m.kind & 15 : 0; // a promoted code stays refused
    u.promote = m.naru != 0;
    return u;
}

// The side's moves from the protocol program's generator, in the engine's coding.
std::vector<Move> MovesOf(const Pos &p, bool com, std::vector<usi::Move> (*gen)(const Pos &))
{
    const Pos q = ToMove(p, com);
    std::vector<Move> out;
    for (const usi::Move &m : gen(q))
        out.push_back(ToEngine(q, m));
    return out;
}

Pos Handicap(int handicap)
{
    Pos p = usi::StartPosition();
    // Taken from either side.
    const int gone[4][4] = {{}, {0x22}, {0x88, 0x82}, {0x22, 0x28, 0x11, 0x19}};
    for (int s : gone[handicap])
        if (s != 0)
            p.Set(s, 0);
    return p;
}

} // namespace

Pos Sfen(const std::string &sfen)
{
    Pos p;
    // A board field alone has Com, gote, to move.
    const std::string err = ReadSfen(sfen.find(' ') == std::string::npos ? sfen + " w" : sfen, p);
    EXPECT_EQ(err, "") << sfen;
    return p;
}

void Write(const Pos &p, ZelkorCore &z)
{
    for (int s = 0; s < 256; s++)
        z.m_nBoard[s] = usi::OnBoard(s) ? p.At(s) : zelkor::kIniBoard[s];
    for (int k = 1; k <= 7; k++) {
        z.m_nCaptByCom[k] = p.hand[usi::kGote][k];
        z.m_nCaptByMan[k] = p.hand[usi::kSente][k];
    }
    z.SetUniBoard();
}

void Load(ZelkorCore &z, const Pos &p)
{
    Write(p, z);
    z.m_nCounter = 40;
    z.m_nDepth = 0;
    z.m_nMinTagDepth = 4;
    z.m_nRemainDepth = 0;
    z.m_nDisturbDepth = 6;
    z.m_nHubos = 0;
    z.PreparePosScore();
    std::memset(z.m_moveTree, 0, sizeof z.m_moveTree);
    std::fill(std::begin(z.m_pPreCandi), std::end(z.m_pPreCandi), nullptr);
}

Pos PositionOf(const ZelkorCore &z, bool comToMove)
{
    Pos p = usi::EmptyPosition();
    for (int s = 0x11; s <= 0x99; s++)
        if (usi::OnBoard(s))
            p.Set(s, z.m_nBoard[s]);
    for (int k = 1; k <= 7; k++) {
        p.hand[usi::kGote][k] = z.m_nCaptByCom[k];
        p.hand[usi::kSente][k] = z.m_nCaptByMan[k];
    }
    p.side = SideOf(comToMove);
    return p;
}

Pos Mirror(const Pos &p)
{
    Pos q = usi::EmptyPosition();
    for (int s = 0x11; s <= 0x99; s++)
        if (usi::OnBoard(s) && p.At(s) != 0)
            q.Set(170 - s, p.At(s) ^ 128);
    for (int k = 1; k <= 7; k++) {
        q.hand[usi::kGote][k] = p.hand[usi::kSente][k];
        q.hand[usi::kSente][k] = p.hand[usi::kGote][k];
    }
    q.side = 1 - p.side;
    q.ply = p.ply;
    return q;
}

Move Mirror(const Move &m)
{
    return {m.src == 255 ? 255 : 170 - m.src, 170 - m.dst, m.kind == 0 ? 0 : m.kind ^ 128, m.naru};
}

int KingSquare(const Pos &p, bool com)
{
    for (int s = 0x11; s <= 0x99; s++)
        if (usi::OnBoard(s) && p.At(s) == (com ? 136 : 8))
            return s;
    return 0;
}

bool Attacked(const Pos &p, int sq, bool byCom)
{
    return usi::Attacked(p, sq, SideOf(byCom));
}

std::vector<Move> PseudoMoves(const Pos &p, bool com)
{
    return MovesOf(p, com, usi::PseudoLegalMoves);
}

std::vector<Move> LegalMoves(const Pos &p, bool com)
{
    return MovesOf(p, com, usi::LegalMoves);
}

Pos Apply(const Pos &p, const Move &m)
{
    const bool com = m.src == 255 ? m.kind > 128 : p.At(m.src) > 128;
    return usi::Apply(ToMove(p, com), ToUsi(m));
}

std::vector<Move> EngineMoves(ZelkorCore &z, bool com)
{
    // CheckMoveable: 0 plays as it is, 11 may promote, 13 must promote.
    constexpr int kMay = 11, kMust = 13;
    std::vector<Move> out;
    for (int src = 0x11; src <= 0x99; src++) {
        const int code = usi::OnBoard(src) ? z.m_nBoard[src] : 0;
        if (!(com ? IsCom(code) : IsMan(code)))
            continue;
        for (int dst = 0x11; dst <= 0x99; dst++) {
            if (!usi::OnBoard(dst))
                continue;
            const int r = z.CheckMoveable(src, dst, code);
            if (r == 0 || r == kMay)
                out.push_back({src, dst, z.m_nBoard[dst], 0});
            if (r == kMay || r == kMust)
                out.push_back({src, dst, z.m_nBoard[dst], 8});
        }
    }
    for (int k = 1; k <= 7; k++) {
        if ((com ? z.m_nCaptByCom : z.m_nCaptByMan)[k] == 0)
            continue;
        for (int dst = 0x11; dst <= 0x99; dst++)
            if (usi::OnBoard(dst) && z.CheckMoveable(255, dst, k + (com ? 128 : 0)) == 0)
                out.push_back({255, dst, k + (com ? 128 : 0), 0});
    }
    return out;
}

Pos HandHeavyPosition(Rng &rng)
{
    Pos p = usi::EmptyPosition();
    static const int kCount[8] = {0, 18, 4, 4, 4, 4, 2, 2};
    p.Set(16 * (1 + rng.Below(3)) + 1 + rng.Below(9), 136);
    p.Set(16 * (7 + rng.Below(3)) + 1 + rng.Below(9), 8);
    for (int k = 1; k <= 7; k++) {
        for (int i = 0; i < kCount[k]; i++) {
            const bool com = rng.Below(2) == 0;
            if (rng.Below(4) != 0) { // most pieces go to a hand
                Hand(p, com, k)++;
                continue;
            }
            const int s = 16 * (1 + rng.Below(9)) + 1 + rng.Below(9);
            const int rel = com ? (s >> 4) : 10 - (s >> 4);
            const bool dead = ((k == 1 || k == 2) && rel == 9) || (k == 3 && rel >= 8);
            bool pawnOnFile = false;
            for (int r = 1; r <= 9 && k == 1; r++)
                pawnOnFile |= p.At(16 * r + (s & 15)) == (com ? 129 : 1);
            if (p.At(s) != 0 || dead || pawnOnFile) {
                Hand(p, com, k)++;
                continue;
            }
            const int code = k + (k != 5 && rng.Below(5) == 0 ? 8 : 0);
            p.Set(s, com ? code + 128 : code);
        }
    }
    return p;
}

std::vector<Pos> MakePositions(int games, std::uint64_t seed)
{
    Rng rng(seed);
    std::vector<Pos> out;
    for (int g = 0; g < games; g++) {
        if (g % 5 == 4) {
            out.push_back(HandHeavyPosition(rng));
            continue;
        }
        Pos p = ToMove(Handicap(g % 4), rng.Below(2) == 0);
        const int plies = 20 + rng.Below(140);
        for (int ply = 0; ply < plies; ply++) {
            const std::vector<usi::Move> moves = usi::PseudoLegalMoves(p);
            std::vector<usi::Move> captures;
            for (const usi::Move &m : moves)
                if (m.src != usi::kDrop && p.At(m.dst) != 0)
                    captures.push_back(m);
            // Captures are favoured so that hands fill up.
            bool moved = false;
            for (int tries = 0; tries < 40 && !moves.empty() && !moved; tries++) {
                const auto &from = !captures.empty() && rng.Below(2) == 0 ? captures : moves;
                const usi::Move &m = from[rng.Below(static_cast<int>(from.size()))];
                const Pos q = usi::Apply(p, m);
                if ((p.At(m.dst) & 15) != 8 && !usi::InCheck(q, p.side)) {
                    p = q;
                    moved = true;
                }
            }
            if (!moved)
                break;
            if (ply % 6 == 5)
                out.push_back(p);
        }
    }
    return out;
}

std::string CheckCandidates(const Pos &pos, bool com, const CANDI_MOVE *p, int n)
{
    const Pos q = ToMove(pos, com);
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &c = p[i];
        const bool drop = c.nSrcPos == 255;
        std::ostringstream os;
        os << "candidate " << i << " (" << std::hex << c.nSrcPos << "->" << c.nDstPos << " kind "
           << c.nKind << " naru " << std::dec << c.nNaru << ")";
        if (c.nNaru != 0 && c.nNaru != 8)
            return os.str() + ": promotion flag";
        if (!usi::OnBoard(c.nDstPos) || (!drop && !usi::OnBoard(c.nSrcPos)))
            return os.str() + ": off the board";
        if (!drop && c.nKind != q.At(c.nDstPos))
            return os.str() + ": kind differs from the destination";
        if (drop && (com ? !IsCom(c.nKind) : !IsMan(c.nKind)))
            return os.str() + ": drop of the wrong side";
        if (!usi::IsPseudoLegal(q, ToUsi({c.nSrcPos, c.nDstPos, c.nKind, c.nNaru})))
            return os.str() + ": not a move of this side";
    }
    return "";
}

} // namespace enginetest
