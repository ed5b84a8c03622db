// The main window's options, desktop session, file, settings, view and help
// commands.

#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cenginesdlg.h"
#include "cnewgamedlg.h"
#include "commandid.h"
#include "cothersettingdlg.h"
#include "cplayer.h"
#include "datapath.h"
#include "desktopcalls.h"
#include "gameending.h"
#include "gamefiles.h"
#include "gameflow.h"
#include "helpwindow.h"
#include "language.h"
#include "languagedlg.h"
#include "messagebox.h"
#include "recordformat.h"
#include "recordstepper.h"
#include "shogidoc.h"
#include "shogiview.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <KToolBar>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>
#include <QUuid>

namespace {

const char OptionsGroup[] = "General Options";

// Tool-bar position codes of the configuration file.
Qt::ToolBarArea AreaOfCode(int code, Qt::ToolBarArea fallback)
{
    switch (code) {
    case 2:
        return Qt::TopToolBarArea;
    case 3:
        return Qt::BottomToolBarArea;
    case 4:
        return Qt::RightToolBarArea;
    case 5:
        return Qt::LeftToolBarArea;
    default:
        return fallback;
    }
}

int CodeOfArea(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return 3;
    case Qt::RightToolBarArea:
        return 4;
    case Qt::LeftToolBarArea:
        return 5;
    default:
        return 2;
    }
}

// A value outside lo..hi (a hand-edited or foreign file) gives the default.
int ReadInt(const KConfigGroup &g, const char *key, int def, int lo, int hi)
{
    const int v = g.readEntry(key, def);
    return v >= lo && v <= hi ? v : def;
}

} // namespace

// ---------------------------------------------------------------- options

void ShogiApp::readOptions()
{
    const KConfigGroup g = KSharedConfig::openConfig()->group(OptionsGroup);
    const struct
    {
        int id;
        const char *key;
        bool def;
        QWidget *w;
    } shown[] = {{cmd::ViewToolBar, "Show Toolbar", true, m_MainToolBar},
                 {cmd::ViewControlBar, "Show Controlbar", false, m_ControlToolBar},
                 {cmd::ViewStatusBar, "Show Statusbar", true, statusBar()},
                 {cmd::ViewRecord, "Show KiboWindow", true, m_pBGKibo}};
    for (const auto &s : shown) {
        const bool on = g.readEntry(s.key, s.def);
        Command(s.id)->setChecked(on);
        if (!on)
            s.w->hide();
    }
    addToolBar(AreaOfCode(g.readEntry("ToolBarPos", 2), Qt::TopToolBarArea), m_MainToolBar);
    addToolBar(AreaOfCode(g.readEntry("ControlBarPos", 5), Qt::LeftToolBarArea), m_ControlToolBar);
    QSize size = g.readEntry("Geometry", QSize());
    if (size.isEmpty()) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            size = screen->availableGeometry().size();
    }
    if (!size.isEmpty())
        resize(size);

    doc->GetFirstPlayer()->SetProperty(BYTE(ReadInt(g, "FirstProperty", 1, 1, 2)));
    doc->GetSecondPlayer()->SetProperty(BYTE(ReadInt(g, "SecondProperty", 2, 1, 2)));
    doc->SetComputerLevel(BYTE(ReadInt(g, "ComputerLevel", 0, 0, 2)));
    doc->SetTeai(BYTE(ReadInt(g, "Teai", 0, 0, 5)));
    doc->SetStandardKoma(g.readEntry("StandardKoma", true));
    doc->SetKiboProperty(BYTE(ReadInt(g, "KiboProperty", 1, 1, 3)));
    doc->SetKiboSpeed(BYTE(ReadInt(g, "KiboSpeed", 2, 0, ReplaySchedule::AsPlayedSpeed)));
    SetReplayFactor(ReadInt(g, "ReplayFactor", 0, 0, ReplaySchedule::FactorCount - 1));
    doc->SetOSBeforeSu(g.readEntry("OSBeforeSu", true));
    doc->SetOSInfoWangSu(g.readEntry("OSInfoWangSu", true));
    doc->SetOSDan(g.readEntry("OSDan", true));
    doc->SetOSSound(g.readEntry("OSSound", true));
    doc->SetViewMoveablePos(g.readEntry("ViewMoveablePos", true));
    m_bConfirmResign = g.readEntry("ConfirmResign", true);
}

