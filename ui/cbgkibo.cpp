#include "cbgkibo.h"

#include "language.h"
#include "shogi.h"

#include <QAction>
#include <QPainter>
#include <QPushButton>

CBGKibo::CBGKibo(ShogiApp *parent)
    : QFrame(parent), m_pParent(parent), m_TitleColor(QColor(Qt::blue).lighter(60))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setMinimumSize(100, 100);
    m_bntClose = new QPushButton(QStringLiteral("X"), this);
    m_bntClose->setFixedSize(14, 14);
    // Through the view command, so that its check mark follows.
    connect(m_bntClose, &QPushButton::clicked, this,
            [this] { m_pParent->Command(14050)->trigger(); });
}

void CBGKibo::Init()
{
    m_nItemNum = 1;
    m_nCurPos = 0;
    update();
}

void CBGKibo::AddKibo()
{
    ++m_nItemNum;
    ++m_nCurPos;
    update();
}

void CBGKibo::OpenAddKibo()
{
    ++m_nItemNum;
    ++m_nCurPos;
}

void CBGKibo::RetractKibo()
{
    --m_nItemNum;
    --m_nCurPos;
}

void CBGKibo::DecKiboNum()
{
    --m_nItemNum;
}

void CBGKibo::KiboBackOne()
{
    --m_nCurPos;
}

void CBGKibo::KiboForwardOne()
{
    ++m_nCurPos;
}

void CBGKibo::Update()
{
    update();
}

void CBGKibo::resizeEvent(QResizeEvent *e)
{
    QFrame::resizeEvent(e);
    m_bntClose->move(width() - m_bntClose->width() - 3, 5);
}

void CBGKibo::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(rect(), m_TitleColor);
    p.setPen(Qt::white);
    p.drawText(QRect(7, 2, 120, m_nTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               JStr(JC_KiboWindow));
    const QRect list(3, m_nTitleHeight + 1, width() - 6, height() - m_nTitleHeight - 4);
    p.fillRect(list, Qt::white);
    p.fillRect(QRect(list.topLeft(), QSize(list.width(), 20)), Qt::gray);
    p.setPen(Qt::black);
    p.drawText(QRect(list.x() + 5, list.y(), 50, 20), Qt::AlignLeft | Qt::AlignVCenter,
               JStr(JC_KiboStart));
    p.end();
    QFrame::paintEvent(e);
}
