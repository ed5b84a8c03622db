#ifndef KORVANE_DESKTOPCALLS_H
#define KORVANE_DESKTOPCALLS_H

#include <QString>

class QDialog;
class QUrl;
class QWidget;

// The program's modal dialogs and its calls into the desktop go through these
// pointers, like the message boxes; tests point them at answerers of their
// own, so nothing waits for a hand at the mouse or starts another program.
enum class FileDialogKind
{
    Open,
    Save
};
using FileDialogFunction = QString (*)(QWidget *parent, FileDialogKind kind, const QString &caption,
                                       const QString &dir, const QString &filter);
extern FileDialogFunction g_pFileDialog;

// Runs a settings dialog modally; returns its result code.
using DialogFunction = int (*)(QDialog *dialog);
extern DialogFunction g_pRunDialog;

// Opens a document (the HTML help) in the desktop's viewer.
using UrlFunction = bool (*)(const QUrl &url);
extern UrlFunction g_pOpenUrl;
#endif
