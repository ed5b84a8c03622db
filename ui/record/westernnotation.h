#ifndef KORVANE_WESTERNNOTATION_H
#define KORVANE_WESTERNNOTATION_H

#include "Gloval.h"

#include <QString>
#include <QStringList>

struct KIBO;
class ShogiDoc;

// Western move notation: P-7f, Bx2b+, S*5e, +Rx2b, N-3c= (promotion
// declined), G6i-5h (the square left named when another like piece could
// also reach the square). Files are 1..9, ranks a..i from the second
// player's side, whichever way the board is turned.

// The board as the record sees it, document squares [x][y] as drawn.
struct RecordBoard
{
    BYTE cell[9][9] = {};
    bool firstUp = false; // the first player sits at the top
};

// Record file and rank (1..9) of a document square, and back.
void RecordSquare(bool firstUp, int x, int y, int &file, int &rank);
void DocumentSquare(bool firstUp, int file, int rank, int &x, int &y);
// "7f".
QString WesternSquare(int file, int rank);
// P L N S G B R K, with + before a promoted piece; empty for no piece.
QString WesternPiece(BYTE code);

// The text of e (not a resignation) played from before.
QString WesternMoveText(const RecordBoard &before, const KIBO &e);
void PlayOnRecordBoard(RecordBoard &board, const KIBO &e);
// Whether the piece on (sx, sy) moves to (dx, dy) by its way of moving,
// ignoring what that does to its own king.
bool Reaches(const RecordBoard &board, int sx, int sy, int dx, int dy);

// Every move of the document's record, from its starting position; a
// resignation gives an empty text.
QStringList WesternRecordTexts(const ShogiDoc &doc);
// Move i (1 = the first) of the document's record; remembers the last record
// it read, so drawing the rows one by one stays linear.
QString WesternRecordMove(const ShogiDoc &doc, int i);

// A move typed in Western or USI notation, before it is checked against a
// position. Files and ranks are record ones, 1..9.
struct TypedMove
{
    enum Promotion
    {
        Unstated, // neither + nor =
        Promote,
        Decline
    };
    bool drop = false;
    BYTE kind = 0;         // 1..8; 0 when not given (USI board moves)
    bool promoted = false; // the piece named is a promoted one (+R)
    bool hasFrom = false;
    int fromFile = 0, fromRank = 0;
    int toFile = 0, toRank = 0;
    Promotion promotion = Unstated;
    bool usi = false; // USI: no + means no promotion
};
// False for text that is no move in either notation.
bool ParseTypedMove(const QString &text, TypedMove &move);

#endif
