#ifndef KORVANE_UITEST_H
#define KORVANE_UITEST_H

#include "desktopcalls.h"
#include "messagebox.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <vector>

class QDialog;

// Answers every message box of the program without showing it: questions
// take the next queued answer (No when none is queued).
struct TestBoxes
{
    static std::vector<QString> texts;
    static std::deque<BoxAnswer> answers;
    static BoxAnswer Answer(QWidget *, BoxKind kind, const QString &text);
    static void Reset();
    static int Count(const char *eucText);
};

// Answers the file dialogs, settings dialogs and the help viewer: file dialogs
// take the next queued name (none: cancelled); a settings dialog is handed to
// the queued action (none: its OK button is clicked).
struct TestDesktop
{
    static std::deque<QString> fileNames;
    static std::vector<QString> fileCaptions;
    static std::deque<std::function<void(QDialog *)>> dialogActions;
    static std::vector<QUrl> openedUrls;
    static void Install();
    static void Reset();
    // Clicks the push button of the dialog with that object name.
    static void Click(QDialog *dialog, const char *buttonName);
};

// The child of that object name, nullptr when there is none.
template <class W> W *Child(QObject *parent, const char *name)
{
    return parent->findChild<W *>(QLatin1String(name));
}

#endif
