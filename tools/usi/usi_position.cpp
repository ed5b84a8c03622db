#include "usi_position.h"

#include <algorithm>
#include <cstring>

namespace usi {

namespace {

const char kLetters[] = " PLNSGBRK"; // by base kind
const int kMaxOfKind[8] = {0, 18, 4, 4, 4, 4, 2, 2};

int Base(int code)
{
    return (code & 15) == 8 ? 8 : code & 7;
}
bool Promoted(int code)
{
    return (code & 15) > 8;
}
bool CanPromoteKind(int k)
{
    return k >= 1 && k <= 7 && k != 5;
}

// Rows counted from the side's own back rank: 9 is the last rank ahead of it.
int RelRow(int sq, int side)
{
    return side == kGote ? sq >> 4 : 10 - (sq >> 4);
}
bool InZone(int sq, int side)
{
    return RelRow(sq, side) >= 7;
}
// A piece that would never move again unpromoted on this square.
bool Stuck(int base, int sq, int side)
{
    const int r = RelRow(sq, side);
    return ((base == 1 || base == 2) && r == 9) || (base == 3 && r >= 8);
}

// Steps as gote sees them (forward +16); sente's are negated.
const int kGold[] = {16, 15, 17, 1, -1, -16};
const int kSilver[] = {16, 15, 17, -15, -17};
const int kKing[] = {16, 15, 17, 1, -1, -16, -15, -17};
const int kKnight[] = {31, 33};
const int kPawn[] = {16};
const int kDiag[] = {15, 17, -15, -17};
const int kOrth[] = {16, -16, 1, -1};

template <int N>
void Steps(const Position &p, int sq, int side, const int (&st)[N], bool slide,
           std::vector<int> &out)
{
    for (int d : st) {
        const int step = side == kGote ? d : -d;
        for (int t = sq + step; OnBoard(t); t += step) {
            const int c = p.At(t);
            if (c != 0 && OwnerOf(c) == side)
                break;
            out.push_back(t);
            if (c != 0 || !slide)
                break;
        }
    }
}

// Squares the piece on sq reaches, own pieces excluded.
std::vector<int> Targets(const Position &p, int sq)
{
    std::vector<int> out;
    const int c = p.At(sq);
    const int side = OwnerOf(c);
    switch (c & 15) {
    case 1:
        Steps(p, sq, side, kPawn, false, out);
        break;
    case 2:
        Steps(p, sq, side, kPawn, true, out);
        break;
    case 3:
        Steps(p, sq, side, kKnight, false, out);
        break;
    case 4:
        Steps(p, sq, side, kSilver, false, out);
        break;
    case 6:
        Steps(p, sq, side, kDiag, true, out);
        break;
    case 7:
        Steps(p, sq, side, kOrth, true, out);
        break;
    case 8:
        Steps(p, sq, side, kKing, false, out);
        break;
    case 14:
        Steps(p, sq, side, kDiag, true, out);
        Steps(p, sq, side, kOrth, false, out);
        break;
    case 15:
        Steps(p, sq, side, kOrth, true, out);
        Steps(p, sq, side, kDiag, false, out);
        break;
    default: // gold and the promoted small pieces
        Steps(p, sq, side, kGold, false, out);
        break;
    }
    return out;
}

int KingSquare(const Position &p, int side)
{
    const int king = side == kGote ? 136 : 8;
    for (int row = 1; row <= 9; row++)
        for (int col = 1; col <= 9; col++)
            if (p.At(16 * row + col) == king)
                return 16 * row + col;
    return 0;
}

bool PawnOnFile(const Position &p, int col, int side)
{
    const int pawn = side == kGote ? 129 : 1;
    for (int row = 1; row <= 9; row++)
        if (p.At(16 * row + col) == pawn)
            return true;
    return false;
}

void PseudoMoves(const Position &p, std::vector<Move> &out)
{
    const int side = p.side;
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int sq = 16 * row + col;
            const int c = p.At(sq);
            if (c == 0 || OwnerOf(c) != side)
                continue;
            const int base = Base(c);
            const bool may = !Promoted(c) && CanPromoteKind(base);
            for (int t : Targets(p, sq)) {
                const bool zone = may && (InZone(sq, side) || InZone(t, side));
                if (zone)
                    out.push_back({sq, t, 0, true});
                if (!zone || !Stuck(base, t, side))
                    out.push_back({sq, t, 0, false});
            }
        }
    }
    for (int k = 1; k <= 7; k++) {
        if (p.hand[side][k] == 0)
            continue;
        for (int row = 1; row <= 9; row++) {
            for (int col = 1; col <= 9; col++) {
                const int sq = 16 * row + col;
                if (p.At(sq) != 0 || Stuck(k, sq, side) || (k == 1 && PawnOnFile(p, col, side)))
                    continue;
                out.push_back({kDrop, sq, k, false});
            }
        }
    }
}

