// Static evaluation (from Com's side) and the search-free exchange estimates
// the candidate generators rank moves with.
#include "Zelkor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace zelkor;

namespace {

// Neighbour steps of a king, and per neighbour the two values of a hole there
// (no / some silver, gold, bishop or rook in the attacker's hand). The first
// five are the squares in front and beside, seen from the king's owner.
struct KingNeighbour
{
    int step;
    int v0;
    int v1;
};

const KingNeighbour kManKingHoles[8] = {{-16, 100, 200}, {-15, 70, 150}, {-17, 70, 150},
                                        {-1, 40, 100},   {1, 40, 100},   {15, 30, 80},
                                        {16, 30, 80},    {17, 30, 80}};
const KingNeighbour kComKingHoles[8] = {{16, -75, -150}, {15, -50, -100}, {17, -50, -100},
                                        {-1, -40, -70},  {1, -40, -70},   {-15, -35, -60},
                                        {-16, -35, -60}, {-17, -35, -60}};

// Value of an attacked neighbour of a king in battle mode, for the attacker:
// att and def are the attacker's and the defender's counts there.
int KingZoneEmpty(int att, int def, bool bRear, bool bHeld)
{
    if (def < att)
        return bRear ? 175 : 250;
    if (att < def)
        return bRear ? 35 : 50;
    if (bRear)
        return bHeld ? 140 : 90;
    return bHeld ? 200 : 130;
}

} // namespace

// ---------------------------------------------------------------------------
// Evaluation
// ---------------------------------------------------------------------------

int ZelkorCore::Evaluation()
{
    const int score = m_nWeightScore + (m_bBattle ? EvaluateBattle() : EvaluateQuiet());
    return score + RandomTerm(score);
}

// At most m_nRandPortion thousandths of the score, towards its sign.
int ZelkorCore::RandomTerm(int score)
{
    const int r = m_nFixedRandDraw >= 0 ? m_nFixedRandDraw : std::rand() % 32768;
    return static_cast<int>(static_cast<std::int64_t>(score) * r * m_nRandPortion / 32767000);
}

int ZelkorCore::EvaluateQuiet()
{
    int score = 0;
    for (int u = 3; u <= 40; u++) {
        const int c = m_komaUni[u].nKind;
        if (c == 0)
            continue;
        const int s = m_komaUni[u].nPos;
        if (c < 129) {
            score -= m_nManPosScore[c][s];
            if (c == 1)
                score += QuietManPawn(s);
            else if ((c & 7) == 7)
                score += QuietManRook(s);
        } else {
            score += m_nComPosScore[c & 15][s];
            if (c == 129 && s > 0x50)
                score += QuietComPawn(s);
            else if (c == 134)
                score += QuietComBishop(s);
            else if ((c & 135) == 135)
                score += QuietComRook(s);
            else if (c == 133 && m_nBoard[s - 16] == 129)
                score -= 30;
        }
    }
    return score + QuietComKing(m_komaUni[2].nPos) + PawnSpears(250, 150) + KingHoles();
}

// A Man pawn deep in Com's camp, by how well Com holds the square in front.
int ZelkorCore::QuietManPawn(int s) const
{
    const int row = RowOf(s);
    if (row <= 2)
        return 20;
    if (row <= 4) {
        const int f = s - 16;
        int v = row == 3 ? 10 : 0;
        if (m_nPsbComKomas[f] == 0)
            v -= 100;
        else if (m_nBoard[s - 32] == 129 && m_nPsbManKomas[f] == 1)
            v -= 20;
        else if (m_nPsbManKomas[f] < 2)
            v -= 40;
        else
            v -= 80;
        if (m_nPsbManKomas[s] > 0)
            v -= 10;
        return v;
    }
    if (row == 5) {
        if (m_nBoard[s - 32] == 129)
            return -1;
        if (m_nPsbManKomas[s] == 0)
            return -2;
        if (m_nBoard[s - 16] == 0)
            return -15;
    }
    return 0;
}

// The mirror for a Com pawn; the caller passes only rows 5..9.
int ZelkorCore::QuietComPawn(int s) const
{
    const int row = RowOf(s);
    if (row >= 8)
        return -20;
    if (row >= 6) {
        const int f = s + 16;
        int v = row == 7 ? -10 : 0;
        if (m_nPsbManKomas[f] == 0)
            v += 100;
        else if (m_nBoard[s + 32] == 1 && m_nPsbComKomas[f] == 1)
            v += 20;
        else if (m_nPsbComKomas[f] < 2)
            v += 40;
        else
            v += 80;
        if (m_nPsbComKomas[s] > 0)
            v += 10;
        return v;
    }
    if (m_nBoard[s + 32] == 1)
        return 1;
    if (m_nPsbComKomas[s] == 0)
        return 2;
    if (m_nBoard[s + 16] == 0)
        return 15;
    return 0;
}

