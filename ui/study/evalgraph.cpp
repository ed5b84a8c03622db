#include "evalgraph.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kMargin = 6;
} // namespace

EvalGraph::EvalGraph(QWidget *parent) : QWidget(parent)
{
    setMinimumHeight(80);
}

void EvalGraph::SetValues(const std::vector<study::Eval> &values,
                          const std::vector<study::Mark> &marks)
{
    m_values = values;
    m_marks = marks;
    update();
}

void EvalGraph::SetCurrent(int ply)
{
    m_current = ply;
    update();
}

QPointF EvalGraph::PointOf(int ply, const study::Eval &e) const
{
    const int last = qMax(1, int(m_values.size()) - 1);
    const double x = kMargin + (width() - 2.0 * kMargin) * ply / last;
    double v = e.mate ? (e.value > 0 ? kClipCentipawns : -kClipCentipawns) : e.value;
    v = qBound(-double(kClipCentipawns), v, double(kClipCentipawns));
    const double y = height() / 2.0 - (height() / 2.0 - kMargin) * v / kClipCentipawns;
    return {x, y};
}

int EvalGraph::PlyAt(int x) const
{
    const int last = qMax(1, int(m_values.size()) - 1);
    const double span = qMax(1.0, width() - 2.0 * kMargin);
    return qBound(0, qRound((x - kMargin) * last / span), int(m_values.size()) - 1);
}

void EvalGraph::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    g.fillRect(rect(), Qt::white);
    g.setPen(Qt::lightGray);
    g.drawLine(0, height() / 2, width(), height() / 2);
    if (m_values.empty())
        return;
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::red, 1, Qt::DashLine));
    const qreal cx = PointOf(m_current, study::Eval()).x();
    g.drawLine(QPointF(cx, 0), QPointF(cx, height()));
    g.setPen(QPen(Qt::darkBlue, 2));
    bool have = false;
    QPointF prev;
    for (size_t i = 0; i < m_values.size(); i++) {
        if (!m_values[i].known) {
            have = false; // a gap where a position was not analysed
            continue;
        }
        const QPointF p = PointOf(int(i), m_values[i]);
        if (have)
            g.drawLine(prev, p);
        prev = p;
        have = true;
    }
    for (size_t i = 1; i < m_values.size() && i < m_marks.size(); i++) {
        if (m_marks[i] == study::Mark::None || !m_values[i].known)
            continue;
        g.setBrush(m_marks[i] == study::Mark::Bad ? Qt::red : QColor(255, 160, 0));
        g.setPen(Qt::NoPen);
        g.drawEllipse(PointOf(int(i), m_values[i]), 4, 4);
    }
}

void EvalGraph::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && !m_values.empty())
        emit plyClicked(PlyAt(e->pos().x()));
}
