#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cengineplay.h"
#include "cinfowidget.h"
#include "ckibowidget.h"
#include "commandtable.h"
#include "cplayer.h"
#include "datapath.h"
#include "gamefiles.h"
#include "gameflow.h"
#include "language.h"
#include "linepreview.h"
#include "messagebox.h"
#include "moveentry.h"
#include "recordstepper.h"
#include "shogidoc.h"
#include "shogiview.h"
#include "shortcuts.h"
#include "studycontroller.h"

#include <KToolBar>
#include <QAudioDeviceInfo>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSoundEffect>
#include <QStatusBar>
#include <QToolButton>

namespace {
// Field widths of the status bar: position, players, handicap, two clocks.
constexpr int FieldWidth[5] = {140, 150, 80, 50, 50};

// The window's answer to each command of the command table.
const struct
{
    int id;
    void (ShogiApp::*slot)();
} Handlers[] = {
    {cmd::FileOpen, &ShogiApp::slotFileOpen},
    {cmd::FileSave, &ShogiApp::slotFileSave},
    {cmd::FileSaveAs, &ShogiApp::slotFileSaveAs},
    {cmd::FilePrint, &ShogiApp::slotFilePrint},
    {cmd::FilePrintDiagram, &ShogiApp::slotFilePrintDiagram},
    {cmd::FileExportDiagram, &ShogiApp::slotFileExportDiagram},
    {cmd::FileCopyDiagram, &ShogiApp::slotFileCopyDiagram},
    {cmd::FileExit, &ShogiApp::slotFileExit},
    {cmd::GameNew, &ShogiApp::slotGameNewGame},
    {cmd::GameBreak, &ShogiApp::slotGameBreak},
    {cmd::GameResume, &ShogiApp::slotGameReplay},
    {cmd::GameRetract, &ShogiApp::slotGameRetract},
    {cmd::GameResign, &ShogiApp::slotGameThrow},
    {cmd::GameEditBoard, &ShogiApp::slotGameEditBoard},
    {cmd::GameEditRemove, &ShogiApp::slotGameEditKill},
    {cmd::GameDeclare, &ShogiApp::slotGameDeclare},
    {cmd::CopyRecord, &ShogiApp::slotCopyRecord},
    {cmd::CopyPosition, &ShogiApp::slotCopyPosition},
    {cmd::PasteRecord, &ShogiApp::slotPasteRecord},
    {cmd::RecordFirst, &ShogiApp::slotKiboFirst},
    {cmd::RecordBack, &ShogiApp::slotKiboBackOne},
    {cmd::RecordLast, &ShogiApp::slotKiboLast},
    {cmd::RecordForward, &ShogiApp::slotKiboForwardOne},
    {cmd::RecordReplay, &ShogiApp::slotKiboAutoReplay},
    {cmd::RecordStopReplay, &ShogiApp::slotKiboBreakReplay},
    {cmd::SettingGame, &ShogiApp::slotSettingGame},
    {cmd::SettingOther, &ShogiApp::slotSettingOther},
    {cmd::SettingEngines, &ShogiApp::slotSettingEngines},
    {cmd::SettingShowMoves, &ShogiApp::slotSettingMMoveable},
    {cmd::SettingFirstUp, &ShogiApp::slotSettingFirstUp},
    {cmd::SettingLanguage, &ShogiApp::slotSettingLanguage},
    {cmd::ViewToolBar, &ShogiApp::slotViewToolBar},
    {cmd::ViewControlBar, &ShogiApp::slotViewControlBar},
    {cmd::ViewStatusBar, &ShogiApp::slotViewStatusBar},
    {cmd::ViewRecord, &ShogiApp::slotViewKibo},
    {cmd::HelpTopic, &ShogiApp::slotHelpTopic},
    {cmd::HelpAbout, &ShogiApp::slotHelpAboutVelmShogi},
};
} // namespace

