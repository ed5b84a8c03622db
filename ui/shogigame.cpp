// The main window's game commands, clocks and the computer's answers.

#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cengineplay.h"
#include "cinfowidget.h"
#include "cnewgamedlg.h"
#include "commandtable.h"
#include "cplayer.h"
#include "gameending.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "moverules.h"
#include "shogidoc.h"
#include "shogiview.h"

#include <KToolBar>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTimerEvent>

#include <vector>

void ShogiApp::SetEnabled(std::initializer_list<int> ids, bool on)
{
    m_commands->SetEnabled(ids, on);
}

namespace {
const std::initializer_list<int> KiboCommands = {cmd::RecordFirst,  cmd::RecordBack,
                                                 cmd::RecordLast,   cmd::RecordForward,
                                                 cmd::RecordReplay, cmd::RecordStopReplay};
constexpr BYTE StepPending = 10;
constexpr BYTE StepDone = 100;
// A forward step shows the move lifted for this long before it lands.
constexpr int ForwardPreviewMs = 1000;

// A game stopped by the players may go on; one decided may not.
bool IsFinished(GameEnding e)
{
    return e != GameEnding::None && e != GameEnding::Interrupt;
}
} // namespace

BYTE g_byAutoTemp = StepDone;

// ---------------------------------------------------------------- clocks

void ShogiApp::ShowPlayerTime(BYTE player, int seconds)
{
    m_pFieldLabels[player == 1 ? 3 : 4]->setText(GetViewTime(seconds / 60, seconds % 60));
}

void ShogiApp::OneSecondTimeOut()
{
    if (g_byGameStatus != GameStatus::Playing && g_byGameStatus != GameStatus::ShowingComputerMove)
        return;
    const BYTE cur = doc->GetCurPlayer();
    if (m_pEnginePlay->Timed(cur))
        ShowPlayerTime(cur, m_pEnginePlay->ClockSeconds(cur));
    else if (const CPlayer *p = doc->GetPlayer(cur))
        ShowPlayerTime(cur, p->GetTotalTime() + int(m_GameTime.elapsed() / 1000));
}

// A side under a time control shows what it has left, others what they used.
void ShogiApp::ViewTime()
{
    for (BYTE player = 1; player <= 2; player++)
        ShowPlayerTime(player, m_pEnginePlay->Timed(player)
                                   ? m_pEnginePlay->ClockSeconds(player)
                                   : doc->GetPlayer(player)->GetTotalTime());
}

void ShogiApp::AddKibo(BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, unsigned int time)
{
    enableCommand(cmd::SettingGame);
    // A move recorded after the game has ended (the computer's winning move)
    // does not bring back take-back and resign.
    if (g_byGameStatus == GameStatus::Playing ||
        g_byGameStatus == GameStatus::ShowingComputerMove) {
        enableCommand(cmd::GameRetract);
        enableCommand(cmd::GameResign);
    }
    const BYTE cur = doc->GetCurPlayer();
    if (m_pEnginePlay->Timed(cur))
        ShowPlayerTime(cur, m_pEnginePlay->ClockSeconds(cur));
    else if (const CPlayer *p = doc->GetPlayer(cur))
        ShowPlayerTime(cur, p->GetTotalTime() + int(time));
    m_pBGKibo->AddKibo();
    m_pEnginePlay->MoveMade();
}

void ShogiApp::OpenAddKibo(BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, unsigned int time)
{
    const BYTE cur = doc->GetCurPlayer();
    if (const CPlayer *p = doc->GetPlayer(cur))
        ShowPlayerTime(cur, p->GetTotalTime() + int(time));
    m_pBGKibo->OpenAddKibo();
}

// ---------------------------------------------------------------- game

