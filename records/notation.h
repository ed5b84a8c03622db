// The Japanese move notation of records and the record window: destination
// (or 同 for the previous move's square), piece, the modifiers that tell
// apart pieces able to reach the same square (右 左 上 引 寄 直, 打 where a
// drop could be taken for a move), and 成 / 不成.
#ifndef KORVANE_NOTATION_H
#define KORVANE_NOTATION_H

#include "usi_position.h"

#include <QString>

namespace records {

// Piece name by usi code (owner ignored): 歩 .. 玉, と 成香 成桂 成銀 馬 龍.
QString PieceName(int code);
// Full-width file digit and kanji rank of a square ("７六").
QString SquareName(int sq);

enum class NotationStyle
{
    Ki2, // 同歩, modifiers, 打 only where needed
    Kif, // 同　歩, no modifiers (the source follows), 打 on every drop
    // For readers of Western notation: P-7f, Bx2b+, S*5e, G6i-5h (the source
    // only when another like piece could go there too), = for a declined
    // promotion. prevDst is not used.
    Western
};

// The text of m, legal in p; prevDst is the square of the move before
// (0: none). 成 and 不成 are written when the move may promote.
QString MoveName(const usi::Position &p, const usi::Move &m, int prevDst,
                 NotationStyle style = NotationStyle::Ki2);
// The modifiers alone ("右", "左上", "打", or empty).
QString Modifiers(const usi::Position &p, const usi::Move &m);

// Reads one move text of either style from the start of text: an optional
// ▲△☗☖ mark, square or 同, piece, modifiers, 成/不成/生, 打, and "(77)" for
// the source. used (when given) is how many characters were read. False
// with err saying why when the text names no legal move or several.
bool ParseMoveName(const usi::Position &p, const QString &text, int prevDst, usi::Move &out,
                   std::string &err, int *used = nullptr);

} // namespace records

#endif
