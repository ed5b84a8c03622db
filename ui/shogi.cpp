#include "shogi.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "cengineplay.h"
#include "cplayer.h"
#include "datapath.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "moveentry.h"
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

struct ShogiApp::CommandInfo
{
    int id;
    const char *text;   // menu text
    int key;            // accelerator, 0 for none
    const char *status; // status help
    const char *icon;   // tool-bar picture, nullptr when not on a tool bar
    const char *tip;    // tool-bar tip
    bool checkable;
    void (ShogiApp::*slot)();
};

namespace {
constexpr int Separator = 0;
// Field widths of the status bar: position, players, handicap, two clocks.
constexpr int FieldWidth[5] = {140, 150, 80, 50, 50};
} // namespace

const ShogiApp::CommandInfo *ShogiApp::FindCommand(int id)
{
    static const CommandInfo table[] = {
        {10010, JC_FileOpen, Qt::CTRL | Qt::Key_O, JC_StaFileOpen, nullptr, nullptr, false,
         &ShogiApp::slotFileOpen},
        {10020, JC_FileSave, Qt::CTRL | Qt::Key_S, JC_StaFileSave, nullptr, nullptr, false,
         &ShogiApp::slotFileSave},
        {10030, JC_FileSaveAs, 0, JC_StaFileSaveAs, nullptr, nullptr, false,
         &ShogiApp::slotFileSaveAs},
        {16400, JC_FilePrint, Qt::CTRL | Qt::Key_P, JC_StaFilePrint, nullptr, nullptr, false,
         &ShogiApp::slotFilePrint},
        {16410, JC_FilePrintDiagram, 0, JC_StaFilePrintDiagram, nullptr, nullptr, false,
         &ShogiApp::slotFilePrintDiagram},
        {16420, JC_FileExportDiagram, 0, JC_StaFileExportDiagram, nullptr, nullptr, false,
         &ShogiApp::slotFileExportDiagram},
        {16430, JC_FileCopyDiagram, 0, JC_StaFileCopyDiagram, nullptr, nullptr, false,
         &ShogiApp::slotFileCopyDiagram},
        {10050, JC_FileExit, Qt::CTRL | Qt::Key_Q, JC_StaFileExit, nullptr, nullptr, false,
         &ShogiApp::slotFileExit},
        {11010, JC_GameNewGame, Qt::Key_F2, JC_StaGameNewGame, "gamenew.xpm", JC_ToolBarNewGame,
         false, &ShogiApp::slotGameNewGame},
        {11020, JC_GameBreak, Qt::Key_F3, JC_StaGameBreak, "gamebreak.xpm", JC_ToolBarBreak, false,
         &ShogiApp::slotGameBreak},
        {11030, JC_GameReplay, Qt::Key_F4, JC_StaGameReplay, "gamereplay.xpm", JC_ToolBarReplay,
         false, &ShogiApp::slotGameReplay},
        {11040, JC_GameRetract, Qt::Key_F5, JC_StaGameRetract, "gameretract.xpm", JC_ToolBarRetract,
         false, &ShogiApp::slotGameRetract},
        {11050, JC_GameThrow, Qt::Key_F6, JC_StaGameThrow, "gamethrow.xpm", JC_ToolBarThrow, false,
         &ShogiApp::slotGameThrow},
        {11060, JC_GameEditBoard, Qt::Key_F7, JC_StaGameEditBoard, nullptr, nullptr, false,
         &ShogiApp::slotGameEditBoard},
        {11070, JC_GameEditKill, Qt::Key_F8, JC_StaGameEditKill, "gameeditkill.xpm",
         JC_ToolBarEditKill, true, &ShogiApp::slotGameEditKill},
        {12010, JC_KiboFirst, Qt::CTRL | Qt::Key_Up, JC_StaKiboFirst, "first.xpm", JC_ToolBarFirst,
         false, &ShogiApp::slotKiboFirst},
        {12020, JC_KiboBackOne, Qt::CTRL | Qt::Key_Left, JC_StaKiboBackOne, "backone.xpm",
         JC_ToolBarBackOne, false, &ShogiApp::slotKiboBackOne},
        {12030, JC_KiboLast, Qt::CTRL | Qt::Key_Down, JC_StaKiboLast, "last.xpm", JC_ToolBarLast,
         false, &ShogiApp::slotKiboLast},
        {12040, JC_KiboForwardOne, Qt::CTRL | Qt::Key_Right, JC_StaKiboForwardOne, "forward.xpm",
         JC_ToolBarForwardOne, false, &ShogiApp::slotKiboForwardOne},
        {12050, JC_KiboAutoReplay, 0, JC_StaKiboAutoReplay, "auto.xpm", JC_ToolBarAutoReplay, false,
         &ShogiApp::slotKiboAutoReplay},
        {12060, JC_KiboBreakReplay, 0, JC_StaKiboBreakReplay, "stop.xpm", JC_ToolBarBreakReplay,
         false, &ShogiApp::slotKiboBreakReplay},
        {13010, JC_SettingGame, 0, JC_StaSettingGame, nullptr, nullptr, false,
         &ShogiApp::slotSettingGame},
        {13020, JC_SettingOther, 0, JC_StaSettingOther, nullptr, nullptr, false,
         &ShogiApp::slotSettingOther},
        {16220, JC_Engines, 0, JC_StaEngines, nullptr, nullptr, false,
         &ShogiApp::slotSettingEngines},
        {16210, JC_Declare, 0, JC_StaDeclare, nullptr, nullptr, false, &ShogiApp::slotGameDeclare},
        {13030, JC_SettingMove, 0, JC_StaSettingMove, nullptr, nullptr, true,
         &ShogiApp::slotSettingMMoveable},
        {13040, JC_SettingFirstUp, 0, JC_StaSettingFirstUp, nullptr, nullptr, true,
         &ShogiApp::slotSettingFirstUp},
        {16500, JC_SettingLanguage, 0, JC_StaSettingLanguage, nullptr, nullptr, false,
         &ShogiApp::slotSettingLanguage},
        {14010, JC_ViewToolBar, 0, JC_StaViewToolBar, nullptr, nullptr, true,
         &ShogiApp::slotViewToolBar},
        {14040, JC_ViewControlBar, 0, JC_StaViewControlBar, nullptr, nullptr, true,
         &ShogiApp::slotViewControlBar},
        {14020, JC_ViewStatusBar, 0, JC_StaViewStatusBar, nullptr, nullptr, true,
         &ShogiApp::slotViewStatusBar},
        {14050, JC_ViewKibo, 0, JC_StaViewKibo, nullptr, nullptr, true, &ShogiApp::slotViewKibo},
        {15020, JC_HelpTopic, 0, JC_StaHelpTopic, nullptr, nullptr, false,
         &ShogiApp::slotHelpTopic},
        {15010, JC_HelpAboutVelmShogi, 0, JC_StaHelpAboutVelmShogi, nullptr, nullptr, false,
         &ShogiApp::slotHelpAboutVelmShogi},
        {16100, JC_CopyKif, Qt::CTRL | Qt::Key_C, JC_StaCopyKif, nullptr, nullptr, false,
         &ShogiApp::slotCopyRecord},
        {16101, JC_CopySfen, Qt::CTRL | Qt::SHIFT | Qt::Key_C, JC_StaCopySfen, nullptr, nullptr,
         false, &ShogiApp::slotCopyPosition},
        {16102, JC_PasteRecord, Qt::CTRL | Qt::Key_V, JC_StaPasteRecord, nullptr, nullptr, false,
         &ShogiApp::slotPasteRecord},
    };
    for (const CommandInfo &c : table)
        if (c.id == id)
            return &c;
    return nullptr;
}