ShogiApp::ShogiApp(QWidget *parent) : KMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_GameTime.start();
    if (!QFileInfo(DataFile(QStringLiteral("pixmaps/Korvane/board.bmp"))).isReadable())
        // The game still runs, on plain colours.
        ShowBox(this, BoxKind::Warning, JC_NoResource);
    DrawLogo();
    m_commands = new CommandTable(this, menuBar());
    connect(m_commands, &CommandTable::Triggered, this, &ShogiApp::commandCallback);
    connect(m_commands, &CommandTable::Pointed, this, &ShogiApp::statusCallback);
    initToolBar();
    m_commands->ApplyShortcuts();
    initStatusBar();
    initDocument();
    initView();
    m_pEnginePlay = new CEnginePlay(this, doc);
    connect(m_pEnginePlay, &CEnginePlay::EngineThinking, this, [this] {
        disableCommand(cmd::GameRetract);
        disableCommand(cmd::GameResign);
    });
    connect(m_pEnginePlay, &CEnginePlay::EngineMoving, this, [this] { enableCommand(cmd::GameBreak); });
    connect(m_pEnginePlay, &CEnginePlay::GamePaused, this, &ShogiApp::slotGameBreak);
    connect(m_pEnginePlay, &CEnginePlay::GameOver, this, &ShogiApp::EndEngineGame);
    readOptions();
    NewStudy();
    doc->Init();
    Command(cmd::SettingFirstUp)->setChecked(true);
    Command(cmd::SettingShowMoves)->setChecked(doc->GetViewMoveablePos());
    for (int id :
         {cmd::FileSave, cmd::FileSaveAs, cmd::GameBreak, cmd::GameResume, cmd::GameRetract,
          cmd::GameResign, cmd::GameEditRemove, cmd::RecordFirst, cmd::RecordBack, cmd::RecordLast,
          cmd::RecordForward, cmd::RecordReplay, cmd::RecordStopReplay, cmd::SettingGame})
        disableCommand(id);
    delete m_pLogo;
    m_pLogo = nullptr;
    setMinimumSize(500, 500);
    setAcceptDrops(true);
    m_bFirst = true;
}

ShogiApp::~ShogiApp()
{
    delete m_pEnginePlay; // before the document it plays on
}

void ShogiApp::DrawLogo()
{
    const QPixmap logo(DataFile(QStringLiteral("pixmaps/Korvane/logo.bmp")));
    if (logo.isNull())
        return;
    auto *w = new QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    w->setPixmap(logo);
    w->resize(logo.size());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect d = screen->geometry();
        w->move(d.width() / 2 - logo.width() / 2, d.height() / 2 - logo.height() / 2);
    }
    w->show();
    m_pLogo = w;
}

QMenu *ShogiApp::Menu(int index) const
{
    return m_commands->Menu(index);
}

void ShogiApp::initToolBar()
{
    m_MainToolBar = toolBar(QStringLiteral("mainToolBar"));
    m_commands->AddButtons(m_MainToolBar,
                           {cmd::GameNew, cmd::GameBreak, cmd::GameResume, cmd::GameRetract,
                            cmd::GameResign, cmd::GameEditRemove},
                           45);
    m_ControlToolBar = toolBar(QStringLiteral("controlToolBar"));
    addToolBar(Qt::LeftToolBarArea, m_ControlToolBar);
    m_commands->AddButtons(m_ControlToolBar,
                           {cmd::RecordFirst, cmd::RecordBack, cmd::RecordStopReplay,
                            cmd::RecordReplay, cmd::RecordForward, cmd::RecordLast},
                           32);
    addToolBar(Qt::BottomToolBarArea, toolBar(QStringLiteral("moveToolBar")));
}

void ShogiApp::initStatusBar()
{
    m_pLabel = new QLabel(statusBar());
    statusBar()->addWidget(m_pLabel, 1);
    m_Timer.setSingleShot(true);
    m_Timer.setInterval(2000);
    connect(&m_Timer, &QTimer::timeout, this, &ShogiApp::StatusMessageTimeOut);
    // Added from left to right, the fields sit right-aligned in this order.
    for (int i = 0; i < 5; ++i) {
        auto *frame = new QFrame(statusBar());
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setFixedWidth(FieldWidth[i]);
        auto *label = new QLabel(frame);
        label->move(1, 1);
        label->resize(FieldWidth[i] - 2, label->sizeHint().height());
        frame->setMinimumHeight(label->sizeHint().height() + 2);
        statusBar()->addPermanentWidget(frame);
        m_pFields[i] = frame;
        m_pFieldLabels[i] = label;
    }
    m_pFieldLabels[3]->setText(GetViewTime(0, 0));
    m_pFieldLabels[4]->setText(GetViewTime(0, 0));
}

