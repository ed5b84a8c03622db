// The soak: computer-against-computer games played through the document's
// own game flow (its timers, the worker thread, the host's computer-move
// call), every move checked with the protocol program's rules, which share
// no code with the document's, and every record saved, reopened and
// compared byte for byte.
//
//   korvane-bench selfplay N [--depth D] [--max-plies P] [--dir DIR]
//
// Game i plays set-up i % 6, the first player at the top when (i / 6) is odd,
// and from game 12 on starts with a few random plies (seeded by i) so that
// the deterministic engine does not repeat the same twelve games. A failed
// game is kept as DIR/failed-<i>.kvn, which the game itself can open.
#include "selfplay.h"

#include "cplayer.h"
#include "dochost.h"
#include "gameflow.h"
#include "shogidoc.h"
#include "usi_position.h"
#include "Zelkor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <thread>

namespace {

constexpr int kSetups = 6;            // the even game and five handicaps
constexpr int kFixedSetupGames = 12;  // every set-up in both orientations
constexpr int kMaxOpeningPlies = 6;   // random plies before the computers take over
constexpr int kDefaultDepth = 1;      // the fastest search that still plays sensibly
constexpr int kDefaultMaxPlies = 300; // a game still going here is stopped as a draw
constexpr int kAnswerLimitMs = 300000; // a think longer than this is a hang
constexpr BYTE kDropPos = 10;         // the document's source column of a drop
constexpr int kShownVerdicts = 3;     // examples printed of each wrong engine verdict

struct Options
{
    int games = 0;
    int depth = kDefaultDepth;
    int maxPlies = kDefaultMaxPlies;
    QString dir;
};

// The document's squares are [column][row] seen as shown; the rules' squares
// have the first player (sente) at the bottom whatever the orientation.
int SquareOf(const ShogiDoc &doc, int x, int y)
{
    if (doc.GetFirstUp()) {
        x = 8 - x;
        y = 8 - y;
    }
    return 16 * (y + 1) + (x + 1);
}

int CodeOf(BYTE v)
{
    return GetKomaSort(v) + (GetKomaProperty(v) == 2 ? 8 : 0) + (GetWhoseKoma(v) == 2 ? 128 : 0);
}

usi::Position PositionOf(const ShogiDoc &doc)
{
    usi::Position p = usi::EmptyPosition();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            if (const BYTE v = doc.GetBoardInfo(BYTE(x), BYTE(y)))
                p.Set(SquareOf(doc, x, y), CodeOf(v));
    for (int side = 0; side < 2; ++side)
        for (int k = 1; k <= 7; ++k)
            p.hand[side][k] = doc.GetPlayer(BYTE(side + 1))->GetDaiNum(BYTE(k));
    p.side = doc.GetCurPlayer() == 1 ? usi::kSente : usi::kGote;
    return p;
}

bool SamePosition(const usi::Position &a, const usi::Position &b)
{
    if (a.side != b.side || std::memcmp(a.board, b.board, sizeof a.board) != 0)
        return false;
    for (int side = 0; side < 2; ++side)
        for (int k = 1; k <= 7; ++k)
            if (a.hand[side][k] != b.hand[side][k])
                return false;
    return true;
}

// The main window's part of the game flow, without widgets: computer moves
// are played at once, and the game stops where the main window would stop it.
class SoakHost : public CDocHost
{
public:
    explicit SoakHost(ShogiDoc &doc, int maxPlies) : m_doc(doc), m_maxPlies(maxPlies) {}

    void Begin()
    {
        shadow = PositionOf(m_doc);
        failure.clear();
        ending = nullptr;
    }
    void Fail(const std::string &why)
    {
        if (failure.empty())
            failure = why + " after " + std::to_string(m_doc.GetKiboNum()) + " plies";
        End("failure");
    }

    // Plays a move the rules allow, through the document as the board does.
    void Play(const usi::Move &m)
    {
        const BYTE me = m_doc.GetCurPlayer();
        BYTE sx = kDropPos, sy = kDropPos, piece = MakePhysicsKoma(BYTE(m.drop), me, 1), next;
        if (m.src != usi::kDrop) {
            sx = DocX(m.src);
            sy = DocY(m.src);
            piece = m_doc.GetBoardInfo(sx, sy);
        }
        next = m.promote ? MakePhysicsKoma(GetKomaSort(piece), me, 2) : piece;
        const BYTE dx = DocX(m.dst), dy = DocY(m.dst);
        m_doc.AddKibo(sx, sy, piece, dx, dy, m_doc.GetBoardInfo(dx, dy), next);
        shadow = usi::Apply(shadow, m);
        if (!SamePosition(PositionOf(m_doc), shadow))
            Fail("the document's position differs from the rules' after " + usi::MoveText(m));
    }

