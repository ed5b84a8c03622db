#include "moverules.h"

#include "cplayer.h"
#include "shogidoc.h"

namespace MoveRules {

namespace {
constexpr BYTE King = 8;
constexpr BYTE Pawn = 1;
constexpr BYTE Lance = 2;
constexpr BYTE Knight = 3;
constexpr BYTE DropPos = 10;

bool OnBoard(int v)
{
    return v >= 0 && v <= 8;
}

// Row distance from owner's far edge: 0 on the last row, 1 on the one before.
int RowsToGo(const ShogiDoc &doc, BYTE owner, BYTE row)
{
    return IsBottom(doc, owner) ? row : 8 - row;
}

bool IsDeadSquare(const ShogiDoc &doc, BYTE code, BYTE row)
{
    const BYTE kind = GetKomaSort(code);
    const int togo = RowsToGo(doc, GetWhoseKoma(code), row);
    return ((kind == Pawn || kind == Lance) && togo == 0) || (kind == Knight && togo <= 1);
}

bool FindKing(const ShogiDoc &doc, BYTE owner, BYTE &kx, BYTE &ky)
{
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc.GetBoardInfo(x, y);
            if (v != 0 && GetKomaSort(v) == King && GetWhoseKoma(v) == owner) {
                kx = x;
                ky = y;
                return true;
            }
        }
    return false;
}
// Calls f(x, y, code, dx, dy) for every destination of every board piece of owner.
template <typename F> void ForEachPieceMove(ShogiDoc &doc, BYTE owner, F f)
{
    BYTE way[30];
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc.GetBoardInfo(x, y);
            if (v == 0 || GetWhoseKoma(v) != owner)
                continue;
            BYTE num = 0;
            doc.GetWay(x, y, v, num, way);
            for (BYTE i = 0; i < num; ++i)
                f(x, y, v, BYTE(way[i] / 10), BYTE(way[i] % 10));
        }
}

// A pawn's check cannot be blocked, so only board moves can answer it: the
// defender is mated when its king is attacked and no board move saves it.
bool IsMatedByPawn(ShogiDoc &doc, BYTE defender)
{
    if (!IsKingAttacked(doc, defender))
        return false;
    BYTE way[30];
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc.GetBoardInfo(x, y);
            if (v == 0 || GetWhoseKoma(v) != defender)
                continue;
            BYTE num = 0;
            doc.GetWay(x, y, v, num, way);
            for (BYTE i = 0; i < num; ++i)
                if (LeavesKingSafe(doc, x, y, BYTE(way[i] / 10), BYTE(way[i] % 10)))
                    return false;
        }
    return true;
}
} // namespace

bool IsBottom(const ShogiDoc &doc, BYTE owner)
{
    return !doc.IsAddXY(owner);
}

void MarkAttacks(ShogiDoc &doc, BYTE owner, bool attacked[9][9])
{
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            attacked[x][y] = false;
    ForEachPieceMove(doc, owner,
                     [attacked](BYTE, BYTE, BYTE, BYTE dx, BYTE dy) { attacked[dx][dy] = true; });
}

bool IsKingAttacked(ShogiDoc &doc, BYTE owner)
{
    BYTE kx = 0, ky = 0;
    if (!FindKing(doc, owner, kx, ky))
        return false;
    bool attacked[9][9];
    MarkAttacks(doc, BYTE(3 - owner), attacked);
    return attacked[kx][ky];
}

bool LeavesKingSafe(ShogiDoc &doc, BYTE sx, BYTE sy, BYTE dx, BYTE dy)
{
    const BYTE piece = doc.GetBoardInfo(sx, sy);
    const BYTE target = doc.GetBoardInfo(dx, dy);
    doc.SetBoardInfo(dx, dy, piece);
    doc.DelBoardInfo(sx, sy);
    const bool safe = !IsKingAttacked(doc, GetWhoseKoma(piece));
    doc.SetBoardInfo(sx, sy, piece);
    doc.SetBoardInfo(dx, dy, target);
    return safe;
}

