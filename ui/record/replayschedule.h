#ifndef KORVANE_REPLAYSCHEDULE_H
#define KORVANE_REPLAYSCHEDULE_H

#include <QVector>

struct KIBO;

// Replaying a record at the pace it was played: when each move is due and
// how far the mover's clock has run meanwhile. Times are in milliseconds of
// replay; the factor speeds the whole game up (2 = twice as fast).
namespace ReplaySchedule {

// Replay speeds as kept in the options: 0..4 fixed intervals, then this one.
constexpr int AsPlayedSpeed = 5;
constexpr int StandardSpeed = 2;
// The factors offered, by option index.
constexpr int Factors[] = {1, 2, 5, 10};
constexpr int FactorCount = int(sizeof(Factors) / sizeof(Factors[0]));

// The factor of an option index; an unknown index gives 1.
int Factor(int index);
// Some move took at least a second; a notation-only record has none.
bool HasTimes(const QVector<KIBO> &record);
// Replay time after the previous move until the next one, which took
// seconds, starts its preview of previewMs (so that it lands on time).
qint64 StartDelayMs(quint32 seconds, int factor, int previewMs);
// The mover's clock after waitedMs: the game seconds passed, never more
// than the move took.
int ClockSeconds(quint32 seconds, qint64 waitedMs, int factor);

} // namespace ReplaySchedule

// Time spent waiting for the next move, which a pause holds and a step
// starts again. The caller supplies a monotonic "now" in milliseconds.
class ReplayWait
{
public:
    void Restart(qint64 now, bool running);
    void Pause(qint64 now);
    void Resume(qint64 now);
    qint64 Waited(qint64 now) const;

private:
    qint64 m_heldMs = 0; // waited before the current run
    qint64 m_since = 0;  // start of the current run
    bool m_running = false;
};

#endif
