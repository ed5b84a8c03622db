// The main window's game commands, clocks and the computer's answers.

#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cengineplay.h"
#include "cinfowidget.h"
#include "commandtable.h"
#include "cplayer.h"
#include "gameending.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "moverules.h"
#include "recordstepper.h"
#include "shogidoc.h"
#include "shogiview.h"

#include <KToolBar>
#include <QAction>
#include <QLabel>
#include <QStatusBar>

void ShogiApp::SetEnabled(std::initializer_list<int> ids, bool on)
{
    m_commands->SetEnabled(ids, on);
}

namespace {
const std::initializer_list<int> KiboCommands = {cmd::RecordFirst,  cmd::RecordBack,
                                                 cmd::RecordLast,   cmd::RecordForward,
                                                 cmd::RecordReplay, cmd::RecordStopReplay};

// A game stopped by the players may go on; one decided may not.
bool IsFinished(GameEnding e)
{
    return e != GameEnding::None && e != GameEnding::Interrupt;
}
} // namespace

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
    m_stepper->CancelForwardStep();
    const BYTE status = g_byGameStatus;
    const int count = doc->GetKiboNum();
    g_byGameStatus = GameStatus::Stopped;
    doc->SetKiboNum(0);
    if (!ChooseNewGame()) {
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

void ShogiApp::EndEngineGame(bool endingRow)
{
    if (endingRow)
        m_pBGKibo->InfoWidget()->ShowEndingRow(true);
    slotGameBreak();
    g_byGameStatus = GameStatus::Resigned;
    StatusMessageTimeOut();
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
    m_stepper->CancelForwardStep();
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
        // mate the rules have already announced is not announced again. The
        // engine's quick mate test can miss an interposition: a claim with a
        // legal reply left is only a move, and the game goes on.
        board->FinishComputerMove();
        if (doc->GetEnding() == GameEnding::None && !MoveRules::HasLegalMove(*doc, doc->GetCurPlayer())) {
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
    if (MoveRules::HasLegalMove(*doc, side))
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
        m_stepper->StopReplay();
    // A step on its way is shown now, so that the board and the cut agree.
    m_stepper->FinishForwardStep();
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
        m_stepper->Back();
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

void ShogiApp::slotKiboFirst()
{
    m_stepper->First();
}

void ShogiApp::slotKiboBackOne()
{
    m_stepper->Back();
}

void ShogiApp::slotKiboLast()
{
    m_stepper->Last();
}

void ShogiApp::slotKiboForwardOne()
{
    m_stepper->Forward();
}

void ShogiApp::slotKiboAutoReplay()
{
    m_stepper->StartReplay();
}

void ShogiApp::slotKiboBreakReplay()
{
    m_stepper->StopReplay();
}

void ShogiApp::JumpToKibo(int pos)
{
    m_stepper->JumpTo(pos);
}

bool ShogiApp::IsForwardStepPending() const
{
    return m_stepper->IsForwardStepPending();
}

int ShogiApp::GetReplayFactor() const
{
    return m_stepper->Factor();
}

void ShogiApp::SetReplayFactor(int index)
{
    m_stepper->SetFactor(index);
}
