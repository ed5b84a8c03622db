#include "Zelkor.h"

#include "ZelkorUtil.h"

#include <cstdlib>
#include <cstring>

using namespace zelkor;

ZelkorCore::ZelkorCore()
{
    m_nGameStatus = 1;
    m_pResult = nullptr;
}

ZelkorCore::~ZelkorCore()
{
    std::free(m_pResult);
    m_pResult = nullptr;
}

// ---------------------------------------------------------------------------
// Interface used by the document
// ---------------------------------------------------------------------------

int ZelkorCore::InitGame()
{
    if (!Init())
        return 2;
    InitResultArea();
    return 0;
}

void ZelkorCore::SetComLevel(int level)
{
    m_nComLevel = level;
}

namespace {

void CopyHands(int *dst, const int *src)
{
    dst[0] = 0;
    for (int k = 1; k <= 7; k++)
        dst[k] = src[k - 1];
}

} // namespace

void ZelkorCore::UpdateBoard(const BOARD b, const int *comHand, const int *manHand, int counter)
{
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++)
            m_nBoard[(i + 1) * 16 + (j + 1)] = b[i][j];
    CopyHands(m_nCaptByCom, comHand);
    CopyHands(m_nCaptByMan, manHand);
    m_nCounter = counter < 0 ? 0 : counter;
    SetUniBoard();
}

int ZelkorCore::CheckBoard(const BOARD b, const int *comHand, const int *manHand, int mode)
{
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 9; j++)
            m_nBoard[(i + 1) * 16 + (j + 1)] = b[i][j];
    CopyHands(m_nCaptByCom, comHand);
    CopyHands(m_nCaptByMan, manHand);

    int result = 0;
    int onBoard[8] = {};
    int comKings = 0, manKings = 0;
    int comPawns[10] = {}, manPawns[10] = {};
    for (int row = 1; row <= 9 && result == 0; row++) {
        for (int col = 1; col <= 9; col++) {
            int c = m_nBoard[16 * row + col];
            if (c == 0)
                continue;
            if (!IsValidCode(c)) {
                result = 1;
                break;
            }
            if (((c == 129 || c == 130) && row == 9) || (c == 131 && row >= 8) ||
                ((c == 1 || c == 2) && row == 1) || (c == 3 && row <= 2)) {
                result = 12;
                break;
            }
            if (c == 129)
                comPawns[col]++;
            else if (c == 1)
                manPawns[col]++;
            if (c == 136)
                comKings++;
            else if (c == 8)
                manKings++;
            else
                onBoard[c & 7]++;
        }
    }
    for (int col = 1; col <= 9 && result == 0; col++)
        if (comPawns[col] > 1)
            result = 3;
    for (int col = 1; col <= 9 && result == 0; col++)
        if (manPawns[col] > 1)
            result = 3;
    if (result == 0 && (comKings != 1 || manKings != 1))
        result = 1;
    for (int k = 1; k <= 7 && result == 0; k++) {
        if (m_nCaptByCom[k] < 0 || m_nCaptByMan[k] < 0 ||
            onBoard[k] + m_nCaptByCom[k] + m_nCaptByMan[k] > kMaxOfKind[k])
            result = 1;
    }

    // Numbered in every case, so that the engine never holds a board its
    // numbers and lists do not describe.
    SetUniBoard();
    if (result != 0 || mode == -1)
        return result;
    if (mode == 1 && m_nPsbManKomas[m_komaUni[2].nPos] > 0)
        return 1;
    if (mode == 0 && m_nPsbComKomas[m_komaUni[1].nPos] > 0)
        return 1;
    return 0;
}

namespace {

bool HasPlainEntry(const int *list, int count, int u)
{
    for (int i = 0; i < count; i++)
        if (list[i] == u)
            return true;
    return false;
}

} // namespace

