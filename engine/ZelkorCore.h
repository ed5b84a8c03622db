#ifndef KORVANE_ZELKORCORE_H
#define KORVANE_ZELKORCORE_H

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>

#include "ZelkorTables.h"

// The position handed in by the document: [row - 1][col - 1], engine piece codes.
typedef unsigned char BOARD[9][9];

struct KOMA_BY_UNINUM
{
    int nKind; // code of the numbered piece, 0 while it is in a hand
    int nPos;  // its square (meaningless while in a hand)
};

// nKind: for a board move the code on the destination before the move (0 if
// empty); for a drop the dropped piece's full code. nNaru: 8 promotes.
struct KOMA_MOVE
{
    int nSrcPos; // kDrop for a drop
    int nDstPos;
    int nKind;
    int nNaru;
};

struct CANDI_MOVE
{
    int nSrcPos;
    int nDstPos;
    int nKind;
    int nNaru;
    int nTemp1;
    int nScore;
};

struct MOVE_KIBO
{
    int nSrcPos;
    int nDstPos;
    int nKind;
    int nNaru;
    int nSrcKind; // code on the source square before the move (dropped code for a drop)
};

// Exchange record between the search and the result table.
struct RESULT_IO
{
    int nGain;
    int nDepth;
    int nSearched;
    int nSrcPos;
    int nDstPos;
    int nKind;
    int nNaru;
};

// One result-table entry. Empty: bySearched 0 and both depth bytes 255.
struct SEARCH_RESULT
{
    std::uint32_t dwBoard1;
    std::uint32_t dwBoard2;
    std::uint32_t dwDai;
    int nScore;
    int nDepth;
    unsigned char bySearched;
    unsigned char byOuteOnComDepth;
    unsigned char byOuteOnManDepth;
    unsigned char byOuteOnComScore;
    unsigned char byOuteOnManScore;
    unsigned char bySrcPos;
    unsigned char byDstPos;
    unsigned char byKind;
    unsigned char byNaru;
};

// The computer opponent's inside: position, rules, evaluation, generators and
// searches. Reached only through CZelkor (Zelkor.h), whose private base it is;
// the engine's own sources and the tests (ZelkorTestAccess) see all of it.
//
// Squares are 16 * row + col (rows and cols 1..9) in a 256-entry mailbox whose
// frame holds kFrame. Codes: 1..8 Man's pawn..king, +8 promoted, +128 Com's.
// Unique piece numbers 1..40 (1 Man's king, 2 Com's king) follow a piece for
// its whole life; the attack lists store them (+128 for an x-ray entry).
class CZelkor;

class ZelkorCore
{
protected:
    // Only CZelkor, the public face, makes and destroys one.
    ZelkorCore();
    ~ZelkorCore();

public:
    ZelkorCore(const ZelkorCore &) = delete;
    ZelkorCore &operator=(const ZelkorCore &) = delete;

    // ---- interface used by the document (Zelkor.cpp) ----
    int InitGame();
    void SetComLevel(int level);
    void UpdateBoard(const BOARD b, const int *comHand, const int *manHand, int counter);
    int CheckBoard(const BOARD b, const int *comHand, const int *manHand, int mode);
    int CheckMoveable(int src, int dst, int code);
    void SearchMovablePos(int pos, int *count, unsigned char *out);

    // ---- think driver (ZelkorThink.cpp) ----
    void OnFindMove(int turn, unsigned int *move, int *result);
    void FindMove();
    void RequestBreak();
    int FindMove(int turn, unsigned int *move);
    int MainThink(bool convert);
    int ThinkComMove(int &src, int &dst, int &kind, int &naru, int maxDepth);
    void RegisterMove(int src, int dst, int kind, int naru, int srcKind);
    bool GetSearchedMove(int &src, int &dst, int &kind, int &naru, int &srcKind, int index);
    bool GetKomaMove(int &src, int &dst, int &kind, int &naru, int &srcKind);
    static unsigned int PackMove(int src, int dst, int naru, int srcKind);

    // Think controls for tests and benchmarks; neither changes a decision
    // other than the depth and the time limit.
    int m_nFixedDepth = 0;            // > 0: the maximum depth instead of the level's
    bool m_bNoTimeLimit = false;      // true: the processor clock never stops a think
    int m_nCompletedDepth = 0;        // deepest iteration of the last think not cut by the clock
    std::uint64_t m_nSearchNodes = 0; // reply-search nodes of the last think
    bool m_bThinkMoved = false;       // the last think played a move