bool LeavesKingSafe(const Position &p, const Move &m)
{
    const Position q = Apply(p, m);
    const int k = KingSquare(q, p.side);
    return k != 0 && !Attacked(q, k, 1 - p.side);
}

bool HasLegalMove(const Position &p)
{
    std::vector<Move> moves;
    PseudoMoves(p, moves);
    for (const Move &m : moves)
        if (LeavesKingSafe(p, m))
            return true;
    return false;
}

// A pawn dropped to give mate is the one drop the rules forbid for its effect.
bool IsPawnDropMate(const Position &p, const Move &m)
{
    if (m.src != kDrop || m.drop != 1)
        return false;
    const int ahead = m.dst + (p.side == kGote ? 16 : -16);
    if (!OnBoard(ahead) || p.At(ahead) != (p.side == kGote ? 8 : 136))
        return false;
    return !HasLegalMove(Apply(p, m));
}

bool ParseBoard(const std::string &s, Position &p, std::string &err)
{
    int row = 1, col = 1; // col counts files from 9 down
    bool plus = false;
    for (std::size_t i = 0; i < s.size(); i++) {
        const char ch = s[i];
        if (ch == '/') {
            if (plus || col != 10) {
                err = "rank " + std::to_string(row) + " does not hold nine squares";
                return false;
            }
            if (++row > 9) {
                err = "more than nine ranks";
                return false;
            }
            col = 1;
        } else if (ch >= '1' && ch <= '9') {
            if (plus) {
                err = "'+' before a digit";
                return false;
            }
            col += ch - '0';
            if (col > 10) {
                err = "rank " + std::to_string(row) + " holds more than nine squares";
                return false;
            }
        } else if (ch == '+') {
            if (plus) {
                err = "'++' in the board";
                return false;
            }
            plus = true;
        } else {
            const char up = ch >= 'a' && ch <= 'z' ? char(ch - 32) : ch;
            const char *at = std::strchr(kLetters + 1, up);
            if (up == 0 || !at) {
                err = std::string("bad piece letter '") + ch + "'";
                return false;
            }
            const int base = int(at - kLetters);
            if (plus && !CanPromoteKind(base)) {
                err = std::string("'+") + ch + "' cannot be promoted";
                return false;
            }
            if (col > 9) {
                err = "rank " + std::to_string(row) + " holds more than nine squares";
                return false;
            }
            p.board[row - 1][col - 1] =
                (unsigned char)(base + (plus ? 8 : 0) + (ch == up ? 0 : 128));
            plus = false;
            col++;
        }
    }
    if (row != 9 || col != 10 || plus) {
        err = "the board does not hold nine ranks of nine squares";
        return false;
    }
    return true;
}

bool ParseHands(const std::string &s, Position &p, std::string &err)
{
    if (s == "-")
        return true;
    std::string digits;
    for (char ch : s) {
        if (ch >= '0' && ch <= '9') {
            digits += ch;
            continue;
        }
        const char up = ch >= 'a' && ch <= 'z' ? char(ch - 32) : ch;
        const char *at = up == 'K' || up == 0 ? nullptr : std::strchr(kLetters + 1, up);
        if (!at) {
            err = std::string("bad piece letter '") + ch + "' in hand";
            return false;
        }
        // A count is written only from 2 on, without leading zeros.
        if (!digits.empty() && (digits.size() > 2 || digits[0] == '0' || std::stoi(digits) < 2 ||
                                std::stoi(digits) > 18)) {
            err = "bad hand count '" + digits + ch + "'";
            return false;
        }
        p.hand[ch == up ? kSente : kGote][at - kLetters] += digits.empty() ? 1 : std::stoi(digits);
        digits.clear();
    }
    if (!digits.empty() || s.empty()) {
        err = "hand ends with a count";
        return false;
    }
    return true;
}

} // namespace

int Square(int file, int rank)
{
    return 16 * rank + (10 - file);
}

bool OnBoard(int sq)
{
    return sq >= 0x11 && sq <= 0x99 && (sq & 15) >= 1 && (sq & 15) <= 9;
}

Position EmptyPosition()
{
    Position p;
    std::memset(p.board, 0, sizeof p.board);
    std::memset(p.hand, 0, sizeof p.hand);
    return p;
}

Position StartPosition()
{
    Position p;
    std::string err;
    ParseSfen("lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL", "b", "-", "1", p, err);
    return p;
}

