#ifndef KORVANE_TESTS_DOCFIXTURE_H
#define KORVANE_TESTS_DOCFIXTURE_H

// Shared helpers of the document tests: positions from SFEN, a recording main
// window, a snapshot of everything the document holds, a record-file encoder
// written independently of the document's, and a random legal game player.

#include "Gloval.h"
#include "cplayer.h"
#include "dochost.h"
#include "language.h"
#include "sfentext.h"
#include "shogidoc.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <random>
#include <string>
#include <vector>

// Sets the board, hands and side to move from an SFEN ("board side hands
// [ply]"), sente being the first player, drawn at the bottom unless firstUp;
// the record starts empty from that position. Returns why the SFEN was
// refused, empty when the position was set.
std::string SetSfen(ShogiDoc &doc, const std::string &sfen, bool firstUp = false);

// The position on the board as the protocol's rules see it, sente being the
// first player; UsiSquare is the protocol's square of (x, y).
usi::Position UsiPositionOf(const ShogiDoc &doc);
int UsiSquare(const ShogiDoc &doc, int x, int y);

// Records every call as one line of text; answers questions as told.
class FakeHost : public CDocHost
{
public:
    explicit FakeHost(ShogiDoc *d = nullptr) : doc(d) {}

    void SetDocModified(bool m) override { log << QString("SetDocModified(%1)").arg(m); }
    void AddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                 unsigned int time) override
    {
        log << Entry("AddKibo", sx, sy, skoma, dx, dy, dkoma, koma, time);
    }
    void OpenAddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                     unsigned int time) override
    {
        log << Entry("OpenAddKibo", sx, sy, skoma, dx, dy, dkoma, koma, time);
    }
    void slotGameBreak() override { log << "slotGameBreak"; }
    void ResetKiboWindow() override { log << "ResetKiboWindow"; }
    void ResetView() override { log << "ResetView"; }
    void enableCommand(int id) override { log << QString("enable(%1)").arg(id); }
    void disableCommand(int id) override { log << QString("disable(%1)").arg(id); }
    void slotFileSaveAs() override
    {
        log << "slotFileSaveAs";
        if (saveAs)
            saveAs();
    }
    Answer AskYesNoCancel(const char *eucText) override
    {
        log << QString("Ask(%1)").arg(JStr(eucText));
        return answer;
    }
    qint64 GameTimeElapsed() override { return elapsedMs; }
    void RestartGameTime() override { log << "RestartGameTime"; }

    QString Entry(const char *what, int sx, int sy, int skoma, int dx, int dy, int dkoma, int koma,
                  unsigned time) const
    {
        // With the side to move the document reports while telling.
        return QString::asprintf("%s(%d,%d,%d,%d,%d,%d,%d,%u) cur=%d", what, sx, sy, skoma, dx, dy,
                                 dkoma, koma, time, doc ? doc->GetCurPlayer() : 0);
    }

    ShogiDoc *doc;
    QStringList log;
    qint64 elapsedMs = 0;
    Answer answer = Cancel;
    std::function<void()> saveAs;
};

// A document at the start of a handicap (the first player at the top when
// firstUp), telling a FakeHost of its own.
struct HostedDoc
{
    explicit HostedDoc(BYTE teai = 0, bool firstUp = false);
    // Random legal moves from a seed, as PlayRandomGame plays them.
    int PlayRandom(unsigned seed, int maxMoves, bool resign);
    FakeHost host{&doc};
    ShogiDoc doc;
};

// Everything the document holds that a reader or a step could change.
struct DocState
{
    BYTE board[9][9], init[9][9];
    BYTE hand[2][8], handF[2][8]; // by kind 1..7
    int time[2];
    BYTE prop[2], cur, teai, level;
    bool firstUp, standard, modified, ote;
    int kiboNum, testPos;
    QVector<KIBO> kibo;
    QString title, path;

    bool operator==(const DocState &o) const;
    bool operator!=(const DocState &o) const { return !(*this == o); }
    // Board, hands and clocks only.
    bool SamePosition(const DocState &o) const;
};

DocState Capture(const ShogiDoc &doc);

// The record file built byte by byte, independently of
// ShogiDoc::saveDocumentData.
struct KvnLayout
{
    BYTE first = 1, second = 2, level = 0, teai = 0, faces = 1, orient = 2;
    BYTE board[9][9] = {};
    BYTE hand[2][7] = {};
    std::vector<KIBO> entries;
    quint32 magic1 = 20006432, magic2 = 20006432;
    qint64 countOverride = -1; // stored entry count when >= 0
};
QByteArray EncodeKvn(const KvnLayout &s);
// The record file of a position given as "board side hands" (the side is
// the first entry's to decide), the first player at the bottom (orient 2) or
// top (orient 1).
KvnLayout Layout(const std::string &sfen, bool firstUp = false);
// The even game (or handicap) start position.
KvnLayout StartLayout(BYTE teai = 0, bool firstUp = false);
KIBO Kibo(int sx, int sy, int skoma, int dx, int dy, int dkoma, int koma, quint32 time = 0);
KIBO ResignKibo(quint32 time = 0);
// Six entries on the even game, times in seconds: two pawn moves, a bishop
// exchange with a promotion, a drop and a resignation.
std::vector<KIBO> SixEntries();
KvnLayout SixEntriesLayout(); // the even game with them

// Plays up to maxMoves random legal moves through ShogiDoc::AddKibo (with
// random thinking times through the host), preferring captures, promotions
// and drops; then a resignation when resign. Returns the moves played.
// Only makes inputs: the checks are DocIsPossible's.
int PlayRandomGame(ShogiDoc &doc, FakeHost &host, std::mt19937 &rng, int maxMoves, bool resign);

// The independent judge of the robustness tests: whether the document holds
// a possible game (see the definition in docfixture.cpp).
bool DocIsPossible(ShogiDoc &doc, std::string *why = nullptr);

// Random games of every handicap and orientation, saved; the reader's seeds.
std::vector<QByteArray> SampleRecords();
// Opens bytes (through a file at path when given) into a document holding
// preload; returns how the reader broke its contract, empty when it kept it:
// a refusal changes and tells nothing, an accepted file is a possible game
// that saves back the same bytes.
std::string ReadContract(const QByteArray &preload, const QByteArray &bytes,
                         bool *accepted = nullptr, const QString &path = {});

#endif
