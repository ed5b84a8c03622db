// The main window's game commands, clocks and the computer's answers.

#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cplayer.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "shogidoc.h"
#include "shogiview.h"

#include <KToolBar>
#include <QAction>
#include <QLabel>
#include <QStatusBar>

namespace {
void SetEnabled(ShogiApp *app, std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        on ? app->enableCommand(id) : app->disableCommand(id);
}
const std::initializer_list<int> KiboCommands = {12010, 12020, 12030, 12040, 12050, 12060};
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
    if (const CPlayer *p = doc->GetPlayer(cur))
        ShowPlayerTime(cur, p->GetTotalTime() + int(m_GameTime.elapsed() / 1000));
}

void ShogiApp::ViewTime()
{
    ShowPlayerTime(1, doc->GetFirstPlayer()->GetTotalTime());
    ShowPlayerTime(2, doc->GetSecondPlayer()->GetTotalTime());
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
    if (const CPlayer *p = doc->GetPlayer(cur))
        ShowPlayerTime(cur, p->GetTotalTime() + int(time));
    m_pBGKibo->AddKibo();
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
    const BYTE status = g_byGameStatus;
    const int count = doc->GetKiboNum();
    g_byGameStatus = GameStatus::Stopped;
    doc->SetKiboNum(0);
    // next: the new-game dialog sets m_bGameSetOK; until it exists a new
    // game starts at once with the current settings.
    m_bGameSetOK = true;
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
    ViewTime();
    enableCommand(11020);
    SetEnabled(this, {11030, 11040, 11050, 13010, 11060, 11070}, false);
    Command(11070)->setChecked(false);
    SetEnabled(this, KiboCommands, false);
    g_byGameStatus = GameStatus::Playing;
    StatusMessageTimeOut();
    m_GameTime.restart();
    EngineCalls().SetComLevel(doc->GetComputerLevel());
    doc->Play();
}

void ShogiApp::slotGameBreak()
{
    SetEnabled(this, {11020, 11040, 11050}, false);
    SetEnabled(this, {11060, 11030}, true);
    doc->SetMustWait(true);
    g_byGameStatus = GameStatus::Stopped;
    StatusMessageTimeOut();
    doc->SetKiboTestPos(doc->GetKiboNum() - 1);
    if (doc->GetKiboTestPos() >= 0)
        SetEnabled(this, {12010, 12020}, true);
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
    doc->AbandonComputerMove();
    doc->SetMustWait(false);
    disableCommand(11060);
    SetEnabled(this, KiboCommands, false);
    SetEnabled(this, {11070, 11030}, true);
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
        // The winning move goes into the record before the game stops.
        board->FinishComputerMove();
        ShowBox(this, BoxKind::Information, JC_KorvaneWin);
        slotGameBreak();
    }
}

// ---------------------------------------------------------------- settings

void ShogiApp::slotSettingMMoveable()
{
    doc->SetViewMoveablePos(Command(13030)->isChecked());
}

void ShogiApp::slotSettingFirstUp()
{
    // Checked means the first player at the bottom.
    doc->SetFirstUp(!Command(13040)->isChecked());
    UpdateStatusBar();
    doc->UpsetBoard();
    view->UpsetBoard();
    view->UpdateView();
}

void ShogiApp::ToggleShown(int id, QWidget *w)
{
    w->setVisible(Command(id)->isChecked());
    SetStatusMessage(QString());
}

void ShogiApp::slotViewToolBar()
{
    ToggleShown(14010, m_MainToolBar);
}

void ShogiApp::slotViewControlBar()
{
    ToggleShown(14040, m_ControlToolBar);
}

void ShogiApp::slotViewStatusBar()
{
    ToggleShown(14020, statusBar());
}

void ShogiApp::slotViewKibo()
{
    ToggleShown(14050, m_pBGKibo);
}

void ShogiApp::slotFileExit()
{
    close();
}

void ShogiApp::slotHelpAboutVelmShogi()
{
    // next: JC_MSGHelpAbout, the two lines of the about box.
}

void ShogiApp::openDocumentFile(const QString &name)
{
    if (!doc->openDocument(name)) {
        ShowBox(this, BoxKind::Warning, JC_IncorrectKiboFile);
        return;
    }
    m_bFirst = false;
    SetCaptionFromDocument();
    UpdateStatusBar();
    view->UpdateView();
    SetStatusMessage(QString());
}

// ---------------------------------------------------------------- next issue

// next: the record file commands (open with the record-open modes, save,
// save as with the .kvn name rule).
void ShogiApp::slotFileOpen() {}
void ShogiApp::slotFileSave() {}
void ShogiApp::slotFileSaveAs() {}
// next: resume (with the edited-position checks) and take back.
void ShogiApp::slotGameReplay() {}
void ShogiApp::slotGameRetract() {}
// next: stepping through the record and automatic replay.
void ShogiApp::slotKiboFirst() {}
void ShogiApp::slotKiboBackOne() {}
void ShogiApp::slotKiboLast() {}
void ShogiApp::slotKiboForwardOne() {}
void ShogiApp::slotKiboAutoReplay() {}
void ShogiApp::slotKiboBreakReplay() {}
// next: the game and other-settings dialogs, and the HTML help.
void ShogiApp::slotSettingGame() {}
void ShogiApp::slotSettingOther() {}
void ShogiApp::slotHelpTopic() {}
