// A game as the record formats see it, apart from the document: the start
// position and moves in standard coordinates (sente = the side of ranks 7-9),
// with Korvane's handicap number, times, names and how the game ended.
//
// The document knows only a first and a second player. The first player
// moves first: sente in the even game and in most edited positions, the
// handicap giver (gote) in a handicap game. Conversions below keep to that.
#ifndef KORVANE_GAMERECORD_H
#define KORVANE_GAMERECORD_H

#include "gameending.h"
#include "moverules.h"
#include "usi_position.h"

#include <QString>
#include <QStringList>

#include <vector>

class ShogiDoc;

namespace records {

// Korvane's handicap numbers (the document's teai): 0 the even game,
// 1 lance, 2 bishop, 3 rook, 4 rook and lance, 5 two pieces (rook and
// bishop), each removed from the giver, who moves first.
constexpr int kEvenGame = 0;
constexpr int kMaxHandicap = 5;
constexpr int kOtherStart = -1; // any other start position

// The standard start of a handicap (gote, the giver, to move) or of the even
// game; kOtherStart gives the even game.
usi::Position HandicapPosition(int handicap);
// The handicap whose start p is, or kOtherStart.
int HandicapOf(const usi::Position &p);

struct GameRecord
{
    usi::Position start = usi::StartPosition();
    int handicap = kEvenGame; // kept equal to HandicapOf(start)
    std::vector<usi::Move> moves;
    std::vector<int> seconds;  // time each move took; as many as moves (or empty)
    QString names[2];          // by usi::Side; empty when unknown
    GameEnding ending = GameEnding::None;
    // Lines written after move i in the formats that carry comments (KIF's
    // "*" lines, each given with its "*"); empty when there are none. Readers
    // leave it empty: comments of other programs are dropped.
    std::vector<QStringList> comments;

    // The position after the first n moves (n clipped to the moves there are).
    usi::Position PositionAfter(size_t n) const;
    // The moves are legal from the start, one after the other; else err names
    // the first illegal move (1-based) and why.
    bool CheckMoves(std::string &err) const;
};

// ---- the document's view of standard coordinates
struct DocFrame
{
    bool firstIsSente = true;  // the first player plays sente's pieces
    bool bottomIsSente = true; // sente's pieces start at the bottom of the screen
};
// Which side the first player is: gote when the start is a handicap or, for
// other starts, when the first player sits at the top of the screen.
DocFrame FrameOf(const ShogiDoc &doc);

// Document square (column, row as drawn, 0..8) <-> usi square.
int ToUsiSquare(const DocFrame &f, int x, int y);
void FromUsiSquare(const DocFrame &f, int sq, int &x, int &y);
// Document piece code <-> usi piece code (0 <-> 0).
int ToUsiCode(const DocFrame &f, int code);
int FromUsiCode(const DocFrame &f, int code);

// The move of the document (a record entry's fields) in usi terms.
usi::Move ToUsiMove(const DocFrame &f, const MoveRules::Move &m);
// A usi move as the document records it, read against the document's board
// and hands as they stand now with the current player moving; false when that
// player has no piece there (or in hand) to make it. Legality is not checked.
bool FromUsiMove(const ShogiDoc &doc, const DocFrame &f, const usi::Move &u, MoveRules::Move &out);

// The game of the document: start, record (a resignation entry becomes the
// ending), times; the document's ending when it has one.
GameRecord RecordOf(const ShogiDoc &doc);
// The position on screen with movesShown moves of the record made on it.
usi::Position PositionOnScreen(const ShogiDoc &doc, int movesShown);

// Replaces the document's game with rec, the way opening a .kvn does (its
// checks, the main window told): sente at the bottom, the first player the
// side to move at the start. Players, level and faces stay. On any fault the
// document is left as it was and err says why (a move is named 1-based).
bool LoadIntoDoc(const GameRecord &rec, ShogiDoc &doc, std::string &err);

} // namespace records

#endif
