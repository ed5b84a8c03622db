// The think driver (one computer move from the document's position) and the
// root of the tree search.
#include "Zelkor.h"
#include "ZelkorUtil.h"

#include <ctime>

using namespace zelkor;

namespace {

// Deepest nominal depth a forced depth may ask for; the tree below it stays
// within the per-ply tables.
constexpr int kMaxFixedDepth = 32;

constexpr int kRecordSize = 512;

} // namespace

// ---------------------------------------------------------------------------
// Interface to the document
// ---------------------------------------------------------------------------

void ZelkorCore::OnFindMove(int turn, unsigned int *move, int *result)
{
    if (m_nGameStatus != 1)
        return;
    m_nGameStatus = 2;
    *result = FindMove(turn, move);
    m_nKindReq = 0;
    m_nGameStatus = 1;
}

void ZelkorCore::FindMove()
{
    if (m_nGameStatus != 1)
        return;
    m_nGameStatus = 2;
    m_nKindReq = 0;
    m_nGameStatus = 1;
}

void ZelkorCore::RequestBreak()
{
    m_nKindReq = 1;
}

// turn 1: the computer owns the codes >= 128 of the board handed in;
// turn 0: it owns the others and the board is turned round for the think.
int ZelkorCore::FindMove(int turn, unsigned int *move)
{
    const int r = MainThink(turn == 0);
    int src, dst, kind, naru, srcKind;
    // Without a move of this think the record holds an older one: the word
    // is left as it was rather than reporting that.
    if (r != 2 && m_bThinkMoved && GetKomaMove(src, dst, kind, naru, srcKind))
        *move = PackMove(src, dst, naru, srcKind);
    switch (r) {
    case 0: {
        const bool check = turn == 1 ? m_nPsbComKomas[m_komaUni[1].nPos] != 0
                                     : m_nPsbManKomas[m_komaUni[2].nPos] != 0;
        return check ? 5 : 0;
    }
    case 1:
        return 15;
    case 2:
        return 16;
    case 3:
        return 17;
    default:
        return 18;
    }
}

// Bytes, lowest first: source (255 for a drop), destination, the moved code,
// promotion. Squares are (row - 1) * 16 + (col - 1).
unsigned int ZelkorCore::PackMove(int src, int dst, int naru, int srcKind)
{
    const unsigned int b0 = src == kDrop ? unsigned(kDrop) : static_cast<unsigned int>(src - 17);
    const unsigned int b1 = static_cast<unsigned int>(dst - 17);
    const unsigned int b2 = static_cast<unsigned int>(srcKind) & 0xff;
    // The document promotes whenever it may; a dropped piece never does.
    const bool zone = src != kDrop && CanPromote(srcKind) && (src >= 0x71 || dst >= 0x71);
    const unsigned int b3 = (naru == 8 || zone) ? 1u : 0u;
    return b0 | (b1 << 8) | (b2 << 16) | (b3 << 24);
}

int ZelkorCore::MainThink(bool convert)
{
    int maxDepth = 0;
    switch (m_nComLevel) {
    case 0:
        m_nTimeLimit = 3;
        m_nReflexMax = 700;
        m_nRandPortion = 8;
        maxDepth = 4;
        break;
    case 1:
        m_nTimeLimit = 5;
        m_nReflexMax = 1000;
        m_nRandPortion = 7;
        maxDepth = 5;
        break;
    case 2:
        m_nTimeLimit = 9;
        m_nReflexMax = 1500;
        m_nRandPortion = 6;
        maxDepth = 6;
        break;
    default:
        break;
    }
    if (m_nFixedDepth > 0)
        maxDepth = m_nFixedDepth < kMaxFixedDepth ? m_nFixedDepth : kMaxFixedDepth;

    if (convert)
        ConvertBoard();

    int src = 0, dst = 0, kind = 0, naru = 0;
    m_bThinkMoved = false;
    const int score = ThinkComMove(src, dst, kind, naru, maxDepth);

    if (dst != 0) {
        const int moved = src == kDrop ? kind : m_nBoard[src];
        const int c = CheckMoveable(src, dst, moved);
        if (c == 0 || c == 11 || c == 13) {
            if (src == kDrop)
                MoveKomaOnCapt(dst, kind);
            else
                MoveKomaOnBoard(dst, src, naru);
            m_nCounter++;
            RegisterMove(src, dst, kind, naru, moved);
            m_bThinkMoved = true;
        }
    }

    int r = 0;
    if (score == kMateScore) {
        if (m_nPsbComKomas[m_komaUni[1].nPos] != 0 && IsTumiOnManJust(false) == kMateScore)
            r = 1;
    } else if (score == -kMateScore) {
        r = m_bThinkMoved ? 3 : 2;
        if (m_bThinkMoved && m_nPsbManKomas[m_komaUni[2].nPos] != 0 &&
            IsTumiOnComJust(false) == kMateScore)
            r = 2;
    } else if (score == 30010) {
        r = 4;
    }

    if (convert)
        ConvertBoard();
    return r;
}

