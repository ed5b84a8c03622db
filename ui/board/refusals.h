#ifndef KORVANE_REFUSALS_H
#define KORVANE_REFUSALS_H

#include "moverules.h"

// What the player is told when the rules refuse a drop, the same whether the
// piece was placed with the mouse or the move typed; nullptr for DropOk.
const char *DropRefusal(MoveRules::DropCheck check);

#endif