void ShogiApp::saveOptions()
{
    KConfigGroup g = KSharedConfig::openConfig()->group(OptionsGroup);
    g.writeEntry("Geometry", size());
    g.writeEntry("Show Toolbar", !m_MainToolBar->isHidden());
    g.writeEntry("Show Controlbar", !m_ControlToolBar->isHidden());
    g.writeEntry("Show Statusbar", !statusBar()->isHidden());
    g.writeEntry("ControlBarPos", CodeOfArea(toolBarArea(m_ControlToolBar)));
    g.writeEntry("Show KiboWindow", Command(cmd::ViewRecord)->isChecked());
    g.writeEntry("ToolBarPos", CodeOfArea(toolBarArea(m_MainToolBar)));
    g.writeEntry("FirstProperty", int(doc->GetFirstPlayer()->GetProperty()));
    g.writeEntry("SecondProperty", int(doc->GetSecondPlayer()->GetProperty()));
    g.writeEntry("ComputerLevel", int(doc->GetComputerLevel()));
    g.writeEntry("Teai", int(doc->GetTeai()));
    g.writeEntry("StandardKoma", doc->GetStandardKoma());
    g.writeEntry("KiboProperty", int(doc->GetKiboProperty()));
    g.writeEntry("KiboSpeed", int(doc->GetKiboSpeed()));
    g.writeEntry("ReplayFactor", GetReplayFactor());
    g.writeEntry("OSBeforeSu", doc->GetOSBeforeSu());
    g.writeEntry("OSInfoWangSu", doc->GetOSInfoWangSu());
    g.writeEntry("OSDan", doc->GetOSDan());
    g.writeEntry("OSSound", doc->GetOSSound());
    g.writeEntry("ViewMoveablePos", doc->GetViewMoveablePos());
    g.writeEntry("ConfirmResign", m_bConfirmResign);
    g.sync();
}

bool ShogiApp::queryClose()
{
    return doc->saveModified() && queryExit();
}

bool ShogiApp::queryExit()
{
    saveOptions();
    return true;
}

// ---------------------------------------------------------------- session

void ShogiApp::saveProperties(KConfigGroup &config)
{
    m_files->SaveSession(config);
}

void ShogiApp::readProperties(const KConfigGroup &config)
{
    m_files->RestoreSession(config);
}

// ---------------------------------------------------------------- files

void ShogiApp::openDocumentFile(const QString &name)
{
    m_files->Open(name);
}

void ShogiApp::slotFileOpen()
{
    m_files->OpenChosen();
}

void ShogiApp::slotFileSave()
{
    m_files->Save();
}

void ShogiApp::slotFileSaveAs()
{
    m_files->SaveAs();
}

void ShogiApp::ReportSaveFailed(const QString &name)
{
    m_files->ReportSaveFailed(name);
}

void ShogiApp::SaveInRecordFormat(const QString &fileName)
{
    m_files->SaveTo(fileName);
}

void ShogiApp::ShowOpenedRecord()
{
    m_stepper->CancelForwardStep();
    doc->AbandonComputerMove();
    m_bFirst = false;
    const QVector<KIBO> &kibo = *doc->GetKibo();
    if (!kibo.isEmpty() && IsResignKibo(kibo.last()))
        doc->SetEnding(GameEnding::Resign);
    enableCommand(cmd::FileSaveAs);
    SetCaptionFromDocument();
    Command(cmd::SettingFirstUp)->setChecked(!doc->GetFirstUp());
    UpdateStatusBar();
    m_pBGKibo->Update();
    view->UpdateView();
    ViewTime();
    slotGameBreak();
    // Cleared first, so that a note of the replay it starts stays.
    SetStatusMessage(QString());
    switch (doc->GetKiboProperty()) {
    case 1:
        m_stepper->First();
        break;
    case 3:
        m_stepper->First();
        m_stepper->StartReplay();
        break;
    default:
        // The board stays at the end.
        SetEnabled({cmd::RecordLast, cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay},
                   false);
        break;
    }
}

