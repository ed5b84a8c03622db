// Attack lists, move making and unmaking, the result table and legality helpers.
#include "Zelkor.h"

#include "ZelkorUtil.h"

#include <cassert>

using namespace zelkor;

namespace {

// Step patterns, in the order their entries are appended.
const int kManHu[] = {-16};
const int kComHu[] = {16};
const int kManKeima[] = {-33, -31};
const int kComKeima[] = {31, 33};
const int kManGin[] = {15, 17, -15, -16, -17};
const int kComGin[] = {-17, -15, 17, 16, 15};
const int kManKin[] = {-1, 1, 16, -15, -16, -17};
const int kComKin[] = {-1, 1, -16, 17, 16, 15};
const int kUma[] = {-1, 1, 16, -16};
const int kRyu[] = {17, 15, -17, -15};

// Ray steps by direction: 0 UpLeft, 1 UpRight, 2 DownLeft, 3 DownRight,
// 4 Up, 5 Down, 6 Left, 7 Right (from the owner's view).
constexpr int kManDir[8] = {-17, -15, 15, 17, -16, 16, -1, 1};
constexpr int kComDir[8] = {17, 15, -15, -17, 16, -16, 1, -1};

// Codes & 15 of the long-range pieces: lance, bishop, rook, horse, dragon.
constexpr int kLongRange = 1 << 2 | 1 << 6 | 1 << 7 | 1 << 14 | 1 << 15;

// Direction (as above, Man's view) of the ray from p that reaches p + delta,
// indexed by delta + 170; -1 off the eight lines.
struct RayDirTable
{
    signed char dir[341];
    constexpr RayDirTable() : dir()
    {
        for (int i = 0; i < 341; i++)
            dir[i] = -1;
        for (int d = 0; d < 8; d++)
            for (int n = 1; n <= 8; n++)
                dir[kManDir[d] * n + 170] = static_cast<signed char>(d);
    }
};
constexpr RayDirTable kRayDir;

template <typename T, int N> constexpr int Count(const T (&)[N])
{
    return N;
}

// Removes the exact entry u; false if the list does not hold it.
inline bool RemoveEntry(int *list, int &count, int u)
{
    int n = count;
    for (int i = 0; i < n; i++) {
        if (list[i] == u) {
            list[i] = list[n - 1];
            list[n - 1] = 0;
            count = n - 1;
            return true;
        }
    }
    return false;
}

// Removes the plain or x-ray entry of piece u; false if there is none.
inline bool RemoveRayEntry(int *list, int &count, int u)
{
    int n = count;
    for (int i = 0; i < n; i++) {
        if ((list[i] & ~kXray) == u) {
            list[i] = list[n - 1];
            list[n - 1] = 0;
            count = n - 1;
            return true;
        }
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------
// Attack list mechanics
// ---------------------------------------------------------------------------

template <bool Com> void ZelkorCore::AddSteps(int nPos, const int *steps, int n)
{
    int(*lists)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    int *counts = Com ? m_nPsbComKomas : m_nPsbManKomas;
    int u = m_nUniBoard[nPos];
    for (int i = 0; i < n; i++) {
        int t = nPos + steps[i];
        assert(counts[t] < 32);
        lists[t][counts[t]++] = u;
    }
}

template <bool Com> void ZelkorCore::DelSteps(int nPos, const int *steps, int n)
{
    int(*lists)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    int *counts = Com ? m_nPsbComKomas : m_nPsbManKomas;
    int u = m_nUniBoard[nPos];
    for (int i = 0; i < n; i++) {
        int t = nPos + steps[i];
        if (!RemoveEntry(lists[t], counts[t], u)) {
            assert(!"attack list misses a step entry");
            ErrorMessage();
        }
    }
}

// Friendly pieces that also move along the ray let it continue as x-ray
// entries (capacity 1: one more square, 2: on); the enemy king does not stop it.
template <bool Com> void ZelkorCore::AddRay(int nPos, int step, const int *capacity)
{
    int(*lists)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    int *counts = Com ? m_nPsbComKomas : m_nPsbManKomas;
    const int enemyKing = Com ? 8 : 136;
    int u = m_nUniBoard[nPos];
    int v = u;
    bool last = false;
    for (int t = nPos + step;; t += step) {
        int k = m_nBoard[t];
        if (k == kFrame)
            break;
        assert(counts[t] < 32);
        lists[t][counts[t]++] = v;
        if (last)
            break;
        if (k == 0)
            continue;
        if (Com ? k > 127 : k < 128) {
            v = u + kXray;
            int c = capacity[k & 15];
            if (c == 0)
                break;
            last = c == 1;
        } else if (k != enemyKing) {
            break;
        }
    }
}

template <bool Com> void ZelkorCore::DelRay(int nPos, int step)
{
    int(*lists)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    int *counts = Com ? m_nPsbComKomas : m_nPsbManKomas;
    int u = m_nUniBoard[nPos];
    for (int t = nPos + step; m_nBoard[t] != kFrame; t += step)
        if (!RemoveRayEntry(lists[t], counts[t], u))
            break;
}

// ---------------------------------------------------------------------------
// Movement patterns
// ---------------------------------------------------------------------------

void ZelkorCore::GetPsbkomasManHuStepOneUp(int nPos)
{
    AddSteps<false>(nPos, kManHu, Count(kManHu));
}

void ZelkorCore::GetPsbkomasComHuStepOneup(int nPos)
{
    AddSteps<true>(nPos, kComHu, Count(kComHu));
}

void ZelkorCore::DelPsbkomasManHuStepUp(int nPos)
{
    DelSteps<false>(nPos, kManHu, Count(kManHu));
}

void ZelkorCore::DelPsbkomasComHuStepOneup(int nPos)
{
    DelSteps<true>(nPos, kComHu, Count(kComHu));
}

// A knight on the last row (only on a board set up against the rules) would
// reach before the mailbox; it reaches nothing.
void ZelkorCore::GetPsbkomasManKeimaStepUp(int nPos)
{
    if (nPos >= 0x20)
        AddSteps<false>(nPos, kManKeima, Count(kManKeima));
}

void ZelkorCore::GetPsbkomasComKeimaStepUp(int nPos)
{
    AddSteps<true>(nPos, kComKeima, Count(kComKeima));
}

void ZelkorCore::DelPsbkomasManKeimaStepUp(int nPos)
{
    if (nPos >= 0x20)
        DelSteps<false>(nPos, kManKeima, Count(kManKeima));
}

void ZelkorCore::DelPsbkomasComKeimaStepUp(int nPos)
{
    DelSteps<true>(nPos, kComKeima, Count(kComKeima));
}

void ZelkorCore::GetPsbkomasManGinStepUp(int nPos)
{
    AddSteps<false>(nPos, kManGin, Count(kManGin));
}

void ZelkorCore::GetPsbkomasComGinStepUp(int nPos)
{
    AddSteps<true>(nPos, kComGin, Count(kComGin));
}

void ZelkorCore::DelPsbkomasManGinStepUp(int nPos)
{
    DelSteps<false>(nPos, kManGin, Count(kManGin));
}

void ZelkorCore::DelPsbkomasComGinStepUp(int nPos)
{
    DelSteps<true>(nPos, kComGin, Count(kComGin));
}

void ZelkorCore::GetPsbkomasManKinStepUp(int nPos)
{
    AddSteps<false>(nPos, kManKin, Count(kManKin));
}

void ZelkorCore::GetPsbkomasComKinStepUp(int nPos)
{
    AddSteps<true>(nPos, kComKin, Count(kComKin));
}

void ZelkorCore::DelPsbkomasManKinStepUp(int nPos)
{
    DelSteps<false>(nPos, kManKin, Count(kManKin));
}

void ZelkorCore::DelPsbkomasComKinStepUp(int nPos)
{
    DelSteps<true>(nPos, kComKin, Count(kComKin));
}

void ZelkorCore::GetPsbkomasManGyokuStepUp(int nPos)
{
    AddSteps<false>(nPos, kKingSteps, Count(kKingSteps));
}

void ZelkorCore::GetPsbkomasComGyokuStepUp(int nPos)
{
    AddSteps<true>(nPos, kKingSteps, Count(kKingSteps));
}

void ZelkorCore::DelPsbkomasManGyokuStepUp(int nPos)
{
    DelSteps<false>(nPos, kKingSteps, Count(kKingSteps));
}

void ZelkorCore::DelPsbkomasComGyokuStepUp(int nPos)
{
    DelSteps<true>(nPos, kKingSteps, Count(kKingSteps));
}

void ZelkorCore::GetPsbkomasManUmaStepOneAll(int nPos)
{
    AddSteps<false>(nPos, kUma, Count(kUma));
}

void ZelkorCore::GetPsbkomasComUmaStepOneAll(int nPos)
{
    AddSteps<true>(nPos, kUma, Count(kUma));
}

void ZelkorCore::DelPsbkomasManUmaStepOneAll(int nPos)
{
    DelSteps<false>(nPos, kUma, Count(kUma));
}

void ZelkorCore::DelPsbkomasComUmaStepOneAll(int nPos)
{
    DelSteps<true>(nPos, kUma, Count(kUma));
}

void ZelkorCore::GetPsbkomasManRyuStepOneNaname(int nPos)
{
    AddSteps<false>(nPos, kRyu, Count(kRyu));
}

void ZelkorCore::GetPsbkomasComRyuStepOneNaname(int nPos)
{
    AddSteps<true>(nPos, kRyu, Count(kRyu));
}

void ZelkorCore::DelPsbkomasManRyuStepOneNaname(int nPos)
{
    DelSteps<false>(nPos, kRyu, Count(kRyu));
}

void ZelkorCore::DelPsbkomasComRyuStepOneNaname(int nPos)
{
    DelSteps<true>(nPos, kRyu, Count(kRyu));
}

void ZelkorCore::GetPsbkomasManHishaStepManyUp(int nPos)
{
    AddRay<false>(nPos, -16, kForward);
}

void ZelkorCore::GetPsbkomasComHishaStepManyup(int nPos)
{
    AddRay<true>(nPos, 16, kForward);
}

void ZelkorCore::DelPsbkomasManHishaStepManyUp(int nPos)
{
    DelRay<false>(nPos, -16);
}

void ZelkorCore::DelPsbkomasComHishaStepManyUp(int nPos)
{
    DelRay<true>(nPos, 16);
}

void ZelkorCore::GetPsbkomasManHishaStepManyDown(int nPos)
{
    AddRay<false>(nPos, 16, kHorzBack);
}

void ZelkorCore::GetPsbkomasComHishaStepManyDown(int nPos)
{
    AddRay<true>(nPos, -16, kHorzBack);
}

void ZelkorCore::DelPsbkomasManHishaStepManyDown(int nPos)
{
    DelRay<false>(nPos, 16);
}

void ZelkorCore::DelPsbkomasComHishaStepManyDown(int nPos)
{
    DelRay<true>(nPos, -16);
}

void ZelkorCore::GetPsbkomasManHishaStepManyRight(int nPos)
{
    AddRay<false>(nPos, 1, kHorzBack);
}

void ZelkorCore::GetPsbkomasComHishaStepManyRight(int nPos)
{
    AddRay<true>(nPos, -1, kHorzBack);
}

void ZelkorCore::DelPsbkomasManHishaStepManyRight(int nPos)
{
    DelRay<false>(nPos, 1);
}

void ZelkorCore::DelPsbkomasComHishaStepManyRight(int nPos)
{
    DelRay<true>(nPos, -1);
}

void ZelkorCore::GetPsbkomasManHishaStepManyLeft(int nPos)
{
    AddRay<false>(nPos, -1, kHorzBack);
}

void ZelkorCore::GetPsbkomasComHishaStepManyLeft(int nPos)
{
    AddRay<true>(nPos, 1, kHorzBack);
}

void ZelkorCore::DelPsbkomasManHishaStepManyLeft(int nPos)
{
    DelRay<false>(nPos, -1);
}

void ZelkorCore::DelPsbkomasComHishaStepManyLeft(int nPos)
{
    DelRay<true>(nPos, 1);
}

void ZelkorCore::GetPsbkomasManKakuStepNanameUpRight(int nPos)
{
    AddRay<false>(nPos, -15, kForwDiag);
}

void ZelkorCore::GetPsbkomasComKakuStepNanameUpRight(int nPos)
{
    AddRay<true>(nPos, 15, kForwDiag);
}

void ZelkorCore::DelPsbkomasManKakuStepNanameUpRight(int nPos)
{
    DelRay<false>(nPos, -15);
}

void ZelkorCore::DelPsbkomasComKakuStepNanameUpRight(int nPos)
{
    DelRay<true>(nPos, 15);
}

void ZelkorCore::GetPsbkomasManKakuStepNanameUpLeft(int nPos)
{
    AddRay<false>(nPos, -17, kForwDiag);
}

void ZelkorCore::GetPsbkomasComKakuStepNanameUpLeft(int nPos)
{
    AddRay<true>(nPos, 17, kForwDiag);
}

void ZelkorCore::DelPsbkomasManKakuStepNanameUpLeft(int nPos)
{
    DelRay<false>(nPos, -17);
}

void ZelkorCore::DelPsbkomasComKakuStepNanameUpLeft(int nPos)
{
    DelRay<true>(nPos, 17);
}

void ZelkorCore::GetPsbkomasManKakuStepNanameDownRight(int nPos)
{
    AddRay<false>(nPos, 17, kBackDiag);
}

void ZelkorCore::GetPsbkomasComKakuStepNanameDownRight(int nPos)
{
    AddRay<true>(nPos, -17, kBackDiag);
}

void ZelkorCore::DelPsbkomasManKakuStepNanameDownRight(int nPos)
{
    DelRay<false>(nPos, 17);
}

void ZelkorCore::DelPsbkomasComKakuStepNanameDownRight(int nPos)
{
    DelRay<true>(nPos, -17);
}

void ZelkorCore::GetPsbkomasManKakuStepNanameDownLeft(int nPos)
{
    AddRay<false>(nPos, 15, kBackDiag);
}

void ZelkorCore::GetPsbkomasComKakuStepNanameDownLeft(int nPos)
{
    AddRay<true>(nPos, -15, kBackDiag);
}

void ZelkorCore::DelPsbkomasManKakuStepNanameDownLeft(int nPos)
{
    DelRay<false>(nPos, 15);
}

void ZelkorCore::DelPsbkomasComKakuStepNanameDownLeft(int nPos)
{
    DelRay<true>(nPos, -15);
}

// ---------------------------------------------------------------------------
// Whole-piece contributions
// ---------------------------------------------------------------------------

void ZelkorCore::GetPossibleKomas(int nPos)
{
    switch (m_nBoard[nPos]) {
    case 1:
        GetPsbkomasManHuStepOneUp(nPos);
        break;
    case 2:
        GetPsbkomasManHishaStepManyUp(nPos);
        break;
    case 3:
        GetPsbkomasManKeimaStepUp(nPos);
        break;
    case 4:
        GetPsbkomasManGinStepUp(nPos);
        break;
    case 5:
    case 9:
    case 10:
    case 11:
    case 12:
        GetPsbkomasManKinStepUp(nPos);
        break;
    case 6:
    case 14:
        GetPsbkomasManKakuStepNanameUpRight(nPos);
        GetPsbkomasManKakuStepNanameUpLeft(nPos);
        GetPsbkomasManKakuStepNanameDownRight(nPos);
        GetPsbkomasManKakuStepNanameDownLeft(nPos);
        if (m_nBoard[nPos] == 14)
            GetPsbkomasManUmaStepOneAll(nPos);
        break;
    case 7:
    case 15:
        GetPsbkomasManHishaStepManyUp(nPos);
        GetPsbkomasManHishaStepManyRight(nPos);
        GetPsbkomasManHishaStepManyLeft(nPos);
        GetPsbkomasManHishaStepManyDown(nPos);
        if (m_nBoard[nPos] == 15)
            GetPsbkomasManRyuStepOneNaname(nPos);
        break;
    case 8:
        GetPsbkomasManGyokuStepUp(nPos);
        break;
    case 129:
        GetPsbkomasComHuStepOneup(nPos);
        break;
    case 130:
        GetPsbkomasComHishaStepManyup(nPos);
        break;
    case 131:
        GetPsbkomasComKeimaStepUp(nPos);
        break;
    case 132:
        GetPsbkomasComGinStepUp(nPos);
        break;
    case 133:
    case 137:
    case 138:
    case 139:
    case 140:
        GetPsbkomasComKinStepUp(nPos);
        break;
    case 134:
    case 142:
        GetPsbkomasComKakuStepNanameUpRight(nPos);
        GetPsbkomasComKakuStepNanameUpLeft(nPos);
        GetPsbkomasComKakuStepNanameDownRight(nPos);
        GetPsbkomasComKakuStepNanameDownLeft(nPos);
        if (m_nBoard[nPos] == 142)
            GetPsbkomasComUmaStepOneAll(nPos);
        break;
    case 135:
    case 143:
        GetPsbkomasComHishaStepManyup(nPos);
        GetPsbkomasComHishaStepManyRight(nPos);
        GetPsbkomasComHishaStepManyLeft(nPos);
        GetPsbkomasComHishaStepManyDown(nPos);
        if (m_nBoard[nPos] == 143)
            GetPsbkomasComRyuStepOneNaname(nPos);
        break;
    case 136:
        GetPsbkomasComGyokuStepUp(nPos);
        break;
    default:
        break;
    }
}

void ZelkorCore::DelPossibleKomas(int nPos)
{
    switch (m_nBoard[nPos]) {
    case 0:
        assert(!"removing the contribution of an empty square");
        ErrorMessage();
        break;
    case 1:
        DelPsbkomasManHuStepUp(nPos);
        break;
    case 2:
        DelPsbkomasManHishaStepManyUp(nPos);
        break;
    case 3:
        DelPsbkomasManKeimaStepUp(nPos);
        break;
    case 4:
        DelPsbkomasManGinStepUp(nPos);
        break;
    case 5:
    case 9:
    case 10:
    case 11:
    case 12:
        DelPsbkomasManKinStepUp(nPos);
        break;
    case 6:
    case 14:
        DelPsbkomasManKakuStepNanameUpRight(nPos);
        DelPsbkomasManKakuStepNanameUpLeft(nPos);
        DelPsbkomasManKakuStepNanameDownRight(nPos);
        DelPsbkomasManKakuStepNanameDownLeft(nPos);
        if (m_nBoard[nPos] == 14)
            DelPsbkomasManUmaStepOneAll(nPos);
        break;
    case 7:
    case 15:
        DelPsbkomasManHishaStepManyUp(nPos);
        DelPsbkomasManHishaStepManyRight(nPos);
        DelPsbkomasManHishaStepManyLeft(nPos);
        DelPsbkomasManHishaStepManyDown(nPos);
        if (m_nBoard[nPos] == 15)
            DelPsbkomasManRyuStepOneNaname(nPos);
        break;
    case 8:
        DelPsbkomasManGyokuStepUp(nPos);
        break;
    case 129:
        DelPsbkomasComHuStepOneup(nPos);
        break;
    case 130:
        DelPsbkomasComHishaStepManyUp(nPos);
        break;
    case 131:
        DelPsbkomasComKeimaStepUp(nPos);
        break;
    case 132:
        DelPsbkomasComGinStepUp(nPos);
        break;
    case 133:
    case 137:
    case 138:
    case 139:
    case 140:
        DelPsbkomasComKinStepUp(nPos);
        break;
    case 134:
    case 142:
        DelPsbkomasComKakuStepNanameUpRight(nPos);
        DelPsbkomasComKakuStepNanameUpLeft(nPos);
        DelPsbkomasComKakuStepNanameDownRight(nPos);
        DelPsbkomasComKakuStepNanameDownLeft(nPos);
        if (m_nBoard[nPos] == 142)
            DelPsbkomasComUmaStepOneAll(nPos);
        break;
    case 135:
    case 143:
        DelPsbkomasComHishaStepManyUp(nPos);
        DelPsbkomasComHishaStepManyRight(nPos);
        DelPsbkomasComHishaStepManyLeft(nPos);
        DelPsbkomasComHishaStepManyDown(nPos);
        if (m_nBoard[nPos] == 143)
            DelPsbkomasComRyuStepOneNaname(nPos);
        break;
    case 136:
        DelPsbkomasComGyokuStepUp(nPos);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Rays through a changing square
// ---------------------------------------------------------------------------

// Collects into m_nTemp, and removes, every long-range ray of the side that
// runs through q. Walking the list from its end keeps it valid while the
// removals swap entries down.
template <bool Com> void ZelkorCore::CollectSideRays(int q, int &n)
{
    int(*lists)[32] = Com ? m_nPsbComKoma : m_nPsbManKoma;
    int *counts = Com ? m_nPsbComKomas : m_nPsbManKomas;
    for (int i = counts[q] - 1; i >= 0; i--) {
        int u = lists[q][i] & ~kXray;
        int k = m_komaUni[u].nKind & 15;
        if (!((kLongRange >> k) & 1))
            continue;
        int p = m_komaUni[u].nPos;
        int dir = kRayDir.dir[Com ? p - q + 170 : q - p + 170];
        // The horse's orthogonal and the dragon's diagonal neighbours are
        // one-step entries, not rays.
        if ((k == 14 && dir >= 4) || (k == 15 && dir < 4))
            continue;
        if (k == 2)
            dir = 4;
        // At most 8 long-range pieces, each collected at most once per square.
        assert(n + 2 <= 32);
        m_nTemp[n++] = p;
        m_nTemp[n++] = dir;
        DelRay<Com>(p, Com ? kComDir[dir] : kManDir[dir]);
    }
}

void ZelkorCore::CollectRays(int q, int &n)
{
    CollectSideRays<false>(q, n);
    CollectSideRays<true>(q, n);
}

void ZelkorCore::ReAddRays(int n)
{
    for (int i = n - 2; i >= 0; i -= 2) {
        int p = m_nTemp[i];
        int dir = m_nTemp[i + 1];
        const int *cap = dir < 2    ? kForwDiag
                         : dir < 4  ? kBackDiag
                         : dir == 4 ? kForward
                                    : kHorzBack;
        if (m_nBoard[p] < 128)
            AddRay<false>(p, kManDir[dir], cap);
        else
            AddRay<true>(p, kComDir[dir], cap);
    }
}

// ---------------------------------------------------------------------------
// Making and unmaking moves
// ---------------------------------------------------------------------------

void ZelkorCore::MoveKomaOnBoard(int nDstPos, int nSrcPos, int nNaru)
{
    DelPossibleKomas(nSrcPos);
    int cap = m_nUniBoard[nDstPos];
    int cc = m_nBoard[nDstPos];
    if (cap != 0)
        DelPossibleKomas(nDstPos);
    int n = 0;
    CollectRays(nSrcPos, n);
    CollectRays(nDstPos, n);

    int u = m_nUniBoard[nSrcPos];
    int pc = m_nBoard[nSrcPos];
    m_nUniBoard[nSrcPos] = 0;
    m_komaUni[u].nKind = pc + nNaru;
    m_komaUni[u].nPos = nDstPos;
    m_nUniBoard[nDstPos] = u;
    m_nBoard[nDstPos] = pc + nNaru;
    m_nBoard[nSrcPos] = 0;
    if (nNaru != 0)
        m_nWeightScore += pc < 128 ? -kAddWeightOnNaru[pc] : kAddWeightOnNaru[pc & 15];

    const std::uint32_t *from = m_nUniCode[KeyIndex(pc)][nSrcPos];
    const std::uint32_t *to = m_nUniCode[KeyIndex(pc + nNaru)][nDstPos];
    m_dwBoard1 = ~m_dwBoard1 ^ from[0] ^ to[0];
    m_dwBoard2 = ~m_dwBoard2 ^ from[1] ^ to[1];

    if (cap != 0) {
        int k = cc & 7;
        const std::uint32_t *key = m_nUniCode[KeyIndex(cc)][nDstPos];
        if (cc < 129) {
            int held = m_nCaptByCom[k]++;
            m_nWeightScore += m_nProfitOnCapt[held][cc];
            m_dwDai += kDaiCode[k];
        } else {
            int held = m_nCaptByMan[k]++;
            m_nWeightScore -= m_nProfitOnCapt[held][cc & 15];
        }
        m_dwBoard1 ^= key[0];
        m_dwBoard2 ^= key[1];
        m_nUniNum[k][m_nCurrUniNumPos[k]++] = cap;
        m_komaUni[cap].nKind = 0;
    }

    GetPossibleKomas(nDstPos);
    ReAddRays(n);
}

void ZelkorCore::MoveKomaOnCapt(int nDstPos, int nKind)
{
    int n = 0;
    CollectRays(nDstPos, n);
    int k = nKind & 7;
    int u = m_nUniNum[k][--m_nCurrUniNumPos[k]];
    m_nUniBoard[nDstPos] = u;
    m_nBoard[nDstPos] = nKind;
    m_komaUni[u].nKind = nKind;
    m_komaUni[u].nPos = nDstPos;

    const std::uint32_t *key = m_nUniCode[KeyIndex(nKind)][nDstPos];
    m_dwBoard1 = ~m_dwBoard1 ^ key[0];
    m_dwBoard2 = ~m_dwBoard2 ^ key[1];
    if (nKind < 128) {
        int left = --m_nCaptByMan[k];
        m_nWeightScore -= m_nProfitOnUtsu[left][k];
    } else {
        int left = --m_nCaptByCom[k];
        m_nWeightScore += m_nProfitOnUtsu[left][k];
        m_dwDai -= kDaiCode[k];
    }

    GetPossibleKomas(nDstPos);
    ReAddRays(n);
}

void ZelkorCore::BackKomaOnBoard(int nDstPos, int nSrcPos, int nNaru, int nCaptured)
{
    DelPossibleKomas(nDstPos);
    int n = 0;
    CollectRays(nSrcPos, n);
    CollectRays(nDstPos, n);

    int u = m_nUniBoard[nDstPos];
    int pc = m_nBoard[nDstPos];
    m_komaUni[u].nKind = pc - nNaru;
    m_komaUni[u].nPos = nSrcPos;
    m_nUniBoard[nSrcPos] = u;
    m_nBoard[nSrcPos] = pc - nNaru;
    if (nNaru != 0)
        m_nWeightScore += pc < 128 ? kAddWeightOnNaru[pc & 7] : -kAddWeightOnNaru[pc & 7];

    const std::uint32_t *from = m_nUniCode[KeyIndex(pc)][nDstPos];
    const std::uint32_t *to = m_nUniCode[KeyIndex(pc - nNaru)][nSrcPos];
    m_dwBoard1 = ~m_dwBoard1 ^ from[0] ^ to[0];
    m_dwBoard2 = ~m_dwBoard2 ^ from[1] ^ to[1];

    if (nCaptured == 0) {
        m_nUniBoard[nDstPos] = 0;
        m_nBoard[nDstPos] = 0;
    } else {
        int k = nCaptured & 7;
        const std::uint32_t *key = m_nUniCode[KeyIndex(nCaptured)][nDstPos];
        if (nCaptured < 128) {
            int held = --m_nCaptByCom[k];
            m_nWeightScore -= m_nProfitOnCapt[held][nCaptured];
            m_dwDai -= kDaiCode[k];
        } else {
            int held = --m_nCaptByMan[k];
            m_nWeightScore += m_nProfitOnCapt[held][nCaptured & 15];
        }
        m_dwBoard1 ^= key[0];
        m_dwBoard2 ^= key[1];
        int v = m_nUniNum[k][--m_nCurrUniNumPos[k]];
        m_komaUni[v].nKind = nCaptured;
        m_komaUni[v].nPos = nDstPos;
        m_nUniBoard[nDstPos] = v;
        m_nBoard[nDstPos] = nCaptured;
        GetPossibleKomas(nDstPos);
    }

    GetPossibleKomas(nSrcPos);
    ReAddRays(n);
}

void ZelkorCore::BackKomaToCapt(int nDstPos)
{
    DelPossibleKomas(nDstPos);
    int n = 0;
    CollectRays(nDstPos, n);
    int u = m_nUniBoard[nDstPos];
    int pc = m_nBoard[nDstPos];
    int k = pc & 7;
    const std::uint32_t *key = m_nUniCode[KeyIndex(pc)][nDstPos];
    if (pc < 128) {
        m_nWeightScore += m_nProfitOnUtsu[m_nCaptByMan[k]][k];
        m_nCaptByMan[k]++;
    } else {
        m_nWeightScore -= m_nProfitOnUtsu[m_nCaptByCom[k]][k];
        m_dwDai += kDaiCode[k];
        m_nCaptByCom[k]++;
    }
    m_dwBoard1 = ~(m_dwBoard1 ^ key[0]);
    m_dwBoard2 = ~(m_dwBoard2 ^ key[1]);
    m_nUniNum[k][m_nCurrUniNumPos[k]++] = u;
    m_komaUni[u].nKind = 0;
    m_nUniBoard[nDstPos] = 0;
    m_nBoard[nDstPos] = 0;
    ReAddRays(n);
}

// ---------------------------------------------------------------------------
// Result table
// ---------------------------------------------------------------------------

// Slot i (0..16) of the probe sequence of the current key.
int ZelkorCore::FindSlot(std::uint32_t dwBoard1, int i) const
{
    std::uint32_t h = dwBoard1 & m_dwMemLimit;
    if (i > 0)
        h = (h + static_cast<std::uint32_t>(kGoldenDist[i - 1])) & m_dwMemLimit;
    return static_cast<int>(h);
}

namespace {

void StoreSearch(SEARCH_RESULT &e, const RESULT_IO &r)
{
    e.nScore = r.nGain;
    e.bySearched = static_cast<unsigned char>(r.nSearched);
    e.nDepth = r.nDepth;
    e.bySrcPos = static_cast<unsigned char>(r.nSrcPos);
    e.byDstPos = static_cast<unsigned char>(r.nDstPos);
    e.byKind = static_cast<unsigned char>(r.nKind);
    e.byNaru = static_cast<unsigned char>(r.nNaru);
}

void LoadMove(RESULT_IO &r, const SEARCH_RESULT &e)
{
    r.nSrcPos = e.bySrcPos;
    r.nDstPos = e.byDstPos;
    r.nKind = e.byKind;
    r.nNaru = e.byNaru;
}

inline bool IsSearchEntry(const SEARCH_RESULT &e)
{
    return e.byOuteOnComDepth == 255 && e.byOuteOnManDepth == 255;
}

} // namespace

void ZelkorCore::SaveSearchData(RESULT_IO *pResult)
{
    if (!m_pResult || m_nResults > m_nLimitResults)
        return;
    const RESULT_IO &r = *pResult;
    for (int i = 0; i < 17; i++) {
        SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (!IsSearchEntry(e))
            continue;
        if (e.bySearched == 0) {
            m_nResults++;
            e.dwBoard1 = m_dwBoard1;
            e.dwBoard2 = m_dwBoard2;
            e.dwDai = m_dwDai;
            StoreSearch(e, r);
            return;
        }
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2)
            continue;
        if (e.dwDai == m_dwDai) {
            if (e.nDepth < r.nDepth || (e.nDepth == r.nDepth && e.bySearched != 1))
                StoreSearch(e, r);
            return;
        }
        // A stored result for a hand at least as good for the side to move
        // already covers this one.
        if (r.nDepth <= e.nDepth) {
            int c = (m_nDepth & 1) == 0 ? CheckManyDaiBits(e.dwDai) : CheckLittleDaiBits(e.dwDai);
            if (c == 1)
                return;
        }
    }
}

void ZelkorCore::LoadSearchData(RESULT_IO *pResult)
{
    RESULT_IO &r = *pResult;
    for (int i = 0; m_pResult && i < 17; i++) {
        const SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (!IsSearchEntry(e))
            continue;
        if (e.bySearched == 0)
            break;
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2 || e.dwDai != m_dwDai)
            continue;
        if (r.nDepth <= e.nDepth || e.nScore == kMateScore || e.nScore == -kMateScore) {
            r.nGain = e.nScore;
            r.nSearched = e.bySearched;
        } else {
            r.nSearched = 0; // too shallow, but the move still orders well
        }
        r.nDepth = e.nDepth;
        LoadMove(r, e);
        return;
    }
    r.nSearched = 0;
    r.nDepth = 0;
    r.nSrcPos = 0;
}

void ZelkorCore::SaveMateAsSearch(int nGain, int nDepth)
{
    RESULT_IO r = {nGain, nDepth * 256, 1, 0, 0, 0, 0};
    SaveSearchData(&r);
}

void ZelkorCore::SaveOuteDataOnMan(RESULT_IO *pResult)
{
    if (!m_pResult || m_nResults > m_nLimitResults)
        return;
    const int gain = pResult->nGain;
    const int depth = pResult->nDepth;
    const unsigned char byGain = static_cast<unsigned char>(gain);
    const unsigned char byDepth = static_cast<unsigned char>(depth);
    for (int i = 0; i < 17; i++) {
        SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (e.byOuteOnComDepth != 255 || e.bySearched != 0)
            continue;
        int d = e.byOuteOnManDepth;
        if (d == 255) {
            m_nResults++;
            e.dwBoard1 = m_dwBoard1;
            e.dwBoard2 = m_dwBoard2;
            e.dwDai = m_dwDai;
            e.byOuteOnManScore = byGain;
            e.byOuteOnManDepth = byDepth;
            if (gain >= 100)
                SaveMateAsSearch(kMateScore, depth);
            return;
        }
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2)
            continue;
        if (e.dwDai == m_dwDai) {
            if (depth < d)
                return;
            e.byOuteOnManScore = byGain;
            e.byOuteOnManDepth = byDepth;
            if (gain >= 100)
                SaveMateAsSearch(kMateScore, depth);
            return;
        }
        int c = CheckManyDaiBits(e.dwDai);
        if (c == 1 && gain >= 100) {
            e.dwDai = m_dwDai;
            e.byOuteOnManScore = byGain;
            if (depth >= d)
                e.byOuteOnManDepth = byDepth;
            SaveMateAsSearch(kMateScore, depth);
            return;
        }
        if (c == 2) {
            if (gain == 0) {
                e.dwDai = m_dwDai;
                e.byOuteOnManScore = 0;
                if (depth >= d)
                    e.byOuteOnManDepth = byDepth;
                return;
            }
            if (d <= depth && gain < 100) {
                e.dwDai = m_dwDai;
                e.byOuteOnManScore = byGain;
                e.byOuteOnManDepth = byDepth;
                return;
            }
        }
    }
}

void ZelkorCore::SaveOuteDataOnCom(RESULT_IO *pResult)
{
    if (!m_pResult || m_nResults > m_nLimitResults)
        return;
    const int gain = pResult->nGain;
    const int depth = pResult->nDepth;
    const unsigned char byGain = static_cast<unsigned char>(gain);
    const unsigned char byDepth = static_cast<unsigned char>(depth);
    for (int i = 0; i < 17; i++) {
        SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (e.byOuteOnManDepth != 255 || e.bySearched != 0)
            continue;
        int d = e.byOuteOnComDepth;
        if (d == 255) {
            m_nResults++;
            e.dwBoard1 = m_dwBoard1;
            e.dwBoard2 = m_dwBoard2;
            e.dwDai = m_dwDai;
            e.byOuteOnComScore = byGain;
            e.byOuteOnComDepth = byDepth;
            if (gain >= 100)
                SaveMateAsSearch(-kMateScore, depth);
            return;
        }
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2)
            continue;
        if (e.dwDai == m_dwDai) {
            if (depth < d)
                return;
            e.byOuteOnComScore = byGain;
            e.byOuteOnComDepth = byDepth;
            if (gain >= 100)
                SaveMateAsSearch(-kMateScore, depth);
            return;
        }
        int c = CheckLittleDaiBits(e.dwDai);
        if (c == 1 && gain >= 100) {
            e.dwDai = m_dwDai;
            e.byOuteOnComScore = byGain;
            if (depth >= d)
                e.byOuteOnComDepth = byDepth;
            SaveMateAsSearch(-kMateScore, depth);
            return;
        }
        if (c == 2) {
            if (gain == 0) {
                e.dwDai = m_dwDai;
                e.byOuteOnComScore = 0;
                if (depth >= d)
                    e.byOuteOnComDepth = byDepth;
                return;
            }
            if (d <= depth && gain < 100) {
                e.dwDai = m_dwDai;
                e.byOuteOnComScore = byGain;
                e.byOuteOnComDepth = byDepth;
                return;
            }
        }
    }
}

void ZelkorCore::LoadOuteDataOnMan(RESULT_IO *pResult)
{
    RESULT_IO &r = *pResult;
    for (int i = 0; m_pResult && i < 17; i++) {
        const SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (e.byOuteOnComDepth != 255 || e.bySearched != 0)
            continue;
        int d = e.byOuteOnManDepth;
        int s = e.byOuteOnManScore;
        if (d == 255)
            break;
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2)
            continue;
        bool hit;
        if (e.dwDai == m_dwDai) {
            hit = r.nDepth <= d || s == 0 || s >= 100;
            if (!hit) {
                r.nDepth = d;
                r.nSearched = 0;
                return;
            }
        } else {
            int c = CheckManyDaiBits(e.dwDai);
            hit = (c == 1 && (s == 0 || (r.nDepth <= d && s < 100))) || (c == 2 && s >= 100);
        }
        if (hit) {
            r.nGain = s;
            r.nDepth = d;
            r.nSearched = 1;
            return;
        }
    }
    r.nSearched = 0;
    r.nDepth = -1;
}

