// Reading and writing games in the record formats shogi players exchange:
// KIF, KI2, CSA, SFEN and USI position lines, and Korvane's own .kvn.
#ifndef KORVANE_RECORDFORMAT_H
#define KORVANE_RECORDFORMAT_H

#include "gamerecord.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace records {

enum class Format
{
    Unknown,
    Kvn,
    Kif,  // CP932 (read: UTF-8 too, by BOM or content)
    Kifu, // KIF in UTF-8
    Ki2,
    Ki2u,
    Csa,
    Sfen, // one position
    Usi   // position sfen ... moves ...
};

// Files longer than this are refused unread: the longest game the document
// holds, with comments, stays far below it.
constexpr qint64 kMaxRecordBytes = 4 * 1024 * 1024;

// What a reader met and the game cannot keep, or a writer had to leave out
// (bits of ReadReport::dropped and of WriteRecord's dropped).
constexpr unsigned kDroppedNothing = 0;
constexpr unsigned kDroppedComments = 1;
constexpr unsigned kDroppedVariations = 2;
constexpr unsigned kDroppedHeaders = 4; // header lines other than names, start and handicap
constexpr unsigned kDroppedNames = 8;
constexpr unsigned kDroppedTimes = 16;
constexpr unsigned kDroppedEnding = 32; // an ending the format cannot say
constexpr unsigned kDroppedMoves = 64;  // a position file holds the last position only

struct ReadReport
{
    int line = 0;       // 1-based line of the fault; 0 when none or not a line
    std::string reason; // empty on success
    unsigned dropped = kDroppedNothing;
    // "line 12: reason" (or the reason alone).
    std::string Message() const;
};

Format FormatOfExtension(const QString &path);     // Unknown when not one of ours
QString ExtensionOf(Format f);                     // without the dot
Format DetectFormat(const QByteArray &bytes);      // by content; never Kifu/Ki2u
bool IsUtf8Format(Format f);

// Decodes and parses bytes of format f (Unknown: detected by content).
bool ReadRecord(const QByteArray &bytes, Format f, GameRecord &rec, ReadReport &report);
// The bytes of rec in format f; dropped (when given) says what f cannot hold.
QByteArray WriteRecord(const GameRecord &rec, Format f, unsigned *dropped = nullptr);

// Files: the format by extension, then by content. Reading caps the size;
// writing goes beside the file and renames, so a failure leaves nothing.
bool ReadRecordFile(const QString &path, GameRecord &rec, ReadReport &report);
bool WriteRecordFile(const QString &path, const GameRecord &rec, std::string &err,
                     unsigned *dropped = nullptr);

} // namespace records

#endif
