// The players' clocks: main time, then byoyomi (a fresh allowance for each
// move once the main time is spent), plus an increment after each move. A side
// without any of them is not timed; its clock only counts. Time is handed in
// (milliseconds from any steady origin), so the clock itself never waits.
#ifndef KORVANE_GAMECLOCK_H
#define KORVANE_GAMECLOCK_H

#include <QString>
#include <QtGlobal>

namespace usic {

struct TimeControl
{
    qint64 mainMs = 0;
    qint64 byoyomiMs = 0;
    qint64 incMs = 0;
    bool Timed() const { return mainMs > 0 || byoyomiMs > 0 || incMs > 0; }
};

class GameClock
{
public:
    GameClock() = default;
    GameClock(const TimeControl &sente, const TimeControl &gote);

    // The side starts its move (sente 0, gote 1).
    void Start(int side, qint64 now);
    // The running side has moved: false when it had run out of time first.
    // Its main time is charged and its increment added.
    bool Stop(qint64 now);
    void Pause(qint64 now); // a break: the running side's time stands still
    void Resume(qint64 now);

    int Running() const { return m_running; } // -1 when stopped
    bool Timed(int side) const { return m_tc[side].Timed(); }
    // What the side may still spend on its current (or next) move.
    qint64 Allowance(int side, qint64 now) const;
    bool OutOfTime(qint64 now) const;
    qint64 MainLeft(int side, qint64 now) const;
    qint64 ByoyomiLeft(int side, qint64 now) const; // the full byoyomi when not yet in it
    qint64 Used(int side, qint64 now) const;        // everything it spent, untimed too
    // The engine's go arguments for the side to move; untimedMs is given as
    // byoyomi when that side is not timed.
    QString GoArguments(qint64 now, qint64 untimedMs) const;

private:
    qint64 Spent(int side, qint64 now) const; // on the current move

    TimeControl m_tc[2];
    qint64 m_main[2] = {0, 0};
    qint64 m_used[2] = {0, 0};
    int m_running = -1;
    qint64 m_since = 0;  // when the running side's move (or its resumption) began
    qint64 m_before = 0; // spent on the current move before a pause
    bool m_paused = false;
};

} // namespace usic

#endif
