#ifndef KORVANE_CBGKIBO_H
#define KORVANE_CBGKIBO_H

#include <QColor>
#include <QFrame>
#include <QPoint>

class CInfoWidget;
class QPushButton;
class ShogiDoc;

// The record window: a child frame lying over the view with a title bar of its
// own and a close button, moved by its title and resized by its edges inside
// the main window. The list itself is the CInfoWidget it holds.
class CBGKibo : public QFrame
{
    Q_OBJECT

public:
    CBGKibo(const ShogiDoc *doc, QWidget *parent);

    void Init();
    void AddKibo();
    void OpenAddKibo();
    void RetractKibo();
    void DecKiboNum();
    void KiboBackOne();
    void KiboForwardOne();
    void Update();

    int ItemNum() const;
    int CurPos() const;
    CInfoWidget *InfoWidget() const { return m_pInfoWidget; }

    // Where a press at p falls: the values of m_nPressSort.
    enum PressSort
    {
        Title = 1,
        LeftEdge,
        RightEdge,
        BottomEdge,
        TopEdge,
        Inside
    };
    int ClassifyPress(const QPoint &p) const;

signals:
    void CloseClicked();
    // A click on the row of record entry pos (-1: the start).
    void EntryClicked(int pos);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    CInfoWidget *m_pInfoWidget;
    int m_nBoarderWidth = 2;
    int m_nTitleHeight = 20;
    int m_nOldWidth = 0, m_nOldHeight = 0;
    QColor m_TitleColor;
    QPushButton *m_bntClose;
    QPoint m_pntOld;
    bool m_bPress = false;
    int m_nPressSort = 0;
};

#endif