int ZelkorCore::ThinkComMove(int &src, int &dst, int &kind, int &naru, int maxDepth)
{
    m_nCompletedDepth = 0;
    m_nSearchNodes = 0;
    // The opponent's king can be taken: no move values are produced.
    if (m_nPsbComKomas[m_komaUni[1].nPos] != 0)
        return kMateScore;

    m_clockStart = std::clock();
    m_tWallStart = std::chrono::steady_clock::now();
    InitResultArea();
    m_nSearchedDepth[0] = 0;
    m_nHubos = 0;
    m_nRemainDepth = 0;
    m_nDepth = 0;
    PreparePosScore();

    int v = SearchTumiOnMan(src, dst, kind, naru, 31);
    if (v > 99)
        return kMateScore;

    m_nMinTagDepth = 1;
    if (maxDepth < 1)
        return v;
    while (m_nMinTagDepth <= maxDepth) {
        v = SearchTree(-kMateScore, kMateScore, src, dst, kind, naru);
        if (!m_bTime) {
            m_nCompletedDepth = m_nMinTagDepth;
            if (m_pfnIterationDone)
                m_pfnIterationDone(m_pIterationCtx, static_cast<const CZelkor &>(*this), m_nMinTagDepth,
                                   v);
        }
        if (v == kMateScore || m_nPsbComMoves == 1 || v == 30010)
            return v;
        if (IsTimeOver())
            return v;
        m_nMinTagDepth++;
    }
    return v;
}

// The record is a ring of 512 moves so that a long game keeps playing; a
// move that has been overwritten is reported as absent.
void ZelkorCore::RegisterMove(int src, int dst, int kind, int naru, int srcKind)
{
    if (m_nCounter < 0)
        return;
    MOVE_KIBO &k = m_moveKibo[m_nCounter % kRecordSize];
    k.nSrcPos = src;
    k.nDstPos = dst;
    k.nKind = kind;
    k.nNaru = naru;
    k.nSrcKind = srcKind;
}

bool ZelkorCore::GetSearchedMove(int &src, int &dst, int &kind, int &naru, int &srcKind, int index)
{
    if (m_nCounter < index || index < 0 || m_nCounter - index >= kRecordSize)
        return false;
    const MOVE_KIBO &k = m_moveKibo[index % kRecordSize];
    src = k.nSrcPos;
    dst = k.nDstPos;
    kind = k.nKind;
    naru = k.nNaru;
    srcKind = k.nSrcKind;
    return true;
}

bool ZelkorCore::GetKomaMove(int &src, int &dst, int &kind, int &naru, int &srcKind)
{
    return GetSearchedMove(src, dst, kind, naru, srcKind, m_nCounter);
}

// ---------------------------------------------------------------------------
// Root search
// ---------------------------------------------------------------------------

// The two usual first pawn steps, four times in five, without searching.
bool ZelkorCore::TryOpeningMove(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru)
{
    const int r = GenerateRandom() % 5;
    if (r == 4)
        return false;
    const int src = r < 2 ? 0x32 : 0x37;
    const int dst = src + 16;
    if (!IsMoveable(src, dst, 0, 0))
        return false;
    nSrcPos = src;
    nDstPos = dst;
    nKind = 0;
    nNaru = 0;
    m_moveTree[0][0] = {src, dst, 0, 0};
    m_nSearchedDepth[0] = 1;
    m_nPsbComMoves = 1;
    return true;
}

bool ZelkorCore::IsWellFormedComMove(const CANDI_MOVE &m) const
{
    if (m.nSrcPos == kDrop)
        return m.nKind > 128 && m.nKind < 136 && m_nBoard[m.nDstPos] == 0;
    const int c = m_nBoard[m.nSrcPos];
    return m.nSrcPos != 0 && c != kFrame && c > 128 && m.nKind < 128 && (m.nNaru == 0 || m.nNaru == 8);
}

// The stored best move of the root position goes to the front of
// m_CandiInZeroDepth; returns the new count.
int ZelkorCore::PutRootHashMoveFirst(int n)
{
    RESULT_IO io{};
    io.nDepth = 256 * m_nMinTagDepth + m_nRemainDepth - 256 * m_nDepth;
    LoadSearchData(&io);
    if (io.nSrcPos == 0)
        return n;
    const KOMA_MOVE h = {io.nSrcPos, io.nDstPos, io.nKind, io.nNaru};
    PutHashMoveFirst(m_CandiInZeroDepth, n, h, 100);
    return n;
}

