// Every position of a game analysed in turn for a set time, one engine,
// results kept per position. Cancel or destruction stops the engine at once.
#ifndef KORVANE_GAMEANALYSIS_H
#define KORVANE_GAMEANALYSIS_H

#include "analyser.h"

#include <QObject>

#include <vector>

namespace study {

class GameAnalysis : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultMsPerMove = 1000;

    // positions: the start and the position after each move.
    GameAnalysis(const QString &command, std::vector<usi::Position> positions,
                 QObject *parent = nullptr);
    void SetLimits(const usic::UsiEngine::Limits &l) { m_limits = l; }
    void Start(int msPerMove = kDefaultMsPerMove);
    void Cancel(); // not from a slot of the analyser's signals

    const std::vector<usi::Position> &Positions() const { return m_positions; }
    const std::vector<PlyResult> &Results() const { return m_results; }
    bool Complete() const;

signals:
    void progress(int done, int total);
    void finished();
    void failed(const QString &why); // partial results stay

private:
    void Next();
    void Drop();

    QString m_command;
    std::vector<usi::Position> m_positions;
    std::vector<PlyResult> m_results;
    usic::UsiEngine::Limits m_limits;
    Analyser *m_analyser = nullptr;
    size_t m_next = 0;
    int m_ms = kDefaultMsPerMove;
};

} // namespace study

#endif
