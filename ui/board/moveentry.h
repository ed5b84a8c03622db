#ifndef KORVANE_MOVEENTRY_H
#define KORVANE_MOVEENTRY_H

#include <QWidget>

class QLineEdit;
class CBoardFrame;
class ShogiDoc;

// The typed-move field: a move in Western or USI notation, Enter to play it.
// A move the rules refuse is not played; the field shows why instead.
class CMoveEntry : public QWidget
{
    Q_OBJECT

public:
    CMoveEntry(ShogiDoc *doc, CBoardFrame *board, QWidget *parent = nullptr);
    QLineEdit *Field() const { return m_pField; }
    // Plays text as the side to move; false (the field showing the reason)
    // when it is refused.
    bool Submit(const QString &text);

private:
    void ShowRefusal(const QString &reason);

    ShogiDoc *m_pDoc;
    CBoardFrame *m_pBoard;
    QLineEdit *m_pField;
    bool m_bShowingRefusal = false;
};

#endif
