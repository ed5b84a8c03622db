#include "shogiview.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "datapath.h"
#include "shogi.h"

#include <QPainter>
#include <QResizeEvent>

ShogiView::ShogiView(ShogiApp *app, ShogiDoc *doc, QWidget *parent)
    : QWidget(parent), m_pApp(app), m_pDoc(doc),
      m_background(DataFile(QStringLiteral("pixmaps/Korvane/bkground.bmp")))
{
    m_pBoard = new CBoardFrame(doc, app, this);
    // The board covers the view, so its first paint is the view's first.
    m_pBoard->installEventFilter(this);
}

bool ShogiView::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_pBoard && e->type() == QEvent::Paint && !m_bGameStart) {
        m_bGameStart = true;
        PlaceKiboWindow();
    }
    return QWidget::eventFilter(watched, e);
}

ShogiView::~ShogiView()
{
    delete m_pBoard;
}

void ShogiView::UpsetBoard()
{
    m_pBoard->UpsetBoard();
}

void ShogiView::Init()
{
    m_pBoard->Init();
}

void ShogiView::RetractKibo(int n)
{
    m_pBoard->RetractKibo(n);
}

void ShogiView::KiboBackOne()
{
    m_pBoard->KiboBackOne();
}

void ShogiView::KiboForwardOne()
{
    m_pBoard->KiboForwardOne();
}

void ShogiView::KiboForwardBefore()
{
    m_pBoard->KiboForwardBefore();
}

void ShogiView::UpdateView()
{
    m_pBoard->SetPaintPos(m_pBoard->width(), m_pBoard->height());
    m_pBoard->RedrawAll();
}

void ShogiView::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    m_pBoard->setGeometry(0, 0, e->size().width(), e->size().height());
}

void ShogiView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));
    else
        p.fillRect(rect(), QBrush(m_background));
}

// The record window lies over the right-hand column, between the stands.
void ShogiView::PlaceKiboWindow()
{
    CBGKibo *kibo = m_pApp ? m_pApp->GetBGKibo() : nullptr;
    if (!kibo)
        return;
    const BoardGeometry &g = m_pBoard->Geometry();
    const int right = qMax(g.firstDaiX, g.secondDaiX);
    const int top = qMin(g.firstDaiY, g.secondDaiY);
    const int low = qMax(g.firstDaiY, g.secondDaiY);
    kibo->setGeometry(QRect(pos() + QPoint(right, top), QSize(g.daiWidth, low - top - 10)));
}
