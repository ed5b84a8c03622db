#include "typedmove.h"

#include "cplayer.h"
#include "language.h"
#include "refusals.h"
#include "shogidoc.h"
#include "westernnotation.h"

#include <vector>

namespace {
constexpr BYTE DropPos = 10;

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
    const bool firstUp = doc.GetFirstUp();
    int dx, dy;
    DocumentSquare(firstUp, t.toFile, t.toRank, dx, dy);
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
                DocumentSquare(firstUp, t.fromFile, t.fromRank, fx, fy);
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