void ShogiApp::slotGameNewGame()
{
    if (!doc->saveModified())
        return;
    FinishShownComputerMove();
    CancelForwardStep();
    const BYTE status = g_byGameStatus;
    const int count = doc->GetKiboNum();
    g_byGameStatus = GameStatus::Stopped;
    doc->SetKiboNum(0);
    m_bGameSetOK = false;
    RunSettingDialog(new CNewGameDLG(this));
    if (!m_bGameSetOK) {
        doc->SetKiboNum(count);
        g_byGameStatus = status;
        return;
    }
    m_bFirst = false;
    doc->AbandonComputerMove();
    doc->newDocument();
    SetCaptionFromDocument();
    doc->SetMustWait(false);
    doc->Init();
    m_pBGKibo->Init();
    m_pBGKibo->Update();
    UpdateStatusBar();
    view->Init();
    view->UpdateView();
    m_pEnginePlay->NewGame();
    ViewTime();
    SetEnabled({cmd::GameBreak, cmd::FileSaveAs}, true);
    SetEnabled({cmd::GameResume, cmd::GameRetract, cmd::GameResign, cmd::SettingGame,
                cmd::GameEditBoard, cmd::GameEditRemove},
               false);
    Command(cmd::GameEditRemove)->setChecked(false);
    SetEnabled(KiboCommands, false);
    g_byGameStatus = GameStatus::Playing;
    StatusMessageTimeOut();
    m_GameTime.restart();
    EngineCalls().SetComLevel(doc->GetComputerLevel());
    doc->Play();
}

void ShogiApp::slotGameBreak()
{
    FinishShownComputerMove();
    doc->AbandonComputerMove();
    m_pEnginePlay->Break();
    SetEnabled({cmd::GameBreak, cmd::GameRetract, cmd::GameResign}, false);
    SetEnabled({cmd::GameEditBoard, cmd::GameResume}, true);
    doc->SetMustWait(true);
    g_byGameStatus = GameStatus::Stopped;
    StatusMessageTimeOut();
    doc->SetKiboTestPos(doc->GetKiboNum() - 1);
    if (doc->GetKiboTestPos() >= 0)
        SetEnabled({cmd::RecordFirst, cmd::RecordBack}, true);
}

void ShogiApp::slotGameThrow()
{
    if (m_bConfirmResign && ShowBox(this, BoxKind::Question, JC_MsgSureResign) != BoxAnswer::Yes)
        return;
    doc->SetEnding(GameEnding::Resign);
    doc->AddKibo(50, 50, 50, 50, 50, 50, 50);
    const CPlayer *winner = doc->GetPlayer(doc->GetCurPlayer());
    const char *text = JC_KorvaneWin;
    if (winner && winner->GetProperty() == 1)
        text = doc->GetCurPlayer() == 1 ? JC_MSGFirstWin : JC_MSGSecondWin;
    ShowBox(this, BoxKind::Information, text);
    slotGameBreak();
    g_byGameStatus = GameStatus::Resigned;
    StatusMessageTimeOut();
}

void ShogiApp::slotGameEditBoard()
{
    if (!doc->saveModified())
        return;
    // The edited position starts a game of its own: the record on screen and
    // the file it came from are left as they are.
    const bool hasRecord = doc->GetKiboNum() > 0 || doc->getTitle() != JStr(JC_Untitled);
    if (hasRecord) {
        if (ShowBox(this, BoxKind::WarningYesNo, JC_MsgEditNewGame) != BoxAnswer::Yes)
            return;
        FinishShownComputerMove();
        doc->newDocument();
        SetCaptionFromDocument();
    }
    if (m_bFirst) {
        doc->Init();
        EngineCalls().SetComLevel(doc->GetComputerLevel());
        m_bFirst = false;
    }
    CancelForwardStep();
    doc->AbandonComputerMove();
    doc->SetMustWait(false);
    disableCommand(cmd::GameEditBoard);
    SetEnabled(KiboCommands, false);
    SetEnabled({cmd::GameEditRemove, cmd::GameResume}, true);
    doc->SetKiboNum(0);
    doc->GetKibo()->resize(0);
    doc->SetOte(false);
    doc->SetEnding(GameEnding::None);
    g_byGameStatus = GameStatus::Editing;
    view->Init();
    m_pBGKibo->Init();
}

void ShogiApp::slotGameEditKill()
{
    // The action has already flipped its check mark.
    g_byGameStatus =
        Command(cmd::GameEditRemove)->isChecked() ? GameStatus::Removing : GameStatus::Editing;
}

