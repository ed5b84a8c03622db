// The rules that end a game, kept beside its moves: mate, the fourth
// repetition (a draw, or a loss for a side that checked with every move of the
// cycle), the entering-king declaration by points, illegal moves and a move
// limit.
#ifndef KORVANE_GAMEJUDGE_H
#define KORVANE_GAMEJUDGE_H

#include "gameending.h"
#include "usi_position.h"

#include <string>
#include <vector>

namespace usic {

struct Verdict
{
    GameEnding ending = GameEnding::None;
    int loser = -1; // sente 0, gote 1; -1 for a draw or no end
    bool Over() const { return ending != GameEnding::None; }
};

// Points toward the declaration: rook and bishop (promoted or not) 5, other
// pieces 1; the king does not count.
constexpr int kBigPiecePoints = 5;
constexpr int kSentePointsNeeded = 28;
constexpr int kGotePointsNeeded = 27;
constexpr int kPiecesInCampNeeded = 10;
constexpr int kDefaultMaxPlies = 512;

class GameJudge
{
public:
    explicit GameJudge(const usi::Position &start = usi::StartPosition());

    // maxPlies 0: no limit. Counted from the start position.
    void SetMaxPlies(int maxPlies) { m_maxPlies = maxPlies; }
    int MaxPlies() const { return m_maxPlies; }
    // Plays the move if legal; the verdict tells whether the game ends with it.
    Verdict Play(const usi::Move &m);
    // The side to move declares: it wins if the conditions hold, else loses.
    Verdict Declare() const;
    static bool DeclarationHolds(const usi::Position &p);
    void TakeBack(int plies);

    const usi::Position &Current() const { return m_positions.back(); }
    const usi::Position &Start() const { return m_positions.front(); }
    const std::vector<usi::Move> &Moves() const { return m_moves; }
    int Plies() const { return int(m_moves.size()); }

private:
    Verdict Judge() const;

    std::vector<usi::Position> m_positions; // one more than the moves
    std::vector<std::string> m_keys;         // board, hands and side to move
    std::vector<usi::Move> m_moves;
    std::vector<bool> m_checks; // the move gave check
    int m_maxPlies = 0;
};

// Points and pieces in the enemy camp for the declaration, for the side.
int DeclarationPoints(const usi::Position &p, int side);
int PiecesInEnemyCamp(const usi::Position &p, int side);

} // namespace usic

#endif
