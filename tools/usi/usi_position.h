// Positions and moves as the shogi engine protocol writes them (SFEN and
// move notation), with the rules needed to check what a GUI sends.
//
// The board is kept in the engine's coding, seen as the game shows it by
// default: sente at the bottom, gote at the top. Square 16 * row + col with
// row 1..9 = ranks a..i and col 1..9 = files 9..1 (col = 10 - file), so that
// board[row - 1][col - 1] is the BOARD the engine takes. Codes: 1..8 pawn,
// lance, knight, silver, gold, bishop, rook, king; +8 promoted; +128 gote's.
#ifndef KORVANE_USI_POSITION_H
#define KORVANE_USI_POSITION_H

#include "Zelkor.h"

#include <string>
#include <vector>

namespace usi {

enum Side
{
    kSente = 0,
    kGote = 1
};

struct Position
{
    BOARD board;       // [row - 1][col - 1]
    int hand[2][8];    // [side][base kind 1..7]; entry 0 unused
    int side = kSente; // to move
    int ply = 1;       // SFEN move number: 1 before the first move

    int At(int sq) const { return board[(sq >> 4) - 1][(sq & 15) - 1]; }
    void Set(int sq, int code) { board[(sq >> 4) - 1][(sq & 15) - 1] = (unsigned char)code; }
};

// A move on the board above. src is 255 for a drop, with drop = base kind.
struct Move
{
    int src = 0;
    int dst = 0;
    int drop = 0;
    bool promote = false;
    bool operator==(const Move &o) const
    {
        return src == o.src && dst == o.dst && drop == o.drop && promote == o.promote;
    }
};

constexpr int kDrop = 255;

int Square(int file, int rank); // rank 1..9 = a..i
bool OnBoard(int sq);
inline int OwnerOf(int code)
{
    return code >= 128 ? kGote : kSente;
}

Position EmptyPosition();
Position StartPosition();

// Parses the four SFEN fields (board, side, hands, move number) and checks
// that the position can arise in a game; err names the first fault.
bool ParseSfen(const std::string &board, const std::string &side, const std::string &hands,
               const std::string &ply, Position &out, std::string &err);
std::string WriteSfen(const Position &p);
// Piece counts, kings, pieces that could never move, two pawns on a file,
// and the side not to move left in check.
bool ValidatePosition(const Position &p, std::string &err);

bool ParseMove(const std::string &text, Move &out);
std::string MoveText(const Move &m);

bool Attacked(const Position &p, int sq, int bySide);
bool InCheck(const Position &p, int side);
std::vector<Move> LegalMoves(const Position &p);
// What the pieces and the hand allow, as IsPseudoLegal judges, except that a
// capture of the king is listed too.
std::vector<Move> PseudoLegalMoves(const Position &p);
bool IsLegal(const Position &p, const Move &m);
// The piece can make the move, promotion rules included; the king's safety
// and the pawn-drop mate are not looked at. Cheap enough for a search line.
bool IsPseudoLegal(const Position &p, const Move &m);
// Plays a move already known to be legal; the move number grows by one.
Position Apply(const Position &p, const Move &m);

// ---- the engine's side of the board ----
// The engine thinks for the side it calls Com, its pieces coded >= 128 and
// moving toward higher rows. With gote to move that is the board as kept here
// (turn 1); with sente to move the engine turns the board round (turn 0) and
// its squares s read 170 - s here.
struct EngineMove
{
    int src; // engine square in think orientation, 255 for a drop
    int dst;
    int kind; // captured code, or the dropped code (Com's, >= 129)
    int naru; // 8 promotes
};

struct EngineInput
{
    BOARD board;
    int up[7];   // gote's hand, pawn..rook
    int down[7]; // sente's hand
    int turn;    // 1: the thinker sits at the top (gote)
    int counter; // moves played before the position
};

EngineInput ToEngineInput(const Position &p);
Move FromEngineMove(const EngineMove &e, bool turnedRound);
EngineMove ToEngineMove(const Position &p, const Move &m); // turned round when sente moves

} // namespace usi

#endif