    // Hooks for a protocol front end. Left at their defaults they change nothing.
    // A stop request (from any thread) and the wall-clock limit are read where
    // the processor clock is, so a think ends there as if its time had run out;
    // the requester clears the flag before the next think.
    std::atomic<bool> m_bStopRequest{false};
    int m_nWallLimitMs = 0; // > 0: milliseconds of wall-clock time from the think's start
    // Called on the thinking thread after each iteration the clock did not cut,
    // with its depth and score (Com's view); the line is in m_moveTree[0], in
    // think orientation, m_nSearchedDepth[0] moves long.
    void (*m_pfnIterationDone)(void *ctx, const CZelkor &z, int depth, int score) = nullptr;
    void *m_pIterationCtx = nullptr;
    std::chrono::steady_clock::time_point m_tWallStart{};
    // The line of the last iteration the clock did not cut, in think orientation.
    const KOMA_MOVE *BestLine(int &length) const
    {
        length = m_nSearchedDepth[0];
        return m_moveTree[0];
    }

    // ---- set-up (Zelkor.cpp) ----
    bool Init();
    bool InitBoard();
    void SetUniBoard();
    void AssignUniNum();
    void InitPossibleKomas();
    void ConvertBoard();
    void AssignUniCode();
    int GenerateRandom();
    bool AllocMemory(unsigned int memLimit);
    void InitResultArea();
    void ErrorMessage() {}

    // ---- attack lists (rules.cpp) ----
    void GetPossibleKomas(int nPos);
    void DelPossibleKomas(int nPos);

    void GetPsbkomasManHuStepOneUp(int nPos);
    void GetPsbkomasManKeimaStepUp(int nPos);
    void GetPsbkomasManGinStepUp(int nPos);
    void GetPsbkomasManKinStepUp(int nPos);
    void GetPsbkomasManGyokuStepUp(int nPos);
    void GetPsbkomasManUmaStepOneAll(int nPos);
    void GetPsbkomasManRyuStepOneNaname(int nPos);
    void GetPsbkomasManHishaStepManyUp(int nPos);
    void GetPsbkomasManHishaStepManyDown(int nPos);
    void GetPsbkomasManHishaStepManyRight(int nPos);
    void GetPsbkomasManHishaStepManyLeft(int nPos);
    void GetPsbkomasManKakuStepNanameUpRight(int nPos);
    void GetPsbkomasManKakuStepNanameUpLeft(int nPos);
    void GetPsbkomasManKakuStepNanameDownRight(int nPos);
    void GetPsbkomasManKakuStepNanameDownLeft(int nPos);

    void GetPsbkomasComHuStepOneup(int nPos);
    void GetPsbkomasComKeimaStepUp(int nPos);
    void GetPsbkomasComGinStepUp(int nPos);
    void GetPsbkomasComKinStepUp(int nPos);
    void GetPsbkomasComGyokuStepUp(int nPos);
    void GetPsbkomasComUmaStepOneAll(int nPos);
    void GetPsbkomasComRyuStepOneNaname(int nPos);
    void GetPsbkomasComHishaStepManyup(int nPos);
    void GetPsbkomasComHishaStepManyDown(int nPos);
    void GetPsbkomasComHishaStepManyRight(int nPos);
    void GetPsbkomasComHishaStepManyLeft(int nPos);
    void GetPsbkomasComKakuStepNanameUpRight(int nPos);
    void GetPsbkomasComKakuStepNanameUpLeft(int nPos);
    void GetPsbkomasComKakuStepNanameDownRight(int nPos);
    void GetPsbkomasComKakuStepNanameDownLeft(int nPos);

    void DelPsbkomasManHuStepUp(int nPos);
    void DelPsbkomasManKeimaStepUp(int nPos);
    void DelPsbkomasManGinStepUp(int nPos);
    void DelPsbkomasManKinStepUp(int nPos);
    void DelPsbkomasManGyokuStepUp(int nPos);
    void DelPsbkomasManUmaStepOneAll(int nPos);
    void DelPsbkomasManRyuStepOneNaname(int nPos);
    void DelPsbkomasManHishaStepManyUp(int nPos);
    void DelPsbkomasManHishaStepManyDown(int nPos);
    void DelPsbkomasManHishaStepManyRight(int nPos);
    void DelPsbkomasManHishaStepManyLeft(int nPos);
    void DelPsbkomasManKakuStepNanameUpRight(int nPos);
    void DelPsbkomasManKakuStepNanameUpLeft(int nPos);
    void DelPsbkomasManKakuStepNanameDownRight(int nPos);
    void DelPsbkomasManKakuStepNanameDownLeft(int nPos);

