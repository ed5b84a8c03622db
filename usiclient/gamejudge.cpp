#include "gamejudge.h"

namespace usic {

namespace {

constexpr int kKing = 8;
constexpr int kCampRanks = 3;

int Base(int code)
{
    return (code & 15) == kKing ? kKing : code & 7;
}
bool Big(int base)
{
    return base == 6 || base == 7; // bishop, rook
}

std::string Key(const usi::Position &p)
{
    const std::string sfen = usi::WriteSfen(p);
    return sfen.substr(0, sfen.rfind(' ')); // without the move number
}

bool InEnemyCamp(int sq, int side)
{
    const int rank = sq >> 4;
    return side == usi::kSente ? rank <= kCampRanks : rank > 9 - kCampRanks;
}

} // namespace

int DeclarationPoints(const usi::Position &p, int side)
{
    int points = 0;
    for (int k = 1; k <= 7; k++)
        points += p.hand[side][k] * (Big(k) ? kBigPiecePoints : 1);
    for (int file = 1; file <= 9; file++)
        for (int rank = 1; rank <= 9; rank++) {
            const int sq = usi::Square(file, rank);
            const int c = p.At(sq);
            if (c && usi::OwnerOf(c) == side && Base(c) != kKing && InEnemyCamp(sq, side))
                points += Big(Base(c)) ? kBigPiecePoints : 1;
        }
    return points;
}

int PiecesInEnemyCamp(const usi::Position &p, int side)
{
    int n = 0;
    for (int file = 1; file <= 9; file++)
        for (int rank = 1; rank <= 9; rank++) {
            const int sq = usi::Square(file, rank);
            const int c = p.At(sq);
            n += c && usi::OwnerOf(c) == side && Base(c) != kKing && InEnemyCamp(sq, side);
        }
    return n;
}

GameJudge::GameJudge(const usi::Position &start)
    : m_positions{start}, m_keys{Key(start)}
{
}

bool GameJudge::DeclarationHolds(const usi::Position &p)
{
    const int side = p.side;
    bool kingInCamp = false;
    for (int file = 1; file <= 9; file++)
        for (int rank = 1; rank <= 9; rank++) {
            const int sq = usi::Square(file, rank);
            const int c = p.At(sq);
            if (c && usi::OwnerOf(c) == side && Base(c) == kKing)
                kingInCamp = InEnemyCamp(sq, side);
        }
    const int needed = side == usi::kSente ? kSentePointsNeeded : kGotePointsNeeded;
    return kingInCamp && !usi::InCheck(p, side) && PiecesInEnemyCamp(p, side) >= kPiecesInCampNeeded &&
           DeclarationPoints(p, side) >= needed;
}

Verdict GameJudge::Declare() const
{
    const int side = Current().side;
    if (DeclarationHolds(Current()))
        return {GameEnding::Impasse, 1 - side};
    return {GameEnding::IllegalMove, side};
}

Verdict GameJudge::Play(const usi::Move &m)
{
    const usi::Position &cur = Current();
    if (!usi::IsLegal(cur, m))
        return {GameEnding::IllegalMove, cur.side};
    const usi::Position next = usi::Apply(cur, m);
    m_checks.push_back(usi::InCheck(next, next.side));
    m_moves.push_back(m);
    m_positions.push_back(next);
    m_keys.push_back(Key(next));
    return Judge();
}

Verdict GameJudge::Judge() const
{
    const usi::Position &cur = Current();
    if (usi::LegalMoves(cur).empty())
        return {GameEnding::Mate, cur.side};

    const std::string &key = m_keys.back();
    int seen = 0, first = -1;
    for (int i = 0; i < int(m_keys.size()); i++)
        if (m_keys[i] == key && seen++ == 0)
            first = i;
    if (seen >= 4) {
        // Move i leads from position i to i + 1; the cycle's moves are those
        // from the first occurrence on.
        bool allChecks[2] = {true, true};
        for (int i = first; i < int(m_moves.size()); i++)
            allChecks[m_positions[i].side] = allChecks[m_positions[i].side] && m_checks[i];
        for (int side = 0; side < 2; side++)
            if (allChecks[side])
                return {GameEnding::PerpetualCheck, side};
        return {GameEnding::Repetition, -1};
    }
    if (m_maxPlies > 0 && Plies() >= m_maxPlies)
        return {GameEnding::MaxPlies, -1};
    return {};
}

void GameJudge::TakeBack(int plies)
{
    for (int i = 0; i < plies && !m_moves.empty(); i++) {
        m_moves.pop_back();
        m_checks.pop_back();
        m_positions.pop_back();
        m_keys.pop_back();
    }
}

} // namespace usic
