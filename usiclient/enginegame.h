// One game between two engines, with the clock and the rules, and no board
// on screen: what korvane-match plays and what tests drive.
#ifndef KORVANE_ENGINEGAME_H
#define KORVANE_ENGINEGAME_H

#include "gameclock.h"
#include "gamejudge.h"
#include "usiengine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

namespace usic {

// A starting point: a position and the moves already played from it.
struct Opening
{
    usi::Position start = usi::StartPosition();
    bool fromStartpos = true; // written as "startpos" rather than its SFEN
    std::vector<usi::Move> moves;
};

// An SFEN ("<board> <side> <hands> [ply]", optionally after "sfen") or a
// `position ...` line; every move must be legal.
bool ParseOpening(const QString &line, Opening &out, QString &err);
QString PositionCommand(const Opening &o, const std::vector<usi::Move> &moves);

struct GameSetup
{
    Opening opening;
    TimeControl time[2];       // sente, gote
    int maxPlies = kDefaultMaxPlies;
    qint64 untimedMoveMs = 10000; // what an untimed engine is told it may take
};

struct GameResult
{
    GameEnding ending = GameEnding::None;
    int loser = -1;  // -1: a draw
    QString reason;  // mate, resign, repetition, perpetual-check, impasse, max-plies,
                     // time, illegal-move, crash, no-response
    QString detail;  // for a fault: the engine and what it did
    int plies = 0;   // moves played in the game, the opening's included
};

// The reason word of an ending decided by the rules.
QString ReasonOf(GameEnding e);

class EngineGame : public QObject
{
    Q_OBJECT
public:
    // The engines must have been identified; sente moves first unless the
    // opening says otherwise.
    EngineGame(UsiEngine *sente, UsiEngine *gote, const GameSetup &setup, QObject *parent = nullptr);
    void Start();
    bool Over() const { return m_over; }
    const GameResult &Result() const { return m_result; }
    const GameJudge &Judge() const { return m_judge; }
    // Whole seconds each move took (the opening's moves none), as records keep them.
    const std::vector<int> &Seconds() const { return m_seconds; }

signals:
    void finished();

private:
    void OnReady(int side);
    void Ask();
    void OnBestMove(int side, const QString &move);
    void OnFault(int side, UsiEngine::Fault f, const QString &detail);
    void End(GameEnding e, int loser, const QString &reason, const QString &detail = QString());

    QPointer<UsiEngine> m_engine[2];
    GameSetup m_setup;
    GameJudge m_judge;
    GameClock m_clock;
    QElapsedTimer m_time;
    qint64 m_moveStart = 0;
    std::vector<int> m_seconds;
    bool m_ready[2] = {false, false};
    bool m_over = false;
    Verdict m_openingVerdict; // an opening may itself end the game
    GameResult m_result;
};

} // namespace usic

#endif