int ZelkorCore::QuietManRook(int s)
{
    if (!CheckManNihu(s))
        return m_nBoard[s + 16] == 1 ? 20 : 0;
    if (!CheckComNihu(s))
        return m_nBoard[0x40 + ColOf(s)] == 4 ? -120 : -20;
    return -50;
}

int ZelkorCore::QuietComRook(int s)
{
    int v = CheckComNihu(s) ? 35 : 0;
    if (m_nBoard[s - 16] == 129)
        v -= 20;
    return v;
}

// A bishop hemmed in sideways by its own pawns or the board edge.
int ZelkorCore::QuietComBishop(int s) const
{
    const int l = m_nBoard[s - 1], r = m_nBoard[s + 1];
    int v = 0;
    if ((l & r) != 0) {
        if (l == kFrame || r == kFrame)
            v -= 30;
        if (l == 129 || r == 129)
            v -= 15;
    }
    return v;
}

int ZelkorCore::QuietComKing(int nKing)
{
    int v = m_nComPosScore[0][nKing];
    if (CheckComNihu(nKing))
        v -= 15;
    for (int side = -1; side <= 1; side += 2)
        if (m_nBoard[nKing + side] != kFrame && CheckComNihu(nKing + side))
            v -= 11;
    return v;
}

// Enemy pawns two rows in front of a king, straight or one column aside.
int ZelkorCore::PawnSpears(int nFront, int nSide) const
{
    const int kc = m_komaUni[2].nPos, km = m_komaUni[1].nPos;
    int v = 0;
    if (m_nBoard[kc + 32] == 1)
        v -= nFront;
    if (m_nBoard[kc + 33] == 1 && m_nBoard[kc + 1] != 129)
        v -= nSide;
    if (m_nBoard[kc + 31] == 1 && m_nBoard[kc - 1] != 129)
        v -= nSide;
    if (RowOf(km) < 2) // nothing stands two rows in front of a king on row 1
        return v;
    if (m_nBoard[km - 32] == 129)
        v += nFront;
    if (m_nBoard[km - 33] == 129 && m_nBoard[km - 1] != 1)
        v += nSide;
    if (m_nBoard[km - 31] == 129 && m_nBoard[km + 1] != 1)
        v += nSide;
    return v;
}

// Empty squares next to a king that the enemy covers at least as well.
int ZelkorCore::KingHoles() const
{
    const int km = m_komaUni[1].nPos, kc = m_komaUni[2].nPos;
    const bool bComHeld = m_nCaptByCom[4] + m_nCaptByCom[5] + m_nCaptByCom[6] + m_nCaptByCom[7] > 0;
    const bool bManHeld = m_nCaptByMan[4] + m_nCaptByMan[5] + m_nCaptByMan[6] + m_nCaptByMan[7] > 0;
    int v = 0;
    for (const KingNeighbour &h : kManKingHoles) {
        const int n = km + h.step;
        if (m_nBoard[n] == 0 && m_nPsbComKomas[n] >= m_nPsbManKomas[n])
            v += bComHeld ? h.v1 : h.v0;
    }
    for (const KingNeighbour &h : kComKingHoles) {
        const int n = kc + h.step;
        if (m_nBoard[n] == 0 && m_nPsbManKomas[n] >= m_nPsbComKomas[n])
            v += bManHeld ? h.v1 : h.v0;
    }
    return v;
}

int ZelkorCore::EvaluateBattle()
{
    const int kc = m_komaUni[2].nPos, km = m_komaUni[1].nPos;
    const int rc = RowOf(kc), cc = ColOf(kc), rm = RowOf(km), cm = ColOf(km);
    int score = 0;
    for (int u = 3; u <= 40; u++) {
        const int c = m_komaUni[u].nKind;
        if (c == 0)
            continue;
        const int s = m_komaUni[u].nPos, row = RowOf(s), col = ColOf(s);
        if (c < 129) {
            if (c < 4) {
                score -= m_nManPosScore[c][s];
                continue;
            }
            if ((c & 7) > 3)
                score -= m_nManPosScore[c & 7][s];
            if (c != 6 && c != 7) {
                const int x = std::max(m_nAddScoreInAttack[KingRelIndex(rc - row, cc - col)],
                                       m_nAddScoreInDefense[KingRelIndex(row - rm, col - cm)]);
                if (x >= 0 || c < 14)
                    score -= x;
            }
        } else {
            const int k = c & 15;
            if (k < 4) {
                score += m_nComPosScore[k][s];
                continue;
            }
            if ((k & 7) > 3)
                score += m_nComPosScore[k & 7][s];
            if (k != 6 && k != 7) {
                const int x = std::max(m_nAddScoreInAttack[KingRelIndex(row - rm, col - cm)],
                                       m_nAddScoreInDefense[KingRelIndex(rc - row, cc - col)]);
                if (x >= 0 || c < 142)
                    score += x;
            }
        }
    }
    score += m_nComPosScore[0][kc] + kAddOnOut[kc] - kAddOnOut[170 - km];
    score += PawnSpears(300, 200);
    return score + BattleComCastle() + BattleKingZones() + BattleComGuards();
}

