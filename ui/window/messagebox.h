#ifndef KORVANE_MESSAGEBOX_H
#define KORVANE_MESSAGEBOX_H

#include <QString>

class QWidget;

// Every message box of the program, caption "Korvane".
enum class BoxKind
{
    Information,       // a result
    Warning,           // refused input
    Question,          // yes / no
    WarningYesNo,      // yes / no, with the warning's weight
    WarningYesNoCancel // yes / no / cancel
};
enum class BoxAnswer
{
    Ok,
    Yes,
    No,
    Cancel
};

// All boxes go through this one pointer; tests point it at an answerer of
// their own, so a modal box never waits for a hand at the mouse.
using BoxFunction = BoxAnswer (*)(QWidget *parent, BoxKind kind, const QString &text);
extern BoxFunction g_pShowBox;

BoxAnswer ShowBox(QWidget *parent, BoxKind kind, const QString &text);
// eucText: a JC_ text.
BoxAnswer ShowBox(QWidget *parent, BoxKind kind, const char *eucText);

#endif