void ShogiApp::ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool naru, int nR)
{
    switch (nR) {
    case EngineResult::PawnDropMate:
        // The computer stays to move in a position it has no answer to: end
        // the game here rather than ask the same question every 50 ms.
        doc->SetEnding(GameEnding::IllegalMove);
        ShowBox(this, BoxKind::Information, JC_Utsifutumi);
        slotGameBreak();
        return;
    case EngineResult::ComputerDefeated:
        doc->SetEnding(GameEnding::Mate);
        ShowBox(this, BoxKind::Information, JC_KorvaneDefeated);
        slotGameBreak();
        return;
    case EngineResult::ComputerResigns:
        doc->SetEnding(GameEnding::Resign);
        ShowBox(this, BoxKind::Information, JC_KorvaneToryo);
        slotGameBreak();
        return;
    default:
        break;
    }
    CBoardFrame *board = view->GetBoard();
    board->ComputerMove(sx, sy, dx, dy, kind, naru);
    if (nR == EngineResult::Check && doc->GetOSInfoWangSu()) {
        ShowBox(this, BoxKind::Information, JC_KorvaneOte);
    } else if (nR == EngineResult::ComputerWins) {
        // The winning move goes into the record before the game stops; a
        // mate the rules have already announced is not announced again.
        board->FinishComputerMove();
        if (doc->GetEnding() == GameEnding::None) {
            doc->SetEnding(GameEnding::Mate);
            ShowBox(this, BoxKind::Information, JC_KorvaneWin);
            slotGameBreak();
        }
    }
}

void ShogiApp::EndIfMated()
{
    const BYTE side = doc->GetCurPlayer();
    const CPlayer *player = doc->GetPlayer(side);
    if (g_byGameStatus != GameStatus::Playing || !player || player->GetProperty() != 1)
        return;
    std::vector<MoveRules::Move> moves;
    MoveRules::GenerateMoves(*doc, side, moves);
    if (!moves.empty())
        return;
    doc->SetEnding(GameEnding::Mate);
    ShowBox(this, BoxKind::Information, side == 1 ? JC_MSGSecondWin : JC_MSGFirstWin);
    slotGameBreak();
}

void ShogiApp::FinishShownComputerMove()
{
    view->GetBoard()->FinishComputerMove();
}

// ---------------------------------------------------------------- take back

void ShogiApp::slotGameRetract()
{
    doc->SetEnding(GameEnding::None);
    for (int pass = 0; pass < 2 && doc->GetKiboNum() > 0; ++pass) {
        const int n = doc->GetKiboNum();
        doc->RetractKibo(n - 1);
        view->RetractKibo(n - 1);
        m_pBGKibo->RetractKibo();
        m_pBGKibo->Update();
        view->UpdateView();
        ViewTime();
        m_GameTime.restart();
        if (doc->GetKiboNum() == 0)
            disableCommand(cmd::GameRetract);
        doc->SetCurPlayer(BYTE(3 - doc->GetCurPlayer()));
        // Against the computer its reply and the human's move go together.
        const CPlayer *next = doc->GetPlayer(doc->GetCurPlayer());
        if (next && next->GetProperty() == 1)
            break;
    }
    doc->GetKibo()->resize(doc->GetKiboNum());
    doc->SetKiboTestPos(doc->GetKiboNum() - 1);
    g_byGameStatus = GameStatus::Playing;
    m_pEnginePlay->Resume();
    StatusMessageTimeOut();
}

void ShogiApp::slotGameDeclare()
{
    m_pEnginePlay->Declare();
}

// ---------------------------------------------------------------- resume

