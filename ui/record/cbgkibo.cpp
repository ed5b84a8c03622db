#include "cbgkibo.h"

#include "cinfowidget.h"
#include "ckibowidget.h"
#include "language.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
// Dragging the left or top edge stops short of this size.
constexpr int MinDragSize = 99;
} // namespace

CBGKibo::CBGKibo(const ShogiDoc *doc, QWidget *parent)
    : QFrame(parent), m_TitleColor(QColor(Qt::blue).lighter(60))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(m_nBoarderWidth);
    setMinimumSize(100, 100);
    setMouseTracking(true);
    m_pInfoWidget = new CInfoWidget(doc, this);
    m_bntClose = new QPushButton(QStringLiteral("X"), this);
    m_bntClose->setFixedSize(14, 14);
    m_bntClose->setFocusPolicy(Qt::NoFocus);
    connect(m_bntClose, &QPushButton::clicked, this, &CBGKibo::CloseClicked);
    connect(m_pInfoWidget->KiboWidget(), &CKiboWidget::RowClicked, this,
            [this](int row) { emit EntryClicked(row - 1); });
}

int CBGKibo::ItemNum() const
{
    return m_pInfoWidget->ItemNum();
}

int CBGKibo::CurPos() const
{
    return m_pInfoWidget->CurPos();
}

void CBGKibo::Init()
{
    m_pInfoWidget->Init();
}

void CBGKibo::AddKibo()
{
    m_pInfoWidget->AddKibo();
}

void CBGKibo::OpenAddKibo()
{
    m_pInfoWidget->OpenAddKibo();
}

void CBGKibo::RetractKibo()
{
    m_pInfoWidget->RetractKibo();
}

void CBGKibo::DecKiboNum()
{
    m_pInfoWidget->DecKiboNum();
}

void CBGKibo::KiboBackOne()
{
    m_pInfoWidget->KiboBackOne();
}

void CBGKibo::KiboForwardOne()
{
    m_pInfoWidget->KiboForwardOne();
}

void CBGKibo::Update()
{
    m_pInfoWidget->Update();
}

void CBGKibo::resizeEvent(QResizeEvent *e)
{
    QFrame::resizeEvent(e);
    m_pInfoWidget->setGeometry(3, m_nTitleHeight + 1, width() - 4, height() - 22);
    m_bntClose->move(width() - m_bntClose->width() - 3, 5);
}

void CBGKibo::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(rect(), m_TitleColor);
    p.setPen(Qt::white);
    p.drawText(QRect(7, 2, 120, m_nTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               JStr(JC_KiboWindow));
    p.end();
    QFrame::paintEvent(e);
}

int CBGKibo::ClassifyPress(const QPoint &p) const
{
    const int b = m_nBoarderWidth;
    if (p.x() > b && p.x() < width() - b && p.y() > b && p.y() < height() - b &&
        p.y() < m_nTitleHeight)
        return Title;
    if (p.x() <= b)
        return LeftEdge;
    if (p.x() >= width() - b)
        return RightEdge;
    if (p.y() >= height() - b)
        return BottomEdge;
    if (p.y() <= b)
        return TopEdge;
    return Inside;
}

void CBGKibo::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_pntOld = e->pos();
    m_nPressSort = ClassifyPress(e->pos());
    switch (m_nPressSort) {
    case Title:
        setCursor(Qt::SizeAllCursor);
        break;
    case LeftEdge:
        setCursor(Qt::SizeHorCursor);
        break;
    case RightEdge:
        setCursor(Qt::SizeHorCursor);
        m_nOldWidth = width();
        break;
    case BottomEdge:
        setCursor(Qt::SizeVerCursor);
        m_nOldHeight = height();
        break;
    case TopEdge:
        setCursor(Qt::SizeVerCursor);
        break;
    default:
        break;
    }
    m_bPress = true;
}

void CBGKibo::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_bPress)
        return;
    const QPoint l = e->pos();
    const QPoint q = mapToParent(l);
    switch (m_nPressSort) {
    case Title:
        move(q - m_pntOld);
        break;
    case TopEdge: {
        const int h = height() + m_pntOld.y() - l.y();
        if (h > MinDragSize)
            setGeometry(x(), q.y() - m_pntOld.y(), width(), h);
        break;
    }
    case LeftEdge: {
        const int w = width() + m_pntOld.x() - l.x();
        if (w > MinDragSize)
            setGeometry(q.x() - m_pntOld.x(), y(), w, height());
        break;
    }
    case RightEdge:
        resize(l.x() + m_nOldWidth - m_pntOld.x(), height());
        break;
    case BottomEdge:
        resize(width(), l.y() + m_nOldHeight - m_pntOld.y());
        break;
    default:
        break;
    }
}

void CBGKibo::mouseReleaseEvent(QMouseEvent *)
{
    unsetCursor();
    m_bPress = false;
}
