#ifndef KORVANE_SHOGIDOC_H
#define KORVANE_SHOGIDOC_H

#include "Gloval.h"
#include "gameending.h"
#include "gameflow.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class CDocHost;
class CPlayer;

// One game-record entry. A drop has (sx, sy) = (10, 10); a
// resignation has all seven byte fields 50.
struct KIBO
{
    BYTE sx = 0, sy = 0;
    BYTE skoma = 0;
    BYTE dx = 0, dy = 0;
    BYTE dkoma = 0;
    BYTE koma = 0;
    quint32 time = 0;
};

bool operator==(const KIBO &a, const KIBO &b);
inline bool operator!=(const KIBO &a, const KIBO &b)
{
    return !(a == b);
}
// All seven byte fields are 50.
bool IsResignKibo(const KIBO &e);

// The game document: position, move rules, game record and
// record file. It never touches widgets; the main window is reached through
// CDocHost (dochost.h).
class ShogiDoc : public QObject
{
    Q_OBJECT

public:
    // Record file constants.
    static constexpr quint32 KvnMagic = 20006432;
    static constexpr int KvnHeaderSize = 113; // file size with no entries
    static constexpr int KvnEntrySize = 11;
    // The reader refuses records longer than this (bounded time and memory;
    // real games are a few hundred moves).
    static constexpr int KvnMaxKiboNum = 10000;
    // The reader refuses a record in which a player's total time would exceed
    // this many seconds (about 34 years), so no clock sum can overflow.
    static constexpr int KvnMaxTotalTime = 0x3fffffff;

    explicit ShogiDoc(QObject *parent = nullptr);
    ~ShogiDoc() override;

    // The main window; nullptr (the default) means no calls are made.
    void SetHost(CDocHost *host) { m_pHost = host; }
    CDocHost *GetHost() const { return m_pHost; }

    // ---- board model ----
    void InitBoardInfo();
    void Init();
    void UpsetBoard();
    bool IsAddXY(BYTE owner) const;
    static BYTE UpsetX(BYTE x) { return 8 - x; }
    static BYTE UpsetY(BYTE y) { return 8 - y; }
    void SetBoardInfo(BYTE x, BYTE y, BYTE v);
    void DelBoardInfo(BYTE x, BYTE y);
    void SetInitBoardInfo();
    // Reading a square (0 for coordinates off the board).
    BYTE GetBoardInfo(BYTE x, BYTE y) const;
    BYTE GetInitBoardInfo(BYTE x, BYTE y) const;

    BYTE GetTeai() const { return m_byTeai; }
    void SetTeai(BYTE v) { m_byTeai = v; }
    BYTE GetComputerLevel() const { return m_byComputerLevel; }
    void SetComputerLevel(BYTE v) { m_byComputerLevel = v; }
    bool GetStandardKoma() const { return m_bStandardKoma; }
    void SetStandardKoma(bool v) { m_bStandardKoma = v; }
    bool GetOSBeforeSu() const { return m_bOSBeforeSu; }
    void SetOSBeforeSu(bool v) { m_bOSBeforeSu = v; }
    bool GetOSInfoWangSu() const { return m_bOSInfoWangSu; }
    void SetOSInfoWangSu(bool v) { m_bOSInfoWangSu = v; }
    bool GetOSDan() const { return m_bOSDan; }
    void SetOSDan(bool v) { m_bOSDan = v; }
    bool GetOSSound() const { return m_bOSSound; }
    void SetOSSound(bool v) { m_bOSSound = v; }
    BYTE GetKiboSpeed() const { return m_byKiboSpeed; }
    void SetKiboSpeed(BYTE v) { m_byKiboSpeed = v; }
    BYTE GetKiboProperty() const { return m_byKiboProperty; }
    void SetKiboProperty(BYTE v) { m_byKiboProperty = v; }
    bool GetViewMoveablePos() const { return m_bViewMoveablePos; }
    void SetViewMoveablePos(bool v) { m_bViewMoveablePos = v; }
    bool GetFirstUp() const { return m_bFirstUp; }
    void SetFirstUp(bool v) { m_bFirstUp = v; }
    BYTE GetCurPlayer() const { return m_byCurPlayer; }
    void SetCurPlayer(BYTE v) { m_byCurPlayer = v; }
    bool IsMustWait() const { return m_bMustWait; }
    void SetMustWait(bool v) { m_bMustWait = v; }
    bool GetOte() const { return m_bOte; }
    void SetOte(bool v) { m_bOte = v; }
    int GetKiboNum() const { return m_nKiboNum; }
    void SetKiboNum(int n) { m_nKiboNum = n; }
    int GetKiboTestPos() const { return m_nKiboTestPos; }
    void SetKiboTestPos(int n) { m_nKiboTestPos = n; }
    bool IsComputerMoveing() const { return m_bComputerMoveing; }
    void SetComputerMoveing(bool v) { m_bComputerMoveing = v; }
    CPlayer *GetFirstPlayer() const { return m_pFirstPlayer; }
    CPlayer *GetSecondPlayer() const { return m_pSecondPlayer; }
    // The player of order 1 or 2; nullptr for any other value.
    CPlayer *GetPlayer(BYTE order) const;
    // Who moves first from the record's start (an edited position may give
    // the second player the first move); 1 again with the record cleared.
    BYTE StartingPlayer() const { return m_byStartPlayer; }
    void SetStartingPlayer(BYTE v) { m_byStartPlayer = v; }
    // How the game on screen ended; cleared with the record.
    GameEnding GetEnding() const { return m_ending; }
    void SetEnding(GameEnding e) { m_ending = e; }
    QVector<KIBO> *GetKibo() { return &m_arrayKibo; }
    const QVector<KIBO> *GetKibo() const { return &m_arrayKibo; }

