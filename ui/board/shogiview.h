#ifndef KORVANE_SHOGIVIEW_H
#define KORVANE_SHOGIVIEW_H

#include <QPixmap>
#include <QRect>
#include <QVector>
#include <QWidget>

class CBoardFrame;
class CBGKibo;
class ShogiDoc;

// The main window's central widget: the board widget over the background.
class ShogiView : public QWidget
{
    Q_OBJECT

public:
    explicit ShogiView(ShogiDoc *doc, QWidget *parent = nullptr);
    // The record window kept beside the board.
    void SetRecordWindow(CBGKibo *w) { m_pKibo = w; }
    ~ShogiView() override;

    ShogiDoc *getDocument() const { return m_pDoc; }
    CBoardFrame *GetBoard() const { return m_pBoard; }

    void UpsetBoard();
    void Init();
    void RetractKibo(int n);
    void KiboBackOne();
    void KiboForwardOne();
    void KiboForwardBefore();
    void UpdateView();
    // Moves (and shrinks) the record window into the room beside the board.
    void PlaceKiboWindow(bool keep);
    // The board picture and the two stands, in view coordinates.
    QVector<QRect> BoardAndStands() const;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    CBGKibo *m_pKibo = nullptr;
    ShogiDoc *m_pDoc;
    CBoardFrame *m_pBoard;
    QPixmap m_background;
    bool m_bGameStart = false;
};

#endif