int ZelkorCore::CheckMoveable(int src, int dst, int code)
{
    if (code == 0 || !IsPlayingSquare(dst))
        return 4;
    if (src == kDrop) {
        int k = code & 15;
        if (m_nBoard[dst] != 0 || (code & ~0x80) > 7 || k == 0)
            return 4;
        if (code < 129) {
            if (m_nCaptByMan[k] == 0 || (k == 1 && !CheckManNihu(dst)) ||
                ((k == 1 || k == 2) && dst < 32) || (k == 3 && dst < 48))
                return 4;
        } else {
            if (m_nCaptByCom[k] == 0 || (k == 1 && !CheckComNihu(dst)) ||
                ((k == 1 || k == 2) && dst >= 145) || (k == 3 && dst >= 129))
                return 4;
        }
        MoveKomaOnCapt(dst, code);
        bool inCheck = code < 129 ? m_nPsbComKomas[m_komaUni[1].nPos] > 0
                                  : m_nPsbManKomas[m_komaUni[2].nPos] > 0;
        BackKomaToCapt(dst);
        return inCheck ? 4 : 0;
    }

    if (!IsPlayingSquare(src))
        return 4;
    int pc = m_nBoard[src];
    int cap = m_nBoard[dst];
    if (pc == 0)
        return 4;
    bool man = pc < 128;
    // Neither an own piece nor a king can be taken.
    if (cap != 0 && ((cap < 128) == man || (cap & 15) == 8))
        return 4;
    int u = m_nUniBoard[src];
    if (man ? !HasPlainEntry(m_nPsbManKoma[dst], m_nPsbManKomas[dst], u)
            : !HasPlainEntry(m_nPsbComKoma[dst], m_nPsbComKomas[dst], u))
        return 4;

    int kind = pc & 15;
    if (kind == 8 && (man ? m_nPsbComKomas[dst] : m_nPsbManKomas[dst]) > 0)
        return 6;
    int result = 0;
    if (kind < 8 && kind != 5) {
        bool inZone = man ? (src < 64 || dst < 64) : (src > 112 || dst > 112);
        if (inZone) {
            bool stuck;
            if (man)
                stuck = ((kind == 1 || kind == 2) && dst < 32) || (kind == 3 && dst < 48);
            else
                stuck = ((kind == 1 || kind == 2) && dst >= 145) || (kind == 3 && dst >= 129);
            result = stuck ? 13 : 11;
        }
    }
    // A piece that must promote is tried promoted: unpromoted it would
    // reach past the board edge.
    int naru = result == 13 ? 8 : 0;
    MoveKomaOnBoard(dst, src, naru);
    bool inCheck =
        man ? m_nPsbComKomas[m_komaUni[1].nPos] > 0 : m_nPsbManKomas[m_komaUni[2].nPos] > 0;
    BackKomaOnBoard(dst, src, naru, cap);
    return inCheck ? 4 : result;
}

void ZelkorCore::SearchMovablePos(int pos, int *count, unsigned char *out)
{
    *count = 0;
    if (pos < 0 || pos > 255 || (pos >> 4) > 8 || (pos & 15) > 8)
        return;
    int s = ((pos & 15) + 1) * 16 + (pos >> 4) + 1;
    int pc = m_nBoard[s];
    if (pc == 0)
        return;
    bool man = pc < 128;
    int u = m_nUniBoard[s];
    int n = 0;
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            int t = 16 * row + col;
            int c = m_nBoard[t];
            bool open = c == 0 || (man ? c >= 129 : c < 128);
            if (!open)
                continue;
            if (man ? HasPlainEntry(m_nPsbManKoma[t], m_nPsbManKomas[t], u)
                    : HasPlainEntry(m_nPsbComKoma[t], m_nPsbComKomas[t], u))
                out[n++] = static_cast<unsigned char>(((col - 1) << 4) | (row - 1));
        }
    }
    *count = n;
}

// ---------------------------------------------------------------------------
// Set-up
// ---------------------------------------------------------------------------

bool ZelkorCore::Init()
{
    if (!AllocMemory(0x8000000))
        return false;
    m_nRemainDepth = 0;
    m_bCallTumiFunc = 0;
    m_nMinTagDepth = 8;
    m_nDisturbDepth = 6;
    m_bBattle = false;
    m_nReflexMax = 15000;
    m_nMode = 0;
    std::memset(m_moveCandi, 0, sizeof(m_moveCandi));
    std::memset(m_moveTree, 0, sizeof(m_moveTree));
    std::memcpy(m_nBoard, kIniBoard, sizeof(m_nBoard));
    std::memset(m_nCaptByCom, 0, sizeof(m_nCaptByCom));
    std::memset(m_nCaptByMan, 0, sizeof(m_nCaptByMan));
    return InitBoard();
}

