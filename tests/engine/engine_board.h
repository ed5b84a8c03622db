// The engine's board seen through the protocol program's rules, the one
// independent move generator of the tests. Com is gote (codes >= 128, at
// the top, moving to higher rows), Man is sente; squares and codes are the
// engine's on both sides, so only the hands and the side to move translate.
#ifndef KORVANE_ENGINE_BOARD_H
#define KORVANE_ENGINE_BOARD_H

#include "EngineTestUtil.h"
#include "usi_position.h"

#include <string>
#include <vector>

namespace enginetest {

using Pos = usi::Position;

// A full SFEN, or its board field alone (Com to move, empty hands); a
// position the rules refuse fails the test.
Pos Sfen(const std::string &sfen);
inline int &Hand(Pos &p, bool com, int kind)
{
    return p.hand[com ? usi::kGote : usi::kSente][kind];
}
inline bool IsCom(int code)
{
    return code > 128 && code != 255;
}
inline bool IsMan(int code)
{
    return code > 0 && code < 128;
}

void Write(const Pos &p, ZelkorCore &z);     // board and hands, renumbered
void Load(ZelkorCore &z, const Pos &p);      // written, then prepared like a search root
Pos PositionOf(const ZelkorCore &z, bool comToMove = true);
Pos Mirror(const Pos &p);                    // half-turn, owners exchanged (as ConvertBoard)
Move Mirror(const Move &m);

int KingSquare(const Pos &p, bool com); // 0 without one
bool Attacked(const Pos &p, int sq, bool byCom);
// The side's moves in the engine's coding; pseudo-legal ones ignore the
// king's safety and the pawn-drop mate, and include captures of the king.
std::vector<Move> PseudoMoves(const Pos &p, bool com);
std::vector<Move> LegalMoves(const Pos &p, bool com);
Pos Apply(const Pos &p, const Move &m); // the mover is the owner of the piece or drop
// The side's legal moves as the engine's own rules (CheckMoveable) judge them.
std::vector<Move> EngineMoves(ZelkorCore &z, bool com);

// Positions of random play from the even game and from handicaps, and
// positions with many pieces in hand.
std::vector<Pos> MakePositions(int games, std::uint64_t seed);
Pos HandHeavyPosition(Rng &rng);

// Empty when every candidate is a pseudo-legal move of the side; otherwise
// the first offending candidate.
std::string CheckCandidates(const Pos &pos, bool com, const CANDI_MOVE *p, int n);

} // namespace enginetest

#endif
