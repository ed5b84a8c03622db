#include "studycore.h"

#include "language.h"
#include "notation.h"

#include <cmath>
#include <cstdlib>

namespace study {

Eval Eval::ForSide(int side) const
{
    Eval e = *this;
    if (side == usi::kGote)
        e.value = -e.value;
    return e;
}

Eval FromInfo(const usic::Info &info, int sideToMove)
{
    Eval e;
    if (!info.hasScore)
        return e;
    e.known = true;
    e.mate = info.mate;
    e.value = info.score;
    // "mate +"/"mate -" arrive as +-1 with no count of plies behind them.
    if (e.mate && std::abs(e.value) == 1 && info.pv.size() != 1)
        e.value = e.value > 0 ? kMateUnknownPlies : -kMateUnknownPlies;
    return e.ForSide(sideToMove);
}

double WinPercent(const Eval &e)
{
    if (!e.known)
        return 50.0;
    if (e.mate)
        return e.value > 0 ? 100.0 : 0.0;
    return 100.0 / (1.0 + std::exp(-e.value / kWinScale));
}

QString EvalText(const Eval &e)
{
    if (!e.known)
        return QStringLiteral("-");
    if (e.mate) {
        QString s = e.value < 0 ? QStringLiteral("-") : QString();
        s += JStr(JC_StudyMated);
        if (std::abs(e.value) != kMateUnknownPlies)
            s += QLatin1Char(' ') + QString::number(std::abs(e.value));
        return s;
    }
    return (e.value > 0 ? QStringLiteral("+") : QString()) + QString::number(e.value);
}

std::vector<usi::Move> LegalPrefix(const usi::Position &p, const QStringList &pv)
{
    std::vector<usi::Move> out;
    usi::Position q = p;
    for (const QString &w : pv) {
        usi::Move m;
        if (!usi::ParseMove(w.toStdString(), m) || !usi::IsLegal(q, m))
            break;
        out.push_back(m);
        q = usi::Apply(q, m);
    }
    return out;
}

QString MoveText(const usi::Position &p, const usi::Move &m, int lastDst,
                 records::NotationStyle style)
{
    return JStr(p.side == usi::kSente ? JC_FirstSign : JC_SecondSign) +
           records::MoveName(p, m, lastDst, style);
}

QString PvText(const usi::Position &p, const QStringList &pv, int maxMoves, int lastDst,
               records::NotationStyle style)
{
    QString s;
    usi::Position q = p;
    int n = 0;
    for (const usi::Move &m : LegalPrefix(p, pv)) {
        if (n++ == maxMoves)
            break;
        s += MoveText(q, m, lastDst, style);
        lastDst = m.dst;
        q = usi::Apply(q, m);
    }
    return s;
}

Mark Judge(const Eval &before, const Eval &after, int mover, const Thresholds &t)
{
    if (!before.known || !after.known)
        return Mark::None;
    const double fall = WinPercent(before.ForSide(mover)) - WinPercent(after.ForSide(mover));
    if (fall >= t.bad)
        return Mark::Bad;
    if (fall >= t.dubious)
        return Mark::Dubious;
    return Mark::None;
}

QStringList CommentLines(const std::vector<usi::Position> &positions,
                         const std::vector<PlyResult> &results, int n, const Thresholds &t)
{
    QStringList out;
    if (n < 1 || size_t(n) >= results.size() || size_t(n) >= positions.size())
        return out;
    const PlyResult &before = results[size_t(n) - 1], &after = results[size_t(n)];
    if (!after.done)
        return out;
    const Eval &e = after.best.eval;
    out << QStringLiteral("*%1 %2 (%3 %4%)")
               .arg(JStr(JC_StudyEval), EvalText(e), JStr(JC_StudyWin))
               .arg(qRound(WinPercent(e)));
    if (!before.done)
        return out;
    const Mark mark = Judge(before.best.eval, e, positions[size_t(n) - 1].side, t);
    if (mark != Mark::None) {
        // The better line starts where the move was chosen, so 同 refers to
        // the move before it.
        const QString line = PvText(positions[size_t(n) - 1], before.best.pv);
        out << QStringLiteral("*%1 %2 %3")
                   .arg(JStr(mark == Mark::Bad ? JC_StudyBad : JC_StudyDubious),
                        JStr(JC_StudyBest), line);
    }
    return out;
}

} // namespace study