    void DelPsbkomasComHuStepOneup(int nPos);
    void DelPsbkomasComKeimaStepUp(int nPos);
    void DelPsbkomasComGinStepUp(int nPos);
    void DelPsbkomasComKinStepUp(int nPos);
    void DelPsbkomasComGyokuStepUp(int nPos);
    void DelPsbkomasComUmaStepOneAll(int nPos);
    void DelPsbkomasComRyuStepOneNaname(int nPos);
    void DelPsbkomasComHishaStepManyUp(int nPos);
    void DelPsbkomasComHishaStepManyDown(int nPos);
    void DelPsbkomasComHishaStepManyRight(int nPos);
    void DelPsbkomasComHishaStepManyLeft(int nPos);
    void DelPsbkomasComKakuStepNanameUpRight(int nPos);
    void DelPsbkomasComKakuStepNanameUpLeft(int nPos);
    void DelPsbkomasComKakuStepNanameDownRight(int nPos);
    void DelPsbkomasComKakuStepNanameDownLeft(int nPos);

    // ---- move making, result table, legality (rules.cpp) ----
    void MoveKomaOnBoard(int nDstPos, int nSrcPos, int nNaru);
    void MoveKomaOnCapt(int nDstPos, int nKind);
    void BackKomaOnBoard(int nDstPos, int nSrcPos, int nNaru, int nCaptured);
    void BackKomaToCapt(int nDstPos);

    void SaveSearchData(RESULT_IO *pResult);
    void LoadSearchData(RESULT_IO *pResult);
    void SaveOuteDataOnMan(RESULT_IO *pResult);
    void SaveOuteDataOnCom(RESULT_IO *pResult);
    void LoadOuteDataOnMan(RESULT_IO *pResult);
    void LoadOuteDataOnCom(RESULT_IO *pResult);
    int CheckManyDaiBits(std::uint32_t dwDai);
    int CheckLittleDaiBits(std::uint32_t dwDai);

    bool CheckComNihu(int nPos);
    bool CheckManNihu(int nPos);
    bool IsMoveable(int nSrcPos, int nDstPos, int nKind, int nNaru);
    bool IsCorrectKomas();

    // ---- root search (ZelkorThink.cpp) ----
    int SearchTree(int nMin, int nMax, int &nSrcPos, int &nDstPos, int &nKind, int &nNaru);
    bool TryOpeningMove(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru);
    bool IsWellFormedComMove(const CANDI_MOVE &m) const;
    int PutRootHashMoveFirst(int n);
    int SearchRootPass(int n, int alpha, int nMax, bool &timedOut);

    // ---- evaluation (score.cpp; the position-score preparation in scoreprep.cpp) ----
    void PreparePosScore(); // InitBoard prepares the position scores through it
    int Evaluation();

    // Tests pin the random draw (0..32767) here; -1 draws from std::rand().
    int m_nFixedRandDraw = -1;

    static int RowOf(int s) { return s >> 4; }
    static int ColOf(int s) { return s & 15; }
    // Index into the king-relative tables: d signed rows, dc columns either way.
    static int KingRelIndex(int d, int dc) { return 128 + 16 * d + (dc < 0 ? -dc : dc); }

    bool IsBattleStarted();
    void PrepareKindScores();
    void PrepareOpeningTouches();
    void PrepareBattleScores();
    int AttackTerm(int k, int p, int nManRow) const;
    int DefenceTerm(int k, int p) const;
    template <bool AtCom> int RookLaneBonus(int s, int nKing) const;
    int EvaluateQuiet();
    int EvaluateBattle();
    int QuietManPawn(int s) const;
    int QuietComPawn(int s) const;
    int QuietManRook(int s);
    int QuietComRook(int s);
    int QuietComBishop(int s) const;
    int QuietComKing(int nKing);
    int PawnSpears(int nFront, int nSide) const;
    int KingHoles() const;
    int BattleKingZones() const;
    int BattleComCastle() const;
    int BattleComGuards() const;
    int RandomTerm(int score);

