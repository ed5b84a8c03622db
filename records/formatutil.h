// Shared by the format readers and writers; not part of the library's face.
#ifndef KORVANE_FORMATUTIL_H
#define KORVANE_FORMATUTIL_H

#include "recordformat.h"

#include <QString>
#include <QStringList>

namespace records {
namespace detail {

// Stops a reader: the line (1-based, 0 for none) and the reason.
inline bool Fail(ReadReport &r, int line, const std::string &reason)
{
    r.line = line;
    r.reason = reason;
    return false;
}

// Lines of text without their ends (CRLF, LF or CR).
QStringList SplitLines(const QString &text);
// Appends a move legal in the position reached; false (with report) when it
// is not or the game would grow past what the document holds.
bool AddMove(GameRecord &rec, usi::Position &pos, const usi::Move &m, int line,
             ReadReport &report);

// Kanji numeral 1..18 as records write hand counts (一 .. 十八), and back
// (0 when text does not start with one; used = characters read).
QString KanjiCount(int n);
int ReadKanjiCount(const QString &text, int &used);

// Japanese endings of KIF move lines and their game endings.
GameEnding KifEndingOf(const QString &word);
QString KifEndingWord(GameEnding e);
// Names of the start: the handicaps Korvane plays and those it opens as
// edited positions; empty / false when unknown.
QString HandicapName(int handicap);
bool PositionOfHandicapName(const QString &name, usi::Position &out);

bool ReadKif(const QString &text, bool ki2, GameRecord &rec, ReadReport &report);
QString WriteKif(const GameRecord &rec, bool ki2, unsigned &dropped);
bool ReadCsa(const QString &text, GameRecord &rec, ReadReport &report);
QString WriteCsa(const GameRecord &rec, unsigned &dropped);

} // namespace detail
} // namespace records

#endif