    void ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool naru, int nR) override
    {
        ++thinks;
        switch (nR) {
        case EngineResult::ComputerDefeated:
            if (!usi::LegalMoves(shadow).empty())
                return Fail("the computer gave up with a legal move left");
            return End("mated");
        case EngineResult::ComputerResigns:
            return End("resigned");
        case EngineResult::PawnDropMate:
            return End("pawn-drop mate only");
        default:
            break;
        }
        usi::Move m;
        if (sx == kDropPos) {
            m.src = usi::kDrop;
            m.drop = (kind & 127) > 8 ? (kind & 127) - 8 : (kind & 127);
        } else if (sx < 9 && sy < 9) {
            m.src = SquareOf(m_doc, sx, sy);
            const BYTE v = m_doc.GetBoardInfo(sx, sy);
            const BYTE k = GetKomaSort(v);
            // The engine marks every move that may promote; the board promotes it.
            m.promote = naru && k != 5 && k != 8 && GetKomaProperty(v) == 1;
        } else {
            return Fail("a move from off the board");
        }
        if (dx > 8 || dy > 8)
            return Fail("a move to off the board");
        m.dst = SquareOf(m_doc, dx, dy);
        if (!usi::IsLegal(shadow, m))
            return Fail("illegal move " + usi::MoveText(m) + " in " + usi::WriteSfen(shadow));
        Play(m);
        if (!failure.empty())
            return;
        // The engine's verdicts are counted, not failed: the move itself is
        // sound and the game goes on (or ends) as it would on the board.
        const bool check = usi::InCheck(shadow, shadow.side);
        if ((nR == EngineResult::Check) != check)
            Note(wrongChecks, check ? "check not announced" : "check announced without one", m);
        if (nR == EngineResult::ComputerWins) {
            if (!usi::LegalMoves(shadow).empty())
                Note(falseWins, "a win claimed with a legal reply left", m);
            return End("win claimed");
        }
        if (m_doc.GetKiboNum() >= m_maxPlies)
            End("move limit");
    }

    void slotGameBreak() override { End("resigned"); }
    void SetDocModified(bool) override {}
    void AddKibo(BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, unsigned int) override {}
    void OpenAddKibo(BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, unsigned int) override {}
    void ResetKiboWindow() override {}
    void ResetView() override {}
    void enableCommand(int) override {}
    void disableCommand(int) override {}
    void slotFileSaveAs() override {}
    Answer AskYesNoCancel(const char *) override { return No; }
    qint64 GameTimeElapsed() override { return m_clock.elapsed(); }
    void RestartGameTime() override { m_clock.restart(); }

    usi::Position shadow;
    std::string failure;
    const char *ending = nullptr;
    long thinks = 0;
    long wrongChecks = 0;
    long falseWins = 0;

private:
    void Note(long &count, const char *what, const usi::Move &m)
    {
        if (++count <= kShownVerdicts)
            std::printf("%s after %s: %s\n", what, usi::MoveText(m).c_str(),
                        usi::WriteSfen(shadow).c_str());
    }
    // As the main window's game break: the flow starts no further think.
    void End(const char *why)
    {
        if (!ending)
            ending = why;
        g_byGameStatus = GameStatus::Stopped;
        m_doc.SetMustWait(true);
    }
    BYTE DocX(int sq) const
    {
        const int x = (sq & 15) - 1;
        return BYTE(m_doc.GetFirstUp() ? 8 - x : x);
    }
    BYTE DocY(int sq) const
    {
        const int y = (sq >> 4) - 1;
        return BYTE(m_doc.GetFirstUp() ? 8 - y : y);
    }

    ShogiDoc &m_doc;
    const int m_maxPlies;
    QElapsedTimer m_clock;
};

// Saves the game, reopens it in a second document and compares: the file
// holds the document's bytes, the reopened record saves the same bytes and
// ends in the position the rules reached.
std::string CheckRecord(ShogiDoc &doc, const usi::Position &end, const QString &path)
{
    if (!doc.saveDocument(path))
        return "the record could not be saved";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "the saved record cannot be read";
    const QByteArray bytes = file.readAll();
    if (bytes != doc.saveDocumentData())
        return "the file differs from the document's bytes";
    ShogiDoc reopened;
    const bool opened = reopened.openDocument(path);
    std::string why;
    if (!opened)
        why = "the document refused its own record";
    else if (reopened.saveDocumentData() != bytes)
        why = "the reopened record saves different bytes";
    else if (!SamePosition(PositionOf(reopened), end))
        why = "the reopened record ends in another position";
    // The second document took over the flow's pointer to its document.
    g_Doc = &doc;
    return why;
}

bool ParseOptions(int argc, char **argv, Options &o)
{
    if (argc < 1 || (o.games = std::atoi(argv[0])) < 1)
        return false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--depth") == 0 && hasValue)
            o.depth = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--max-plies") == 0 && hasValue)
            o.maxPlies = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--dir") == 0 && hasValue)
            o.dir = QString::fromLocal8Bit(argv[++i]);
        else
            return false;
    }
    return o.depth >= 1 && o.maxPlies >= 1;
}

} // namespace

