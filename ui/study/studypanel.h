// The analysis panel: the study engine's live lines; a clicked line is
// looked through on the main board with the panel's step buttons.
#ifndef KORVANE_STUDYPANEL_H
#define KORVANE_STUDYPANEL_H

#include "studycore.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

class StudyPanel : public QWidget
{
    Q_OBJECT
public:
    explicit StudyPanel(QWidget *parent = nullptr);
    // firstSide: the side whose view evaluations are shown from.
    void ShowLines(const usi::Position &p, const QVector<study::Line> &lines, int lastDst,
                   int firstSide);
    void ShowText(const QString &text);
    // The position the lines shown are about, and where its last move came to.
    const usi::Position &Position() const { return m_pos; }
    int LastDst() const { return m_lastDst; }
    const QVector<study::Line> &Lines() const { return m_lines; }
    // The step buttons while a line is looked through: step of steps.
    void ShowStepping(bool on, int step, int steps);

signals:
    void lineClicked(int row);
    void stepClicked(int by);
    void leaveClicked();

private:
    QLabel *m_text;
    QTreeWidget *m_list;
    QPushButton *m_back, *m_forward, *m_leave;
    usi::Position m_pos;
    int m_lastDst = 0;
    QVector<study::Line> m_lines;
};

#endif