bool ParseSfen(const std::string &board, const std::string &side, const std::string &hands,
               const std::string &ply, Position &out, std::string &err)
{
    Position p = EmptyPosition();
    if (!ParseBoard(board, p, err) || !ParseHands(hands, p, err))
        return false;
    if (side != "b" && side != "w") {
        err = "side to move must be 'b' or 'w'";
        return false;
    }
    p.side = side == "b" ? kSente : kGote;
    if (ply.empty() || ply.size() > 6 || ply.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(ply) < 1) {
        err = "bad move number '" + ply + "'";
        return false;
    }
    p.ply = std::stoi(ply);
    if (!ValidatePosition(p, err))
        return false;
    out = p;
    return true;
}

std::string WriteSfen(const Position &p)
{
    std::string s;
    for (int row = 1; row <= 9; row++) {
        int empty = 0;
        for (int col = 1; col <= 9; col++) {
            const int c = p.At(16 * row + col);
            if (c == 0) {
                empty++;
                continue;
            }
            if (empty)
                s += char('0' + empty);
            empty = 0;
            if (Promoted(c))
                s += '+';
            const char letter = kLetters[Base(c)];
            s += c >= 128 ? char(letter + 32) : letter;
        }
        if (empty)
            s += char('0' + empty);
        if (row < 9)
            s += '/';
    }
    s += p.side == kSente ? " b " : " w ";
    std::string h;
    static const int order[7] = {7, 6, 5, 4, 3, 2, 1};
    for (int side = 0; side < 2; side++) {
        for (int k : order) {
            const int n = p.hand[side][k];
            if (n == 0)
                continue;
            if (n > 1)
                h += std::to_string(n);
            h += side == kSente ? kLetters[k] : char(kLetters[k] + 32);
        }
    }
    s += h.empty() ? "-" : h;
    return s + " " + std::to_string(p.ply);
}

bool ValidatePosition(const Position &p, std::string &err)
{
    int count[8] = {};
    int kings[2] = {};
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int sq = 16 * row + col, c = p.At(sq);
            if (c == 0)
                continue;
            const int side = OwnerOf(c), base = Base(c);
            if (base == 8) {
                kings[side]++;
                continue;
            }
            count[base]++;
            if (!Promoted(c) && Stuck(base, sq, side)) {
                err = std::string("a ") + kLetters[base] + " that can never move";
                return false;
            }
        }
    }
    for (int side = 0; side < 2; side++) {
        const char *who = side == kSente ? "sente" : "gote";
        if (kings[side] != 1) {
            err = std::string(kings[side] ? "two kings of " : "no king of ") + who;
            return false;
        }
        for (int col = 1; col <= 9; col++) {
            int pawns = 0;
            for (int row = 1; row <= 9; row++)
                pawns += p.At(16 * row + col) == (side == kGote ? 129 : 1);
            if (pawns > 1) {
                err = std::string("two pawns of ") + who + " on one file";
                return false;
            }
        }
    }
    for (int k = 1; k <= 7; k++) {
        if (p.hand[0][k] < 0 || p.hand[1][k] < 0 ||
            count[k] + p.hand[0][k] + p.hand[1][k] > kMaxOfKind[k]) {
            err = std::string("too many pieces of kind ") + kLetters[k];
            return false;
        }
    }
    if (InCheck(p, 1 - p.side)) {
        err = "the side not to move is in check";
        return false;
    }
    return true;
}

bool ParseMove(const std::string &t, Move &out)
{
    auto file = [](char c) { return c >= '1' && c <= '9' ? c - '0' : 0; };
    auto rank = [](char c) { return c >= 'a' && c <= 'i' ? c - 'a' + 1 : 0; };
    Move m;
    if (t.size() == 4 && t[1] == '*') {
        const char *at = t[0] == 'K' || t[0] == 0 ? nullptr : std::strchr(kLetters + 1, t[0]);
        if (!at || !file(t[2]) || !rank(t[3]))
            return false;
        m.src = kDrop;
        m.drop = int(at - kLetters);
        m.dst = Square(file(t[2]), rank(t[3]));
    } else if (t.size() == 4 || (t.size() == 5 && t[4] == '+')) {
        if (!file(t[0]) || !rank(t[1]) || !file(t[2]) || !rank(t[3]))
            return false;
        m.src = Square(file(t[0]), rank(t[1]));
        m.dst = Square(file(t[2]), rank(t[3]));
        m.promote = t.size() == 5;
    } else {
        return false;
    }
    out = m;
    return true;
}