DropCheck CheckDrop(ShogiDoc &doc, BYTE c, BYTE r, BYTE code)
{
    if (!OnBoard(c) || !OnBoard(r) || doc.GetBoardInfo(c, r) != 0)
        return DropOccupied;
    if (IsDeadSquare(doc, code, r))
        return DropDeadSquare;
    const BYTE owner = GetWhoseKoma(code);
    if (GetKomaSort(code) == Pawn) {
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE v = doc.GetBoardInfo(c, y);
            // A promoted pawn no longer counts.
            if (v != 0 && GetKomaSort(v) == Pawn && GetKomaProperty(v) == 1 &&
                GetWhoseKoma(v) == owner)
                return DropTwoPawns;
        }
    }
    doc.SetBoardInfo(c, r, code);
    DropCheck result = IsKingAttacked(doc, owner) ? DropKingAttacked : DropOk;
    if (result == DropOk && GetKomaSort(code) == Pawn && IsMatedByPawn(doc, BYTE(3 - owner)))
        result = DropPawnMate;
    doc.DelBoardInfo(c, r);
    return result;
}

int LegalDestinations(ShogiDoc &doc, BYTE sx, BYTE sy, BYTE *way)
{
    const BYTE piece = doc.GetBoardInfo(sx, sy);
    if (piece == 0)
        return 0;
    BYTE reach[30];
    BYTE num = 0;
    doc.GetWay(sx, sy, piece, num, reach);
    int n = 0;
    for (BYTE i = 0; i < num; ++i)
        if (LeavesKingSafe(doc, sx, sy, BYTE(reach[i] / 10), BYTE(reach[i] % 10)))
            way[n++] = reach[i];
    return n;
}

int LegalDrops(ShogiDoc &doc, BYTE code, BYTE *way)
{
    int n = 0;
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            if (CheckDrop(doc, x, y, code) == DropOk)
                way[n++] = MakePhysicsPos(x, y);
    return n;
}

Promotion PromotionFor(const ShogiDoc &doc, BYTE code, BYTE fromRow, BYTE toRow)
{
    const BYTE kind = GetKomaSort(code);
    if (GetKomaProperty(code) != 1 || kind == 5 || kind == King || kind == 0 || kind > King)
        return NoPromotion;
    const BYTE owner = GetWhoseKoma(code);
    if (RowsToGo(doc, owner, toRow) > 2 && RowsToGo(doc, owner, fromRow) > 2)
        return NoPromotion;
    return IsDeadSquare(doc, code, toRow) ? MustPromote : MayPromote;
}

void GenerateMoves(ShogiDoc &doc, BYTE owner, std::vector<Move> &moves)
{
    ForEachPieceMove(doc, owner, [&](BYTE x, BYTE y, BYTE v, BYTE dx, BYTE dy) {
        if (!LeavesKingSafe(doc, x, y, dx, dy))
            return;
        const BYTE captured = doc.GetBoardInfo(dx, dy);
        const BYTE promoted = MakePhysicsKoma(GetKomaSort(v), owner, 2);
        const Promotion p = PromotionFor(doc, v, y, dy);
        if (p != MustPromote)
            moves.push_back({x, y, v, dx, dy, captured, v});
        if (p != NoPromotion)
            moves.push_back({x, y, v, dx, dy, captured, promoted});
    });
    const CPlayer *player = doc.GetPlayer(owner);
    for (BYTE kind = 1; kind <= 7; ++kind) {
        if (!player || player->GetDaiNum(kind) == 0)
            continue;
        const BYTE code = MakePhysicsKoma(kind, owner, 1);
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y)
                if (CheckDrop(doc, x, y, code) == DropOk)
                    moves.push_back({DropPos, DropPos, code, x, y, 0, code});
    }
}

bool HasLegalMove(ShogiDoc &doc, BYTE owner)
{
    std::vector<Move> moves;
    GenerateMoves(doc, owner, moves);
    return !moves.empty();
}

} // namespace MoveRules