void ShogiApp::slotFileExit()
{
    // queryClose asks about the game and writes the options.
    close();
}

// ---------------------------------------------------------------- settings

void ShogiApp::RunSettingDialog(QDialog *dialog)
{
    g_pRunDialog(dialog);
}

bool ShogiApp::ChooseNewGame()
{
    bool chosen = false;
    auto *dialog = new CNewGameDLG(doc, m_pEnginePlay->Plan(), this);
    connect(dialog, &CNewGameDLG::Chosen, this, [this, &chosen](const GamePlan &plan) {
        m_pEnginePlay->SetPlan(plan, LoadEngineList());
        chosen = true;
    });
    RunSettingDialog(dialog);
    return chosen;
}

void ShogiApp::slotSettingGame()
{
    if (!ChooseNewGame())
        return;
    UpdateStatusBar();
    view->UpdateView();
}

void ShogiApp::slotSettingEngines()
{
    RunSettingDialog(new CEnginesDLG(this));
}

void ShogiApp::slotSettingOther()
{
    auto *dialog = new COtherSettingDLG(doc, GetReplayFactor(), m_bConfirmResign, this);
    connect(dialog, &COtherSettingDLG::Chosen, this, [this](int replayFactor, bool confirmResign) {
        SetReplayFactor(replayFactor);
        m_bConfirmResign = confirmResign;
    });
    RunSettingDialog(dialog);
    view->UpdateView();
}

void ShogiApp::slotSettingLanguage()
{
    auto *dialog = new CLanguageDLG(this);
    connect(dialog, &CLanguageDLG::Applied, this, &ShogiApp::ApplyDisplayPrefs);
    RunSettingDialog(dialog);
}

void ShogiApp::ApplyDisplayPrefs()
{
    view->GetBoard()->ReloadPieces();
    m_pBGKibo->Update();
}

void ShogiApp::slotSettingMMoveable()
{
    doc->SetViewMoveablePos(Command(cmd::SettingShowMoves)->isChecked());
}

void ShogiApp::slotSettingFirstUp()
{
    // Checked means the first player at the bottom.
    doc->SetFirstUp(!Command(cmd::SettingFirstUp)->isChecked());
    UpdateStatusBar();
    doc->UpsetBoard();
    view->UpsetBoard();
    view->UpdateView();
    m_pBGKibo->Update();
}

// ---------------------------------------------------------------- view

void ShogiApp::ToggleShown(int id, QWidget *w)
{
    w->setVisible(Command(id)->isChecked());
    SetStatusMessage(QString());
}

void ShogiApp::slotViewToolBar()
{
    ToggleShown(cmd::ViewToolBar, m_MainToolBar);
}

void ShogiApp::slotViewControlBar()
{
    ToggleShown(cmd::ViewControlBar, m_ControlToolBar);
}

void ShogiApp::slotViewStatusBar()
{
    ToggleShown(cmd::ViewStatusBar, statusBar());
}

void ShogiApp::slotViewKibo()
{
    if (Command(cmd::ViewRecord)->isChecked()) {
        view->PlaceKiboWindow(true);
        m_pBGKibo->raise();
    }
    ToggleShown(cmd::ViewRecord, m_pBGKibo);
}

// ---------------------------------------------------------------- help

CHelpWindow *ShogiApp::HelpWindow() const
{
    return m_pHelp;
}

void ShogiApp::slotHelpTopic()
{
    const QString help = DataFile(GetTextLanguage() == TextLanguage::English
                                      ? QStringLiteral("doc/HTML/en/Korvane/KorvaneHelp.htm")
                                      : QStringLiteral("doc/HTML/ja/Korvane/KorvaneHelp.htm"));
    if (!QFileInfo::exists(help)) {
        ShowBox(this, BoxKind::Warning,
                JStr(JC_MSGNoHelp) + QStringLiteral("\n") + QDir::toNativeSeparators(help));
        return;
    }
    if (!m_pHelp) {
        m_pHelp = new CHelpWindow(help, this);
        m_pHelp->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

void ShogiApp::slotHelpAboutVelmShogi()
{
    ShowBox(this, BoxKind::Information, JC_MSGHelpAbout);
}
