#include "enginegame.h"

#include "usi_session.h"

namespace usic {

namespace {

const char *const kGameOver[3] = {"draw", "win", "lose"}; // by: drawn, won, lost
// Pipes and a busy machine delay both the go and the answer; an engine is not
// charged for that.
constexpr qint64 kPipeLagMs = 100;

} // namespace

bool ParseOpening(const QString &line, Opening &out, QString &err)
{
    std::vector<std::string> w = usi::SplitWords(line.toStdString());
    Opening o;
    std::size_t i = 0;
    if (i < w.size() && w[i] == "position")
        i++;
    if (i < w.size() && w[i] == "startpos") {
        i++;
    } else {
        if (i < w.size() && w[i] == "sfen")
            i++;
        if (i + 3 > w.size()) {
            err = QStringLiteral("needs 'startpos' or an SFEN");
            return false;
        }
        const bool numbered = i + 3 < w.size() && w[i + 3] != "moves";
        std::string why;
        if (!usi::ParseSfen(w[i], w[i + 1], w[i + 2], numbered ? w[i + 3] : "1", o.start, why)) {
            err = QString::fromStdString(why);
            return false;
        }
        o.fromStartpos = false;
        i += numbered ? 4 : 3;
    }
    if (i < w.size() && w[i++] != "moves") {
        err = QStringLiteral("unexpected '%1'").arg(QString::fromStdString(w[i - 1]));
        return false;
    }
    usi::Position p = o.start;
    for (; i < w.size(); i++) {
        usi::Move m;
        if (!usi::ParseMove(w[i], m) || !usi::IsLegal(p, m)) {
            err = QStringLiteral("move '%1' is not legal there").arg(QString::fromStdString(w[i]));
            return false;
        }
        p = usi::Apply(p, m);
        o.moves.push_back(m);
    }
    out = o;
    return true;
}

QString PositionCommand(const Opening &o, const std::vector<usi::Move> &moves)
{
    QString cmd = o.fromStartpos ? QStringLiteral("position startpos")
                                 : QStringLiteral("position sfen ") + QString::fromStdString(usi::WriteSfen(o.start));
    if (!moves.empty()) {
        cmd += QStringLiteral(" moves");
        for (const usi::Move &m : moves)
            cmd += QLatin1Char(' ') + QString::fromStdString(usi::MoveText(m));
    }
    return cmd;
}

QString ReasonOf(GameEnding e)
{
    switch (e) {
    case GameEnding::Mate: return QStringLiteral("mate");
    case GameEnding::Resign: return QStringLiteral("resign");
    case GameEnding::Repetition: return QStringLiteral("repetition");
    case GameEnding::PerpetualCheck: return QStringLiteral("perpetual-check");
    case GameEnding::Impasse: return QStringLiteral("impasse");
    case GameEnding::TimeUp: return QStringLiteral("time");
    case GameEnding::IllegalMove: return QStringLiteral("illegal-move");
    case GameEnding::MaxPlies: return QStringLiteral("max-plies");
    case GameEnding::None:
    case GameEnding::Interrupt: break;
    }
    return QString();
}

EngineGame::EngineGame(UsiEngine *sente, UsiEngine *gote, const GameSetup &setup, QObject *parent)
    : QObject(parent), m_setup(setup), m_judge(setup.opening.start),
      m_clock(setup.time[0], setup.time[1])
{
    m_engine[0] = sente;
    m_engine[1] = gote;
    m_judge.SetMaxPlies(setup.maxPlies);
    for (const usi::Move &m : setup.opening.moves)
        m_openingVerdict = m_judge.Play(m);
    m_seconds.assign(setup.opening.moves.size(), 0);
}

void EngineGame::Start()
{
    m_time.start();
    for (int side = 0; side < 2; side++) {
        UsiEngine *e = m_engine[side];
        connect(e, &UsiEngine::ready, this, [this, side] { OnReady(side); });
        connect(e, &UsiEngine::bestMove, this, [this, side](const QString &m) { OnBestMove(side, m); });
        connect(e, &UsiEngine::faulted, this,
                [this, side](UsiEngine::Fault f, const QString &d) { OnFault(side, f, d); });
    }
    if (m_openingVerdict.Over())
        return End(m_openingVerdict.ending, m_openingVerdict.loser, ReasonOf(m_openingVerdict.ending));
    for (int side = 0; side < 2 && !m_over; side++) {
        if (m_engine[side]->GetState() == UsiEngine::State::Dead)
            OnFault(side, m_engine[side]->GetFault(), QString());
        else
            m_engine[side]->NewGame();
    }
}

void EngineGame::OnReady(int side)
{
    m_ready[side] = true;
    if (m_ready[0] && m_ready[1] && !m_over)
        Ask();
}

void EngineGame::Ask()
{
    const int side = m_judge.Current().side;
    const qint64 now = m_time.elapsed();
    m_moveStart = now;
    m_clock.Start(side, now);
    const qint64 allow = m_clock.Timed(side) ? m_clock.Allowance(side, now) : m_setup.untimedMoveMs;
    m_engine[side]->Go(PositionCommand(m_setup.opening, m_judge.Moves()),
                       m_clock.GoArguments(now, m_setup.untimedMoveMs), allow);
}

void EngineGame::OnBestMove(int side, const QString &move)
{
    if (m_over || side != m_judge.Current().side)
        return;
    const qint64 now = qMax(m_moveStart, m_time.elapsed() - kPipeLagMs);
    const qint64 allowed = m_clock.Allowance(side, m_moveStart);
    if (!m_clock.Stop(now))
        return End(GameEnding::TimeUp, side, ReasonOf(GameEnding::TimeUp),
                   QStringLiteral("%1 took %2 ms of %3").arg(m_engine[side]->Name()).arg(now - m_moveStart).arg(allowed));
    Verdict v;
    if (move == QLatin1String("resign")) {
        v = {GameEnding::Resign, side};
    } else if (move == QLatin1String("win")) {
        v = m_judge.Declare();
    } else {
        usi::Move m;
        usi::ParseMove(move.toStdString(), m);
        v = m_judge.Play(m);
        if (v.ending != GameEnding::IllegalMove)
            m_seconds.push_back(int((now - m_moveStart) / 1000));
        if (v.ending == GameEnding::IllegalMove)
            return End(v.ending, v.loser, ReasonOf(v.ending),
                       QStringLiteral("%1 sent the illegal move %2").arg(m_engine[side]->Name(), move));
    }
    if (v.Over())
        return End(v.ending, v.loser, ReasonOf(v.ending));
    Ask();
}

void EngineGame::OnFault(int side, UsiEngine::Fault f, const QString &detail)
{
    if (m_over)
        return;
    QString reason = QStringLiteral("crash");
    GameEnding e = GameEnding::None;
    if (f == UsiEngine::Fault::Malformed) {
        reason = ReasonOf(GameEnding::IllegalMove);
        e = GameEnding::IllegalMove;
    } else if (f == UsiEngine::Fault::NoStart || f == UsiEngine::Fault::NoUsiok ||
               f == UsiEngine::Fault::NoReadyok || f == UsiEngine::Fault::NoResponse) {
        reason = QStringLiteral("no-response");
    }
    QString text = m_engine[side]->Name() + QLatin1Char(' ') + UsiEngine::FaultText(f);
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + QLatin1Char(')');
    End(e, side, reason, text);
}

void EngineGame::End(GameEnding e, int loser, const QString &reason, const QString &detail)
{
    m_over = true;
    m_clock.Stop(m_time.elapsed());
    m_result = {e, loser, reason, detail, m_judge.Plies()};
    for (int side = 0; side < 2; side++) {
        UsiEngine *eng = m_engine[side];
        if (!eng)
            continue;
        eng->Stop();
        eng->GameOver(QLatin1String(kGameOver[loser < 0 ? 0 : loser == side ? 2 : 1]));
    }
    emit finished();
}

} // namespace usic