BYTE ShogiApp::FromEditToPlay()
{
    for (BYTE x = 0; x < 9; ++x) {
        int pawns[3] = {0, 0, 0};
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc->GetBoardInfo(x, y);
            if (v == 0)
                continue;
            const BYTE owner = GetWhoseKoma(v);
            const BYTE kind = GetKomaSort(v);
            // Rows still ahead of the piece, seen from its owner.
            const int ahead = MoveRules::IsBottom(*doc, owner) ? y : 8 - y;
            // A promoted piece moves like a gold wherever it stands.
            if (GetKomaProperty(v) == 1 &&
                (((kind == 1 || kind == 2) && ahead == 0) || (kind == 3 && ahead <= 1)))
                return 1;
            // A promoted pawn no longer counts.
            if (kind == 1 && GetKomaProperty(v) == 1 && owner <= 2)
                ++pawns[owner];
        }
        if (pawns[1] > 1 || pawns[2] > 1)
            return 2;
    }
    if (MoveRules::IsKingAttacked(*doc, BYTE(3 - doc->GetCurPlayer())))
        return 4;
    doc->SetInitBoardInfo();
    doc->SetStartingPlayer(doc->GetCurPlayer());
    for (CPlayer *player : {doc->GetFirstPlayer(), doc->GetSecondPlayer()}) {
        player->SetDaiAsFirst();
        // The clocks belong to the record, which starts here.
        player->SetTotalTime(0);
    }
    return 3;
}

void ShogiApp::slotGameReplay()
{
    if (g_byGameStatus == GameStatus::AutoReplay)
        slotKiboBreakReplay();
    // A step on its way is shown now, so that the board and the cut agree.
    FinishForwardStep();
    int p = doc->GetKiboTestPos();
    const int n = doc->GetKiboNum();
    const bool editing =
        g_byGameStatus == GameStatus::Editing || g_byGameStatus == GameStatus::Removing;
    if (editing) {
        doc->SetCurPlayer(
            ShowBox(this, BoxKind::Question, JC_MsgFirstMovesFirst) == BoxAnswer::No ? 2 : 1);
        switch (FromEditToPlay()) {
        case 1:
            ShowBox(this, BoxKind::Warning, JC_MSGUnMoveKoma);
            return;
        case 2:
            ShowBox(this, BoxKind::Warning, JC_MSGTwoBo);
            return;
        case 4:
            ShowBox(this, BoxKind::Warning, JC_MSGAlreadyOte);
            return;
        default:
            p = -1;
            break;
        }
    } else if (p >= n - 1 && IsFinished(doc->GetEnding())) {
        // No move is legal at the end of a finished game.
        slotStatusMsg(JStr(JC_MsgGameIsOver));
        return;
    }
    if (p < n - 1) {
        if (ShowBox(this, BoxKind::WarningYesNo, JC_MSGSureReplay) != BoxAnswer::Yes)
            return;
        for (int i = n - 1; i > p; --i) {
            view->RetractKibo(i);
            m_pBGKibo->DecKiboNum();
        }
        doc->SetKiboNum(p + 1);
        m_pBGKibo->Update();
        view->UpdateView();
        ViewTime();
    } else if (p >= 0 && IsResignKibo(doc->GetKibo()->at(p))) {
        slotKiboBackOne();
        view->RetractKibo(p);
        m_pBGKibo->DecKiboNum();
        m_pBGKibo->Update();
        doc->SetKiboNum(p);
        --p;
    }
    doc->GetKibo()->resize(doc->GetKiboNum());
    doc->SetKiboTestPos(doc->GetKiboNum() - 1);
    if (p >= 0)
        doc->SetCurPlayer(BYTE(3 - GetWhoseKoma(doc->GetKibo()->at(p).skoma)));
    else if (!editing)
        doc->SetCurPlayer(doc->StartingPlayer());
    doc->SetEnding(GameEnding::None);
    disableCommand(cmd::GameResume);
    enableCommand(cmd::FileSaveAs);
    doc->SetMustWait(false);
    SetEnabled({cmd::GameBreak, cmd::GameRetract, cmd::GameResign}, true);
    disableCommand(cmd::GameEditBoard);
    Command(cmd::GameEditRemove)->setChecked(false);
    disableCommand(cmd::GameEditRemove);
    SetEnabled(KiboCommands, false);
    // Nothing to take back in a record without moves.
    if (doc->GetKiboNum() == 0)
        disableCommand(cmd::GameRetract);
    g_byGameStatus = GameStatus::Playing;
    m_pBGKibo->InfoWidget()->ShowEndingRow(false);
    m_pEnginePlay->Resume();
    StatusMessageTimeOut();
    m_GameTime.restart();
}