    // ---- exchange and profit estimates (score.cpp) ----
    int GetMinWeightComKoma(int nPos) const;
    int GetMinWeightManKoma(int nPos) const;
    int ProfitOnComUtsu(int code, int nPos) const;
    int ProfitOnManUtsu(int code, int nPos) const;
    int ProfitOnComMove(int nSrc, int nDst) const;
    int ProfitOnManMove(int nSrc, int nDst) const;
    int ProfitOnComOuMove(int nPos) const;
    int ProfitOnManOuMove(int nPos) const;

    // Exchange value and promotion bonus of piece number u (0 for u = 0).
    int UniWeight2(int u) const { return zelkor::kWeight2[m_komaUni[u].nKind & 15]; }
    int UniNaruBonus(int u) const { return zelkor::kAddWeightOnNaru[m_komaUni[u].nKind & 15]; }

    // ---- searches: surface and exchange (search.cpp), reply search and check
    // handling (searchreply.cpp), mate search (searchtumi.cpp) ----
    int SearchSurfaceByCom(int *pnPos);
    int SearchSurfaceByMan(int *pnPos);
    void SortPsbKomasByWeight(int nPos);
    template <bool Com> int SearchSurface(int *pnPos);
    template <bool Com> int SwapOff(int nPos, int nVictim) const;
    template <bool Com> int PromotionThreat(int *pnPos, int best) const;
    template <bool Com> int FreeSlideSquare(int nPos, int step, bool bZone) const;
    void SortAttackersByWeight(int *list, int n) const;

    int SearchManMove(int nMin, int nMax); // thin wrappers of SearchReply
    int SearchComMove(int nMin, int nMax);
    template <bool Com> int SearchReply(int nMin, int nMax);
    bool IsTimeOver() const;
    void TakeChildLine(int d, const CANDI_MOVE *first);
    void SetOneMoveLine(int d, int nSrcPos, int nDstPos, int nKind, int nNaru);
    void SaveSearchResult(int nGain, int nSearched, const KOMA_MOVE &m, int nDepth);
    void PutHashMoveFirst(CANDI_MOVE *list, int &n, const KOMA_MOVE &h, int nMax);
    bool IsManRecaptureExtended() const;
    bool IsComRecaptureExtended() const;
    void MakeCandiMove(const CANDI_MOVE &m);
    void UnmakeCandiMove(const CANDI_MOVE &m);

    int IsTumiOnManJust(bool bUtsuHu);
    int IsTumiOnComJust(bool bUtsuHu);
    int IsTumiOnManByOneMove();
    int IsTumiOnComByOneMove();
    int SearchTumiOnMan(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru, int nMaxDepth);
    int SearchTumiOnCom(int &nSrcPos, int &nDstPos, int &nKind, int &nNaru, int nMaxDepth);
    int ApplyOuteOnMan(bool bFree, int nCount);
    int ApplyOuteOnCom(bool bFree, int nCount);
    int AvoidOuteOnMan(bool bUtsuHu, bool bFree, int nCount);
    int AvoidOuteOnCom(int bUtsuHu, int bFree, int nCount);
    int DeepenTumiOnMan(int r, int s, bool bFree, int nCount, bool &stored);
    int DeepenTumiOnCom(int r, int s, bool bFree, int nCount, bool &stored);
    int GetFreeMaskOnManGyoku();
    int GetFreeMaskOnComGyoku();
    bool IsFarTumiDropOnMan(const CANDI_MOVE &m, int K) const;
    bool IsFarTumiDropOnCom(const CANDI_MOVE &m, int K) const;
    bool IsCheckMateOnMan(int t);
    bool IsCheckMateOnCom(int t);
    bool TryMateOnMan(const CANDI_MOVE &m);
    bool TryMateOnCom(const CANDI_MOVE &m);
    bool TryKnightMateOnMan(const CANDI_MOVE &m);
    bool TryKnightMateOnCom(const CANDI_MOVE &m);
    int LoadOuteOnMan(int nRemain);
    int LoadOuteOnCom(int nRemain);
    void SaveOuteOnMan(int v, int nRemain);
    void SaveOuteOnCom(int v, int nRemain);
    static void SortTumiByTemp1(CANDI_MOVE *list, int n);

