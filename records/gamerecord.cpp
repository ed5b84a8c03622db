#include "gamerecord.h"

#include "cplayer.h"
#include "shogidoc.h"

#include <QDataStream>

namespace records {

namespace {

constexpr int kGoteBit = 128;
constexpr int kPromotedBit = 8;
constexpr int kKing = 8;
constexpr BYTE kDocDrop = 10;
constexpr BYTE kDocResign = 50;

// SFEN boards of the handicaps by Korvane's number (gote gives, moves first).
const char *const kHandicapBoards[kMaxHandicap + 1] = {
    "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
    "lnsgkgsn1/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
    "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
    "lnsgkgsnl/7b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
    "lnsgkgsn1/7b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
    "lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL",
};

bool SamePlacement(const usi::Position &a, const usi::Position &b)
{
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            if (a.board[r][c] != b.board[r][c])
                return false;
    for (int s = 0; s < 2; ++s)
        for (int k = 1; k <= 7; ++k)
            if (a.hand[s][k] != b.hand[s][k])
                return false;
    return a.side == b.side;
}

int ColourOf(const DocFrame &f, int owner)
{
    return (owner == 1) == f.firstIsSente ? usi::kSente : usi::kGote;
}

// The start of the document read in frame f.
usi::Position StartIn(const ShogiDoc &doc, const DocFrame &f)
{
    usi::Position p = usi::EmptyPosition();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            p.Set(ToUsiSquare(f, x, y), ToUsiCode(f, doc.GetInitBoardInfo(BYTE(x), BYTE(y))));
    for (BYTE owner = 1; owner <= 2; ++owner)
        for (BYTE k = 1; k <= 7; ++k)
            p.hand[ColourOf(f, owner)][k] = doc.GetPlayer(owner)->GetDaiNumF(k);
    p.side = ColourOf(f, 1);
    return p;
}

// A legal move without generating every move: the pawn-drop mate alone needs
// the other side's replies.
bool IsLegalHere(const usi::Position &p, const usi::Move &m)
{
    if (!usi::IsPseudoLegal(p, m))
        return false;
    const usi::Position q = usi::Apply(p, m);
    if (usi::InCheck(q, p.side))
        return false;
    if (m.src == usi::kDrop && m.drop == 1 && usi::InCheck(q, q.side))
        return !usi::LegalMoves(q).empty();
    return true;
}

} // namespace

usi::Position HandicapPosition(int handicap)
{
    if (handicap <= kEvenGame || handicap > kMaxHandicap)
        return usi::StartPosition();
    usi::Position p;
    std::string err;
    usi::ParseSfen(kHandicapBoards[handicap], "w", "-", "1", p, err);
    return p;
}

int HandicapOf(const usi::Position &p)
{
    for (int h = kEvenGame; h <= kMaxHandicap; ++h)
        if (SamePlacement(p, HandicapPosition(h)))
            return h;
    return kOtherStart;
}

usi::Position GameRecord::PositionAfter(size_t n) const
{
    usi::Position p = start;
    for (size_t i = 0; i < n && i < moves.size(); ++i)
        p = usi::Apply(p, moves[i]);
    return p;
}

bool GameRecord::CheckMoves(std::string &err) const
{
    usi::Position p = start;
    for (size_t i = 0; i < moves.size(); ++i) {
        if (!IsLegalHere(p, moves[i])) {
            err = "move " + std::to_string(i + 1) + " (" + usi::MoveText(moves[i]) +
                  ") is not legal";
            return false;
        }
        p = usi::Apply(p, moves[i]);
    }
    return true;
}

// ---------------------------------------------------------------- frame

DocFrame FrameOf(const ShogiDoc &doc)
{
    const bool firstAtBottom = !doc.GetFirstUp();
    DocFrame sente{true, firstAtBottom};
    if (SamePlacement(StartIn(doc, sente), usi::StartPosition()))
        return sente;
    DocFrame gote{false, !firstAtBottom};
    const int h = HandicapOf(StartIn(doc, gote));
    if (h > kEvenGame)
        return gote;
    return firstAtBottom ? sente : gote;
}

int ToUsiSquare(const DocFrame &f, int x, int y)
{
    return f.bottomIsSente ? 16 * (y + 1) + (x + 1) : 16 * (9 - y) + (9 - x);
}

void FromUsiSquare(const DocFrame &f, int sq, int &x, int &y)
{
    const int row = sq >> 4, col = sq & 15;
    x = f.bottomIsSente ? col - 1 : 9 - col;
    y = f.bottomIsSente ? row - 1 : 9 - row;
}

int ToUsiCode(const DocFrame &f, int code)
{
    if (code == 0)
        return 0;
    const int kind = GetKomaSort(BYTE(code));
    const bool promoted = GetKomaProperty(BYTE(code)) == 2 && kind != kKing;
    return kind + (promoted ? kPromotedBit : 0) +
           (ColourOf(f, GetWhoseKoma(BYTE(code))) == usi::kGote ? kGoteBit : 0);
}

int FromUsiCode(const DocFrame &f, int code)
{
    if (code == 0)
        return 0;
    const int colour = code >= kGoteBit ? usi::kGote : usi::kSente;
    const int low = code & 15;
    const int kind = low == kKing ? kKing : low & 7;
    const BYTE owner = (colour == usi::kSente) == f.firstIsSente ? 1 : 2;
    return MakePhysicsKoma(BYTE(kind), owner, low > kKing ? 2 : 1);
}

usi::Move ToUsiMove(const DocFrame &f, const MoveRules::Move &m)
{
    usi::Move u;
    u.dst = ToUsiSquare(f, m.dx, m.dy);
    if (m.sx == kDocDrop) {
        u.src = usi::kDrop;
        u.drop = GetKomaSort(m.skoma);
    } else {
        u.src = ToUsiSquare(f, m.sx, m.sy);
        u.promote = m.koma != m.skoma;
    }
    return u;
}

bool FromUsiMove(const ShogiDoc &doc, const DocFrame &f, const usi::Move &u, MoveRules::Move &out)
{
    if (!usi::OnBoard(u.dst))
        return false;
    int dx = 0, dy = 0;
    FromUsiSquare(f, u.dst, dx, dy);
    const BYTE target = doc.GetBoardInfo(BYTE(dx), BYTE(dy));
    const BYTE mover = doc.GetCurPlayer();
    if (u.src == usi::kDrop) {
        const CPlayer *hand = doc.GetPlayer(mover);
        if (u.drop < 1 || u.drop > 7 || target != 0 || !hand || hand->GetDaiNum(BYTE(u.drop)) == 0)
            return false;
        const BYTE code = MakePhysicsKoma(BYTE(u.drop), mover, 1);
        out = {kDocDrop, kDocDrop, code, BYTE(dx), BYTE(dy), 0, code};
        return true;
    }
    if (!usi::OnBoard(u.src))
        return false;
    int sx = 0, sy = 0;
    FromUsiSquare(f, u.src, sx, sy);
    const BYTE piece = doc.GetBoardInfo(BYTE(sx), BYTE(sy));
    if (piece == 0 || GetWhoseKoma(piece) != mover || (target != 0 && GetWhoseKoma(target) == mover))
        return false;
    BYTE koma = piece;
    if (u.promote) {
        if (GetKomaProperty(piece) != 1 || GetKomaSort(piece) == 5 || GetKomaSort(piece) == kKing)
            return false;
        koma = MakePhysicsKoma(GetKomaSort(piece), GetWhoseKoma(piece), 2);
    }
    out = {BYTE(sx), BYTE(sy), piece, BYTE(dx), BYTE(dy), target, koma};
    return true;
}

// ---------------------------------------------------------------- document

GameRecord RecordOf(const ShogiDoc &doc)
{
    const DocFrame f = FrameOf(doc);
    GameRecord rec;
    rec.start = StartIn(doc, f);
    rec.handicap = HandicapOf(rec.start);
    const QVector<KIBO> &kibo = *doc.GetKibo();
    const int n = qBound(0, doc.GetKiboNum(), int(kibo.size()));
    for (int i = 0; i < n; ++i) {
        const KIBO &e = kibo[i];
        if (IsResignKibo(e)) {
            rec.ending = GameEnding::Resign;
            break;
        }
        rec.moves.push_back(ToUsiMove(f, {e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma}));
        rec.seconds.push_back(int(qMin<quint32>(e.time, 0x7fffffff)));
    }
    if (doc.GetEnding() != GameEnding::None)
        rec.ending = doc.GetEnding();
    return rec;
}

usi::Position PositionOnScreen(const ShogiDoc &doc, int movesShown)
{
    const DocFrame f = FrameOf(doc);
    usi::Position p = usi::EmptyPosition();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            p.Set(ToUsiSquare(f, x, y), ToUsiCode(f, doc.GetBoardInfo(BYTE(x), BYTE(y))));
    for (BYTE owner = 1; owner <= 2; ++owner)
        for (BYTE k = 1; k <= 7; ++k)
            p.hand[ColourOf(f, owner)][k] = doc.GetPlayer(owner)->GetDaiNum(k);
    const bool firstToMove = movesShown % 2 == 0;
    p.side = ColourOf(f, firstToMove ? 1 : 2);
    p.ply = qMax(0, movesShown) + 1;
    return p;
}

bool LoadIntoDoc(const GameRecord &rec, ShogiDoc &doc, std::string &err)
{
    if (!usi::ValidatePosition(rec.start, err)) {
        err = "start position: " + err;
        return false;
    }
    if (!rec.CheckMoves(err))
        return false;
    const bool resign = rec.ending == GameEnding::Resign;
    const size_t entries = rec.moves.size() + (resign ? 1 : 0);
    if (entries > size_t(ShogiDoc::KvnMaxKiboNum)) {
        err = "more than " + std::to_string(ShogiDoc::KvnMaxKiboNum) + " moves";
        return false;
    }
    const DocFrame f{rec.start.side == usi::kSente, true};

    // The game as a .kvn, so that the document's own reader checks and commits it.
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out << quint32(ShogiDoc::KvnMagic);
    out << quint8(doc.GetFirstPlayer()->GetProperty()) << quint8(doc.GetSecondPlayer()->GetProperty());
    out << quint8(doc.GetComputerLevel()) << quint8(qMax(rec.handicap, kEvenGame));
    out << quint8(doc.GetStandardKoma() ? 1 : 2) << quint8(f.firstIsSente ? 2 : 1);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            out << quint8(FromUsiCode(f, rec.start.At(ToUsiSquare(f, x, y))));
    const int firstColour = rec.start.side;
    for (int colour : {firstColour, 1 - firstColour})
        for (int k = 1; k <= 7; ++k)
            out << quint8(rec.start.hand[colour][k]);
    out << quint32(entries);
    usi::Position p = rec.start;
    for (size_t i = 0; i < rec.moves.size(); ++i) {
        const usi::Move &m = rec.moves[i];
        int dx = 0, dy = 0, sx = kDocDrop, sy = kDocDrop;
        FromUsiSquare(f, m.dst, dx, dy);
        const int gote = p.side == usi::kGote ? kGoteBit : 0;
        const int piece = m.src == usi::kDrop ? m.drop + gote : p.At(m.src);
        if (m.src != usi::kDrop)
            FromUsiSquare(f, m.src, sx, sy);
        const quint32 t = i < rec.seconds.size() ? quint32(qMax(0, rec.seconds[i])) : 0;
        out << quint8(sx) << quint8(sy) << quint8(FromUsiCode(f, piece)) << quint8(dx)
            << quint8(dy) << quint8(FromUsiCode(f, p.At(m.dst)))
            << quint8(FromUsiCode(f, piece + (m.promote ? kPromotedBit : 0))) << t;
        p = usi::Apply(p, m);
    }
    if (resign) {
        for (int b = 0; b < 7; ++b)
            out << quint8(kDocResign);
        out << quint32(0);
    }
    out << quint32(ShogiDoc::KvnMagic);
    if (!doc.openDocumentData(data)) {
        err = "the game cannot be held by the document (times too long?)";
        return false;
    }
    doc.SetEnding(rec.ending);
    return true;
}

} // namespace records
