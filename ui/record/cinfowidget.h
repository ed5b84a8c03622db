#ifndef KORVANE_CINFOWIDGET_H
#define KORVANE_CINFOWIDGET_H

#include <QColor>
#include <QScrollArea>

class CKiboWidget;
class ShogiDoc;

// The scrolling list of the record window: one 20-pixel row per move under
// the start row, the row of the board's position highlighted.
class CInfoWidget : public QScrollArea
{
    Q_OBJECT

public:
    CInfoWidget(const ShogiDoc *doc, QWidget *parent);

    void Init();
    void AddKibo();
    void OpenAddKibo();
    void RetractKibo();
    void DecKiboNum();
    void KiboBackOne();
    void KiboForwardOne();
    void Update();
    // Scrolls row p into view when it is not fully visible.
    void SetContentsPos(int p);
    // The row under the moves that says how the game ended.
    void ShowEndingRow(bool shown);
    bool EndingRowShown() const { return m_bEndingRow; }

    int ItemNum() const { return m_nItemNum; }
    int CurPos() const { return m_nCurPos; }
    int ItemWidth() const { return m_nItemWidth; }
    int ItemHeight() const { return m_nItemHeight; }
    CKiboWidget *KiboWidget() const { return m_pKiboWidget; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void ResizeContent();

    CKiboWidget *m_pKiboWidget;
    int m_nItemNum = 1;
    int m_nItemHeight = 20;
    int m_nItemWidth = 120;
    int m_nCurPos = 0;
    bool m_bEndingRow = false;
};

// List updates are drawn only while this is set; loops over many steps clear
// it and update once at the end.
extern bool EnableView;

#endif