int RunSelfPlay(int argc, char **argv)
{
    Options opt;
    if (!ParseOptions(argc, argv, opt)) {
        std::fprintf(stderr,
                     "usage: korvane-bench selfplay GAMES [--depth D] [--max-plies P] [--dir DIR]\n");
        return 2;
    }
    int appArgc = 1;
    char name[] = "korvane-bench";
    char *appArgv[] = {name, nullptr};
    QCoreApplication app(appArgc, appArgv);
    QTemporaryDir scratch;
    const QString dir = opt.dir.isEmpty() ? scratch.path() : opt.dir;
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(dir));
        return 1;
    }

    EngineCalls() = DefaultEngineCalls();
    if (EngineCalls().InitGame() != 0) {
        std::fprintf(stderr, "the engine did not start\n");
        return 1;
    }
    g_pZelkor->m_nFixedDepth = opt.depth;
    ShogiDoc doc;
    SoakHost host(doc, opt.maxPlies);
    doc.SetHost(&host);

    QElapsedTimer wall;
    wall.start();
    long plies = 0;
    int failures = 0;
    std::map<std::string, int> endings;
    for (int i = 0; i < opt.games; ++i) {
        // As a new game from the menu, with both players the computer.
        doc.AbandonComputerMove();
        doc.newDocument();
        doc.SetTeai(BYTE(i % kSetups));
        doc.SetFirstUp((i / kSetups) % 2 == 1);
        doc.GetFirstPlayer()->SetProperty(2);
        doc.GetSecondPlayer()->SetProperty(2);
        doc.SetComputerLevel(0);
        doc.SetMustWait(false);
        doc.Init();
        host.Begin();
        std::mt19937 rng{unsigned(i)};
        const int opening = i < kFixedSetupGames ? 0 : int(rng() % (kMaxOpeningPlies + 1));
        for (int ply = 0; ply < opening && host.failure.empty(); ++ply) {
            const std::vector<usi::Move> moves = usi::LegalMoves(host.shadow);
            if (moves.empty())
                break;
            host.Play(moves[rng() % moves.size()]);
        }
        g_byGameStatus = GameStatus::Playing;
        host.RestartGameTime();
        EngineCalls().SetComLevel(doc.GetComputerLevel());
        doc.Play();

        // The flow's own timers run; their slots are also called here so that
        // a game does not wait out their intervals between moves.
        QElapsedTimer sinceMove;
        sinceMove.start();
        int seen = doc.GetKiboNum();
        while (g_byGameStatus == GameStatus::Playing) {
            QCoreApplication::processEvents();
            doc.ComputerEngineTimer();
            doc.ComputerMoveTimeOut();
            if (doc.GetKiboNum() != seen) {
                seen = doc.GetKiboNum();
                sinceMove.restart();
            } else if (sinceMove.elapsed() > kAnswerLimitMs) {
                host.Fail("no answer from the computer");
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        doc.GameFlow().thread.Join();

        const QString path = QDir(dir).filePath(QString("game-%1.kvn").arg(i));
        if (host.failure.empty()) {
            host.failure = CheckRecord(doc, host.shadow, path);
            QFile::remove(path);
        }
        plies += doc.GetKiboNum();
        ++endings[host.ending ? host.ending : "unfinished"];
        if (!host.failure.empty()) {
            ++failures;
            const QString kept = QDir(dir).filePath(QString("failed-%1.kvn").arg(i));
            QFile::remove(kept);
            const bool saved = doc.saveDocument(kept);
            std::printf("game %d (set-up %d, first player %s): %s\n  record: %s\n", i, i % kSetups,
                        doc.GetFirstUp() ? "at the top" : "at the bottom", host.failure.c_str(),
                        saved ? qPrintable(kept) : "(could not be written)");
            if (opt.dir.isEmpty())
                scratch.setAutoRemove(false);
        } else if ((i + 1) % 50 == 0) {
            std::printf("%d games, %ld plies, %d failures, %.1f min\n", i + 1, plies, failures,
                        wall.elapsed() / 60000.0);
        }
        std::fflush(stdout);
    }
    g_pZelkor->m_nFixedDepth = 0;
    std::printf("selfplay: %d games, %ld plies, %d failures, %.1f min (depth %d, limit %d plies)\n",
                opt.games, plies, failures, wall.elapsed() / 60000.0, opt.depth, opt.maxPlies);
    std::printf("  computer answers: %ld; wrong check announcements: %ld; wins claimed with a "
                "legal reply left: %ld\n",
                host.thinks, host.wrongChecks, host.falseWins);
    for (const auto &e : endings)
        std::printf("  %s: %d\n", e.first.c_str(), e.second);
    return failures == 0 ? 0 : 1;
}