void ZelkorCore::LoadOuteDataOnCom(RESULT_IO *pResult)
{
    RESULT_IO &r = *pResult;
    for (int i = 0; m_pResult && i < 17; i++) {
        const SEARCH_RESULT &e = m_pResult[FindSlot(m_dwBoard1, i)];
        if (e.byOuteOnManDepth != 255 || e.bySearched != 0)
            continue;
        int d = e.byOuteOnComDepth;
        int s = e.byOuteOnComScore;
        if (d == 255)
            break;
        if (e.dwBoard1 != m_dwBoard1 || e.dwBoard2 != m_dwBoard2)
            continue;
        bool hit;
        if (e.dwDai == m_dwDai) {
            hit = r.nDepth <= d || s == 0 || s >= 100;
            if (!hit) {
                r.nDepth = d;
                r.nSearched = 0;
                return;
            }
        } else {
            int c = CheckLittleDaiBits(e.dwDai);
            hit = (c == 1 && (s == 0 || (r.nDepth <= d && s < 100))) || (c == 2 && s >= 100);
        }
        if (hit) {
            r.nGain = s;
            r.nDepth = d;
            r.nSearched = 1;
            return;
        }
    }
    r.nSearched = 0;
    r.nDepth = -1;
}

int ZelkorCore::CheckManyDaiBits(std::uint32_t dwDai)
{
    bool allAtLeast = true, someMore = false;
    for (int k = 1; k <= 7; k++) {
        std::uint32_t stored = dwDai & kDaiBits[k];
        std::uint32_t now = m_dwDai & kDaiBits[k];
        allAtLeast = allAtLeast && stored >= now;
        someMore = someMore || stored > now;
    }
    return allAtLeast ? 1 : (someMore ? 0 : 2);
}