    // Forwarded to the main window's command switch.
    void enableCommand(int id);
    void disableCommand(int id);

    // ---- move rules ----
    // way must have room for at least 20 entries.
    bool GetWay(BYTE x, BYTE y, BYTE k, BYTE &num, BYTE *way);
    bool EnableMove(BYTE x, BYTE y, BYTE sx, BYTE sy) const;
    bool GetBOWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetHYANGWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetGYOEWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetUNWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetGUMWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetGAKWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetBIWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetWANGWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetBGAKWay(BYTE x, BYTE y, BYTE &num, BYTE *way);
    bool GetBBIWay(BYTE x, BYTE y, BYTE &num, BYTE *way);

    // ---- game record ----
    void AddKibo(BYTE sx, BYTE sy, BYTE k, BYTE dx, BYTE dy, BYTE kk, BYTE koma);
    void RetractKibo(int pos);
    void KiboBackOne();
    void KiboForwardOne();

    // ---- record file ----
    void newDocument();
    // Writes beside the file and renames (QSaveFile): false when the file
    // cannot be written; an earlier file is then left as it was.
    bool saveDocument(const QString &filename, const char *format = nullptr);
    // True only for a well-formed, playable record; otherwise false with the
    // document unchanged and no call to the main window.
    bool openDocument(const QString &filename, const char *format = nullptr);
    bool saveModified();
    void setModified(bool m = true);
    bool isModified() const { return modified; }
    void setTitle(const QString &t) { title = t; }
    const QString &getTitle() const { return title; }
    void setAbsFilePath(const QString &p) { absFilePath = p; }
    const QString &getAbsFilePath() const { return absFilePath; }

    // The bytes saveDocument writes, and the reader of openDocument working on
    // bytes (title and path are left alone). For tests and the fuzzer.
    QByteArray saveDocumentData() const;
    bool openDocumentData(const QByteArray &data);

    // ---- game flow (gameflow.cpp) ----
    // Refreshes the status-bar message for the side now to move.
    void Play();
    // Decodes a packed engine move and hands it to the main window.
    void ProComputerMove(unsigned int dwMove, int nR);
    // The answer of a think still running belongs to a position that has been
    // replaced (new game, edit, file): it will be thrown away.
    void AbandonComputerMove();
    CGameFlowState &GameFlow() { return m_flow; }

public slots:
    void ComputerMoveTimeOut();
    void ComputerEngineTimer();

private:
    void InitGameFlow();
    void Step(BYTE x, BYTE y, int dx, int dy, BYTE &num, BYTE *way);
    void Ray(BYTE x, BYTE y, int dx, int dy, BYTE &num, BYTE *way);
    bool Forward(BYTE x, BYTE y) const; // IsAddXY of the owner of (x, y)
    // Empty record, no check, cleared hands and clocks, first player to move.
    void ClearRecord();
    // Applies one entry to board, hands and clock with P as mover.
    void ApplyKibo(const KIBO &e, CPlayer *P);
    void UndoKibo(const KIBO &e);
    bool ReadRecord(const QByteArray &data, const QString *fileName);

    // The record, the board now and at the start, the file and the options.
    QVector<KIBO> m_arrayKibo;
    BYTE m_byBoardInfo[9][9];
    BYTE m_byInitBoardInfo[9][9];
    bool m_bComputerMoveing = false;
    bool modified = false;
    QString title, absFilePath;
    BYTE m_byTeai = 0;
    CPlayer *m_pSecondPlayer = nullptr, *m_pFirstPlayer = nullptr;
    bool m_bFirstUp = false;
    bool m_bOSInfoWangSu = true;
    bool m_bOSDan = true;
    bool m_bOSSound = true;
    BYTE m_byCurPlayer = 1;
    bool m_bOSBeforeSu = true;
    bool m_bStandardKoma = true;
    BYTE m_byComputerLevel = 0;
    BYTE m_byKiboSpeed = 2;
    bool m_bViewMoveablePos = true;
    BYTE m_byKiboProperty = 1;
    bool m_bMustWait = true;
    int m_nKiboTestPos = -1;
    bool m_bOte = false;
    int m_nKiboNum = 0;
    BYTE m_byOtePlayer = 0;
    GameEnding m_ending = GameEnding::None;
    BYTE m_byStartPlayer = 1;
    QTimer m_ComputerMove, m_ComputerMoveProc;

    // The main window as seen by the document, and the state of a game in play.
    CDocHost *m_pHost = nullptr;
    CGameFlowState m_flow{this};
};

#endif
