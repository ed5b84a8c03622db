#ifndef KORVANE_GAMEENDING_H
#define KORVANE_GAMEENDING_H

// How a game ended. Only a resignation has a .kvn entry; the others live for
// the session and go to the record formats that can carry them.
enum class GameEnding
{
    None,           // still playable, or stopped without a result
    Resign,         // the side to move resigned (投了)
    Interrupt,      // stopped by the players (中断)
    Mate,           // the side to move has no legal move (詰み)
    Repetition,     // fourth occurrence of a position: a draw (千日手)
    PerpetualCheck, // repetition with every move of the cycle a check: the checker loses
    Impasse,        // an entering-king declaration that holds: the declarer wins (入玉宣言)
    TimeUp,         // the side to move ran out of time (切れ負け)
    IllegalMove,    // the side to move played or sent an illegal move (反則負け)
    MaxPlies        // the move limit was reached: a draw (持将棋)
};

#endif