namespace {

void ClearLists(int (*lists)[32], int *counts)
{
    std::memset(lists, 0, sizeof(int) * 256 * 32);
    std::memset(counts, 0, sizeof(int) * 256);
}

} // namespace

bool ZelkorCore::InitBoard()
{
    m_dwBoard1 = 0xFEDCBA98u;
    m_dwBoard2 = 0x76543210u;
    std::memset(m_komaUni, 0, sizeof(m_komaUni));
    ClearLists(m_nPsbComKoma, m_nPsbComKomas);
    ClearLists(m_nPsbManKoma, m_nPsbManKomas);
    AssignUniNum();
    InitPossibleKomas();
    m_nDepth = 0;
    m_nCounter = 0;
    AssignUniCode();
    if (!IsCorrectKomas())
        return false;
    PreparePosScore();
    return true;
}

void ZelkorCore::SetUniBoard()
{
    std::memset(m_komaUni, 0, sizeof(m_komaUni));
    ClearLists(m_nPsbComKoma, m_nPsbComKomas);
    ClearLists(m_nPsbManKoma, m_nPsbManKomas);
    AssignUniNum();
    InitPossibleKomas();
    m_nDepth = 0;
}

void ZelkorCore::AssignUniNum()
{
    std::memset(m_nCurrUniNumPos, 0, sizeof(m_nCurrUniNumPos));
    auto push = [this](int k, int u) { m_nUniNum[k][m_nCurrUniNumPos[k]++] = u; };
    for (int i = 0; i < 4; i++) {
        push(2, 19 + i);
        push(3, 15 + i);
        push(4, 11 + i);
        push(5, 7 + i);
    }
    for (int i = 0; i < 2; i++) {
        push(6, 5 + i);
        push(7, 3 + i);
    }
    for (int i = 0; i < 18; i++)
        push(1, 23 + i);

    // A piece that cannot be numbered (bad code, a second king, more pieces
    // of a kind than exist) is taken off: the lists and stacks must never
    // describe a piece without a number.
    for (int s = 0; s < 256; s++) {
        int c = m_nBoard[s];
        if (!IsPlayingSquare(s) || c == 0) {
            m_nUniBoard[s] = c;
            continue;
        }
        int u = 0;
        if (!IsValidCode(c)) {
            u = 0;
        } else if (c == 8 || c == 136) {
            int king = c == 8 ? 1 : 2;
            if (m_komaUni[king].nKind == 0)
                u = king;
        } else {
            int k = c & 7;
            if (m_nCurrUniNumPos[k] > 0)
                u = m_nUniNum[k][--m_nCurrUniNumPos[k]];
        }
        if (u == 0) {
            m_nBoard[s] = 0;
            m_nUniBoard[s] = 0;
            continue;
        }
        m_nUniBoard[s] = u;
        m_komaUni[u].nKind = c;
        m_komaUni[u].nPos = s;
    }

    // Hands cannot hold more than the pieces left off the board.
    m_nCaptByCom[0] = m_nCaptByMan[0] = 0;
    for (int k = 1; k <= 7; k++) {
        int left = m_nCurrUniNumPos[k];
        m_nCaptByCom[k] =
            m_nCaptByCom[k] < 0 ? 0 : (m_nCaptByCom[k] > left ? left : m_nCaptByCom[k]);
        left -= m_nCaptByCom[k];
        m_nCaptByMan[k] =
            m_nCaptByMan[k] < 0 ? 0 : (m_nCaptByMan[k] > left ? left : m_nCaptByMan[k]);
    }

    m_dwDai = 0;
    for (int k = 1; k <= 7; k++)
        m_dwDai += kDaiCode[k] * static_cast<std::uint32_t>(m_nCaptByCom[k]);

    auto W = [this](int k, int n) { return kWeightDaiKomas[k].nWeight[n]; };
    for (int i = 0; i < 18; i++) {
        m_nProfitOnCapt[i][0] = 0;
        for (int j = 1; j <= 15; j++)
            m_nProfitOnCapt[i][j] = kWeight1[j] + W(j & 7, i + 1) - W(j & 7, i);
        m_nProfitOnCapt1[i][0] = 0;
        m_nProfitOnUtsu[i][0] = 0;
        for (int k = 1; k <= 7; k++) {
            m_nProfitOnUtsu[i][k] = kWeight1[k] + W(k, i) - W(k, i + 1);
            m_nProfitOnCapt1[i][k] = W(k, i + 1) - W(k, i) - kWeight1[k];
        }
    }

    int score = 0;
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            int c = m_nBoard[16 * row + col];
            if (c == 0)
                continue;
            score += c < 128 ? -kWeight1[c] : kWeight1[c & 15];
        }
    }
    for (int k = 1; k <= 7; k++)
        score += W(k, m_nCaptByCom[k]) - W(k, m_nCaptByMan[k]);
    m_nWeightScore = score;
}

