#ifndef KORVANE_ZELKOR_H
#define KORVANE_ZELKOR_H

#include <cstdint>
#include <ctime>

// The position handed in by the document: [row - 1][col - 1], engine piece codes.
typedef unsigned char BOARD[9][9];

// 32-bit event handle of a threading model this platform does not use.
typedef std::uint32_t HANDLE;

struct KOMA_BY_UNINUM
{
    int nKind; // code of the numbered piece, 0 while it is in a hand
    int nPos;  // its square (meaningless while in a hand)
};

// nKind: for a board move the code on the destination before the move (0 if
// empty); for a drop the dropped piece's full code. nNaru: 8 promotes.
struct KOMA_MOVE
{
    int nSrcPos; // 255 for a drop
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

struct STEP_ON_DIR
{
    int nStepHisha;
    int nStepKaku;
};

struct WEIGHT_DAIKOMAS
{
    int nWeight[32]; // value of holding n pieces of one kind, by n
};

// The computer opponent. One object for the whole run (g_pZelkor).
//
// Squares are 16 * row + col (rows and cols 1..9) in a 256-entry mailbox whose
// frame holds 255. Codes: 1..8 Man's pawn..king, +8 promoted, +128 Com's.
// Unique piece numbers 1..40 (1 Man's king, 2 Com's king) follow a piece for
// its whole life; the attack lists store them (+128 for an x-ray entry).
class CZelkor
{
public:
    CZelkor();
    virtual bool InitInstance();
    virtual int ExitInstance();
    virtual ~CZelkor();

    CZelkor(const CZelkor &) = delete;
    CZelkor &operator=(const CZelkor &) = delete;

    // ---- interface used by the document (Zelkor.cpp) ----
    int InitGame();
    void SetComLevel(int level);
    void UpdateBoard(const BOARD b, const int *comHand, const int *manHand, int counter);
    int CheckBoard(const BOARD b, const int *comHand, const int *manHand, int mode);
    int CheckMoveable(int src, int dst, int code);
    void SearchMovablePos(int pos, int *count, unsigned char *out);

    // ---- think driver (OnFindMove, FindMove, MainThink, ...) ----

    // ---- set-up (Zelkor.cpp, ZelkorConst.cpp) ----
    void AssignConstants();
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

    // ---- root search (Zelkor.cpp) ----

    // ---- evaluation (score.cpp) ----
    void PreparePosScore(); // InitBoard prepares the position scores through it

    // ---- exchange and profit estimates (score.cpp) ----

    // ---- reply search, mate search, check handling (search.cpp) ----

    // ---- candidate list and assembly (candis1.cpp) ----

    // ---- candidate generators (candis1.cpp, candis2.cpp, candis3.cpp) ----

    // =====================================================================
    // Fields
    // =====================================================================

    // Status and platform
    HANDLE m_hEndEvent{};
    HANDLE m_hKillEvent{};
    int m_nGameStatus{}; // 1 idle, 2 thinking
    int m_nKindReq{};    // break request

    // Constant tables (AssignConstants)
    int m_nWeight1[16]{};
    int m_nWeight2[16]{};
    int m_nAddWeightOnNaru[16]{};
    WEIGHT_DAIKOMAS m_weightDaiKomas[8]{};
    STEP_ON_DIR m_stepOfHiKaku[4]{};
    int m_nAroundStep[8]{};
    int m_nAroundCode[8]{};
    int m_nMarkOnCode[4][16]{};
    int m_nKomaOnCode[4][8]{};
    int m_nNeckOnAround[8][8]{};
    int m_nAttractDir[8][8]{};
    int m_nUtsuFrom[4]{};
    int m_nUtsuTo[4]{};
    int m_nIniOnPos[256]{};
    int m_nAddOnOut[256]{};
    double m_dRate[5]{};
    double m_dAdjuster[8]{};
    int m_nIniBoard[256]{};
    std::uint32_t m_dwDaiCode[8]{};
    std::uint32_t m_dwDaiBits[8]{};
    int m_nRandParam[4]{};
    int m_nGoldenDist[16]{};
    int m_nForward[16]{};
    int m_nHorzBack[16]{};
    int m_nForwDiag[16]{};
    int m_nBackDiag[16]{};
    int m_nHiAttPcnt[288]{}; // [18][16], cols 0..8 used
    int m_nKinAttPcnt[288]{};
    int m_nKinDefPcnt[288]{};

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
    std::uint32_t m_dwDai{}; // Com's hand, packed by m_dwDaiCode

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

    // ---- fields of later layers ----

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

extern CZelkor *g_pZelkor;

#endif
