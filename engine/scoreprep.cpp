// Position-score preparation: decides the evaluation mode once per think and
// fills the per-kind square tables around the kings' squares at that moment.
#include "Zelkor.h"

#include <algorithm>
#include <cstdlib>

using namespace zelkor;

namespace {

bool IsRyuUma(int k)
{
    return k == 14 || k == 15;
}

bool IsNariKin(int k) // promoted pawn, lance or knight
{
    return k >= 9 && k <= 11;
}

// Kinds whose attack and defence terms do not count: long-range pieces keep
// their own lane terms, the king is scored apart, and a promoted long-range
// piece never loses by being far from a king.
int KindTerm(int k, int a)
{
    if (k == 6 || k == 7 || k == 8 || k == 13 || (IsRyuUma(k) && a < 0))
        return 0;
    return a;
}

} // namespace

void ZelkorCore::PreparePosScore()
{
    m_bBattle = IsBattleStarted();

    int nHisha = m_nCaptByCom[7] + m_nCaptByMan[7];
    for (int u = 3; u <= 4; u++)
        nHisha += (m_komaUni[u].nKind & 7) == 7;
    int nCount = nHisha;
    if (nHisha == 2) {
        nCount = m_nCaptByCom[6] + m_nCaptByMan[6];
        for (int u = 5; u <= 6; u++)
            nCount += (m_komaUni[u].nKind & 7) == 6;
    }
    m_bHiKakRoku = nCount != 2;

    m_bNormConfig = m_komaUni[1].nPos == 0x95 && m_nBoard[0x82] == 6 && m_nBoard[0x88] == 7 &&
                    m_komaUni[2].nPos == 0x15 && m_nBoard[0x22] == 135 && m_nBoard[0x28] == 134 &&
                    m_nBoard[0x17] == 132;

    if (m_nCounter < 2)
        m_nMode = (m_bHiKakRoku && m_nBoard[0x22] != 135) ? 1 : 0;

    PrepareKindScores();
    if (m_nMode == 0)
        PrepareOpeningTouches();

    if (!m_bBattle) {
        for (int k = 1; k <= 15; k++)
            for (int s = 0x11; s <= 0x99; s++)
                m_nManPosScore[k][s] += kIniOnPos[s]; // zero off the board
        return;
    }
    PrepareBattleScores();
}

bool ZelkorCore::IsBattleStarted()
{
    int nDai = 0;
    for (int k = 2; k <= 7; k++)
        nDai += m_nCaptByCom[k] + m_nCaptByMan[k];
    int nInvaders = 0;
    for (int u = 3; u <= 40; u++) {
        const int c = m_komaUni[u].nKind, s = m_komaUni[u].nPos;
        if (c != 0 && (c & 15) > 3 && (c > 128 ? s > 0x70 : s < 0x40))
            nInvaders++;
    }
    bool bQuiet = nDai < 3 && nInvaders == 0;
    if (bQuiet) {
        int nPos = 0;
        const int v = SearchSurfaceByMan(&nPos);
        bQuiet = v <= kWeight2[1] || m_nBoard[nPos] == 0;
    }
    if (bQuiet) {
        int nPos = 0;
        const int v = SearchSurfaceByCom(&nPos);
        bQuiet = v <= kWeight2[1] || m_nBoard[nPos] == 0;
    }
    return !bQuiet && m_nCounter >= 10;
}

// Attack term of kind k with attack percent p. nManRow is the square's row as
// Man counts it (1 = Com's back rank): far from the enemy king a piece loses
// less the closer it stays to its own camp.
int ZelkorCore::AttackTerm(int k, int p, int nManRow) const
{
    double v = p * kWeight1[k] / 100.0;
    if (p < 0) {
        if (k < 6 && nManRow >= 4)
            v *= kAdjuster[std::min(nManRow - 4, 3)];
        else if (IsNariKin(k))
            v *= kAdjuster[4];
    } else if (k == 2 || k == 3) {
        v *= kAdjuster[0];
    } else if (k >= 9 && k <= 12) {
        v *= kAdjuster[5];
    }
    int a = KindTerm(k, static_cast<int>(v));
    if (IsRyuUma(k) && nManRow <= 3)
        a += 6;
    return a;
}

int ZelkorCore::DefenceTerm(int k, int p) const
{
    const double v = p * kWeight1[k] / 100.0 * (p < 0 ? kAdjuster[6] : kAdjuster[7]);
    return KindTerm(k, static_cast<int>(v));
}

void ZelkorCore::PrepareKindScores()
{
    const int kc = m_komaUni[2].nPos, km = m_komaUni[1].nPos;
    const int rc = RowOf(kc), cc = ColOf(kc), rm = RowOf(km), cm = ColOf(km);
    for (int k = 0; k < 16; k++) {
        for (int s = 0x11; s <= 0x99; s++) {
            m_nComPosScore[k][s] = 0;
            m_nManPosScore[k][s] = 0;
        }
    }
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int s = 16 * row + col;
            for (int k = 1; k <= 15; k++) {
                const int knight = k == 3 ? 16 : 0;
                const int pManAtt = kHiAttPcnt[KingRelIndex(rc - row, cc - col) + knight];
                const int pManDef = kKinDefPcnt[KingRelIndex(row - rm, cm - col)];
                m_nManPosScore[k][s] = AttackTerm(k, pManAtt, row) + DefenceTerm(k, pManDef);
                const int pComAtt = kHiAttPcnt[KingRelIndex(row - rm, col - cm) + knight];
                m_nComPosScore[k][s] = AttackTerm(k, pComAtt, 10 - row);
            }
            for (int k = 0; k <= 15; k++)
                if (k != 8 && k != 13)
                    m_nComPosScore[k][s] += kIniOnPos[s];
        }
    }
}