void ShogiApp::initDocument()
{
    doc = new ShogiDoc(this);
    doc->SetHost(this);
    doc->newDocument();
    g_byGameStatus = GameStatus::Start;
    connect(&m_GameTimer, &QTimer::timeout, this, &ShogiApp::OneSecondTimeOut);
    m_GameTimer.start(1000);
    StatusMessageTimeOut();
}

void ShogiApp::initView()
{
    view = new ShogiView(doc, this);
    setCentralWidget(view);
    SetCaptionFromDocument();
    CBoardFrame *board = view->GetBoard();
    connect(board, &CBoardFrame::StatusText, this, &ShogiApp::slotStatusMsg);
    connect(board, &CBoardFrame::PiecePlaced, this, &ShogiApp::PlaySoundPutKoma);
    connect(board, &CBoardFrame::HumanMoved, this, &ShogiApp::EndIfMated);
    KToolBar *moveBar = toolBar(QStringLiteral("moveToolBar"));
    m_pMoveEntry = new CMoveEntry(doc, board, moveBar);
    moveBar->addWidget(m_pMoveEntry);
    m_pBGKibo = new CBGKibo(doc, this);
    // Through the view command, so that its check mark follows.
    connect(m_pBGKibo, &CBGKibo::CloseClicked, Command(cmd::ViewRecord), &QAction::trigger);
    connect(m_pBGKibo, &CBGKibo::EntryClicked, this, &ShogiApp::JumpToKibo);
    view->SetRecordWindow(m_pBGKibo);
    m_pBGKibo->show();
    m_stepper = new RecordStepper(doc, view, m_pBGKibo, m_commands, this);
    m_files = new GameFiles(doc, this);
    connect(m_files, &GameFiles::RecordOpened, this, &ShogiApp::ShowOpenedRecord);
    connect(m_files, &GameFiles::TitleChanged, this, &ShogiApp::SetCaptionFromDocument);
    connect(m_files, &GameFiles::StatusText, this, &ShogiApp::SetStatusMessage);
    connect(m_stepper, &RecordStepper::ClocksChanged, this, &ShogiApp::ViewTime);
    connect(m_stepper, &RecordStepper::PlayerClock, this, &ShogiApp::ShowPlayerTime);
    connect(m_stepper, &RecordStepper::PieceLanded, this, &ShogiApp::PlaySoundPutKoma);
    connect(m_stepper, &RecordStepper::StatusMessage, this, &ShogiApp::slotStatusMsg);
}

void ShogiApp::SetCaptionFromDocument()
{
    setPlainCaption(JStr(JC_Korvane) + QStringLiteral(": ") + doc->getTitle());
}

// ---------------------------------------------------------------- commands

void ShogiApp::enableCommand(int id)
{
    m_commands->SetEnabled(id, true);
}

void ShogiApp::disableCommand(int id)
{
    m_commands->SetEnabled(id, false);
}

QAction *ShogiApp::Command(int id) const
{
    return m_commands->Action(id);
}

void ShogiApp::commandCallback(int id)
{
    for (const auto &h : Handlers)
        if (h.id == id)
            (this->*(h.slot))();
}

void ShogiApp::statusCallback(int id)
{
    const QString help = CommandTable::StatusHelp(id);
    if (!help.isEmpty())
        slotStatusHelpMsg(help);
}

void ShogiApp::slotStatusMsg(const QString &text)
{
    m_pLabel->clear();
    m_pLabel->setText(text);
    m_Timer.start();
}

void ShogiApp::slotStatusHelpMsg(const QString &text)
{
    slotStatusMsg(text);
}

void ShogiApp::SetStatusMessage(const QString &text)
{
    m_pLabel->setText(text);
}

QString ShogiApp::StatusMessage() const
{
    return m_pLabel->text();
}

void ShogiApp::ShowHelpStatus(const QString &text)
{
    if (m_pLabel->text() != text)
        m_statusBeforeHelp = m_pLabel->text();
    m_pLabel->setText(text);
}

void ShogiApp::HideHelpStatus(const QString &text)
{
    // A message that came since stays.
    if (m_pLabel->text() == text)
        m_pLabel->setText(m_statusBeforeHelp);
}

