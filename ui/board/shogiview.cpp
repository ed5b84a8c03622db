#include "shogiview.h"

#include "cbgkibo.h"
#include "cboardframe.h"
#include "datapath.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

ShogiView::ShogiView(ShogiDoc *doc, QWidget *parent)
    : QWidget(parent), m_pDoc(doc),
      m_background(DataFile(QStringLiteral("pixmaps/Korvane/bkground.bmp")))
{
    m_pBoard = new CBoardFrame(doc, this);
    // The board covers the view, so its first paint is the view's first.
    m_pBoard->installEventFilter(this);
}

bool ShogiView::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_pBoard && e->type() == QEvent::Paint && !m_bGameStart) {
        m_bGameStart = true;
        PlaceKiboWindow(false);
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
    if (m_bGameStart)
        PlaceKiboWindow(true);
}

void ShogiView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));
    else
        p.fillRect(rect(), QBrush(m_background));
}

QVector<QRect> ShogiView::BoardAndStands() const
{
    const BoardGeometry &g = m_pBoard->Geometry();
    const QSize stand(g.daiWidth, g.daiHeight);
    return {QRect(g.startX1, g.startY1, 10 * g.w, 10 * g.h),
            QRect(QPoint(g.firstDaiX, g.firstDaiY), stand),
            QRect(QPoint(g.secondDaiX, g.secondDaiY), stand)};
}

// The record window's place: right of the board, above the lower stand, up to
// the view's right edge. keep: a place already inside the view and clear of
// the board and the stands is left alone.
void ShogiView::PlaceKiboWindow(bool keep)
{
    CBGKibo *kibo = m_pKibo;
    if (!kibo)
        return;
    constexpr int Gap = 10;
    const QVector<QRect> taken = BoardAndStands();
    QRect now = kibo->geometry().translated(-pos());
    const auto clear = [&taken](const QRect &r) {
        return std::none_of(taken.begin(), taken.end(),
                            [&r](const QRect &t) { return t.intersects(r); });
    };
    if (keep && rect().contains(now) && clear(now))
        return;
    const BoardGeometry &g = m_pBoard->Geometry();
    const int left = qMax(g.firstDaiX, g.secondDaiX);
    const int bottom = qMax(g.firstDaiY, g.secondDaiY) - Gap;
    const QRect area(QPoint(left, 0), QPoint(width() - 1, bottom));
    const QSize min = kibo->minimumSize();
    QSize size = keep ? now.size() : QSize(g.daiWidth, bottom - qMin(g.firstDaiY, g.secondDaiY));
    size = size.boundedTo(area.size()).expandedTo(min);
    QPoint at = keep ? now.topLeft() : QPoint(left, qMin(g.firstDaiY, g.secondDaiY));
    at.setX(qBound(area.left(), at.x(), area.right() + 1 - size.width()));
    at.setY(qBound(area.top(), at.y(), area.bottom() + 1 - size.height()));
    // A view smaller than the window's minimum: at least inside the view.
    at.setX(qMax(0, qMin(at.x(), width() - size.width())));
    at.setY(qMax(0, qMin(at.y(), height() - size.height())));
    kibo->setGeometry(QRect(at + pos(), size));
}