// ---------------------------------------------------------------- stepping

void ShogiApp::JumpToKibo(int pos)
{
    if (g_byGameStatus != GameStatus::Stopped && g_byGameStatus != GameStatus::Resigned)
        return;
    CancelForwardStep();
    const int last = doc->GetKiboNum() - 1;
    pos = qBound(-1, pos, last);
    EnableView = false;
    while (doc->GetKiboTestPos() > pos) {
        view->KiboBackOne();
        m_pBGKibo->KiboBackOne();
        doc->KiboBackOne();
    }
    while (doc->GetKiboTestPos() < pos) {
        view->KiboForwardOne();
        doc->KiboForwardOne();
        m_pBGKibo->KiboForwardOne();
    }
    EnableView = true;
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    SetEnabled({cmd::RecordFirst, cmd::RecordBack}, pos >= 0);
    SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay}, pos < last);
    enableCommand(cmd::GameEditBoard);
}

void ShogiApp::slotKiboFirst()
{
    CancelForwardStep();
    EnableView = false;
    for (int i = doc->GetKiboTestPos() + 1; i > 0; --i) {
        view->KiboBackOne();
        m_pBGKibo->KiboBackOne();
        doc->KiboBackOne();
    }
    EnableView = true;
    RestartReplayWait();
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    SetEnabled({cmd::RecordFirst, cmd::RecordBack}, false);
    SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::GameEditBoard}, true);
    SetEnabled({cmd::RecordReplay}, g_byGameStatus != GameStatus::AutoReplay);
}

void ShogiApp::slotKiboBackOne()
{
    CancelForwardStep();
    if (doc->GetKiboTestPos() < 0)
        return;
    view->KiboBackOne();
    m_pBGKibo->KiboBackOne();
    m_pBGKibo->Update();
    doc->KiboBackOne();
    RestartReplayWait();
    view->UpdateView();
    ViewTime();
    if (doc->GetKiboTestPos() < 0) {
        SetEnabled({cmd::RecordFirst, cmd::RecordBack}, false);
        enableCommand(cmd::GameEditBoard);
    }
    SetEnabled({cmd::RecordLast, cmd::RecordForward}, true);
    SetEnabled({cmd::RecordReplay}, g_byGameStatus != GameStatus::AutoReplay);
}

void ShogiApp::slotKiboLast()
{
    CancelForwardStep();
    EnableView = false;
    while (doc->GetKiboTestPos() < doc->GetKiboNum() - 1) {
        view->KiboForwardOne();
        doc->KiboForwardOne();
        m_pBGKibo->KiboForwardOne();
    }
    EnableView = true;
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay},
               false);
    SetEnabled({cmd::RecordFirst, cmd::RecordBack, cmd::GameEditBoard}, true);
    g_byGameStatus = GameStatus::Stopped;
}

void ShogiApp::slotKiboForwardOne()
{
    // A press during the preview completes that step and then makes its own,
    // so no press is lost.
    FinishForwardStep();
    if (doc->GetKiboTestPos() >= doc->GetKiboNum() - 1)
        return;
    m_nKiboForwardTimer = startTimer(ForwardPreviewMs);
    view->KiboForwardBefore();
}

void ShogiApp::timerEvent(QTimerEvent *e)
{
    if (e->timerId() != m_nKiboForwardTimer) {
        KMainWindow::timerEvent(e);
        return;
    }
    FinishForwardStep();
}

void ShogiApp::FinishForwardStep()
{
    if (m_nKiboForwardTimer == 0)
        return;
    killTimer(m_nKiboForwardTimer);
    m_nKiboForwardTimer = 0;
    view->KiboForwardOne();
    doc->KiboForwardOne();
    m_pBGKibo->KiboForwardOne();
    RestartReplayWait();
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    if (doc->GetKiboTestPos() >= doc->GetKiboNum() - 1) {
        SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay},
                   false);
        enableCommand(cmd::GameEditBoard);
        g_byGameStatus = GameStatus::Stopped;
    }
    SetEnabled({cmd::RecordFirst, cmd::RecordBack}, true);
    if (doc->GetOSSound())
        PlaySoundPutKoma();
    g_byAutoTemp = StepDone;
}

