#include "gameclock.h"

namespace usic {

GameClock::GameClock(const TimeControl &sente, const TimeControl &gote)
{
    m_tc[0] = sente;
    m_tc[1] = gote;
    m_main[0] = sente.mainMs;
    m_main[1] = gote.mainMs;
}

void GameClock::Start(int side, qint64 now)
{
    m_running = side;
    m_since = now;
    m_before = 0;
    m_paused = false;
}

qint64 GameClock::Spent(int side, qint64 now) const
{
    if (side != m_running)
        return 0;
    return m_before + (m_paused ? 0 : qMax<qint64>(0, now - m_since));
}

bool GameClock::Stop(qint64 now)
{
    if (m_running < 0)
        return true;
    const int side = m_running;
    const qint64 spent = Spent(side, now);
    const bool inTime = !Timed(side) || spent <= m_main[side] + m_tc[side].byoyomiMs;
    m_used[side] += spent;
    m_main[side] = qMax<qint64>(0, m_main[side] - spent);
    if (inTime)
        m_main[side] += m_tc[side].incMs;
    m_running = -1;
    m_paused = false;
    return inTime;
}

void GameClock::Pause(qint64 now)
{
    if (m_running < 0 || m_paused)
        return;
    m_before = Spent(m_running, now);
    m_paused = true;
}

void GameClock::Resume(qint64 now)
{
    if (!m_paused)
        return;
    m_paused = false;
    m_since = now;
}

qint64 GameClock::Allowance(int side, qint64 now) const
{
    return qMax<qint64>(0, m_main[side] + m_tc[side].byoyomiMs - Spent(side, now));
}

bool GameClock::OutOfTime(qint64 now) const
{
    return m_running >= 0 && Timed(m_running) &&
           Spent(m_running, now) > m_main[m_running] + m_tc[m_running].byoyomiMs;
}

qint64 GameClock::MainLeft(int side, qint64 now) const
{
    return qMax<qint64>(0, m_main[side] - Spent(side, now));
}

qint64 GameClock::ByoyomiLeft(int side, qint64 now) const
{
    const qint64 over = Spent(side, now) - m_main[side];
    return qBound<qint64>(0, m_tc[side].byoyomiMs - qMax<qint64>(0, over), m_tc[side].byoyomiMs);
}

qint64 GameClock::Used(int side, qint64 now) const
{
    return m_used[side] + Spent(side, now);
}

QString GameClock::GoArguments(qint64 now, qint64 untimedMs) const
{
    const int side = m_running < 0 ? 0 : m_running;
    if (!Timed(side))
        return QStringLiteral("btime 0 wtime 0 byoyomi %1").arg(untimedMs);
    QString go = QStringLiteral("btime %1 wtime %2").arg(MainLeft(0, now)).arg(MainLeft(1, now));
    if (m_tc[side].byoyomiMs > 0)
        go += QStringLiteral(" byoyomi %1").arg(m_tc[side].byoyomiMs);
    if (m_tc[0].incMs > 0 || m_tc[1].incMs > 0)
        go += QStringLiteral(" binc %1 winc %2").arg(m_tc[0].incMs).arg(m_tc[1].incMs);
    return go;
}

} // namespace usic