ShogiApp::ShogiApp(QWidget *parent) : KMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_GameTime.start();
    if (!QFileInfo(DataFile(QStringLiteral("pixmaps/Korvane/board.bmp"))).isReadable())
        // The game still runs, on plain colours.
        ShowBox(this, BoxKind::Warning, JC_NoResource);
    DrawLogo();
    initMenuBar();
    initToolBar();
    ApplyShortcutTable();
    initStatusBar();
    initDocument();
    initView();
    m_pEnginePlay = new CEnginePlay(this, doc);
    readOptions();
    new StudyController(this);
    doc->Init();
    Command(13040)->setChecked(true);
    Command(13030)->setChecked(doc->GetViewMoveablePos());
    for (int id : {10020, 10030, 11020, 11030, 11040, 11050, 11070, 12010, 12020, 12030, 12040,
                   12050, 12060, 13010})
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

void ShogiApp::initMenuBar()
{
    static const int ids[6][14] = {
        {10010, 10020, 10030, Separator, 16400, 16410, 16420, 16430, Separator, 10050, -1},
        {11010, 11020, 11030, Separator, 11040, 11050, 16210, 11060, 11070, Separator, 16100, 16101,
         16102, -1},
        {12010, 12020, 12030, 12040, Separator, 12050, 12060, -1},
        {13010, 13020, 16220, 13030, 13040, 16500, -1},
        {14010, 14040, 14020, 14050, -1},
        {15020, 15010, -1},
    };
    static const char *const titles[6] = {JC_FileMenu,    JC_GameMenu, JC_KiboMenu,
                                          JC_SettingMenu, JC_ViewMenu, JC_HelpMenu};
    QMenu **menus[6] = {&fileMenu, &gameMenu, &kiboMenu, &settingMenu, &viewMenu, &helpMenu};
    for (int m = 0; m < 6; ++m) {
        if (m == 5)
            menuBar()->addSeparator();
        QMenu *menu = menuBar()->addMenu(JStr(titles[m]));
        *menus[m] = menu;
        for (const int *id = ids[m]; *id != -1; ++id) {
            if (*id == Separator) {
                menu->addSeparator();
                continue;
            }
            const CommandInfo *c = FindCommand(*id);
            auto *action = new QAction(JStr(c->text), this);
            action->setData(c->id);
            action->setCheckable(c->checkable);
            if (c->key)
                action->setShortcut(QKeySequence(c->key));
            if (c->icon)
                action->setIcon(
                    QIcon(DataFile(QStringLiteral("pixmaps/Korvane/") + QLatin1String(c->icon))));
            if (c->tip)
                action->setToolTip(JStr(c->tip));
            const int cid = c->id;
            connect(action, &QAction::triggered, this, [this, cid] { commandCallback(cid); });
            menu->addAction(action);
            m_commands.insert(c->id, action);
        }
        connect(menu, &QMenu::hovered, this,
                [this](QAction *a) { statusCallback(a->data().toInt()); });
    }
}