void ZelkorCore::InitPossibleKomas()
{
    for (int row = 1; row <= 9; row++)
        for (int col = 1; col <= 9; col++)
            if (m_nUniBoard[16 * row + col] != 0)
                GetPossibleKomas(16 * row + col);
}

void ZelkorCore::ConvertBoard()
{
    ClearLists(m_nPsbComKoma, m_nPsbComKomas);
    ClearLists(m_nPsbManKoma, m_nPsbManKomas);
    std::memset(m_komaUni, 0, sizeof(m_komaUni));
    auto toggle = [](int c) { return c == 0 ? 0 : (c < 129 ? c + 128 : c - 128); };
    for (int row = 1; row <= 5; row++) {
        for (int col = 1; col <= (row == 5 ? 5 : 9); col++) {
            int s = 16 * row + col;
            int a = toggle(m_nBoard[170 - s]);
            int b = toggle(m_nBoard[s]);
            m_nBoard[s] = a;
            m_nBoard[170 - s] = b;
        }
    }
    for (int k = 1; k <= 7; k++) {
        int t = m_nCaptByCom[k];
        m_nCaptByCom[k] = m_nCaptByMan[k];
        m_nCaptByMan[k] = t;
    }
    AssignUniNum();
    InitPossibleKomas();
}

int ZelkorCore::GenerateRandom()
{
    const int m = kRandParam[0], q = kRandParam[1], a = kRandParam[2], r = kRandParam[3];
    int t = a * (m_nRandom % q) - r * (m_nRandom / q);
    if (t < 1)
        t += m;
    m_nRandom = t;
    return t;
}

void ZelkorCore::AssignUniCode()
{
    m_nRandom = 1;
    for (int i = 0; i < 10000; i++)
        GenerateRandom();
    for (int i = 0; i < 32; i++) {
        for (int s = 0; s < 256; s++) {
            for (int w = 0; w < 2; w++) {
                std::uint32_t v = static_cast<std::uint32_t>(GenerateRandom());
                if (GenerateRandom() & 1)
                    v += 0x80000000u;
                m_nUniCode[i][s][w] = v;
            }
        }
    }
}

bool ZelkorCore::AllocMemory(unsigned int memLimit)
{
    std::free(m_pResult); // a second call replaces the table
    m_pResult = nullptr;
    int entries;
    if (memLimit < 0xE00000u)
        entries = 65536;
    else if (memLimit < 0x1E00000u)
        entries = 131072;
    else if (memLimit < 0x3E00000u)
        entries = 262144;
    else if (memLimit < 0x7E00000u)
        entries = 524288;
    else
        entries = 1048576;
    void *block = nullptr;
    while (entries >= 16384) {
        block = std::malloc(sizeof(SEARCH_RESULT) * static_cast<std::size_t>(entries));
        if (block)
            break;
        entries /= 2;
    }
    if (!block) {
        m_nMaxResults = 0;
        m_dwMemLimit = 0;
        m_nLimitResults = 0;
        return false;
    }
    m_pResult = static_cast<SEARCH_RESULT *>(block);
    m_nMaxResults = entries;
    m_dwMemLimit = static_cast<std::uint32_t>(entries - 1);
    m_nLimitResults = entries * 3 / 4;
    return true;
}

void ZelkorCore::InitResultArea()
{
    for (int i = 0; i < m_nMaxResults; i++) {
        m_pResult[i].bySearched = 0;
        m_pResult[i].byOuteOnComDepth = 255;
        m_pResult[i].byOuteOnManDepth = 255;
    }
    m_nResults = 0;
}

CZelkor *g_pZelkor = new CZelkor;