int ZelkorCore::CheckLittleDaiBits(std::uint32_t dwDai)
{
    bool allAtLeast = true, someMore = false;
    for (int k = 1; k <= 7; k++) {
        std::uint32_t stored = dwDai & kDaiBits[k];
        std::uint32_t now = m_dwDai & kDaiBits[k];
        allAtLeast = allAtLeast && stored >= now;
        someMore = someMore || stored > now;
    }
    return allAtLeast ? 2 : (someMore ? 0 : 1);
}

// ---------------------------------------------------------------------------
// Legality helpers
// ---------------------------------------------------------------------------

bool ZelkorCore::CheckComNihu(int nPos)
{
    int col = nPos & 15;
    for (int row = 1; row <= 8; row++)
        if (m_nBoard[16 * row + col] == 129)
            return false;
    return true;
}

bool ZelkorCore::CheckManNihu(int nPos)
{
    int col = nPos & 15;
    for (int row = 2; row <= 9; row++)
        if (m_nBoard[16 * row + col] == 1)
            return false;
    return true;
}

bool ZelkorCore::IsMoveable(int nSrcPos, int nDstPos, int nKind, int nNaru)
{
    const bool com = (m_nDepth & 1) == 0;
    if (!IsPlayingSquare(nDstPos))
        return false;
    if (nSrcPos != kDrop) {
        if (!IsPlayingSquare(nSrcPos))
            return false;
        int pc = m_nBoard[nSrcPos];
        if (pc == 0 || m_nBoard[nDstPos] != nKind || IsComCode(pc) != com)
            return false;
        if (nKind != 0 && IsComCode(nKind) == com)
            return false;
        if (nNaru == 8 && (com ? (pc >= 136 || pc == 133) : (pc >= 8 || pc == 5)))
            return false;
        int u = m_nUniBoard[nSrcPos];
        const int *list = com ? m_nPsbComKoma[nDstPos] : m_nPsbManKoma[nDstPos];
        int count = com ? m_nPsbComKomas[nDstPos] : m_nPsbManKomas[nDstPos];
        for (int i = 0; i < count; i++)
            if (list[i] == u)
                return true;
        return false;
    }

    int k = nKind & 15;
    if (m_nBoard[nDstPos] != 0 || (nKind & ~0x80) > 7 || k == 0 || IsComCode(nKind) != com)
        return false;
    if ((com ? m_nCaptByCom : m_nCaptByMan)[k] == 0)
        return false;
    if (k == 1 && !(com ? CheckComNihu(nDstPos) : CheckManNihu(nDstPos)))
        return false;
    if (com)
        return !((k == 1 || k == 2) && nDstPos > 144) && !(k == 3 && nDstPos > 128);
    return !((k == 1 || k == 2) && nDstPos < 32) && !(k == 3 && nDstPos < 48);
}

bool ZelkorCore::IsCorrectKomas()
{
    int onBoard[8] = {};
    for (int u = 1; u <= 40; u++) {
        const KOMA_BY_UNINUM &koma = m_komaUni[u];
        if (koma.nKind == 0)
            continue;
        if (koma.nPos < 0 || koma.nPos > 255 || m_nUniBoard[koma.nPos] != u ||
            m_nBoard[koma.nPos] != koma.nKind)
            return false;
        onBoard[koma.nKind & 7]++;
    }
    for (int k = 1; k <= 7; k++) {
        if (m_nCaptByCom[k] < 0 || m_nCaptByMan[k] < 0 ||
            onBoard[k] + m_nCaptByCom[k] + m_nCaptByMan[k] > kMaxOfKind[k])
            return false;
    }
    return true;
}
