#include "gameanalysis.h"

#include <QTimer>

namespace study {

GameAnalysis::GameAnalysis(const QString &command, std::vector<usi::Position> positions,
                           QObject *parent)
    : QObject(parent), m_command(command), m_positions(std::move(positions)),
      m_results(m_positions.size())
{
}

bool GameAnalysis::Complete() const
{
    for (const PlyResult &r : m_results)
        if (!r.done)
            return false;
    return true;
}

void GameAnalysis::Start(int msPerMove)
{
    Cancel();
    m_ms = msPerMove;
    m_next = 0;
    m_analyser = new Analyser(m_command, 1, this);
    m_analyser->SetLimits(m_limits);
    connect(m_analyser, &Analyser::finished, this, [this](const QVector<Line> &lines) {
        PlyResult &r = m_results[m_next];
        r.done = !lines.isEmpty();
        if (r.done)
            r.best = lines[0];
        m_next++;
        Next();
    });
    connect(m_analyser, &Analyser::failed, this, [this](const QString &why) {
        Drop();
        emit failed(why);
    });
    // Callers hear of progress, even of a game with nothing to ask, only
    // once Start has returned.
    QTimer::singleShot(0, m_analyser, [this] { Next(); });
}

void GameAnalysis::Next()
{
    const int total = int(m_positions.size());
    // A position without a legal move needs no engine: its mover is mated.
    while (m_next < m_positions.size() && usi::LegalMoves(m_positions[m_next]).empty()) {
        PlyResult &r = m_results[m_next];
        r.done = true;
        r.best.eval = Eval{true, true, -kMateUnknownPlies}.ForSide(m_positions[m_next].side);
        m_next++;
    }
    emit progress(int(m_next), total);
    if (m_next < m_positions.size()) {
        m_analyser->Think(m_positions[m_next], m_ms);
        return;
    }
    Drop();
    emit finished();
}

void GameAnalysis::Cancel()
{
    delete m_analyser; // the engine is killed, not asked to quit
    m_analyser = nullptr;
}

void GameAnalysis::Drop()
{
    // Called from the analyser's own signals, so it goes once they return.
    if (m_analyser) {
        m_analyser->disconnect(this);
        m_analyser->deleteLater();
        m_analyser = nullptr;
    }
}

} // namespace study