QMenu *ShogiApp::Menu(int index) const
{
    const QMenu *const menus[6] = {fileMenu, gameMenu, kiboMenu, settingMenu, viewMenu, helpMenu};
    return index >= 0 && index < 6 ? const_cast<QMenu *>(menus[index]) : nullptr;
}

void ShogiApp::AddToolButton(KToolBar *bar, int id, int size)
{
    QAction *action = Command(id);
    bar->addAction(action);
    if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action))) {
        button->setFixedSize(size, size);
        connect(button, &QToolButton::pressed, this, [this, id] { statusCallback(id); });
    }
}

void ShogiApp::initToolBar()
{
    m_MainToolBar = toolBar(QStringLiteral("mainToolBar"));
    m_MainToolBar->setIconSize(QSize(45, 45));
    for (int id : {11010, 11020, 11030, 11040, 11050, 11070})
        AddToolButton(m_MainToolBar, id, 45);
    m_ControlToolBar = toolBar(QStringLiteral("controlToolBar"));
    addToolBar(Qt::LeftToolBarArea, m_ControlToolBar);
    m_ControlToolBar->setIconSize(QSize(32, 32));
    for (int id : {12010, 12020, 12060, 12050, 12040, 12030})
        AddToolButton(m_ControlToolBar, id, 32);
    KToolBar *moveBar = toolBar(QStringLiteral("moveToolBar"));
    addToolBar(Qt::BottomToolBarArea, moveBar);
    m_pMoveEntry = new CMoveEntry(this, moveBar);
    moveBar->addWidget(m_pMoveEntry);
}

void ShogiApp::ApplyShortcutTable()
{
    // Commands added later by other parts of the window get theirs here too.
    for (int id : ShortcutCommands())
        if (QAction *a = Command(id))
            a->setShortcuts(ShortcutsOf(id));
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
    // Each runs all the time and acts only for its own replay speed.
    const struct
    {
        QTimer *timer;
        int ms;
        void (ShogiApp::*slot)();
    } speeds[] = {{&m_MostSlowTimer, 2000, &ShogiApp::MostSlowTimeOut},
                  {&m_SlowTimer, 1500, &ShogiApp::SlowTimeOut},
                  {&m_StandardTimer, 1000, &ShogiApp::StandardTimeOut},
                  {&m_FastTimer, 700, &ShogiApp::FastTimeOut},
                  {&m_MostFastTimer, 300, &ShogiApp::MostFastTimeOut}};
    for (const auto &s : speeds) {
        connect(s.timer, &QTimer::timeout, this, s.slot);
        s.timer->start(s.ms);
    }
    // Fine enough for the clocks to count second by second at ten times.
    m_ReplayClock.start();
    connect(&m_AsPlayedTimer, &QTimer::timeout, this, &ShogiApp::AsPlayedTimeOut);
    m_AsPlayedTimer.start(50);
    StatusMessageTimeOut();
}

void ShogiApp::initView()
{
    view = new ShogiView(this, doc, this);
    setCentralWidget(view);
    SetCaptionFromDocument();
    m_pBGKibo = new CBGKibo(this);
    m_pBGKibo->show();
}

void ShogiApp::SetCaptionFromDocument()
{
    setPlainCaption(JStr(JC_Korvane) + QStringLiteral(": ") + doc->getTitle());
}

// ---------------------------------------------------------------- commands

void ShogiApp::enableCommand(int id)
{
    if (QAction *a = Command(id))
        a->setEnabled(true);
}

void ShogiApp::disableCommand(int id)
{
    if (QAction *a = Command(id))
        a->setEnabled(false);
}

void ShogiApp::commandCallback(int id)
{
    if (const CommandInfo *c = FindCommand(id))
        (this->*(c->slot))();
}

void ShogiApp::statusCallback(int id)
{
    if (const CommandInfo *c = FindCommand(id))
        slotStatusHelpMsg(JStr(c->status));
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
    modified ? enableCommand(10020) : disableCommand(10020);
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
