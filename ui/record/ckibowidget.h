#ifndef KORVANE_CKIBOWIDGET_H
#define KORVANE_CKIBOWIDGET_H

#include "kibotext.h"

#include <QColor>
#include <QMap>
#include <QPixmap>
#include <QWidget>

class CInfoWidget;
class ShogiDoc;

// The whole move list as one tall widget, painted from an off-screen picture.
class CKiboWidget : public QWidget
{
    Q_OBJECT

public:
    CKiboWidget(CInfoWidget *parent, const ShogiDoc *doc);

    // Paints the list into m_backPixmap.
    void UpdateKibo();
    const QPixmap &Picture() const { return m_backPixmap; }
    // Short notes drawn after a move's time, by move number (analysis marks).
    void SetMarks(const QMap<int, QString> &marks);

signals:
    // A row was clicked: 0 the start, n the n-th move.
    void RowClicked(int row);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void DrawRow(QPainter &p, int i, const KiboRowText &row, bool current);

    QPixmap m_backPixmap;
    int m_nKomaX = 5;
    int m_nNumX = 20;
    int m_nPosX = 60;
    int m_nSecondX = 160;
    int m_nItemWidth, m_nItemHeight;
    CInfoWidget *m_pParent;
    const ShogiDoc *m_pDoc;
    QColor m_BackColor, m_StartColor, m_FocusColor;
    QMap<int, QString> m_marks;
};

#endif
