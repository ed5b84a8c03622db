#include "recordstepper.h"

#include "cbgkibo.h"
#include "cinfowidget.h"
#include "commandtable.h"
#include "cplayer.h"
#include "gameflow.h"
#include "language.h"
#include "shogidoc.h"
#include "shogiview.h"

#include <QAction>
#include <QTimerEvent>

namespace {
constexpr BYTE StepPending = 10;
constexpr BYTE StepDone = 100;
// A forward step shows the move lifted for this long before it lands.
constexpr int ForwardPreviewMs = 1000;
// The step interval of each fixed replay speed, slowest first.
constexpr int SpeedMs[ReplaySchedule::AsPlayedSpeed] = {2000, 1500, 1000, 700, 300};
// Fine enough for the clocks to count second by second at ten times.
constexpr int AsPlayedTickMs = 50;
} // namespace

BYTE g_byAutoTemp = StepDone;

RecordStepper::RecordStepper(ShogiDoc *doc, ShogiView *view, CBGKibo *record,
                             CommandTable *commands, QObject *parent)
    : QObject(parent), m_doc(doc), m_view(view), m_record(record), m_commands(commands)
{
    // Each runs all the time and acts only for its own speed.
    for (int speed = 0; speed < ReplaySchedule::AsPlayedSpeed; ++speed) {
        connect(&m_speedTimers[speed], &QTimer::timeout, this,
                [this, speed] { ReplayTick(BYTE(speed)); });
        m_speedTimers[speed].start(SpeedMs[speed]);
    }
    m_clock.start();
    connect(&m_asPlayedTimer, &QTimer::timeout, this, &RecordStepper::AsPlayedTick);
    m_asPlayedTimer.start(AsPlayedTickMs);
}

void RecordStepper::ShowEntry(int pos)
{
    // One redraw at the end, however far the record moves.
    EnableView = false;
    while (m_doc->GetKiboTestPos() > pos) {
        m_view->KiboBackOne();
        m_record->KiboBackOne();
        m_doc->KiboBackOne();
    }
    while (m_doc->GetKiboTestPos() < pos) {
        m_view->KiboForwardOne();
        m_doc->KiboForwardOne();
        m_record->KiboForwardOne();
    }
    EnableView = true;
    m_record->Update();
    m_view->UpdateView();
    emit ClocksChanged();
}

void RecordStepper::JumpTo(int pos)
{
    if (g_byGameStatus != GameStatus::Stopped && g_byGameStatus != GameStatus::Resigned)
        return;
    CancelForwardStep();
    const int last = m_doc->GetKiboNum() - 1;
    pos = qBound(-1, pos, last);
    ShowEntry(pos);
    m_commands->SetEnabled({cmd::RecordFirst, cmd::RecordBack}, pos >= 0);
    m_commands->SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay}, pos < last);
    m_commands->SetEnabled(cmd::GameEditBoard, true);
}

void RecordStepper::First()
{
    CancelForwardStep();
    RestartWait();
    ShowEntry(-1);
    m_commands->SetEnabled({cmd::RecordFirst, cmd::RecordBack}, false);
    m_commands->SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::GameEditBoard}, true);
    m_commands->SetEnabled({cmd::RecordReplay}, g_byGameStatus != GameStatus::AutoReplay);
}

void RecordStepper::Back()
{
    CancelForwardStep();
    if (m_doc->GetKiboTestPos() < 0)
        return;
    m_view->KiboBackOne();
    m_record->KiboBackOne();
    m_record->Update();
    m_doc->KiboBackOne();
    RestartWait();
    m_view->UpdateView();
    emit ClocksChanged();
    if (m_doc->GetKiboTestPos() < 0) {
        m_commands->SetEnabled({cmd::RecordFirst, cmd::RecordBack}, false);
        m_commands->SetEnabled(cmd::GameEditBoard, true);
    }
    m_commands->SetEnabled({cmd::RecordLast, cmd::RecordForward}, true);
    m_commands->SetEnabled({cmd::RecordReplay}, g_byGameStatus != GameStatus::AutoReplay);
}

void RecordStepper::Last()
{
    CancelForwardStep();
    ShowEntry(m_doc->GetKiboNum() - 1);
    m_commands->SetEnabled(
        {cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay}, false);
    m_commands->SetEnabled({cmd::RecordFirst, cmd::RecordBack, cmd::GameEditBoard}, true);
    g_byGameStatus = GameStatus::Stopped;
}

void RecordStepper::Forward()
{
    // A press during the preview completes that step and then makes its own,
    // so no press is lost.
    FinishForwardStep();
    if (m_doc->GetKiboTestPos() >= m_doc->GetKiboNum() - 1)
        return;
    m_forwardTimer = startTimer(ForwardPreviewMs);
    m_view->KiboForwardBefore();
}

