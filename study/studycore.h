// What an engine's analysis means to a player: evaluations seen from one
// side, winning percentages, lines in Japanese notation, and the moves whose
// evaluation fell sharply. No engine and no widgets here.
#ifndef KORVANE_STUDYCORE_H
#define KORVANE_STUDYCORE_H

#include "notation.h"
#include "usi_position.h"
#include "usiprotocol.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace study {

// An evaluation from sente's view. A mate counts plies: positive, sente
// mates; negative, gote mates; kMateUnknownPlies when the engine did not say.
struct Eval
{
    bool known = false;
    bool mate = false;
    int value = 0; // centipawns, or plies to mate

    Eval ForSide(int side) const; // the same evaluation from side's view
    bool operator==(const Eval &o) const
    {
        return known == o.known && mate == o.mate && value == o.value;
    }
};
constexpr int kMateUnknownPlies = 9999;

// The engine speaks for the side to move.
Eval FromInfo(const usic::Info &info, int sideToMove);
// Percentage (0..100) that the side whose view e is wins; 50 when unknown.
// Centipawns go through a logistic curve whose scale is kWinScale.
constexpr double kWinScale = 600.0;
double WinPercent(const Eval &e);
// "+123", "-45", "詰 7", "-詰 3"... from the view e is in.
QString EvalText(const Eval &e);

// One line of an engine's thought on a position.
struct Line
{
    int multipv = 1;
    int depth = -1;
    qint64 nodes = -1;
    Eval eval; // sente's view
    QStringList pv; // USI moves
};

// The legal prefix of pv from p: an engine's stale or broken tail is cut.
std::vector<usi::Move> LegalPrefix(const usi::Position &p, const QStringList &pv);
// "▲7六歩△3四歩▲2二角成" for up to maxMoves moves; lastDst is the square
// the move before p arrived on (0: none), so that a recapture reads 同.
QString PvText(const usi::Position &p, const QStringList &pv, int maxMoves = 16, int lastDst = 0,
               records::NotationStyle style = records::NotationStyle::Ki2);
// One move's text as PvText writes it.
QString MoveText(const usi::Position &p, const usi::Move &m, int lastDst,
                 records::NotationStyle style = records::NotationStyle::Ki2);

// ---- sharp falls in a game's evaluation
enum class Mark
{
    None,
    Dubious, // 疑問手
    Bad      // 悪手
};
// Falls in the mover's winning percentage, in percentage points.
struct Thresholds
{
    double dubious = 10.0;
    double bad = 20.0;
};
// before: the evaluation of the position the move was made on; after: of the
// position it led to; mover: the side that made it.
Mark Judge(const Eval &before, const Eval &after, int mover, const Thresholds &t);

// An analysed position of a game.
struct PlyResult
{
    bool done = false;
    Line best;
};

// The comment lines ("*..." as records keep them) for move n (1-based) of
// a game whose positions 0..moves are in results.
QStringList CommentLines(const std::vector<usi::Position> &positions,
                         const std::vector<PlyResult> &results, int n, const Thresholds &t);

} // namespace study

#endif
