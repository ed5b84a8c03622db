// The main window's game commands, clocks and the computer's answers.

#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cengineplay.h"
#include "cinfowidget.h"
#include "cnewgamedlg.h"
#include "cplayer.h"
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

void ShogiApp::SetEnabled(std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        on ? enableCommand(id) : disableCommand(id);
}

namespace {
const std::initializer_list<int> KiboCommands = {12010, 12020, 12030, 12040, 12050, 12060};
constexpr BYTE StepPending = 10;
constexpr BYTE StepDone = 100;
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
        ShowPlayerTime(player, m_pEnginePlay->Timed(player) ? m_pEnginePlay->ClockSeconds(player)
                                                           : doc->GetPlayer(player)->GetTotalTime());
}

void ShogiApp::AddKibo(BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, unsigned int time)
{
    enableCommand(13010);
    // A move recorded after the game has ended (the computer's winning move)
    // does not bring back take-back and resign.
    if (g_byGameStatus == GameStatus::Playing ||
        g_byGameStatus == GameStatus::ShowingComputerMove) {
        enableCommand(11040);
        enableCommand(11050);
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
    enableCommand(11020);
    SetEnabled({11030, 11040, 11050, 13010, 11060, 11070}, false);
    Command(11070)->setChecked(false);
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
    m_pEnginePlay->Break();
    SetEnabled({11020, 11040, 11050}, false);
    SetEnabled({11060, 11030}, true);
    doc->SetMustWait(true);
    g_byGameStatus = GameStatus::Stopped;
    StatusMessageTimeOut();
    doc->SetKiboTestPos(doc->GetKiboNum() - 1);
    if (doc->GetKiboTestPos() >= 0)
        SetEnabled({12010, 12020}, true);
}

void ShogiApp::slotGameThrow()
{
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
    if (m_bFirst) {
        doc->Init();
        EngineCalls().SetComLevel(doc->GetComputerLevel());
        m_bFirst = false;
    }
    CancelForwardStep();
    doc->AbandonComputerMove();
    doc->SetMustWait(false);
    disableCommand(11060);
    SetEnabled(KiboCommands, false);
    SetEnabled({11070, 11030}, true);
    doc->SetKiboNum(0);
    doc->GetKibo()->resize(0);
    doc->SetOte(false);
    g_byGameStatus = GameStatus::Editing;
    view->Init();
    m_pBGKibo->Init();
}

void ShogiApp::slotGameEditKill()
{
    // The action has already flipped its check mark.
    g_byGameStatus = Command(11070)->isChecked() ? GameStatus::Removing : GameStatus::Editing;
}

void ShogiApp::ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool naru, int nR)
{
    switch (nR) {
    case EngineResult::PawnDropMate:
        // The computer stays to move in a position it has no answer to: end
        // the game here rather than ask the same question every 50 ms.
        ShowBox(this, BoxKind::Information, JC_Utsifutumi);
        slotGameBreak();
        return;
    case EngineResult::ComputerDefeated:
        ShowBox(this, BoxKind::Information, JC_KorvaneDefeated);
        slotGameBreak();
        return;
    case EngineResult::ComputerResigns:
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
            ShowBox(this, BoxKind::Information, JC_KorvaneWin);
            slotGameBreak();
        }
    }
}

void ShogiApp::FinishShownComputerMove()
{
    view->GetBoard()->FinishComputerMove();
}

// ---------------------------------------------------------------- take back

void ShogiApp::slotGameRetract()
{
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
            disableCommand(11040);
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
            if (kind == 1 && owner <= 2)
                ++pawns[owner];
        }
        if (pawns[1] > 1 || pawns[2] > 1)
            return 2;
    }
    bool attacked[9][9] = {};
    MoveRules::MarkAttacks(*doc, 1, attacked);
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc->GetBoardInfo(x, y);
            if (GetKomaSort(v) == 8 && GetWhoseKoma(v) == 2 && attacked[x][y])
                return 4;
        }
    doc->SetInitBoardInfo();
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
    if (g_byGameStatus == GameStatus::Editing || g_byGameStatus == GameStatus::Removing) {
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
            ShowBox(this, BoxKind::Information, JC_MSGFirstPlayerOrder);
            p = -1;
            break;
        }
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
    doc->SetCurPlayer(p < 0 ? 1 : BYTE(3 - GetWhoseKoma(doc->GetKibo()->at(p).skoma)));
    disableCommand(11030);
    doc->SetMustWait(false);
    SetEnabled({11020, 11040, 11050}, true);
    disableCommand(11060);
    Command(11070)->setChecked(false);
    disableCommand(11070);
    SetEnabled(KiboCommands, false);
    // Nothing to take back in a record without moves.
    if (doc->GetKiboNum() == 0)
        disableCommand(11040);
    g_byGameStatus = GameStatus::Playing;
    m_pBGKibo->InfoWidget()->ShowEndingRow(false);
    m_pEnginePlay->Resume();
    StatusMessageTimeOut();
    m_GameTime.restart();
}

// ---------------------------------------------------------------- stepping

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
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    SetEnabled({12010, 12020}, false);
    SetEnabled({12030, 12040, 11060}, true);
    SetEnabled({12050}, g_byGameStatus != GameStatus::AutoReplay);
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
    view->UpdateView();
    ViewTime();
    if (doc->GetKiboTestPos() < 0) {
        SetEnabled({12010, 12020}, false);
        enableCommand(11060);
    }
    SetEnabled({12030, 12040}, true);
    SetEnabled({12050}, g_byGameStatus != GameStatus::AutoReplay);
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
    SetEnabled({12030, 12040, 12050, 12060}, false);
    SetEnabled({12010, 12020, 11060}, true);
    g_byGameStatus = GameStatus::Stopped;
}

void ShogiApp::slotKiboForwardOne()
{
    // One step at a time: a second press during the preview waits for it.
    if (m_nKiboForwardTimer != 0 || doc->GetKiboTestPos() >= doc->GetKiboNum() - 1)
        return;
    m_nKiboForwardTimer = startTimer(1000);
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
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    if (doc->GetKiboTestPos() >= doc->GetKiboNum() - 1) {
        SetEnabled({12030, 12040, 12050, 12060}, false);
        enableCommand(11060);
        g_byGameStatus = GameStatus::Stopped;
    }
    SetEnabled({12010, 12020}, true);
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
    SetEnabled({12050, 11060}, false);
    enableCommand(12060);
}

void ShogiApp::slotKiboBreakReplay()
{
    g_byGameStatus = GameStatus::Stopped;
    disableCommand(12060);
    SetEnabled({11060, 12050}, true);
}

void ShogiApp::ReplayTick(BYTE speed)
{
    if (g_byAutoTemp == StepPending || g_byGameStatus != GameStatus::AutoReplay ||
        doc->GetKiboSpeed() != speed || !Command(12040)->isEnabled())
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