void RecordStepper::timerEvent(QTimerEvent *e)
{
    if (e->timerId() != m_forwardTimer) {
        QObject::timerEvent(e);
        return;
    }
    FinishForwardStep();
}

void RecordStepper::FinishForwardStep()
{
    if (m_forwardTimer == 0)
        return;
    killTimer(m_forwardTimer);
    m_forwardTimer = 0;
    m_view->KiboForwardOne();
    m_doc->KiboForwardOne();
    m_record->KiboForwardOne();
    RestartWait();
    m_record->Update();
    m_view->UpdateView();
    emit ClocksChanged();
    if (m_doc->GetKiboTestPos() >= m_doc->GetKiboNum() - 1) {
        m_commands->SetEnabled(
            {cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay}, false);
        m_commands->SetEnabled(cmd::GameEditBoard, true);
        g_byGameStatus = GameStatus::Stopped;
    }
    m_commands->SetEnabled({cmd::RecordFirst, cmd::RecordBack}, true);
    if (m_doc->GetOSSound())
        emit PieceLanded();
    g_byAutoTemp = StepDone;
}

void RecordStepper::CancelForwardStep()
{
    if (m_forwardTimer == 0)
        return;
    killTimer(m_forwardTimer);
    m_forwardTimer = 0;
    g_byAutoTemp = StepDone;
    m_view->UpdateView();
}

void RecordStepper::StartReplay()
{
    g_byGameStatus = GameStatus::AutoReplay;
    m_commands->SetEnabled({cmd::RecordReplay, cmd::GameEditBoard}, false);
    m_commands->SetEnabled(cmd::RecordStopReplay, true);
    m_wait.Resume(m_clock.elapsed());
    if (m_doc->GetKiboSpeed() == ReplaySchedule::AsPlayedSpeed &&
        ReplaySpeedNow() != ReplaySchedule::AsPlayedSpeed)
        emit StatusMessage(JStr(JC_ReplayNoTimes));
}

void RecordStepper::StopReplay()
{
    m_wait.Pause(m_clock.elapsed());
    g_byGameStatus = GameStatus::Stopped;
    m_commands->SetEnabled(cmd::RecordStopReplay, false);
    m_commands->SetEnabled({cmd::GameEditBoard, cmd::RecordReplay}, true);
}

void RecordStepper::ReplayTick(BYTE speed)
{
    if (g_byAutoTemp == StepPending || g_byGameStatus != GameStatus::AutoReplay ||
        ReplaySpeedNow() != speed || !m_commands->Action(cmd::RecordForward)->isEnabled())
        return;
    Forward();
    if (m_forwardTimer != 0)
        g_byAutoTemp = StepPending;
}

BYTE RecordStepper::ReplaySpeedNow() const
{
    const BYTE speed = m_doc->GetKiboSpeed();
    if (speed == ReplaySchedule::AsPlayedSpeed && !ReplaySchedule::HasTimes(*m_doc->GetKibo()))
        return ReplaySchedule::StandardSpeed;
    return speed;
}

void RecordStepper::RestartWait()
{
    m_wait.Restart(m_clock.elapsed(), g_byGameStatus == GameStatus::AutoReplay);
}

// The mover's clock runs while the next move is awaited; the move starts its
// preview so as to land when its recorded time is up.
void RecordStepper::AsPlayedTick()
{
    if (g_byGameStatus != GameStatus::AutoReplay ||
        ReplaySpeedNow() != ReplaySchedule::AsPlayedSpeed ||
        !m_commands->Action(cmd::RecordForward)->isEnabled())
        return;
    const int next = m_doc->GetKiboTestPos() + 1;
    if (next < 0 || next >= m_doc->GetKiboNum() || next >= m_doc->GetKibo()->size())
        return;
    const KIBO &e = m_doc->GetKibo()->at(next);
    const int factor = ReplaySchedule::Factor(m_factor);
    const qint64 waited = m_wait.Waited(m_clock.elapsed());
    if (!IsResignKibo(e)) {
        const BYTE mover = GetWhoseKoma(e.skoma);
        if (const CPlayer *p = m_doc->GetPlayer(mover))
            emit PlayerClock(mover, p->GetTotalTime() +
                                        ReplaySchedule::ClockSeconds(e.time, waited, factor));
    }
    if (g_byAutoTemp == StepPending ||
        waited < ReplaySchedule::StartDelayMs(e.time, factor, ForwardPreviewMs))
        return;
    Forward();
    if (m_forwardTimer != 0)
        g_byAutoTemp = StepPending;
}
