#include "ckibowidget.h"

#include "cengineplay.h"
#include "cinfowidget.h"
#include "kibotext.h"
#include "language.h"
#include "shogidoc.h"

#include <QMouseEvent>
#include <QPainter>

CKiboWidget::CKiboWidget(CInfoWidget *parent, const ShogiDoc *doc)
    : QWidget(parent), m_nItemWidth(parent->ItemWidth()), m_nItemHeight(parent->ItemHeight()),
      m_pParent(parent), m_pDoc(doc), m_BackColor(Qt::white), m_StartColor(Qt::gray),
      m_FocusColor(QColor(Qt::blue).lighter(60))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKiboWidget::UpdateKibo()
{
    if (m_backPixmap.size() != size())
        m_backPixmap = QPixmap(size());
    m_backPixmap.fill(m_BackColor);
    QPainter p(&m_backPixmap);
    p.fillRect(0, 0, width(), m_nItemHeight, m_StartColor);
    p.setPen(Qt::black);
    p.drawText(QRect(m_nKomaX, 0, 50, m_nItemHeight), Qt::AlignLeft | Qt::AlignVCenter,
               JStr(JC_KiboStart));
    const QVector<KiboRowText> rows = GetKiboRows(*m_pDoc);
    for (int i = 1; i <= rows.size(); ++i)
        DrawRow(p, i, rows[i - 1], i == m_pParent->CurPos());
    if (m_pParent->EndingRowShown())
        if (const char *ending = EndingRowText(m_pDoc->GetEnding()))
            p.drawText(QRect(m_nPosX, m_nItemHeight * (rows.size() + 1), 90, m_nItemHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, JStr(ending));
}

void CKiboWidget::DrawRow(QPainter &p, int i, const KiboRowText &row, bool current)
{
    const int y = m_nItemHeight * i;
    if (current)
        p.fillRect(0, y, width(), m_nItemHeight, m_FocusColor);
    p.setPen(current ? m_BackColor : QColor(Qt::black));
    const auto text = [&](int x, int w, const QString &s) {
        p.drawText(QRect(x, y, w, m_nItemHeight), Qt::AlignLeft | Qt::AlignVCenter, s);
    };
    text(m_nKomaX, 50, row.sign);
    text(m_nNumX, 50, row.number);
    text(m_nPosX, 90, row.move);
    text(m_nSecondX, 40, row.time);
    const QString mark = m_marks.value(i);
    if (!mark.isEmpty()) {
        p.setPen(current ? m_BackColor : QColor(Qt::red));
        text(m_nSecondX + 40, 60, mark);
    }
}

void CKiboWidget::SetMarks(const QMap<int, QString> &marks)
{
    m_marks = marks;
    update();
}

void CKiboWidget::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && m_nItemHeight > 0)
        emit RowClicked(e->y() / m_nItemHeight);
}

void CKiboWidget::paintEvent(QPaintEvent *)
{
    UpdateKibo();
    QPainter p(this);
    p.drawPixmap(0, 0, m_backPixmap);
}