// One pass over the root list; returns the best value (alpha) and sets
// timedOut when the clock stopped it.
int ZelkorCore::SearchRootPass(int n, int alpha, int nMax, bool &timedOut)
{
    m_nPsbComMoves = 0;
    m_bTime = false;
    m_nTimeCounter = 0;
    timedOut = false;
    const int D = 256 * m_nMinTagDepth + m_nRemainDepth;
    for (int i = 0; i < n; i++) {
        CANDI_MOVE &m = m_CandiInZeroDepth[i];
        m_pPreCandi[0] = &m;
        if (!IsWellFormedComMove(m))
            ErrorMessage();
        const int Drow = i == 0 ? D + 128 : D;
        m_nMinTagDepth = Drow >> 8;
        m_nRemainDepth = Drow & 255;
        m_nDepth++;
        MakeCandiMove(m);
        int v = -kMateScore;
        if (m_nPsbManKomas[m_komaUni[2].nPos] == 0) {
            v = SearchManMove(alpha, nMax);
            if (v != -kMateScore)
                m_nPsbComMoves++;
        }
        m_nDepth--;
        UnmakeCandiMove(m);
        m_nMinTagDepth = D >> 8;
        m_nRemainDepth = D & 255;
        if (IsTimeOver()) {
            m_bTime = true;
            timedOut = true;
            break;
        }
        m.nTemp1 = v;
        if (v > alpha) {
            alpha = v;
            m_moveTree[0][0] = {m.nSrcPos, m.nDstPos, m.nKind, m.nNaru};
            const int end = m_nSearchedDepth[1];
            for (int j = 1; j < end; j++)
                m_moveTree[0][j] = m_moveTree[1][j];
            m_nSearchedDepth[0] = end < 1 ? 1 : end;
        }
        if (alpha >= nMax)
            break;
    }
    return alpha;
}

int ZelkorCore::SearchTree(int nMin, int nMax, int &nSrcPos, int &nDstPos, int &nKind, int &nNaru)
{
    // 1. The opening move, or no search when Man's king can be taken.
    if (m_nCounter < 2 && m_bNormConfig && TryOpeningMove(nSrcPos, nDstPos, nKind, nNaru))
        return 0;

    m_moveTree[0][0].nSrcPos = 0;
    m_nSearchedDepth[0] = 0;
    if (m_nPsbComKomas[m_komaUni[1].nPos] != 0)
        return -kMateScore;
    m_nRemainDepth = 0;
    m_bTime = false;
    int nullScore = -kMateScore;
    int alpha = nMin;

    // 2. Out of check: the threat probe (Man moves twice) sets the value to beat.
    const int K = m_komaUni[2].nPos;
    if (m_nPsbManKomas[K] == 0) {
        m_pPreCandi[0] = nullptr;
        m_nDepth++;
        m_dwBoard1 = ~m_dwBoard1;
        m_dwBoard2 = ~m_dwBoard2;
        nullScore = alpha = SearchManMove(nMin, nMax);
        m_dwBoard1 = ~m_dwBoard1;
        m_dwBoard2 = ~m_dwBoard2;
        m_nDepth--;
    }
    // 3. The root list: evasions when in check, otherwise built around Man's
    // threat (row 1 of m_moveTree); the earlier iterations' best moves first.
    int n = MakeRootCandi();
    if (n == 0 && m_nBoard[K + 16] == 1)
        return 30010; // only a pawn drop mated us
    n = PutRootHashMoveFirst(n);

    // 4. Passes over the list until one beats the probe; a pass the clock cut
    // keeps its first legal move. The best move is stored and remembered.
    const int D = 256 * m_nMinTagDepth + m_nRemainDepth;
    for (;;) {
        bool timedOut;
        alpha = SearchRootPass(n, alpha, nMax, timedOut);
        if (timedOut && n > 0 && alpha <= nullScore) {
            const CANDI_MOVE &m = m_CandiInZeroDepth[0];
            m_nDepth++;
            MakeCandiMove(m);
            const bool legal = m_nPsbManKomas[m_komaUni[2].nPos] == 0;
            m_nDepth--;
            UnmakeCandiMove(m);
            if (legal) {
                m_moveTree[0][0] = {m.nSrcPos, m.nDstPos, m.nKind, m.nNaru};
                m_nSearchedDepth[0] = 1;
                alpha = nullScore + 1;
            }
        }
        if (alpha > nullScore) {
            const KOMA_MOVE &best = m_moveTree[0][0];
            nSrcPos = best.nSrcPos;
            nDstPos = best.nDstPos;
            nKind = best.nKind;
            nNaru = best.nNaru;
            RESULT_IO r;
            r.nGain = alpha;
            r.nSearched = 1;
            r.nDepth = D - 256 * m_nDepth;
            r.nSrcPos = best.nSrcPos;
            r.nDstPos = best.nDstPos;
            r.nKind = best.nKind;
            r.nNaru = best.nNaru;
            SaveSearchData(&r);
            if (m_nHubos < 64)
                m_moveHubo[m_nHubos++] = best;
            return alpha;
        }
        if (alpha == -kMateScore)
            return -kMateScore;
        nullScore = alpha = -kMateScore;
    }
}