// Hand-tuned opening squares for Com's pawns, silvers, golds, bishop and king.
void ZelkorCore::PrepareOpeningTouches()
{
    int(*const t)[256] = m_nComPosScore;
    const bool bManKaku = m_nCaptByMan[6] != 0;
    if (!bManKaku) {
        t[1][0x34] += 3;
    } else {
        t[1][0x35] += 5;
        t[1][0x45] -= 10;
        t[1][0x44] += 2;
        t[4][0x45] += 2;
    }
    if (m_nCounter < 16 && m_nBoard[0x78] == 1 && m_nBoard[0x83] != 5 && !bManKaku) {
        t[4][0x28] -= 4;
        t[4][0x27] -= 2;
        t[5][0x27] -= 5;
        t[5][0x26] -= 3;
        t[5][0x36] -= 25;
        t[5][0x37] -= 15;
        t[5][0x28] -= 5;
        t[5][0x16] += 5;
        t[4][0x17] += 5;
        t[6][0x26] -= 10;
        t[1][0x42] += 1;
    }
    if (m_nBoard[0x78] == 1 || (m_nBoard[0x68] == 1 && m_nCounter < 10))
        t[1][0x46] += 10;
    if (m_nBoard[0x28] == 134 || m_nBoard[0x37] == 134)
        t[4][0x26] -= 6;
    if (m_nBoard[0x27] == 133 && m_nBoard[0x14] == 133)
        t[5][0x36] -= 100;
    if (m_nBoard[0x28] == 134) {
        t[0][0x17] -= 15;
        if (m_nBoard[0x26] != 0)
            t[6][0x17] -= 15;
    }
    if (m_nBoard[0x37] == 134)
        t[5][0x26] -= 10;
    if (m_nBoard[0x27] == 0)
        t[5][0x26] -= 10;
}

// Bonus for an enemy rook on s, in the king's camp rows, by how open its lane
// to the king's column is. AtCom: the lane to the Com king, for Man's rooks.
template <bool AtCom> int ZelkorCore::RookLaneBonus(int s, int nKing) const
{
    static const int kLane[6] = {270, 240, 200, 120, 40, 10};
    const int rook = AtCom ? 7 : 135, ryu = rook + 8;
    const int hu = AtCom ? 129 : 1, gin = AtCom ? 132 : 4, kin = gin + 1;
    const int behind = AtCom ? 16 : -16;
    int b = 250;
    if (ColOf(s) != ColOf(nKing)) {
        const int n = std::abs(ColOf(nKing) - ColOf(s));
        const int step = ColOf(nKing) > ColOf(s) ? 1 : -1;
        int m = 1, t = s, stop = 0;
        while (m < n) {
            const int c = m_nBoard[t + step];
            if (c != 0 && c != rook && c != ryu) {
                stop = c;
                break;
            }
            t += step;
            m++;
        }
        b = kLane[std::min(n - m, 5)];
        if (stop == gin || stop == kin)
            b += 100;
        else if (stop == hu && m_nBoard[t + step + behind] == kin)
            b -= 100;
    }
    if (RowOf(s) == RowOf(nKing))
        b += 50;
    if (RowOf(s) == (AtCom ? 3 : 7))
        b -= 80;
    return b;
}

void ZelkorCore::PrepareBattleScores()
{
    const int kc = m_komaUni[2].nPos, km = m_komaUni[1].nPos;
    const int rc = RowOf(kc), cc = ColOf(kc), rm = RowOf(km), cm = ColOf(km);
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int s = 16 * row + col;
            for (int k = 1; k <= 3; k++) {
                const int w = kWeight1[k];
                const int far = k >= 2 ? 16 : 0;

                int a = kKinAttPcnt[KingRelIndex(rc - row, cc - col) + far];
                if (k == 1)
                    a = static_cast<int>(a * kRate[0]);
                int i = KingRelIndex(row - rm, col - cm) - (k == 2 && row >= 3 ? 16 : 0);
                int e = static_cast<int>((kKinDefPcnt[i] + 100) * kRate[1]) - 100;
                m_nManPosScore[k][s] = std::max(a, e) * w / 100;

                a = kKinAttPcnt[KingRelIndex(row - rm, col - cm) + far];
                if (k == 1)
                    a = static_cast<int>(a * kRate[0]);
                i = KingRelIndex(rc - row, cc - col) - (k == 2 && row <= 8 ? 16 : 0);
                e = static_cast<int>(kKinDefPcnt[i] * kRate[k + 1]);
                m_nComPosScore[k][s] += std::max(a, e) * w / 100;
            }
        }
    }

    if (rc <= 3) {
        for (int s = 0x11; s <= 0x39; s++) {
            if (ColOf(s) < 1 || ColOf(s) > 9)
                continue;
            const int b = RookLaneBonus<true>(s, kc);
            m_nManPosScore[7][s] += b;
            m_nManPosScore[15][s] += b;
        }
    }
    if (rm >= 7) {
        for (int s = 0x71; s <= 0x99; s++) {
            if (ColOf(s) < 1 || ColOf(s) > 9)
                continue;
            const int b = RookLaneBonus<false>(s, km);
            m_nComPosScore[7][s] += b;
            m_nComPosScore[15][s] += b;
        }
    }

    for (int row = 0; row <= 16; row++) {
        for (int c = 0; c <= 8; c++) {
            const int i = 16 * row + c;
            m_nAddScoreInAttack[i] = kKinAttPcnt[i] * kWeight1[5] / 100;
            m_nAddScoreInDefense[i] = kKinDefPcnt[i] * kWeight1[5] / 100;
        }
    }
}
