#include "candis_fixture.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace candistest {

namespace {

const RefMove *PickMove(const RefPos &p, bool com, Rng &rng, RefMove &out)
{
    std::vector<RefMove> moves = RefPseudoMoves(p, com);
    std::vector<RefMove> captures;
    for (const RefMove &m : moves)
        if (m.src != 255 && m.kind != 0 && (m.kind & 15) != 8)
            captures.push_back(m);
    // Captures are favoured so that hands fill up.
    for (int tries = 0; tries < 40 && !moves.empty(); tries++) {
        const std::vector<RefMove> &from =
            !captures.empty() && rng.Below(2) == 0 ? captures : moves;
        const RefMove &m = from[rng.Below(static_cast<int>(from.size()))];
        if ((m.kind & 15) != 8 && !RefLeavesKingAttacked(p, m, com)) {
            out = m;
            return &out;
        }
    }
    return nullptr;
}

RefPos StartPosition(int handicap)
{
    static const EnginePtr z = enginetest::NewEngine();
    RefPos p = RefEmpty();
    for (int s = 0; s < 256; s++)
        p.board[s] = zelkor::kIniBoard[s];
    // Handicaps taken from either side.
    switch (handicap) {
    case 1:
        p.board[0x22] = 0;
        break;
    case 2:
        p.board[0x88] = 0;
        p.board[0x82] = 0;
        break;
    case 3:
        p.board[0x22] = p.board[0x28] = p.board[0x11] = p.board[0x19] = 0;
        break;
    default:
        break;
    }
    return p;
}

} // namespace

RefPos HandHeavyPosition(Rng &rng)
{
    RefPos p = RefEmpty();
    static const int kCount[8] = {0, 18, 4, 4, 4, 4, 2, 2};
    int comKing = 16 * (1 + rng.Below(3)) + 1 + rng.Below(9);
    int manKing = 16 * (7 + rng.Below(3)) + 1 + rng.Below(9);
    p.board[comKing] = 136;
    p.board[manKing] = 8;
    for (int k = 1; k <= 7; k++) {
        for (int i = 0; i < kCount[k]; i++) {
            bool com = rng.Below(2) == 0;
            if (rng.Below(4) != 0) { // most pieces go to a hand
                (com ? p.captCom : p.captMan)[k]++;
                continue;
            }
            int s = 16 * (1 + rng.Below(9)) + 1 + rng.Below(9);
            int rel = com ? (s >> 4) : 10 - (s >> 4);
            bool dead = ((k == 1 || k == 2) && rel == 9) || (k == 3 && rel >= 8);
            bool pawnOnFile = false;
            for (int r = 1; r <= 9 && k == 1; r++)
                pawnOnFile |= p.board[16 * r + (s & 15)] == (com ? 129 : 1);
            if (p.board[s] != 0 || dead || pawnOnFile) {
                (com ? p.captCom : p.captMan)[k]++;
                continue;
            }
            int code = k + (k != 5 && rng.Below(5) == 0 ? 8 : 0);
            p.board[s] = com ? code + 128 : code;
        }
    }
    return p;
}

std::vector<RefPos> MakePositions(int games, std::uint64_t seed)
{
    Rng rng(seed);
    std::vector<RefPos> out;
    for (int g = 0; g < games; g++) {
        if (g % 5 == 4) {
            out.push_back(HandHeavyPosition(rng));
            continue;
        }
        RefPos p = StartPosition(g % 4);
        bool com = rng.Below(2) == 0;
        int plies = 20 + rng.Below(140);
        for (int ply = 0; ply < plies; ply++) {
            RefMove m;
            if (!PickMove(p, com, rng, m))
                break;
            p = RefApply(p, m);
            com = !com;
            if (ply % 6 == 5)
                out.push_back(p);
        }
    }
    return out;
}

RefPos RefDiagram(const char *diagram)
{
    BOARD b;
    enginetest::ParseBoard(diagram, b);
    RefPos p = RefEmpty();
    for (int i = 0; i < 81; i++)
        p.board[enginetest::Sq(i / 9 + 1, i % 9 + 1)] = b[i / 9][i % 9];
    return p;
}

void ToDocument(const RefPos &p, BOARD b, int com[7], int man[7])
{
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++)
            b[i][j] = static_cast<unsigned char>(p.board[enginetest::Sq(i + 1, j + 1)]);
    for (int k = 1; k <= 7; k++) {
        com[k - 1] = p.captCom[k];
        man[k - 1] = p.captMan[k];
    }
}

void Load(ZelkorCore &z, const RefPos &p)
{
    RefToEngine(p, z);
    z.m_nCounter = 40;
    z.m_nDepth = 0;
    z.m_nMinTagDepth = 4;
    z.m_nRemainDepth = 0;
    z.m_nDisturbDepth = 6;
    z.m_nHubos = 0;
    z.PreparePosScore();
    for (auto &row : z.m_moveTree)
        for (auto &m : row)
            m = {0, 0, 0, 0};
    for (auto &pre : z.m_pPreCandi)
        pre = nullptr;
}

std::set<RefMove> MoveSet(const CANDI_MOVE *p, int n)
{
    std::set<RefMove> s;
    for (int i = 0; i < n; i++)
        s.insert({p[i].nSrcPos, p[i].nDstPos, p[i].nKind, p[i].nNaru});
    return s;
}

std::string CheckCandidates(const RefPos &pos, bool com, const CANDI_MOVE *p, int n)
{
    std::vector<RefMove> ref = RefPseudoMoves(pos, com);
    return CheckCandidates(pos, std::set<RefMove>(ref.begin(), ref.end()), com, p, n);
}

std::string CheckCandidates(const RefPos &pos, const std::set<RefMove> &legal, bool com,
                            const CANDI_MOVE *p, int n)
{
    for (int i = 0; i < n; i++) {
        const CANDI_MOVE &c = p[i];
        RefMove m{c.nSrcPos, c.nDstPos, c.nKind, c.nNaru};
        std::ostringstream os;
        os << "candidate " << i << " (" << std::hex << c.nSrcPos << "->" << c.nDstPos << " kind "
           << c.nKind << " naru " << std::dec << c.nNaru << ", piece "
           << (c.nSrcPos == 255 ? 0 : pos.board[c.nSrcPos]) << ")";
        if (c.nNaru != 0 && c.nNaru != 8)
            return os.str() + ": promotion flag";
        if (c.nSrcPos != 255 && c.nKind != pos.board[c.nDstPos])
            return os.str() + ": kind differs from the destination";
        if (c.nSrcPos == 255 && (com ? !RefIsCom(c.nKind) : !RefIsMan(c.nKind)))
            return os.str() + ": drop of the wrong side";
        if (!legal.count(m))
            return os.str() + ": not a move of this side";
    }
    return "";
}

} // namespace candistest
