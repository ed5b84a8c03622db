#ifndef KORVANE_HELPWINDOW_H
#define KORVANE_HELPWINDOW_H

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

// The help page in a window of the program's own, so it shows on any desktop;
// the desktop's viewer stays a choice where a launcher is installed.
class CHelpWindow : public QDialog
{
    Q_OBJECT

public:
    CHelpWindow(const QString &page, QWidget *parent);

    QTextBrowser *Browser() const { return m_pBrowser; }
    QPushButton *DesktopButton() const { return m_pDesktop; }

private:
    void OpenInDesktop();

    QUrl m_page;
    QTextBrowser *m_pBrowser;
    QPushButton *m_pDesktop;
};

#endif