std::string MoveText(const Move &m)
{
    auto sq = [](int s) {
        return std::string(1, char('0' + 10 - (s & 15))) + char('a' + (s >> 4) - 1);
    };
    if (m.src == kDrop)
        return std::string(1, kLetters[m.drop]) + "*" + sq(m.dst);
    return sq(m.src) + sq(m.dst) + (m.promote ? "+" : "");
}

bool Attacked(const Position &p, int sq, int bySide)
{
    for (int row = 1; row <= 9; row++) {
        for (int col = 1; col <= 9; col++) {
            const int s = 16 * row + col, c = p.At(s);
            if (c == 0 || OwnerOf(c) != bySide)
                continue;
            for (int t : Targets(p, s))
                if (t == sq)
                    return true;
        }
    }
    return false;
}

bool InCheck(const Position &p, int side)
{
    const int k = KingSquare(p, side);
    return k != 0 && Attacked(p, k, 1 - side);
}

std::vector<Move> PseudoLegalMoves(const Position &p)
{
    std::vector<Move> moves;
    PseudoMoves(p, moves);
    return moves;
}

std::vector<Move> LegalMoves(const Position &p)
{
    std::vector<Move> moves, legal;
    PseudoMoves(p, moves);
    for (const Move &m : moves)
        if (LeavesKingSafe(p, m) && !IsPawnDropMate(p, m))
            legal.push_back(m);
    return legal;
}

bool IsLegal(const Position &p, const Move &m)
{
    for (const Move &x : LegalMoves(p))
        if (x == m)
            return true;
    return false;
}

bool IsPseudoLegal(const Position &p, const Move &m)
{
    const int side = p.side;
    if (!OnBoard(m.dst))
        return false;
    if (m.src == kDrop)
        return !m.promote && m.drop >= 1 && m.drop <= 7 && p.hand[side][m.drop] > 0 &&
               p.At(m.dst) == 0 && !Stuck(m.drop, m.dst, side) &&
               !(m.drop == 1 && PawnOnFile(p, m.dst & 15, side));
    if (!OnBoard(m.src))
        return false;
    const int c = p.At(m.src), cap = p.At(m.dst);
    if (c == 0 || OwnerOf(c) != side || (cap != 0 && Base(cap) == 8))
        return false;
    const std::vector<int> t = Targets(p, m.src);
    if (std::find(t.begin(), t.end(), m.dst) == t.end())
        return false;
    const int base = Base(c);
    const bool may =
        !Promoted(c) && CanPromoteKind(base) && (InZone(m.src, side) || InZone(m.dst, side));
    return m.promote ? may : !Stuck(base, m.dst, side) || Promoted(c);
}

Position Apply(const Position &p, const Move &m)
{
    Position q = p;
    const int owner = p.side == kGote ? 128 : 0;
    if (m.src == kDrop) {
        q.hand[p.side][m.drop]--;
        q.Set(m.dst, m.drop + owner);
    } else {
        const int c = p.At(m.src), cap = p.At(m.dst);
        if (cap != 0 && Base(cap) != 8)
            q.hand[p.side][cap & 7]++;
        q.Set(m.dst, c + (m.promote ? 8 : 0));
        q.Set(m.src, 0);
    }
    q.side = 1 - p.side;
    q.ply = p.ply + 1;
    return q;
}

EngineInput ToEngineInput(const Position &p)
{
    EngineInput in;
    std::memcpy(in.board, p.board, sizeof in.board);
    for (int k = 1; k <= 7; k++) {
        in.up[k - 1] = p.hand[kGote][k];
        in.down[k - 1] = p.hand[kSente][k];
    }
    in.turn = p.side == kGote ? 1 : 0;
    in.counter = p.ply - 1;
    return in;
}

Move FromEngineMove(const EngineMove &e, bool turnedRound)
{
    auto sq = [turnedRound](int s) { return turnedRound ? 170 - s : s; };
    Move m;
    m.dst = sq(e.dst);
    if (e.src == kDrop) {
        m.src = kDrop;
        m.drop = e.kind & 7;
    } else {
        m.src = sq(e.src);
        m.promote = e.naru == 8;
    }
    return m;
}

EngineMove ToEngineMove(const Position &p, const Move &m)
{
    const bool turned = p.side == kSente;
    auto sq = [turned](int s) { return turned ? 170 - s : s; };
    // In think orientation the mover is Com (>= 128) and the other side Man.
    auto code = [turned](int c) { return c == 0 || !turned ? c : c ^ 128; };
    if (m.src == kDrop)
        return {kDrop, sq(m.dst), m.drop + 128, 0};
    return {sq(m.src), sq(m.dst), code(p.At(m.dst)), m.promote ? 8 : 0};
}

} // namespace usi
