#include "refusals.h"

#include "language.h"

const char *DropRefusal(MoveRules::DropCheck check)
{
    switch (check) {
    case MoveRules::DropOccupied:
        return JC_RefuseOccupied;
    case MoveRules::DropDeadSquare:
        return JC_RefuseDeadSquare;
    case MoveRules::DropTwoPawns:
        return JC_RefuseTwoPawns;
    case MoveRules::DropPawnMate:
        return JC_RefusePawnDropMate;
    case MoveRules::DropKingAttacked:
        return JC_RefuseKingLeftInCheck;
    case MoveRules::DropOk:
        break;
    }
    return nullptr;
}
