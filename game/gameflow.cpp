#include "gameflow.h"

#include "Zelkor.h"
#include "cplayer.h"
#include "dochost.h"
#include "moverules.h"
#include "shogidoc.h"

#include <QCoreApplication>

#include <system_error>

BYTE g_byGameStatus = GameStatus::Start;
BYTE g_byTempGameStatus = GameStatus::Start;
int g_nTurn = 0;
unsigned int g_dwMove = 0;
int g_nEngineResult = 0;
std::atomic<bool> g_bMoveEnd{false};
ShogiDoc *g_Doc = nullptr;

namespace {

constexpr BYTE DropPos = 10;
constexpr unsigned DropSquare = 255;
constexpr unsigned Mirror = 136; // 0x88: both nibbles turned round

} // namespace

CEngineCalls DefaultEngineCalls()
{
    CZelkor *engine = g_pZelkor;
    CEngineCalls c;
    c.InitGame = [engine] { return engine->InitGame(); };
    c.SetComLevel = [engine](int level) { engine->SetComLevel(level); };
    c.UpdateBoard = [engine](const CEnginePosition &p) {
        engine->UpdateBoard(p.board, p.up, p.down, p.counter);
    };
    c.OnFindMove = [engine](int turn, unsigned int *move, int *result) {
        engine->OnFindMove(turn, move, result);
    };
    c.SetStop = [engine](bool stop) { engine->m_bStopRequest = stop; };
    return c;
}

CEngineCalls &EngineCalls()
{
    static CEngineCalls calls = DefaultEngineCalls();
    return calls;
}

unsigned int PackEngineMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE code, bool promote,
                            bool computerAtTop)
{
    auto square = [computerAtTop](BYTE x, BYTE y) {
        const unsigned s = unsigned(y) * 16 + x;
        return computerAtTop ? s : Mirror - s;
    };
    const unsigned src = sx == DropPos ? DropSquare : square(sx, sy);
    const unsigned kind =
        GetKomaSort(code) + (GetKomaProperty(code) == 2 ? 8u : 0u) + 128u; // Com's piece
    return src | square(dx, dy) << 8 | kind << 16 | unsigned(promote ? 1 : 0) << 24;
}

// ---------------------------------------------------------------- worker

void CThinkThread::Start(std::function<void()> work)
{
    Join();
    m_running.store(true, std::memory_order_release);
    auto run = [this, work = std::move(work)] {
        work();
        m_running.store(false, std::memory_order_release);
    };
    try {
        m_thread = std::thread(run);
    } catch (const std::system_error &) {
        // No thread to be had: think here rather than never answer.
        run();
    }
}

void CThinkThread::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

CGameFlowState::CGameFlowState(ShogiDoc *d) : doc(d) {}

CGameFlowState::~CGameFlowState()
{
    // Quitting during a think need not wait for its full time.
    if (thread.IsRunning() && EngineCalls().SetStop)
        EngineCalls().SetStop(true);
    thread.Join();
    if (g_Doc == doc)
        g_Doc = nullptr;
}

// ---------------------------------------------------------------- document

void ShogiDoc::InitGameFlow()
{
    g_Doc = this;
    m_bMustWait = true;
    connect(&m_ComputerMove, &QTimer::timeout, this, &ShogiDoc::ComputerMoveTimeOut);
    connect(&m_ComputerMoveProc, &QTimer::timeout, this, &ShogiDoc::ComputerEngineTimer);
    m_ComputerMove.setInterval(50);
    m_ComputerMoveProc.setInterval(100);
    // Timers need the application's event loop; a document made without one
    // (a test of the rules) simply never starts the computer.
    if (QCoreApplication::instance()) {
        m_ComputerMove.start();
        m_ComputerMoveProc.start();
    }
}

void ShogiDoc::Play()
{
    if (m_pHost)
        m_pHost->StatusMessageTimeOut();
}

