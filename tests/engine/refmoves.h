#ifndef KORVANE_TESTS_REFMOVES_H
#define KORVANE_TESTS_REFMOVES_H

// A slow, independent move generator for tests. It knows nothing of the
// engine's attack lists: every answer is computed from the board alone.
//
// Coding as in the engine: square 16 * row + col (1..9), 255 frame; codes
// 1..15 Man's, +128 Com's; a move's kind is the code on the destination
// (board move) or the dropped full code (drop, source 255); naru 0 or 8.

#include <vector>

class ZelkorCore;

struct RefPos
{
    int board[256];
    int captCom[8]; // by base kind 1..7
    int captMan[8];
};

struct RefMove
{
    int src;
    int dst;
    int kind;
    int naru;
    bool operator==(const RefMove &o) const
    {
        return src == o.src && dst == o.dst && kind == o.kind && naru == o.naru;
    }
    bool operator<(const RefMove &o) const;
};

RefPos RefEmpty();                             // empty board with frame, empty hands
RefPos RefFromEngine(const ZelkorCore &z);        // board and hands of the engine
void RefToEngine(const RefPos &p, ZelkorCore &z); // writes board and hands, then SetUniBoard

bool RefIsCom(int code);
bool RefIsMan(int code);
int RefKing(const RefPos &p, bool com); // square of that side's king, 0 if none
bool RefAttacked(const RefPos &p, int sq, bool byCom);

// Board moves and drops of one side, obeying the drop rules (no second
// unpromoted pawn on a file, no piece left without a move) and the forced
// promotions; own-king safety is not checked.
std::vector<RefMove> RefPseudoMoves(const RefPos &p, bool com);
// The pseudo-legal moves that do not leave the mover's king attacked.
std::vector<RefMove> RefLegalMoves(const RefPos &p, bool com);

RefPos RefApply(const RefPos &p, const RefMove &m); // the captured piece goes to the mover's hand
bool RefLeavesKingAttacked(const RefPos &p, const RefMove &m, bool com);
RefPos RefMirror(const RefPos &p); // half-turn, owners exchanged (what ConvertBoard does)
RefMove RefMirrorMove(const RefMove &m);

#endif