// A Com king in its camp: the classic castle shape, or no way out sideways.
int ZelkorCore::BattleComCastle() const
{
    const int kc = m_komaUni[2].nPos, col = ColOf(kc);
    if (RowOf(kc) > 3)
        return 0;
    if (col == 8)
        return (m_nBoard[0x27] == 133 ? 150 : 0) + (m_nBoard[0x37] == 132 ? 100 : 0);
    if (col != 3 && col != 4 && col != 6 && col != 7)
        return 0;
    const int outer = col < 5 ? col - 1 : col + 1;
    for (int row = 1; row <= 3; row++) {
        const int s = 16 * row + outer;
        if (m_nBoard[s] < 129 && m_nPsbManKomas[s] == 0)
            return 0;
    }
    return -200;
}

// Attacked squares next to each king: empty ones by who is stronger there,
// the defender's own pieces by their exchange value.
int ZelkorCore::BattleKingZones() const
{
    const int km = m_komaUni[1].nPos, kc = m_komaUni[2].nPos;
    const bool bComHeld = m_nCaptByCom[4] + m_nCaptByCom[5] + m_nCaptByCom[6] + m_nCaptByCom[7] > 0;
    const bool bManHeld = m_nCaptByMan[4] + m_nCaptByMan[5] + m_nCaptByMan[6] + m_nCaptByMan[7] > 0;
    int v = 0;
    for (int i = 0; i < 8; i++) {
        const int n = km + kManKingHoles[i].step, c = m_nBoard[n];
        const int pc = m_nPsbComKomas[n], pm = m_nPsbManKomas[n];
        if (c >= 128 || pc == 0)
            continue;
        if (c == 0)
            v += KingZoneEmpty(pc, pm, i >= 5, bComHeld);
        else
            v += pc < pm ? kWeight2[c] / 8 : kWeight2[c] / 4;
    }
    for (int i = 0; i < 8; i++) {
        const int n = kc + kComKingHoles[i].step, c = m_nBoard[n];
        const int pc = m_nPsbComKomas[n], pm = m_nPsbManKomas[n];
        if (c == kFrame || pm == 0)
            continue;
        if (c == 0)
            v -= KingZoneEmpty(pm, pc, i >= 5, bManHeld);
        else if (c > 128)
            v -= pm < pc ? kWeight2[c & 15] / 8 : kWeight2[c & 15] / 4;
    }
    return v;
}

// A Com piece two squares beside its king, behind an empty square, pinned
// there by a Man rook or king that attacks it first.
int ZelkorCore::BattleComGuards() const
{
    const int kc = m_komaUni[2].nPos;
    int v = 0;
    for (int side = -1; side <= 1; side += 2) {
        if (m_nBoard[kc + side] != 0)
            continue;
        const int g = kc + 2 * side, c = m_nBoard[g];
        const int pc = m_nPsbComKomas[g], pm = m_nPsbManKomas[g];
        if (pm == 0 || c <= 128 || c == kFrame || m_nPsbManKoma[g][0] >= 5)
            continue;
        const int w = kWeight2[c & 15];
        v -= pc < pm ? w / 4 : (pc == pm ? w / 8 : w / 16);
    }
    return v;
}

// ---------------------------------------------------------------------------
// Exchange and profit estimates
// ---------------------------------------------------------------------------

int ZelkorCore::GetMinWeightComKoma(int nPos) const
{
    int best = 0, bestWeight = 0;
    for (int i = 0; i < m_nPsbComKomas[nPos]; i++) {
        const int u = m_nPsbComKoma[nPos][i];
        if (u > 128)
            continue;
        const int w = kWeight1[m_komaUni[u].nKind & 15];
        if (best == 0 || w < bestWeight) {
            best = u;
            bestWeight = w;
        }
    }
    return best;
}

int ZelkorCore::GetMinWeightManKoma(int nPos) const
{
    int best = 0, bestWeight = 0;
    for (int i = 0; i < m_nPsbManKomas[nPos]; i++) {
        const int u = m_nPsbManKoma[nPos][i];
        if (u > 128)
            continue;
        const int w = kWeight1[m_komaUni[u].nKind & 15];
        if (best == 0 || w < bestWeight) {
            best = u;
            bestWeight = w;
        }
    }
    return best;
}