void ShogiDoc::ComputerMoveTimeOut()
{
    // An answer not yet taken, or a think still running (of a game since
    // abandoned), must be out of the way before the next think starts.
    if (g_byGameStatus != GameStatus::Playing || m_bComputerMoveing || m_flow.thread.IsRunning() ||
        g_bMoveEnd.load(std::memory_order_acquire))
        return;
    CPlayer *player = GetPlayer(m_byCurPlayer);
    if (!player || player->GetProperty() != 2)
        return;
    if (m_flow.takeTurn && m_flow.takeTurn(m_byCurPlayer))
        return;
    m_bComputerMoveing = true;
    m_flow.abandon = false;
    SetMustWait(true);
    // Break stays available: it abandons the think.
    disableCommand(11040);
    disableCommand(11050);
    player->Play();
}

void ShogiDoc::ComputerEngineTimer()
{
    if (!g_bMoveEnd.load(std::memory_order_acquire))
        return;
    g_bMoveEnd.store(false, std::memory_order_relaxed);
    const bool stale = m_flow.abandon;
    m_flow.abandon = false;
    if (!stale && g_byGameStatus != GameStatus::Stopped) {
        SetMustWait(false);
        ProComputerMove(g_dwMove, g_nEngineResult);
    }
    m_bComputerMoveing = false;
}

void ShogiDoc::AbandonComputerMove()
{
    if (m_bComputerMoveing) {
        m_flow.abandon = true;
        // The engine is one for the run: the next think waits for this one,
        // so it is cut short rather than left to use its time.
        if (m_flow.thread.IsRunning() && EngineCalls().SetStop)
            EngineCalls().SetStop(true);
    }
    m_bComputerMoveing = false;
}

void ShogiDoc::ProComputerMove(unsigned int dwMove, int nR)
{
    unsigned src = dwMove & 0xff;
    unsigned dst = (dwMove >> 8) & 0xff;
    unsigned kind = (dwMove >> 16) & 0xff;
    const bool promote = ((dwMove >> 24) & 0xff) != 0;
    if (!IsAddXY(m_byCurPlayer)) {
        if (src != DropSquare)
            src = (Mirror - src) & 0xff;
        dst = (Mirror - dst) & 0xff;
        kind &= 15;
    }
    BYTE sx = BYTE(src & 15), sy = BYTE(src >> 4);
    const BYTE dx = BYTE(dst & 15), dy = BYTE(dst >> 4);
    if (src == DropSquare)
        sx = DropPos;
    if (m_pHost)
        m_pHost->ProComputerMove(sx, sy, dx, dy, BYTE(kind), promote, nR);
}

// ---------------------------------------------------------------- player

void CPlayer::Play()
{
    if (m_byProperty != 2 || !doc)
        return;
    const BYTE topOwner = doc->GetFirstUp() ? 1 : 2;
    g_nTurn = m_byOrderProperty == topOwner ? 1 : 0;
    CEnginePosition pos{};
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc->GetBoardInfo(x, y);
            if (v == 0)
                continue;
            pos.board[y][x] = BYTE(GetKomaSort(v) + (GetKomaProperty(v) == 2 ? 8 : 0) +
                                   (GetWhoseKoma(v) == topOwner ? 128 : 0));
        }
    const CPlayer *up = doc->GetPlayer(topOwner);
    const CPlayer *down = doc->GetPlayer(BYTE(3 - topOwner));
    for (BYTE k = 1; k <= 7; ++k) {
        pos.up[k - 1] = up->GetDaiNum(k);
        pos.down[k - 1] = down->GetDaiNum(k);
    }
    pos.counter = doc->GetKiboNum();
    if (EngineCalls().SetStop)
        EngineCalls().SetStop(false);
    EngineCalls().UpdateBoard(pos);
    const int turn = g_nTurn;
    doc->GameFlow().thread.Start([think = EngineCalls().OnFindMove, turn] {
        think(turn, &g_dwMove, &g_nEngineResult);
        g_bMoveEnd.store(true, std::memory_order_release);
    });
}
