#include "gameflow.h"

#include "Zelkor.h"
#include "cplayer.h"
#include "dochost.h"
#include "moverules.h"
#include "shogidoc.h"

#include <QCoreApplication>

#include <memory>
#include <system_error>
#include <type_traits>
#include <utility>

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

// The engine's operations are detected rather than assumed, so the program
// builds and plays while the engine is still being written.
template <typename E, typename = void> struct CanThink : std::false_type
{
};
template <typename E>
struct CanThink<E, std::void_t<decltype(std::declval<E &>().OnFindMove(
                                   0, std::declval<unsigned int *>(), std::declval<int *>())),
                               decltype(std::declval<E &>().UpdateBoard(
                                   std::declval<const unsigned char (*)[9]>(),
                                   std::declval<const int *>(), std::declval<const int *>(), 0))>>
    : std::true_type
{
};
template <typename E, typename = void> struct CanInitGame : std::false_type
{
};
template <typename E>
struct CanInitGame<E, std::void_t<decltype(std::declval<E &>().InitGame())>> : std::true_type
{
};
template <typename E, typename = void> struct CanSetLevel : std::false_type
{
};
template <typename E>
struct CanSetLevel<E, std::void_t<decltype(std::declval<E &>().SetComLevel(0))>> : std::true_type
{
};

// Chooses the stand-in's move on the user-interface thread, from the
// document's own position: the most valuable capture, else a varied move.
std::pair<unsigned int, int> StandInChoose(ShogiDoc &doc)
{
    const BYTE me = doc.GetCurPlayer();
    const BYTE other = BYTE(3 - me);
    std::vector<MoveRules::Move> moves;
    MoveRules::GenerateMoves(doc, me, moves);
    if (moves.empty())
        return {0, EngineResult::ComputerDefeated};
    static unsigned seed = 12345;
    seed = seed * 1103515245u + 12345u;
    size_t best = (seed >> 16) % moves.size();
    for (size_t i = 0; i < moves.size(); ++i)
        if (GetKomaSort(moves[i].dkoma) > GetKomaSort(moves[best].dkoma))
            best = i;
    const MoveRules::Move m = moves[best];
    MoveRules::MakeMove(doc, m);
    std::vector<MoveRules::Move> replies;
    MoveRules::GenerateMoves(doc, other, replies);
    const bool check = MoveRules::IsKingAttacked(doc, other);
    MoveRules::UnmakeMove(doc, m);
    const int result = replies.empty() ? EngineResult::ComputerWins
                                       : (check ? EngineResult::Check : EngineResult::Move);
    const bool atTop = doc.IsAddXY(me);
    return {PackEngineMove(m.sx, m.sy, m.dx, m.dy, m.skoma, m.koma != m.skoma, atTop), result};
}

CEngineCalls StandInEngine()
{
    auto chosen = std::make_shared<std::pair<unsigned int, int>>(0, 0);
    CEngineCalls c;
    c.InitGame = [] { return 0; };
    c.SetComLevel = [](int) {};
    c.UpdateBoard = [chosen](const CEnginePosition &) {
        if (g_Doc)
            *chosen = StandInChoose(*g_Doc);
    };
    c.OnFindMove = [chosen](int, unsigned int *move, int *result) {
        if (chosen->second != EngineResult::ComputerDefeated)
            *move = chosen->first;
        *result = chosen->second;
    };
    return c;
}

template <typename E> CEngineCalls BindEngine(E *engine)
{
    CEngineCalls c = StandInEngine();
    if constexpr (CanInitGame<E>::value)
        c.InitGame = [engine] { return engine->InitGame(); };
    if constexpr (CanSetLevel<E>::value)
        c.SetComLevel = [engine](int level) { engine->SetComLevel(level); };
    if constexpr (CanThink<E>::value) {
        c.UpdateBoard = [engine](const CEnginePosition &p) {
            engine->UpdateBoard(p.board, p.up, p.down, p.counter);
        };
        c.OnFindMove = [engine](int turn, unsigned int *move, int *result) {
            engine->OnFindMove(turn, move, result);
        };
    }
    return c;
}

} // namespace

CEngineCalls DefaultEngineCalls()
{
    return BindEngine(g_pZelkor);
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
    m_bComputerMoveing = true;
    m_flow.abandon = false;
    SetMustWait(true);
    disableCommand(11020);
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
    if (m_bComputerMoveing)
        m_flow.abandon = true;
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
    EngineCalls().UpdateBoard(pos);
    const int turn = g_nTurn;
    doc->GameFlow().thread.Start([think = EngineCalls().OnFindMove, turn] {
        think(turn, &g_dwMove, &g_nEngineResult);
        g_bMoveEnd.store(true, std::memory_order_release);
    });
}