StudyController *ShogiApp::NewStudy()
{
    StudyParts parts;
    parts.window = this;
    parts.doc = doc;
    parts.board = view->GetBoard();
    parts.record = m_pBGKibo->InfoWidget()->KiboWidget();
    parts.gameMenu = Menu(CommandTable::GameMenu);
    parts.recordMenu = Menu(CommandTable::RecordMenu);
    parts.settingMenu = Menu(CommandTable::SettingMenu);
    parts.backOne = Command(cmd::RecordBack);
    parts.forwardOne = Command(cmd::RecordForward);
    auto *study = new StudyController(parts, this);
    connect(study, &StudyController::StatusText, this, &ShogiApp::SetStatusMessage);
    connect(study, &StudyController::StepRequested, this, &ShogiApp::JumpToKibo);
    connect(study->Preview(), &LinePreview::HelpShown, this, &ShogiApp::ShowHelpStatus);
    connect(study->Preview(), &LinePreview::HelpGone, this, &ShogiApp::HideHelpStatus);
    return study;
}

void ShogiApp::SetGameStatus(BYTE s)
{
    g_byGameStatus = s;
}

QString ShogiApp::FieldText(int field) const
{
    return field >= 0 && field < 5 ? m_pFieldLabels[field]->text() : QString();
}

void ShogiApp::StatusMessageTimeOut()
{
    switch (g_byGameStatus) {
    case GameStatus::Playing:
        SetStatusMessage(
            JStr(doc->GetCurPlayer() == 1 ? JC_MSGFirstPlayerOrder : JC_MSGSecondPlayerOrder));
        break;
    case GameStatus::Start:
        SetStatusMessage(JStr(JC_KiboStart));
        break;
    case GameStatus::Stopped:
    case GameStatus::Resigned:
        SetStatusMessage(JStr(JC_StaGameBreak));
        break;
    default:
        break;
    }
}

void ShogiApp::UpdateStatusBar()
{
    static const char *const teai[6] = {JC_Pyongsu, JC_Hyangzi,    JC_Gakzi,
                                        JC_Bicazi,  JC_Bicahangzi, JC_Twozi};
    auto kind = [](const CPlayer *p) {
        return JStr(p->GetProperty() == 1 ? JC_Human : JC_Computer);
    };
    m_pFieldLabels[0]->setText(JStr(doc->GetFirstUp() ? JC_StaFirstUp : JC_StaFirstDown));
    m_pFieldLabels[1]->setText(kind(doc->GetFirstPlayer()) + QStringLiteral(":") +
                               kind(doc->GetSecondPlayer()));
    m_pFieldLabels[2]->setText(doc->GetTeai() < 6 ? JStr(teai[doc->GetTeai()]) : QString());
    // A field grows to its text (English ones are wider), never below its width.
    for (int i = 0; i < 5; ++i) {
        QLabel *l = m_pFieldLabels[i];
        m_pFields[i]->setFixedWidth(qMax(FieldWidth[i], l->sizeHint().width() + 4));
        l->resize(m_pFields[i]->width() - 2, l->sizeHint().height());
    }
}

// ---------------------------------------------------------------- host

void ShogiApp::SetDocModified(bool modified)
{
    // Save As stays as it is: a copy can be saved whether or not changed.
    modified ? enableCommand(cmd::FileSave) : disableCommand(cmd::FileSave);
}

void ShogiApp::ResetKiboWindow()
{
    m_pBGKibo->Init();
}

void ShogiApp::ResetView()
{
    view->Init();
}

CDocHost::Answer ShogiApp::AskYesNoCancel(const char *eucText)
{
    switch (ShowBox(this, BoxKind::WarningYesNoCancel, eucText)) {
    case BoxAnswer::Yes:
        return Yes;
    case BoxAnswer::No:
        return No;
    default:
        return Cancel;
    }
}

qint64 ShogiApp::GameTimeElapsed()
{
    return m_GameTime.elapsed();
}

void ShogiApp::RestartGameTime()
{
    m_GameTime.restart();
}

// No audio device, no file, or a file the device cannot play: no sound.
void ShogiApp::PlaySoundPutKoma()
{
    if (m_bNoSound)
        return;
    if (!m_pSound) {
        const QString path = DataFile(QStringLiteral("sounds/Korvane/putkoma.wav"));
        if (!QFileInfo::exists(path) || QAudioDeviceInfo::defaultOutputDevice().isNull()) {
            m_bNoSound = true;
            return;
        }
        m_pSound = new QSoundEffect(this);
        m_pSound->setSource(QUrl::fromLocalFile(path));
    }
    if (m_pSound->status() == QSoundEffect::Error) {
        m_bNoSound = true;
        return;
    }
    m_pSound->play();
}
