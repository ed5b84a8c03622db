#ifndef KORVANE_MOVERULES_H
#define KORVANE_MOVERULES_H

#include "Gloval.h"

#include <vector>

class ShogiDoc;

// The rules a human player is held to, on the document's board and hands:
// the piece moves of ShogiDoc::GetWay, the king-safety test, the drop rules
// and promotion. The board widget asks these, and so do the tests. Each test
// that tries a move on the board restores it.
namespace MoveRules {

// Whether owner (1 or 2) sits at the bottom of the screen.
bool IsBottom(const ShogiDoc &doc, BYTE owner);

// Marks every square some piece of owner can reach (GetWay of each piece).
void MarkAttacks(ShogiDoc &doc, BYTE owner, bool attacked[9][9]);
// Whether owner's king stands on a square the other side reaches. A side
// without a king is never attacked.
bool IsKingAttacked(ShogiDoc &doc, BYTE owner);

// Whether moving the piece on (sx, sy) to (dx, dy), assumed reachable,
// leaves its owner's king unattacked.
bool LeavesKingSafe(ShogiDoc &doc, BYTE sx, BYTE sy, BYTE dx, BYTE dy);

// Why a drop is refused; DropOk when it is allowed.
enum DropCheck
{
    DropOk,
    DropOccupied,    // off the board or the square is taken
    DropDeadSquare,  // pawn or lance on the last row, knight on the last two
    DropTwoPawns,    // an unpromoted pawn of the dropper in the column
    DropPawnMate,    // a pawn that checks the other king and leaves it no move
    DropKingAttacked // the dropper's king would stay attacked
};
// code: the unpromoted piece dropped; its owner is the dropper.
DropCheck CheckDrop(ShogiDoc &doc, BYTE c, BYTE r, BYTE code);

// Every square the piece on (sx, sy) may legally go to, and every square a
// piece of code (unpromoted; its owner the dropper) may be dropped on, as
// MakePhysicsPos values; way needs room for 81. Returns the count.
int LegalDestinations(ShogiDoc &doc, BYTE sx, BYTE sy, BYTE *way);
int LegalDrops(ShogiDoc &doc, BYTE code, BYTE *way);

enum Promotion
{
    NoPromotion,
    MayPromote,
    MustPromote
};
// Whether a move of code from fromRow to toRow may or must promote: it may
// when it starts or ends in the far three rows (a silver stepping back out of
// the zone may promote), and must where it could never move again.
Promotion PromotionFor(const ShogiDoc &doc, BYTE code, BYTE fromRow, BYTE toRow);

// One complete move as it goes into the record: a drop has sx = sy = 10.
struct Move
{
    BYTE sx, sy, skoma, dx, dy, dkoma, koma;
};
// Every legal move of owner, each promotion choice a move of its own.
void GenerateMoves(ShogiDoc &doc, BYTE owner, std::vector<Move> &moves);
// False when owner is mated (or stalemated, which loses as well).
bool HasLegalMove(ShogiDoc &doc, BYTE owner);

} // namespace MoveRules

#endif
