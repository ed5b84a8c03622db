#ifndef KORVANE_CBGKIBO_H
#define KORVANE_CBGKIBO_H

#include <QFrame>

class QPushButton;
class ShogiApp;

// The record window lying over the view: for now its frame, title, close
// button and the counts the main window keeps in step with the record.
// next: the move list with its scrolling, moving and resizing by mouse.
class CBGKibo : public QFrame
{
    Q_OBJECT

public:
    explicit CBGKibo(ShogiApp *parent);

    void Init();
    void AddKibo();
    void OpenAddKibo();
    void RetractKibo();
    void DecKiboNum();
    void KiboBackOne();
    void KiboForwardOne();
    void Update();

    int ItemNum() const { return m_nItemNum; }
    int CurPos() const { return m_nCurPos; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    ShogiApp *m_pParent;
    QPushButton *m_bntClose;
    QColor m_TitleColor;
    int m_nTitleHeight = 20;
    int m_nItemNum = 1;
    int m_nCurPos = 0;
};

#endif
