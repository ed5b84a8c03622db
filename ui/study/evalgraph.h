// The evaluation of every position of a game, ply against evaluation from
// the first player's view; the ply on screen is marked and a click asks for
// another.
#ifndef KORVANE_EVALGRAPH_H
#define KORVANE_EVALGRAPH_H

#include "studycore.h"

#include <QWidget>

#include <vector>

class EvalGraph : public QWidget
{
    Q_OBJECT
public:
    // Evaluations beyond this (and mates) are drawn at the edge.
    static constexpr int kClipCentipawns = 2000;

    explicit EvalGraph(QWidget *parent = nullptr);
    // values and marks by ply (marks[0] unused), seen from the first player.
    void SetValues(const std::vector<study::Eval> &values, const std::vector<study::Mark> &marks);
    void SetCurrent(int ply);
    QSize sizeHint() const override { return {400, 160}; }

signals:
    void plyClicked(int ply);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QPointF PointOf(int ply, const study::Eval &e) const;
    int PlyAt(int x) const;

    std::vector<study::Eval> m_values;
    std::vector<study::Mark> m_marks;
    int m_current = 0;
};

#endif
