#include "commandtable.h"

#include "datapath.h"
#include "language.h"
#include "shortcuts.h"

#include <KToolBar>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

struct CommandInfo
{
    int id;
    const char *text;   // menu text
    int key;            // accelerator, 0 for none
    const char *status; // status help
    const char *icon;   // tool-bar picture, nullptr when not on a tool bar
    const char *tip;    // tool-bar tip
    bool checkable;
};

// clang-format off
const CommandInfo Commands[] = {
    {cmd::FileOpen,          JC_FileOpen,          Qt::CTRL | Qt::Key_O,             JC_StaFileOpen,          nullptr,            nullptr,              false},
    {cmd::FileSave,          JC_FileSave,          Qt::CTRL | Qt::Key_S,             JC_StaFileSave,          nullptr,            nullptr,              false},
    {cmd::FileSaveAs,        JC_FileSaveAs,        0,                                JC_StaFileSaveAs,        nullptr,            nullptr,              false},
    {cmd::FilePrint,         JC_FilePrint,         Qt::CTRL | Qt::Key_P,             JC_StaFilePrint,         nullptr,            nullptr,              false},
    {cmd::FilePrintDiagram,  JC_FilePrintDiagram,  0,                                JC_StaFilePrintDiagram,  nullptr,            nullptr,              false},
    {cmd::FileExportDiagram, JC_FileExportDiagram, 0,                                JC_StaFileExportDiagram, nullptr,            nullptr,              false},
    {cmd::FileCopyDiagram,   JC_FileCopyDiagram,   0,                                JC_StaFileCopyDiagram,   nullptr,            nullptr,              false},
    {cmd::FileExit,          JC_FileExit,          Qt::CTRL | Qt::Key_Q,             JC_StaFileExit,          nullptr,            nullptr,              false},
    {cmd::GameNew,           JC_GameNewGame,       Qt::Key_F2,                       JC_StaGameNewGame,       "gamenew.xpm",      JC_ToolBarNewGame,    false},
    {cmd::GameBreak,         JC_GameBreak,         Qt::Key_F3,                       JC_StaGameBreak,         "gamebreak.xpm",    JC_ToolBarBreak,      false},
    {cmd::GameResume,        JC_GameReplay,        Qt::Key_F4,                       JC_StaGameReplay,        "gamereplay.xpm",   JC_ToolBarReplay,     false},
    {cmd::GameRetract,       JC_GameRetract,       Qt::Key_F5,                       JC_StaGameRetract,       "gameretract.xpm",  JC_ToolBarRetract,    false},
    {cmd::GameResign,        JC_GameThrow,         Qt::Key_F6,                       JC_StaGameThrow,         "gamethrow.xpm",    JC_ToolBarThrow,      false},
    {cmd::GameEditBoard,     JC_GameEditBoard,     Qt::Key_F7,                       JC_StaGameEditBoard,     nullptr,            nullptr,              false},
    {cmd::GameEditRemove,    JC_GameEditKill,      Qt::Key_F8,                       JC_StaGameEditKill,      "gameeditkill.xpm", JC_ToolBarEditKill,   true},
    {cmd::GameDeclare,       JC_Declare,           0,                                JC_StaDeclare,           nullptr,            nullptr,              false},
    {cmd::CopyRecord,        JC_CopyKif,           Qt::CTRL | Qt::Key_C,             JC_StaCopyKif,           nullptr,            nullptr,              false},
    {cmd::CopyPosition,      JC_CopySfen,          Qt::CTRL | Qt::SHIFT | Qt::Key_C, JC_StaCopySfen,          nullptr,            nullptr,              false},
    {cmd::PasteRecord,       JC_PasteRecord,       Qt::CTRL | Qt::Key_V,             JC_StaPasteRecord,       nullptr,            nullptr,              false},
    {cmd::RecordFirst,       JC_KiboFirst,         Qt::CTRL | Qt::Key_Up,            JC_StaKiboFirst,         "first.xpm",        JC_ToolBarFirst,      false},
    {cmd::RecordBack,        JC_KiboBackOne,       Qt::CTRL | Qt::Key_Left,          JC_StaKiboBackOne,       "backone.xpm",      JC_ToolBarBackOne,    false},
    {cmd::RecordLast,        JC_KiboLast,          Qt::CTRL | Qt::Key_Down,          JC_StaKiboLast,          "last.xpm",         JC_ToolBarLast,       false},
    {cmd::RecordForward,     JC_KiboForwardOne,    Qt::CTRL | Qt::Key_Right,         JC_StaKiboForwardOne,    "forward.xpm",      JC_ToolBarForwardOne, false},
    {cmd::RecordReplay,      JC_KiboAutoReplay,    0,                                JC_StaKiboAutoReplay,    "auto.xpm",         JC_ToolBarAutoReplay, false},
    {cmd::RecordStopReplay,  JC_KiboBreakReplay,   0,                                JC_StaKiboBreakReplay,   "stop.xpm",         JC_ToolBarBreakReplay,false},
    {cmd::SettingGame,       JC_SettingGame,       0,                                JC_StaSettingGame,       nullptr,            nullptr,              false},
    {cmd::SettingOther,      JC_SettingOther,      0,                                JC_StaSettingOther,      nullptr,            nullptr,              false},
    {cmd::SettingEngines,    JC_Engines,           0,                                JC_StaEngines,           nullptr,            nullptr,              false},
    {cmd::SettingShowMoves,  JC_SettingMove,       0,                                JC_StaSettingMove,       nullptr,            nullptr,              true},
    {cmd::SettingFirstUp,    JC_SettingFirstUp,    0,                                JC_StaSettingFirstUp,    nullptr,            nullptr,              true},
    {cmd::SettingLanguage,   JC_SettingLanguage,   0,                                JC_StaSettingLanguage,   nullptr,            nullptr,              false},
    {cmd::ViewToolBar,       JC_ViewToolBar,       0,                                JC_StaViewToolBar,       nullptr,            nullptr,              true},
    {cmd::ViewControlBar,    JC_ViewControlBar,    0,                                JC_StaViewControlBar,    nullptr,            nullptr,              true},
    {cmd::ViewStatusBar,     JC_ViewStatusBar,     0,                                JC_StaViewStatusBar,     nullptr,            nullptr,              true},
    {cmd::ViewRecord,        JC_ViewKibo,          0,                                JC_StaViewKibo,          nullptr,            nullptr,              true},
    {cmd::HelpTopic,         JC_HelpTopic,         0,                                JC_StaHelpTopic,         nullptr,            nullptr,              false},
    {cmd::HelpAbout,         JC_HelpAboutVelmShogi,0,                                JC_StaHelpAboutVelmShogi,nullptr,            nullptr,              false},
};

