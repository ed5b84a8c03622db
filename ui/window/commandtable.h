#ifndef KORVANE_COMMANDTABLE_H
#define KORVANE_COMMANDTABLE_H

#include "commandid.h"

#include <QHash>
#include <QObject>
#include <initializer_list>

class KToolBar;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The window's commands as actions: one QAction per command id, shared by
// its menu item and its tool-bar button, with its text, keys, picture and
// status help. What a command does is not known here: it reports
// Triggered(id), and the window answers.
class CommandTable : public QObject
{
    Q_OBJECT

public:
    // Menus in menu-bar order.
    enum MenuIndex
    {
        FileMenu,
        GameMenu,
        RecordMenu,
        SettingMenu,
        ViewMenu,
        HelpMenu,
        MenuCount
    };

    // Builds every action and fills the menu bar of window.
    CommandTable(QWidget *window, QMenuBar *bar);

    QAction *Action(int id) const { return m_actions.value(id); }
    QMenu *Menu(int index) const;
    void SetEnabled(std::initializer_list<int> ids, bool on);
    void SetEnabled(int id, bool on);
    // Buttons of size x size pixels for ids, in that order.
    void AddButtons(KToolBar *bar, std::initializer_list<int> ids, int size);
    // Keys from the shortcut table for every command it names, including
    // commands added by other parts of the window since.
    void ApplyShortcuts();
    // The status-bar help of a command (empty for an unknown id).
    static QString StatusHelp(int id);

signals:
    void Triggered(int id);
    // A command is pointed at: its status help should show.
    void Pointed(int id);

private:
    QHash<int, QAction *> m_actions;
    QMenu *m_menus[MenuCount] = {};
};

#endif
