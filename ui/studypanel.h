// The analysis panel: the study engine's live lines, and a small board on
// which a clicked line is played through apart from the game.
#ifndef KORVANE_STUDYPANEL_H
#define KORVANE_STUDYPANEL_H

#include "studycore.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// A position drawn plainly; the side at the bottom is sente unless turned.
class PreviewBoard : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewBoard(QWidget *parent = nullptr);
    void SetPosition(const usi::Position &p, int lastDst, bool senteAtTop);
    QSize sizeHint() const override { return {240, 260}; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    usi::Position m_pos = usi::StartPosition();
    int m_lastDst = 0;
    bool m_turned = false;
};

class StudyPanel : public QWidget
{
    Q_OBJECT
public:
    explicit StudyPanel(QWidget *parent = nullptr);
    // firstSide: the side whose view evaluations are shown from.
    void ShowLines(const usi::Position &p, const QVector<study::Line> &lines, int lastDst,
                   int firstSide, bool senteAtTop);
    void ShowText(const QString &text);

private:
    void Preview(int row);
    void Step(int by);

    QLabel *m_text;
    QTreeWidget *m_list;
    PreviewBoard *m_board;
    QPushButton *m_back, *m_forward, *m_leave;
    usi::Position m_pos;
    int m_lastDst = 0;
    bool m_senteAtTop = false;
    QVector<study::Line> m_lines;
    // The line being previewed: positions after 0..n of its moves.
    std::vector<usi::Position> m_preview;
    std::vector<int> m_previewDst;
    int m_step = 0;
};

#endif