    // ---- candidate list and assembly (candis1.cpp) ----
    // List machinery. Every candidate is written through PutCandi, which
    // refuses a slot past the end of m_moveCandi: lists of a ply may run on
    // into deeper rows while they are assembled, never out of the area.
    // Generators must be given write positions inside m_moveCandi.
    static constexpr int kCandiArea = 64 * 64;
    CANDI_MOVE *CandiEnd() { return &m_moveCandi[0][0] + kCandiArea; }
    CANDI_MOVE *CandiRow(int d) // row d, or the end of the area when d is past it
    {
        return &m_moveCandi[0][0] + (d >= 0 && d < 64 ? 64 * d : kCandiArea);
    }
    int PutCandi(CANDI_MOVE *p, int n, int src, int dst, int kind, int naru, int score)
    {
        if (n >= CandiEnd() - p)
            return n;
        p[n] = {src, dst, kind, naru, 0, score};
        return n + 1;
    }
    void SwapBestToFront(CANDI_MOVE *p, int n); // greatest nScore, first on ties; nTemp1 stays
    void DeleteSameMove(int *pnCount);
    void SortBy_nScore(int nCount, int nFill, CANDI_MOVE *p);

    // Assemblers
    void AppendCandiMovebyTreeData(int *pnCount);
    void AppendCandiMovebyCalcScore(int *pnCount);
    void AppendCandiMovebyAttackManHuKinGin(int &nCount);
    void AppendCandiMovebyUtsuManHu(int &nCount);
    void AppendCandiMovebyUtsuComHu(int &nCount);
    void AppendCandiMovebyManKomas(int &nCount);

    // Recipes, for the searches. The root list (Com to move, ply 0) is built
    // after the threat probe filled row 1 of m_moveTree; it is deduplicated,
    // ordered by m_moveHubo, sorted, cut to 100 and copied to
    // m_CandiInZeroDepth; the count is returned. The reply lists are built in
    // two halves around the search's threat probe: Begin...() returns the
    // count so far and, when the side's king is attacked, the finished list
    // (no probe then); End...(count) reads the probe's move from
    // m_moveTree[d + 1][d + 1] and returns the finished count (31 or 48 at most).
    int MakeRootCandi();
    int BeginComReplyCandi();
    int EndComReplyCandi(int nCount);
    int BeginManReplyCandi();
    int EndManReplyCandi(int nCount);
    int ThreatOfProbe(bool com, int &nCount);

    // Piece moves, captures, interpositions, check escapes (candis1.cpp)
    int GCCM_UsePointedKoma(int all, int nPos, CANDI_MOVE *p);
    int GMCM_UsePointedKoma(int all, int nPos, CANDI_MOVE *p);
    int GCCM_SelectUsePointedKoma(int n, int nPos, CANDI_MOVE *p);
    int GMCM_SelectUsePointedKoma(int n, int nPos, CANDI_MOVE *p);
    int GCCM_ToruOnPreMoveOfEnemy(int nPos, CANDI_MOVE *p);
    int GMCM_ToruOnPreMoveOfEnemy(int nPos, CANDI_MOVE *p);
    int GCCM_BreakOffShaKaku(bool all, int nFrom, int nTarget, CANDI_MOVE *p);
    int GMCM_BreakOffShaKaku(bool all, int nFrom, int nTarget, CANDI_MOVE *p);
    int GCCM_PsbBreakOffShaKaku(int all, int nFrom, int nTarget, CANDI_MOVE *p);
    int GCCM_EscapeFromOute();
    int GMCM_EscapeFromOute();
    int GCCM_PsbEscapeFromOute();

    // Moves that attack a square, checks (candis2.cpp)
    int GCCM_DestPointedPos(int mode, int nTarget, CANDI_MOVE *p);
    int GMCM_DestPointedPos(int mode, int nTarget, CANDI_MOVE *p);
    int GCCM_Oute(CANDI_MOVE *p);
    int GMCM_Oute(CANDI_MOVE *p);
    int GCCM_DemandKomaOute(CANDI_MOVE *p);
    int GMCM_DemandKomaOute(CANDI_MOVE *p);
    int GCCM_BreakThroughOfShaKakuOute(CANDI_MOVE *p);
    int GMCM_BreakThroughOfShaKakuOute(CANDI_MOVE *p);
    int GetDefendKomasOnManGyoku(int nPos);
    int GetDefendKomasOnComGyoku(int nPos);

