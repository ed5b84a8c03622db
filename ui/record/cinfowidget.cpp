#include "cinfowidget.h"

#include "ckibowidget.h"
#include "kibotext.h"

#include <QScrollBar>

bool EnableView = true;

CInfoWidget::CInfoWidget(const ShogiDoc *doc, QWidget *parent) : QScrollArea(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    m_pKiboWidget = new CKiboWidget(this, doc);
    setWidget(m_pKiboWidget);
    setWidgetResizable(false);
    m_pKiboWidget->resize(m_nItemWidth, m_nItemHeight);
}

void CInfoWidget::Init()
{
    m_nItemNum = 1;
    m_bEndingRow = false;
    m_nCurPos = 0;
    Update();
}

void CInfoWidget::AddKibo()
{
    ++m_nItemNum;
    ++m_nCurPos;
    if (!EnableView)
        return;
    ResizeContent();
    verticalScrollBar()->setValue(m_nItemNum * m_nItemHeight);
}

void CInfoWidget::OpenAddKibo()
{
    ++m_nItemNum;
    ++m_nCurPos;
}

void CInfoWidget::RetractKibo()
{
    --m_nItemNum;
    --m_nCurPos;
}

void CInfoWidget::DecKiboNum()
{
    --m_nItemNum;
}

void CInfoWidget::KiboBackOne()
{
    --m_nCurPos;
}

void CInfoWidget::KiboForwardOne()
{
    ++m_nCurPos;
}

void CInfoWidget::Update()
{
    if (!EnableView)
        return;
    if (m_pKiboWidget->height() == m_nItemNum * m_nItemHeight)
        m_pKiboWidget->update();
    else
        ResizeContent();
    SetContentsPos(m_nCurPos);
}

void CInfoWidget::ResizeContent()
{
    const int w = qMax(m_nItemWidth, viewport()->width());
    m_pKiboWidget->resize(w, m_nItemNum * m_nItemHeight);
    m_pKiboWidget->update();
}

void CInfoWidget::SetContentsPos(int p)
{
    const int target = KiboScrollTarget(p, verticalScrollBar()->value(), viewport()->height());
    if (target >= 0)
        verticalScrollBar()->setValue(target);
}

void CInfoWidget::resizeEvent(QResizeEvent *e)
{
    QScrollArea::resizeEvent(e);
    ResizeContent();
    SetContentsPos(m_nCurPos);
}

void CInfoWidget::ShowEndingRow(bool shown)
{
    if (shown == m_bEndingRow)
        return;
    m_bEndingRow = shown;
    m_nItemNum += shown ? 1 : -1;
    ResizeContent();
    Update();
    if (shown)
        verticalScrollBar()->setValue(m_nItemNum * m_nItemHeight);
}
