#ifndef KORVANE_TYPEDMOVE_H
#define KORVANE_TYPEDMOVE_H

#include "moverules.h"

#include <QString>

class ShogiDoc;

// A move typed in Western or USI notation, checked on the document's position
// for the side to move by the rules a mouse move is held to.
struct TypedMoveAnswer
{
    const char *refusal = nullptr; // a JC_ text saying why; nullptr: move is playable
    MoveRules::Move move{};
};
TypedMoveAnswer ResolveTypedMove(ShogiDoc &doc, const QString &text);

#endif
