#ifndef KORVANE_CENGINEPLAY_H
#define KORVANE_CENGINEPLAY_H

#include "Gloval.h"
#include "enginelist.h"
#include "gameclock.h"
#include "gameending.h"
#include "gamejudge.h"
#include "usiengine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class QLabel;
class QMainWindow;
class ShogiDoc;

// The record window's last row for an ending; nullptr when it has none (a
// resignation is a record entry of its own).
const char *EndingRowText(GameEnding e);

// Who plays the computer's seats of the next game and on what clock: by
// player (0 the first, 1 the second), Zelkor (-1) or a registered engine.
struct GamePlan
{
    int engine[2] = {-1, -1};
    usic::TimeControl time[2];
    int maxPlies = usic::kDefaultMaxPlies; // for games without a human
};

// The game's referee and the engines at the board: runs the clocks, judges
// every move by the rules that end a game, and plays the seats taken by USI
// engines (or by Zelkor under a clock, through the same protocol so that it
// keeps to its time). Zelkor without a clock plays as it always has. Shows its
// messages over the window and its engines' reports in the window's status
// bar; what the window must do about a turn or an ending comes by signals.
class CEnginePlay : public QObject
{
    Q_OBJECT
public:
    CEnginePlay(QMainWindow *window, ShogiDoc *doc);
    ~CEnginePlay() override;

    void SetPlan(const GamePlan &plan, const QVector<usic::EngineEntry> &engines);
    const GamePlan &Plan() const { return m_plan; }
    void NewGame();
    // The document's computer turn: true when an engine here takes it.
    bool TakeTurn(BYTE player);
    void MoveMade(); // a move entered the record
    void Break();
    void Resume();
    void Declare(); // the human to move declares the entering king
    bool Timed(BYTE player) const;
    int ClockSeconds(BYTE player) const; // what the clock field shows
    QString EngineInfo() const { return m_info; }

signals:
    void EngineThinking(); // a take-back or a resignation would cut in
    void EngineMoving();   // its move is about to be played
    void GamePaused();     // an engine failed and nothing in the rules decides it
    // The game is over and its message shown; endingRow: the record window
    // gets its last row for the ending (a resignation is an entry of its own).
    void GameOver(bool endingRow);

private:
    struct Seat
    {
        std::unique_ptr<usic::UsiEngine> engine;
        QString name;
        bool ready = false;
        int askedAt = -1; // plies when its think was asked for
    };

    int SideOf(BYTE player) const; // usi side of a player
    BYTE PlayerOf(int side) const;
    qint64 Now() const { return m_time.elapsed(); }
    usic::Verdict SyncJudge(); // brings the judge to the record: the last move's verdict
    void StartSeat(int seat, const usic::EngineEntry *entry, int zelkorLevel);
    void OnBestMove(int seat, const QString &move);
    void OnFault(int seat, usic::UsiEngine::Fault f, const QString &detail);
    void OnInfo(int seat, const usic::Info &info);
    void Tick();
    // The game ends: the ending kept, the engines told, then (outside the
    // caller's chain) the message and the record's last row.
    void End(GameEnding e, int loserSide, const QString &text);
    void StopSeats(int loserSide); // stopped and told the result

    QMainWindow *m_window;
    ShogiDoc *m_doc;
    GamePlan m_plan;
    QVector<usic::EngineEntry> m_engines;
    Seat m_seat[2]; // by player - 1
    usic::GameJudge m_judge;
    usic::GameClock m_clock;
    QElapsedTimer m_time;
    QTimer m_tick;
    QString m_info;
    QLabel *m_infoLabel;
    bool m_over = false;
};

#endif
