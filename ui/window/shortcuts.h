#ifndef KORVANE_SHORTCUTS_H
#define KORVANE_SHORTCUTS_H

#include <QKeySequence>
#include <QList>

// The keys of a command id: the program's own keys first (the one a menu
// shows), then the desktop's standard shortcut where there is one, so a
// user's own choice in the desktop settings carries over. Empty for a
// command the table does not name.
QList<QKeySequence> ShortcutsOf(int id);
// Every command id the table names.
QList<int> ShortcutCommands();

#endif