    // Side-generic bodies of the twins above, written once through Side<C>
    // (side.h); C is true for Com.
    template <bool C> bool CanDropOn(int k, int s);
    template <bool C> int DestScore(int k, int src, int dst);
    template <bool C> bool IsDirectAttacker(int u, int s) const;
    template <bool C> int UsePointedKomaT(int all, int nPos, CANDI_MOVE *p);
    template <bool C> int ToruOnPreMoveT(int t, CANDI_MOVE *p);
    template <bool C, bool Psb> int BreakOffT(int all, int from, int t, CANDI_MOVE *p);
    template <bool C, bool Psb> int EscapeFromOuteT();
    template <bool C> int DestPointedPosT(int mode, int t, CANDI_MOVE *p);
    template <bool C> int OuteT(CANDI_MOVE *p);
    template <bool C> int DemandKomaOuteT(CANDI_MOVE *p);
    template <bool C> int BreakThroughOuteT(CANDI_MOVE *p);
    template <bool C> int DefendKomasT(int n);
    template <bool C> int LineMovesT(int t, int dir, int kind7, int mode, CANDI_MOVE *p, int n);
    template <bool C> int LineDropsT(int t, int dir, int kind, int mode, CANDI_MOVE *p, int n);

    // ---- candidate generators (candis1.cpp, candis2.cpp, candis3.cpp) ----
    // Threat responses, captures and promotions (candis3.cpp). These find
    // their write position at row m_nDepth, index *pnCount, and add to it.
    void GCCM_Disturb(int nSrcPos, int nDstPos, int nKind, int nUnused, int *pnCount);
    void GMCM_Disturb(int nSrcPos, int nDstPos, int nKind, int nUnused, int *pnCount);
    void GCCM_PsbDisturb(int nSrcPos, int nDstPos, int nKind, int nNaru, int *pnCount);
    void GCCM_DisturbSurfaceByMan(int nDone, int *pnCount);
    void GMCM_DisturbSurfaceByCom(int nDone, int *pnCount);
    void GCCM_ToruOrNaru(int nQuota, int *pnCount);
    void GMCM_ToruOrNaru(int nQuota, int *pnCount);
    void GCCM_ThreatManKoma(int nQuota, int *pnCount);
    void GMCM_ThreatComKoma(int nQuota, int *pnCount);
    // Attacks on a piece, double-attack drops, lures (candis3.cpp)
    int GCCM_DemandManKoma(int nUtsuPrio, int nMovePrio, int nPos, CANDI_MOVE *pCandi);
    int GMCM_DemandComKoma(int nUtsuPrio, int nMovePrio, int nPos, CANDI_MOVE *pCandi);
    int GCCM_UtsuDemandTwo(CANDI_MOVE *pCandi);
    int GMCM_UtsuDemandTwo(CANDI_MOVE *pCandi);
    int GCCM_FeedOverEffect(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_FeedOverEffect(int nQuota, CANDI_MOVE *pCandi);
    int ProfitOnAttractMan(int nBase, int nPos0);
    int ProfitOnAttractCom(int nBase, int nPos0);
    // Line-piece play, gold approach, strategic drops (candis4.cpp)
    int GCCM_BreakThroughOfShaKaku(CANDI_MOVE *pCandi);
    int GMCM_BreakThroughOfShaKaku(CANDI_MOVE *pCandi);
    int GCCM_BreakThroughOfSha(CANDI_MOVE *pCandi);
    int GMCM_BreakThroughOfSha(CANDI_MOVE *pCandi);
    int GCCM_DefenceShaKaku(CANDI_MOVE *pCandi);
    int GMCM_DefenceShaKaku(CANDI_MOVE *pCandi);
    int GCCM_AttackByKin(CANDI_MOVE *pCandi);
    int GMCM_AttackByKin(CANDI_MOVE *pCandi);
    int GCCM_UtsuHu(CANDI_MOVE *pCandi);
    int GCCM_UtsuOfShaKaku(CANDI_MOVE *pCandi);
    int GMCM_UtsuOfShaKaku(CANDI_MOVE *pCandi);
    int GMCM_FowardHuNaru(CANDI_MOVE *pCandi);
    int GMCM_UtsuOfHu(CANDI_MOVE *pCandi);
    // King-zone attacks, pins, pawn play (candis4.cpp); quota, then the block
    int GCCM_AttackOnGyokuNarrowAround(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_AttackOnGyokuNarrowAround(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_AttackOnGyokuWideAround(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_AttackOnGyokuWideAround(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_AttackbyHishaKakuKyou(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_AttackbyHishaKakuKyou(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_AttackHu(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_AttackHu(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_AttackOnEnemyHu(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_AttackOnEnemyHu(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_UtsuHuOnEnemyField(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_UtsuHuOnEnemyField(int nQuota, CANDI_MOVE *pCandi);
    int GCCM_ToruOnKeimaKyouHu(int nQuota, CANDI_MOVE *pCandi);
    int GMCM_ToruOnKeimaKyouHu(int nQuota, CANDI_MOVE *pCandi);

    // =====================================================================
    // Fields
    // =====================================================================

    // Status
    int m_nGameStatus{}; // 1 idle, 2 thinking
    int m_nKindReq{};    // break request

    // Level and counters
    int m_nComLevel{};
    int m_nRandPortion{};
    int m_nCounter{}; // moves in the game so far; index into m_moveKibo

    // Position
    int m_nBoard[256]{};
    int m_nCaptByCom[8]{};
    int m_nCaptByMan[8]{};
    int m_nUniBoard[256]{};
    int m_nUniNum[8][32]{}; // per base kind: numbers not on the board (a stack)
    int m_nCurrUniNumPos[8]{};
    KOMA_BY_UNINUM m_komaUni[41]{};

    // Attack lists
    int m_nPsbComKoma[256][32]{};
    int m_nPsbManKoma[256][32]{};
    int m_nPsbComKomas[256]{};
    int m_nPsbManKomas[256]{};

    // Position key
    std::uint32_t m_dwBoard1{};
    std::uint32_t m_dwBoard2{};
    std::uint32_t m_dwDai{}; // Com's hand, packed by zelkor::kDaiCode

    // Time control and mate-search limits
    int m_nTimeLimit{}; // seconds
    bool m_bTime{};
    int m_nTimeCounter{};
    std::clock_t m_clockStart{};
    int m_nReflexMax{};
    int m_nReflex1{};
    int m_nReflex2{};

    // Depth control
    int m_nDepth{}; // even: Com to move, odd: Man to move
    int m_nMinTagDepth{};
    int m_nRemainDepth{};
    int m_nTagDepth{};
    int m_nStartDepth{};

    // Result table
    SEARCH_RESULT *m_pResult{};
    std::uint32_t m_dwMemLimit{}; // entries - 1
    int m_nLimitResults{};
    int m_nResults{};
    int m_nMaxResults{};

    // Random keys
    int m_nRandom{};
    std::uint32_t m_nUniCode[32][256][2]{}; // [code, or code - 112 for Com][square][word]

    // Search flags
    int m_bCallTumiFunc{};
    bool m_bNormConfig{};
    bool m_bHiKakRoku{};
    bool m_bBattle{};
    int m_nMode{};

    // Evaluation
    int m_nWeightScore{}; // material balance, Com minus Man
    int m_nStartWeightScore{};
    int m_nComPosScore[16][256]{};
    int m_nManPosScore[16][256]{};
    int m_nAddScoreInDefense[272]{};
    int m_nAddScoreInAttack[272]{};
    int m_nProfitOnCapt[18][16]{};
    int m_nProfitOnCapt1[18][8]{};
    int m_nProfitOnUtsu[18][8]{};

    // Candidates and tree
    CANDI_MOVE m_CandiInZeroDepth[100]{};
    CANDI_MOVE m_moveCandi[64][64]{};
    CANDI_MOVE *m_pPreCandi[64]{};
    KOMA_MOVE m_moveTree[64][64]{};
    int m_nSearchedDepth[64]{};
    int m_nDisturbDepth{};
    KOMA_MOVE m_moveHubo[64]{};
    int m_nHubos{};
    int m_nPsbComMoves{};

    // Game record and scratch
    MOVE_KIBO m_moveKibo[512]{};
    int m_nTemp[32]{}; // rays collected while moving: (square, direction) pairs

private:
    // rules.cpp
    template <bool Com> void AddSteps(int nPos, const int *steps, int n);
    template <bool Com> void DelSteps(int nPos, const int *steps, int n);
    template <bool Com> void AddRay(int nPos, int step, const int *capacity);
    template <bool Com> void DelRay(int nPos, int step);
    template <bool Com> void CollectSideRays(int q, int &n);
    void CollectRays(int q, int &n);
    void ReAddRays(int n);
    int FindSlot(std::uint32_t dwBoard1, int i) const;
    void SaveMateAsSearch(int nGain, int nDepth);
};

#endif
