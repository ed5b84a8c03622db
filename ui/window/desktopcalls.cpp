#include "desktopcalls.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace {

QString DesktopFileDialog(QWidget *parent, FileDialogKind kind, const QString &caption,
                          const QString &dir, const QString &filter)
{
    return kind == FileDialogKind::Open
               ? QFileDialog::getOpenFileName(parent, caption, dir, filter)
               : QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

int DesktopRunDialog(QDialog *dialog)
{
    return dialog->exec();
}

bool DesktopOpenUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace

FileDialogFunction g_pFileDialog = DesktopFileDialog;
DialogFunction g_pRunDialog = DesktopRunDialog;
UrlFunction g_pOpenUrl = DesktopOpenUrl;