// A recapture gains only when there is a recapturer.
static int RecaptureGain(int nTakerWeight, int nRecapturer, int nRecapturerWeight)
{
    return nRecapturer == 0 ? 0 : std::max(0, nTakerWeight - nRecapturerWeight);
}

int ZelkorCore::ProfitOnComUtsu(int code, int nPos) const
{
    const int pc = m_nPsbComKomas[nPos], pm = m_nPsbManKomas[nPos];
    const int w = kWeight2[code & 15];
    if (pc < pm) {
        const int d = GetMinWeightComKoma(nPos);
        return -w + RecaptureGain(UniWeight2(GetMinWeightManKoma(nPos)), d, UniWeight2(d));
    }
    const int a = pm == 1 ? m_nPsbManKoma[nPos][0] & ~kXray : GetMinWeightManKoma(nPos);
    return std::min(0, UniWeight2(a) - w);
}

int ZelkorCore::ProfitOnManUtsu(int code, int nPos) const
{
    const int pc = m_nPsbComKomas[nPos], pm = m_nPsbManKomas[nPos];
    const int w = kWeight2[code & 15];
    if (pm < pc) {
        const int d = GetMinWeightManKoma(nPos);
        return -w + RecaptureGain(UniWeight2(GetMinWeightComKoma(nPos)), d, UniWeight2(d));
    }
    const int a = pc == 1 ? m_nPsbComKoma[nPos][0] & ~kXray : GetMinWeightComKoma(nPos);
    return std::min(0, UniWeight2(a) - w);
}

int ZelkorCore::ProfitOnComMove(int nSrc, int nDst) const
{
    const int pc = m_nPsbComKomas[nDst], pm = m_nPsbManKomas[nDst];
    const int g = kWeight2[m_nBoard[nDst] & 15], w = kWeight2[m_nBoard[nSrc] & 15];
    if (pm < pc) {
        const int a = pm == 1 ? m_nPsbManKoma[nDst][0] & ~kXray : GetMinWeightManKoma(nDst);
        return g + std::min(0, UniWeight2(a) - w);
    }
    const int mover = m_nUniBoard[nSrc];
    int d = GetMinWeightComKoma(nDst);
    if (d == mover)
        d = m_nPsbComKoma[nDst][0] & ~kXray;
    if (d == mover)
        d = m_nPsbComKoma[nDst][1] & ~kXray;
    return g - w + RecaptureGain(UniWeight2(GetMinWeightManKoma(nDst)), d, UniWeight2(d));
}

int ZelkorCore::ProfitOnManMove(int nSrc, int nDst) const
{
    const int pc = m_nPsbComKomas[nDst], pm = m_nPsbManKomas[nDst];
    const int g = kWeight2[m_nBoard[nDst] & 15], w = kWeight2[m_nBoard[nSrc] & 15];
    if (pc < pm) {
        const int a = pc == 1 ? m_nPsbComKoma[nDst][0] & ~kXray : GetMinWeightComKoma(nDst);
        return g + std::min(0, UniWeight2(a) - w);
    }
    const int mover = m_nUniBoard[nSrc];
    int d = GetMinWeightManKoma(nDst);
    if (d == mover)
        d = m_nPsbManKoma[nDst][0] & ~kXray;
    if (d == mover)
        d = m_nPsbManKoma[nDst][1] & ~kXray;
    return g - w + RecaptureGain(UniWeight2(GetMinWeightComKoma(nDst)), d, UniWeight2(d));
}

namespace {
const int kOuSteps[8] = {1, 17, 16, 15, -1, -17, -16, -15};
}

// Unlike the Man twin, an unattacked square holding an enemy piece is free.
int ZelkorCore::ProfitOnComOuMove(int nPos) const
{
    int v = 0;
    for (int step : kOuSteps) {
        const int n = nPos + step, c = m_nBoard[n];
        if (c == kFrame)
            continue;
        const int pc = m_nPsbComKomas[n], pm = m_nPsbManKomas[n];
        if (pm == 0) {
            if (c < 129)
                v += 100;
        } else if ((c == 0 && pc <= pm) || pc < pm) {
            v -= 200;
        }
    }
    return v;
}

int ZelkorCore::ProfitOnManOuMove(int nPos) const
{
    int v = 0;
    for (int step : kOuSteps) {
        const int n = nPos + step, c = m_nBoard[n];
        if (c == kFrame)
            continue;
        const int pc = m_nPsbComKomas[n], pm = m_nPsbManKomas[n];
        if (pc == 0) {
            if (c == 0)
                v += 100;
        } else if ((c == 0 && pm <= pc) || pm < pc) {
            v -= 200;
        }
    }
    return v;
}
