// A line of an engine's thought looked through on the main board: the
// position it starts from and each position after its moves, drawn in place
// of the game's until left. While it shows, the record's stepping keys step
// the line and Escape leaves it; the game's record and position stay as
// they are throughout.
#ifndef KORVANE_LINEPREVIEW_H
#define KORVANE_LINEPREVIEW_H

#include "gamerecord.h"
#include "studyparts.h"
#include "usi_position.h"

#include <QObject>
#include <QStringList>

#include <vector>

class QKeyEvent;

class LinePreview : public QObject
{
    Q_OBJECT
public:
    LinePreview(const StudyParts &parts, QObject *parent);
    ~LinePreview() override;

    // from: the position on screen, lastDst the square its last move came
    // to (0: none); pv in USI, kept up to its first illegal move. Shows the
    // line's first move; false when the line has none or the board is busy.
    bool Start(const usi::Position &from, int lastDst, const QStringList &pv);
    void Step(int by);
    void Leave();
    bool IsOn() const { return !m_positions.empty(); }
    int CurrentStep() const { return m_step; }
    int StepCount() const { return int(m_positions.size()) - 1; }

signals:
    void changed(); // started, stepped or ended
    // Its help in the status bar: shown while it lasts, then gone.
    void HelpShown(const QString &text);
    void HelpGone(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Show();
    void Ended();
    // -1 or 1 for a stepping key, 0 for Escape, kNotOurs otherwise.
    int KeyStep(const QKeyEvent *k) const;

    StudyParts m_parts;
    records::DocFrame m_frame;
    std::vector<usi::Position> m_positions; // 0: the start; i: after i moves
    std::vector<int> m_dsts;                // where move i arrived
    QStringList m_texts;                    // move i's text, at i - 1
    int m_step = 0;
};

#endif
