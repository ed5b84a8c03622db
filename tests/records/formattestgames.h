// Games that cover what the record formats must carry.
#ifndef KORVANE_TESTS_FORMATTESTGAMES_H
#define KORVANE_TESTS_FORMATTESTGAMES_H

#include "gamerecord.h"

#include <string>
#include <vector>

// Random games of every handicap (times, a resignation), edited starts with
// hands for both sides and either side to move, the zone-leaving and the
// declined promotion, 同 moves, two golds for one square, every ending.
std::vector<records::GameRecord> TestGames();
// "position startpos moves ..." of the start and moves.
std::string UsiLine(const records::GameRecord &rec);

#endif