void ShogiApp::CancelForwardStep()
{
    if (m_nKiboForwardTimer == 0)
        return;
    killTimer(m_nKiboForwardTimer);
    m_nKiboForwardTimer = 0;
    g_byAutoTemp = StepDone;
    view->UpdateView();
}

void ShogiApp::slotKiboAutoReplay()
{
    g_byGameStatus = GameStatus::AutoReplay;
    SetEnabled({cmd::RecordReplay, cmd::GameEditBoard}, false);
    enableCommand(cmd::RecordStopReplay);
    m_replayWait.Resume(m_ReplayClock.elapsed());
    if (doc->GetKiboSpeed() == ReplaySchedule::AsPlayedSpeed &&
        ReplaySpeedNow() != ReplaySchedule::AsPlayedSpeed)
        slotStatusMsg(JStr(JC_ReplayNoTimes));
}

void ShogiApp::slotKiboBreakReplay()
{
    m_replayWait.Pause(m_ReplayClock.elapsed());
    g_byGameStatus = GameStatus::Stopped;
    disableCommand(cmd::RecordStopReplay);
    SetEnabled({cmd::GameEditBoard, cmd::RecordReplay}, true);
}

void ShogiApp::ReplayTick(BYTE speed)
{
    if (g_byAutoTemp == StepPending || g_byGameStatus != GameStatus::AutoReplay ||
        ReplaySpeedNow() != speed || !Command(cmd::RecordForward)->isEnabled())
        return;
    slotKiboForwardOne();
    if (m_nKiboForwardTimer != 0)
        g_byAutoTemp = StepPending;
}

void ShogiApp::MostSlowTimeOut()
{
    ReplayTick(0);
}

void ShogiApp::SlowTimeOut()
{
    ReplayTick(1);
}

void ShogiApp::StandardTimeOut()
{
    ReplayTick(2);
}

void ShogiApp::FastTimeOut()
{
    ReplayTick(3);
}

void ShogiApp::MostFastTimeOut()
{
    ReplayTick(4);
}

BYTE ShogiApp::ReplaySpeedNow() const
{
    const BYTE speed = doc->GetKiboSpeed();
    if (speed == ReplaySchedule::AsPlayedSpeed && !ReplaySchedule::HasTimes(*doc->GetKibo()))
        return ReplaySchedule::StandardSpeed;
    return speed;
}

void ShogiApp::RestartReplayWait()
{
    m_replayWait.Restart(m_ReplayClock.elapsed(), g_byGameStatus == GameStatus::AutoReplay);
}

// The mover's clock runs while the next move is awaited; the move starts its
// preview so as to land when its recorded time is up.
void ShogiApp::AsPlayedTimeOut()
{
    if (g_byGameStatus != GameStatus::AutoReplay ||
        ReplaySpeedNow() != ReplaySchedule::AsPlayedSpeed ||
        !Command(cmd::RecordForward)->isEnabled())
        return;
    const int next = doc->GetKiboTestPos() + 1;
    if (next < 0 || next >= doc->GetKiboNum() || next >= doc->GetKibo()->size())
        return;
    const KIBO &e = doc->GetKibo()->at(next);
    const int factor = ReplaySchedule::Factor(m_nReplayFactor);
    const qint64 waited = m_replayWait.Waited(m_ReplayClock.elapsed());
    if (!IsResignKibo(e)) {
        const BYTE mover = GetWhoseKoma(e.skoma);
        if (const CPlayer *p = doc->GetPlayer(mover))
            ShowPlayerTime(mover, p->GetTotalTime() +
                                      ReplaySchedule::ClockSeconds(e.time, waited, factor));
    }
    if (g_byAutoTemp == StepPending ||
        waited < ReplaySchedule::StartDelayMs(e.time, factor, ForwardPreviewMs))
        return;
    slotKiboForwardOne();
    if (m_nKiboForwardTimer != 0)
        g_byAutoTemp = StepPending;
}