constexpr int Separator = 0;
constexpr int End = -1;
// The menus' items, in MenuIndex order; Separator draws a line.
const int MenuItems[CommandTable::MenuCount][14] = {
    {cmd::FileOpen, cmd::FileSave, cmd::FileSaveAs, Separator, cmd::FilePrint, cmd::FilePrintDiagram,
     cmd::FileExportDiagram, cmd::FileCopyDiagram, Separator, cmd::FileExit, End},
    {cmd::GameNew, cmd::GameBreak, cmd::GameResume, Separator, cmd::GameRetract, cmd::GameResign,
     cmd::GameDeclare, cmd::GameEditBoard, cmd::GameEditRemove, Separator, cmd::CopyRecord,
     cmd::CopyPosition, cmd::PasteRecord, End},
    {cmd::RecordFirst, cmd::RecordBack, cmd::RecordLast, cmd::RecordForward, Separator,
     cmd::RecordReplay, cmd::RecordStopReplay, End},
    {cmd::SettingGame, cmd::SettingOther, cmd::SettingEngines, cmd::SettingShowMoves,
     cmd::SettingFirstUp, cmd::SettingLanguage, End},
    {cmd::ViewToolBar, cmd::ViewControlBar, cmd::ViewStatusBar, cmd::ViewRecord, End},
    {cmd::HelpTopic, cmd::HelpAbout, End},
};
const char *const MenuTitles[CommandTable::MenuCount] = {
    JC_FileMenu, JC_GameMenu, JC_KiboMenu, JC_SettingMenu, JC_ViewMenu, JC_HelpMenu};
// clang-format on

const CommandInfo *Find(int id)
{
    for (const CommandInfo &c : Commands)
        if (c.id == id)
            return &c;
    return nullptr;
}

} // namespace

CommandTable::CommandTable(QWidget *window, QMenuBar *bar) : QObject(window)
{
    for (const CommandInfo &c : Commands) {
        auto *action = new QAction(JStr(c.text), window);
        action->setData(c.id);
        action->setCheckable(c.checkable);
        if (c.key)
            action->setShortcut(QKeySequence(c.key));
        if (c.icon)
            action->setIcon(
                QIcon(DataFile(QStringLiteral("pixmaps/Korvane/") + QLatin1String(c.icon))));
        if (c.tip)
            action->setToolTip(JStr(c.tip));
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { emit Triggered(id); });
        m_actions.insert(id, action);
    }
    for (int m = 0; m < MenuCount; ++m) {
        if (m == HelpMenu)
            bar->addSeparator();
        QMenu *menu = bar->addMenu(JStr(MenuTitles[m]));
        m_menus[m] = menu;
        for (const int *id = MenuItems[m]; *id != End; ++id) {
            if (*id == Separator)
                menu->addSeparator();
            else
                menu->addAction(Action(*id));
        }
        connect(menu, &QMenu::hovered, this,
                [this](QAction *a) { emit Pointed(a->data().toInt()); });
    }
}

QMenu *CommandTable::Menu(int index) const
{
    return index >= 0 && index < MenuCount ? m_menus[index] : nullptr;
}

void CommandTable::SetEnabled(int id, bool on)
{
    if (QAction *a = Action(id))
        a->setEnabled(on);
}

void CommandTable::SetEnabled(std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        SetEnabled(id, on);
}

void CommandTable::AddButtons(KToolBar *bar, std::initializer_list<int> ids, int size)
{
    bar->setIconSize(QSize(size, size));
    for (int id : ids) {
        QAction *action = Action(id);
        bar->addAction(action);
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action))) {
            button->setFixedSize(size, size);
            connect(button, &QToolButton::pressed, this, [this, id] { emit Pointed(id); });
        }
    }
}

void CommandTable::ApplyShortcuts()
{
    for (int id : ShortcutCommands())
        if (QAction *a = Action(id))
            a->setShortcuts(ShortcutsOf(id));
}

QString CommandTable::StatusHelp(int id)
{
    const CommandInfo *c = Find(id);
    return c ? JStr(c->status) : QString();
}
