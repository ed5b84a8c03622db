#include "typedmove.h"

#include "cplayer.h"
#include "gamerecord.h"
#include "language.h"
#include "refusals.h"
#include "shogidoc.h"

#include <QRegularExpression>

#include <vector>

namespace {
constexpr BYTE DropPos = 10;
constexpr BYTE Gold = 5, King = 8;
// Piece letters by kind 1..8.
constexpr char Letters[] = " PLNSGBRK";

// A move typed in Western or USI notation, before it is checked against a
// position. Files and ranks are standard ones, 1..9.
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
bool ParseTypedMove(const QString &text, TypedMove &m)
{
    static const QRegularExpression usiMove(QStringLiteral("^([1-9])([a-i])([1-9])([a-i])(\\+?)$"));
    // [+]piece [from] (- x *) to [+ =]; ranks as letters or digits.
    static const QRegularExpression western(
        QStringLiteral("^(\\+?)([PLNSGBRK])(?:([1-9])([a-i1-9]))?([-x*])([1-9])([a-i1-9])([+=]?)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString t = text.simplified().remove(QLatin1Char(' '));
    const auto rankOf = [](const QString &s) {
        const QChar c = s.at(0).toLower();
        return c.isDigit() ? c.digitValue() : c.unicode() - 'a' + 1;
    };
    m = TypedMove();
    QRegularExpressionMatch r = usiMove.match(t);
    if (r.hasMatch()) {
        m.usi = true;
        m.hasFrom = true;
        m.fromFile = r.captured(1).toInt();
        m.fromRank = rankOf(r.captured(2));
        m.toFile = r.captured(3).toInt();
        m.toRank = rankOf(r.captured(4));
        m.promotion = r.captured(5).isEmpty() ? TypedMove::Decline : TypedMove::Promote;
        return true;
    }
    r = western.match(t);
    if (!r.hasMatch())
        return false;
    m.promoted = !r.captured(1).isEmpty();
    m.kind = BYTE(QByteArray(Letters).indexOf(char(r.captured(2).at(0).toUpper().toLatin1())));
    m.drop = r.captured(5) == QLatin1String("*");
    m.hasFrom = !r.captured(3).isEmpty();
    if (m.hasFrom) {
        m.fromFile = r.captured(3).toInt();
        m.fromRank = rankOf(r.captured(4));
    }
    m.toFile = r.captured(6).toInt();
    m.toRank = rankOf(r.captured(7));
    const QString promotion = r.captured(8);
    m.promotion = promotion.isEmpty()               ? TypedMove::Unstated
                  : promotion == QLatin1String("+") ? TypedMove::Promote
                                                    : TypedMove::Decline;
    // A drop names no square left and never promotes; a king never promotes.
    if (m.drop && (m.hasFrom || m.promoted || m.kind == King || m.promotion != TypedMove::Unstated))
        return false;
    if (m.promoted && (m.kind == Gold || m.kind == King))
        return false;
    return true;
}

// The document square of a square in standard coordinates (files 1..9,
// ranks 1..9 = a..i), as the record window and engine lines name it.
void DocumentSquare(const records::DocFrame &frame, int file, int rank, int &x, int &y)
{
    records::FromUsiSquare(frame, usi::Square(file, rank), x, y);
}

TypedMoveAnswer Refuse(const char *why)
{
    TypedMoveAnswer a;
    a.refusal = why;
    return a;
}

TypedMoveAnswer ResolveDrop(ShogiDoc &doc, BYTE owner, const TypedMove &t, int x, int y)
{
    const CPlayer *player = doc.GetPlayer(owner);
    if (!player || t.kind < 1 || t.kind > 7 || player->GetDaiNum(t.kind) == 0)
        return Refuse(JC_MoveNotInHand);
    const BYTE code = MakePhysicsKoma(t.kind, owner, 1);
    if (const char *why = DropRefusal(MoveRules::CheckDrop(doc, BYTE(x), BYTE(y), code)))
        return Refuse(why);
    TypedMoveAnswer a;
    a.move = {DropPos, DropPos, code, BYTE(x), BYTE(y), 0, code};
    return a;
}

// Whether the piece code on the board fits what was typed.
bool Fits(const TypedMove &t, BYTE code)
{
    if (t.kind == 0)
        return true;
    return GetKomaSort(code) == t.kind && (GetKomaProperty(code) == 2) == t.promoted;
}
} // namespace

TypedMoveAnswer ResolveTypedMove(ShogiDoc &doc, const QString &text)
{
    TypedMove t;
    if (!ParseTypedMove(text, t))
        return Refuse(JC_MoveUnreadable);
    const BYTE owner = doc.GetCurPlayer();
    const records::DocFrame frame = records::FrameOf(doc);
    int dx, dy;
    DocumentSquare(frame, t.toFile, t.toRank, dx, dy);
    if (t.drop)
        return ResolveDrop(doc, owner, t, dx, dy);

    // Pieces of the side to move that can go there by their way of moving;
    // then those that do not leave their king attacked.
    std::vector<MoveRules::Move> reaching, safe;
    BYTE way[30];
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc.GetBoardInfo(x, y);
            if (v == 0 || GetWhoseKoma(v) != owner || !Fits(t, v))
                continue;
            if (t.hasFrom) {
                int fx, fy;
                DocumentSquare(frame, t.fromFile, t.fromRank, fx, fy);
                if (fx != x || fy != y)
                    continue;
            }
            BYTE num = 0;
            doc.GetWay(x, y, v, num, way);
            for (BYTE i = 0; i < num; ++i)
                if (way[i] == MakePhysicsPos(BYTE(dx), BYTE(dy)))
                    reaching.push_back(
                        {x, y, v, BYTE(dx), BYTE(dy), doc.GetBoardInfo(BYTE(dx), BYTE(dy)), v});
        }
    if (reaching.empty())
        return Refuse(JC_MoveNoPiece);
    for (const MoveRules::Move &m : reaching)
        if (MoveRules::LeavesKingSafe(doc, m.sx, m.sy, m.dx, m.dy))
            safe.push_back(m);
    if (safe.empty())
        return Refuse(JC_RefuseKingLeftInCheck);
    if (safe.size() > 1)
        return Refuse(JC_MoveAmbiguous);

    TypedMoveAnswer a;
    a.move = safe.front();
    bool promote = false;
    switch (MoveRules::PromotionFor(doc, a.move.skoma, a.move.sy, a.move.dy)) {
    case MoveRules::NoPromotion:
        if (t.promotion == TypedMove::Promote)
            return Refuse(JC_MoveCannotPromote);
        break;
    case MoveRules::MustPromote:
        // An unmarked USI move here is the unpromoted one, which cannot be.
        if (t.promotion == TypedMove::Decline)
            return Refuse(JC_MoveMustPromote);
        promote = true;
        break;
    case MoveRules::MayPromote:
        if (t.promotion == TypedMove::Unstated)
            return Refuse(JC_MoveChoosePromotion);
        promote = t.promotion == TypedMove::Promote;
        break;
    }
    if (promote)
        a.move.koma = MakePhysicsKoma(GetKomaSort(a.move.skoma), owner, 2);
    return a;
}
