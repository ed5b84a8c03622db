#include "replayschedule.h"

#include "shogidoc.h"

#include <QtGlobal>

#include <limits>

namespace ReplaySchedule {

int Factor(int index)
{
    return index >= 0 && index < FactorCount ? Factors[index] : 1;
}

bool HasTimes(const QVector<KIBO> &record)
{
    for (const KIBO &e : record)
        if (e.time > 0 && !IsResignKibo(e))
            return true;
    return false;
}

qint64 StartDelayMs(quint32 seconds, int factor, int previewMs)
{
    const qint64 due = qint64(seconds) * 1000 / qMax(factor, 1);
    return qMax<qint64>(due - previewMs, 0);
}

int ClockSeconds(quint32 seconds, qint64 waitedMs, int factor)
{
    const qint64 run = qMax<qint64>(waitedMs, 0) * qMax(factor, 1) / 1000;
    return int(qMin<qint64>(qMin<qint64>(run, seconds), std::numeric_limits<int>::max()));
}

} // namespace ReplaySchedule

void ReplayWait::Restart(qint64 now, bool running)
{
    m_heldMs = 0;
    m_since = now;
    m_running = running;
}

void ReplayWait::Pause(qint64 now)
{
    m_heldMs = Waited(now);
    m_running = false;
}

void ReplayWait::Resume(qint64 now)
{
    if (m_running)
        return;
    m_since = now;
    m_running = true;
}

qint64 ReplayWait::Waited(qint64 now) const
{
    return m_heldMs + (m_running ? now - m_since : 0);
}
