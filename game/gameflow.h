#ifndef KORVANE_GAMEFLOW_H
#define KORVANE_GAMEFLOW_H

#include "Gloval.h"

#include <atomic>
#include <functional>
#include <thread>

class ShogiDoc;

// Game status values of g_byGameStatus.
namespace GameStatus {
constexpr BYTE Start = 1;
constexpr BYTE Playing = 2;
constexpr BYTE Stopped = 3;
constexpr BYTE Resigned = 4;
constexpr BYTE AutoReplay = 5;
constexpr BYTE Editing = 6;
constexpr BYTE Removing = 7;
constexpr BYTE ShowingComputerMove = 9;
} // namespace GameStatus

// Engine result codes handed to ShogiApp::ProComputerMove.
namespace EngineResult {
constexpr int Move = 0;
constexpr int Check = 5;
constexpr int ComputerWins = 15;
constexpr int ComputerDefeated = 16;
constexpr int ComputerResigns = 17;
constexpr int PawnDropMate = 18;
} // namespace EngineResult

extern BYTE g_byGameStatus;
extern BYTE g_byTempGameStatus;
// 1 when the computer of the current think sits at the top, 0 at the bottom.
extern int g_nTurn;
// Written by the worker thread; read only after g_bMoveEnd is seen set.
extern unsigned int g_dwMove;
extern int g_nEngineResult;
// Set with release ordering after the two above; read with acquire.
extern std::atomic<bool> g_bMoveEnd;
extern ShogiDoc *g_Doc;

// The position in the engine's input form: [row][column] with the top
// player's pieces carrying bit 128, hands pawn .. rook.
struct CEnginePosition
{
    unsigned char board[9][9];
    int up[7];
    int down[7];
    int counter;
};

// The engine as the game flow calls it. UpdateBoard runs on the user-interface
// thread, OnFindMove on the worker. Tests put a fake engine here.
struct CEngineCalls
{
    std::function<int()> InitGame;
    std::function<void(int level)> SetComLevel;
    std::function<void(const CEnginePosition &pos)> UpdateBoard;
    std::function<void(int turn, unsigned int *move, int *result)> OnFindMove;
    // Asks a running think to end soon (true, any thread); false clears the
    // request before the next think.
    std::function<void(bool stop)> SetStop;
};
CEngineCalls &EngineCalls();
// The calls bound to g_pZelkor.
CEngineCalls DefaultEngineCalls();

// Packs a document move as the engine reports it (think orientation), the
// inverse of ShogiDoc::ProComputerMove (for tests and fake engines).
unsigned int PackEngineMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE code, bool promote,
                            bool computerAtTop);

// The worker thread of the computer's turn. Destroying it waits for a think
// still running, so quitting never leaves a thread on a dead engine.
class CThinkThread
{
public:
    CThinkThread() = default;
    CThinkThread(const CThinkThread &) = delete;
    CThinkThread &operator=(const CThinkThread &) = delete;
    ~CThinkThread() { Join(); }

    // Waits for the previous think (finished by then), then runs work.
    void Start(std::function<void()> work);
    bool IsRunning() const { return m_running.load(std::memory_order_acquire); }
    void Join();

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};

// What the document keeps for the computer's turn besides the fields of its
// table: the worker, and whether the answer of the running think is stale.
struct CGameFlowState
{
    explicit CGameFlowState(ShogiDoc *doc);
    ~CGameFlowState();
    ShogiDoc *doc;
    bool abandon = false;
    CThinkThread thread;
    // A player of another kind (an engine in its own process) may take the
    // computer's turn: true when it has.
    std::function<bool(BYTE player)> takeTurn;
};

#endif
