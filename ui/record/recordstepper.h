#ifndef KORVANE_RECORDSTEPPER_H
#define KORVANE_RECORDSTEPPER_H

#include "Gloval.h"
#include "replayschedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class CBGKibo;
class CommandTable;
class ShogiDoc;
class ShogiView;

// Stepping through the record on screen and replaying it. A step forward
// shows the move lifted for a moment before it lands; a replay steps at one
// of five speeds, or at the pace the game was played. The stepper keeps the
// record commands' states; the window shows the clocks, the sound and the
// messages it reports.
class RecordStepper : public QObject
{
    Q_OBJECT

public:
    RecordStepper(ShogiDoc *doc, ShogiView *view, CBGKibo *record, CommandTable *commands,
                  QObject *parent);

    void First();
    void Back();
    void Last();
    void Forward();
    void StartReplay();
    void StopReplay();
    // Shows the position after record entry pos (-1: the start); only while
    // play is stopped.
    void JumpTo(int pos);
    // A step on its way lands now, or is dropped.
    void FinishForwardStep();
    void CancelForwardStep();
    bool IsForwardStepPending() const { return m_forwardTimer != 0; }
    // Index into ReplaySchedule::Factors for the replay as played.
    int Factor() const { return m_factor; }
    void SetFactor(int index) { m_factor = index; }

signals:
    void ClocksChanged();
    // During a replay as played: the mover's clock runs while the move is awaited.
    void PlayerClock(BYTE player, int seconds);
    void PieceLanded();
    void StatusMessage(const QString &text);

protected:
    void timerEvent(QTimerEvent *e) override;

private:
    // Steps board, record window and document to entry pos (-1: the start).
    void ShowEntry(int pos);
    void ReplayTick(BYTE speed);
    void AsPlayedTick();
    // The speed in force: as played falls back to the standard speed for a
    // record without times.
    BYTE ReplaySpeedNow() const;
    void RestartWait();

    ShogiDoc *m_doc;
    ShogiView *m_view;
    CBGKibo *m_record;
    CommandTable *m_commands;
    QTimer m_speedTimers[ReplaySchedule::AsPlayedSpeed]; // one per fixed speed
    QTimer m_asPlayedTimer;
    QElapsedTimer m_clock;
    ReplayWait m_wait;
    int m_factor = 0;
    int m_forwardTimer = 0;
};

// 10 while a replay step started by a speed timer is pending, 100 after a
// step has completed.
extern BYTE g_byAutoTemp;

#endif
