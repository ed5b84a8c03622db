#include "helpwindow.h"

#include "desktopcalls.h"
#include "language.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
constexpr int HelpWidth = 640, HelpHeight = 560;
} // namespace

CHelpWindow::CHelpWindow(const QString &page, QWidget *parent)
    : QDialog(parent), m_page(QUrl::fromLocalFile(page)), m_pBrowser(new QTextBrowser(this)),
      m_pDesktop(new QPushButton(JStr(JC_HelpOpenInDesktop), this))
{
    setObjectName(QStringLiteral("CHelpWindow"));
    setWindowTitle(JStr(JC_HelpWindowTitle));
    resize(HelpWidth, HelpHeight);
    m_pBrowser->setOpenExternalLinks(true);
    m_pBrowser->setSource(m_page);
    auto *close = new QPushButton(JStr(JC_Close), this);
    m_pDesktop->setObjectName(QStringLiteral("m_bntDesktop"));
    // Without a launcher the desktop cannot be asked.
    m_pDesktop->setVisible(!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty());
    connect(m_pDesktop, &QPushButton::clicked, this, &CHelpWindow::OpenInDesktop);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pDesktop);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pBrowser);
    layout->addLayout(buttons);
}

void CHelpWindow::OpenInDesktop()
{
    // A launcher that fails leaves the page shown here; only its button goes.
    if (!g_pOpenUrl(m_page))
        m_pDesktop->setEnabled(false);
}
