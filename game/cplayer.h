#ifndef KORVANE_CPLAYER_H
#define KORVANE_CPLAYER_H

#include "Gloval.h"

#include <QObject>

class ShogiDoc;

// One of the two players of the document: pieces in hand now and
// at the start of the record, human or computer, clock, first or second.
class CPlayer : public QObject
{
    Q_OBJECT

public:
    // The document is the parent and owner; order is 1 (first) or 2 (second).
    explicit CPlayer(ShogiDoc *pDoc, BYTE order = 1);
    ~CPlayer() override;

    // Current hand count of kind 1..7 (pawn .. rook); 0 for any other kind.
    BYTE GetDaiNum(BYTE kind) const;
    // One more / one less of kind 1..7 in hand; any other kind (0, the
    // resignation marker's kind) changes nothing. A count never goes below 0
    // or above 255.
    void AddKoma(BYTE kind);
    void DelKoma(BYTE kind);
    // Clears both sets of counts and the total time.
    void Init();

    // Additions for the file reader, the editor and the tests: direct access to
    // the counts by kind 1..7 (other kinds: 0 / ignored).
    void SetDaiNum(BYTE kind, BYTE n);
    BYTE GetDaiNumF(BYTE kind) const;
    void SetDaiNumF(BYTE kind, BYTE n);
    // Starting hand := current hand (play starts from an edited position).
    void SetDaiAsFirst();
    // Current hand := starting hand (a record is read).
    void SetDaiFromFirst();

    BYTE GetProperty() const { return m_byProperty; }
    void SetProperty(BYTE p) { m_byProperty = p; }
    BYTE GetOrderProperty() const { return m_byOrderProperty; }
    void SetOrderProperty(BYTE p) { m_byOrderProperty = p; }
    int GetTotalTime() const { return m_nTotalTime; }
    void SetTotalTime(int t) { m_nTotalTime = t; }

    // A computer player hands the position to the engine and starts the
    // worker thread of its think (gameflow.cpp); a human player does nothing.
    void Play();

    // Pieces in hand by kind (pawn, lance, knight, silver, gold, bishop, rook),
    // then the same counts at the start of the game.
    BYTE m_byBO = 0, m_byHYANG = 0, m_byGYOE = 0, m_byUN = 0, m_byGUM = 0, m_byGAK = 0, m_byBI = 0;
    BYTE m_byBOF = 0, m_byHYANGF = 0, m_byGYOEF = 0, m_byUNF = 0, m_byGUMF = 0, m_byGAKF = 0,
         m_byBIF = 0;
    BYTE m_byProperty = 1;
    int m_nTotalTime = 0;
    BYTE m_byOrderProperty = 1;
    ShogiDoc *doc = nullptr;

private:
    BYTE *Dai(BYTE kind);
    BYTE *DaiF(BYTE kind);
};

#endif
