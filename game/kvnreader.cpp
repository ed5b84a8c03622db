// The record file reader of ShogiDoc and the checks that make it
// accept only records that can be played back on the board.
//
// What is accepted (everything else is refused, the document unchanged):
//  * size exactly 113 + 11 n bytes with n <= KvnMaxKiboNum; the magic
//    20006432 at both ends;
//  * settings: players 1..2, level 0..2, handicap 0..5, faces 1..2,
//    orientation 1..2;
//  * start position: only existing piece codes (owner 1..2, kind 1..8,
//    promoted only pawn, lance, knight, silver, bishop, rook); each side
//    exactly one king on the board; of every kind, board plus both hands at
//    most a set's count (18 pawns, 4 lances, 4 knights, 4 silvers, 4 golds,
//    2 bishops, 2 rooks); no unpromoted pawn or lance on its owner's last row
//    and no unpromoted knight on the last two rows (a piece that could never
//    move); no two unpromoted pawns of one side in a column; the king of the
//    side not to move not attacked -- the checks the editor applies before
//    play starts;
//  * entries, replayed from the start position with the first player to move
//    (the second when the first entry is the second player's) and alternating
//    sides:
//     - a resignation (all seven bytes 50), only as the last entry;
//     - a board move: source and destination on the board, skoma is the
//       mover's piece standing on the source, dkoma exactly what stands on the
//       destination, the destination among the squares of the piece's move list
//       (GetWay; so never the mover's own piece), never a king captured; koma
//       is skoma, or its promoted code when the piece can promote and the
//       source or the destination lies in the mover's far three rows; a pawn
//       or lance must promote on the last row, a knight on the last two rows;
//     - a drop: (10, 10), an unpromoted piece of the mover's that it holds in
//       hand, onto an empty square, dkoma 0 and koma = skoma, not a pawn or
//       lance on the last row or a knight on the last two, not a pawn in a
//       column already holding an unpromoted pawn of the mover's;
//     - after the move the mover's own king is not attacked;
//     - a player's total time stays within KvnMaxTotalTime.
// Not checked (legal-looking games of the program may hold them): drops of a
// pawn giving mate, repetition, and the stricter rules the board widget
// applies to human drops only.

#include "shogidoc.h"

#include "cplayer.h"
#include "dochost.h"

#include <QDataStream>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr BYTE DropPosition = 10;

bool OnBoardXY(BYTE x, BYTE y)
{
    return x <= 8 && y <= 8;
}

struct KvnRecord
{
    BYTE first = 0, second = 0, level = 0, teai = 0, faces = 0, orient = 0;
    BYTE board[9][9] = {};
    BYTE hand[2][7] = {};
    QVector<KIBO> entries;
};

// Pieces of a kind in one set (index = kind).
const int SetCount[9] = {0, 18, 4, 4, 4, 4, 2, 2, 2};

bool ValidKomaCode(BYTE c)
{
    const BYTE p = GetKomaProperty(c), o = GetWhoseKoma(c), k = GetKomaSort(c);
    if (p < 1 || p > 2 || o < 1 || o > 2 || k < 1 || k > 8)
        return false;
    return p == 1 || (k != 5 && k != 8);
}

bool CanPromote(BYTE kind)
{
    return kind != 5 && kind != 8;
}

// Distance of row y from the owner's own back row counted forward: the last
// row of the owner is 8, the one before 7, ...
int RowsAdvanced(const ShogiDoc &doc, BYTE owner, BYTE y)
{
    return doc.IsAddXY(owner) ? y : 8 - y;
}

// An unpromoted pawn or lance on its last row, or knight on its last two.
bool IsDeadKoma(const ShogiDoc &doc, BYTE code, BYTE y)
{
    if (code == 0 || GetKomaProperty(code) != 1)
        return false;
    const int adv = RowsAdvanced(doc, GetWhoseKoma(code), y);
    switch (GetKomaSort(code)) {
    case 1:
    case 2:
        return adv >= 8;
    case 3:
        return adv >= 7;
    default:
        return false;
    }
}

bool FindKing(const ShogiDoc &doc, BYTE owner, BYTE &kx, BYTE &ky)
{
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE c = doc.GetBoardInfo(x, y);
            if (c && GetKomaSort(c) == 8 && GetWhoseKoma(c) == owner) {
                kx = x;
                ky = y;
                return true;
            }
        }
    return false;
}

// Whether some piece of attacker reaches (tx, ty) (by the move lists).
bool IsAttacked(ShogiDoc &doc, BYTE tx, BYTE ty, BYTE attacker)
{
    const BYTE target = MakePhysicsPos(tx, ty);
    BYTE way[32];
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE c = doc.GetBoardInfo(x, y);
            if (!c || GetWhoseKoma(c) != attacker)
                continue;
            BYTE num = 0;
            doc.GetWay(x, y, c, num, way);
            for (int i = 0; i < num; ++i)
                if (way[i] == target)
                    return true;
        }
    return false;
}

bool KingSafe(ShogiDoc &doc, BYTE owner)
{
    BYTE kx = 0, ky = 0;
    if (!FindKing(doc, owner, kx, ky))
        return false;
    return !IsAttacked(doc, kx, ky, 3 - owner);
}

bool HasPawnInColumn(const ShogiDoc &doc, BYTE owner, BYTE x)
{
    for (BYTE y = 0; y < 9; ++y) {
        const BYTE c = doc.GetBoardInfo(x, y);
        if (c == MakePhysicsKoma(1, owner, 1))
            return true;
    }
    return false;
}

bool Parse(const QByteArray &data, KvnRecord &rec)
{
    if (data.size() < ShogiDoc::KvnHeaderSize)
        return false;
    QDataStream in(data);
    in.setByteOrder(QDataStream::BigEndian);
    quint32 magic = 0;
    in >> magic;
    if (magic != ShogiDoc::KvnMagic)
        return false;
    quint8 b = 0;
    BYTE *settings[] = {&rec.first, &rec.second, &rec.level, &rec.teai, &rec.faces, &rec.orient};
    for (BYTE *s : settings) {
        in >> b;
        *s = b;
    }
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) {
            in >> b;
            rec.board[x][y] = b;
        }
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < 7; ++k) {
            in >> b;
            rec.hand[p][k] = b;
        }
    quint32 n = 0;
    in >> n;
    // The count must fit the bytes actually there, before anything is read
    // or allocated for the entries.
    if (n > quint32(ShogiDoc::KvnMaxKiboNum))
        return false;
    if (qint64(data.size()) !=
        qint64(ShogiDoc::KvnHeaderSize) + qint64(ShogiDoc::KvnEntrySize) * qint64(n))
        return false;
    rec.entries.resize(int(n));
    for (KIBO &e : rec.entries) {
        quint8 f[7];
        for (quint8 &v : f)
            in >> v;
        e.sx = f[0];
        e.sy = f[1];
        e.skoma = f[2];
        e.dx = f[3];
        e.dy = f[4];
        e.dkoma = f[5];
        e.koma = f[6];
        in >> e.time;
    }
    in >> magic;
    return in.status() == QDataStream::Ok && magic == ShogiDoc::KvnMagic && in.atEnd();
}

} // namespace

bool ShogiDoc::ReadRecord(const QByteArray &data, const QString *fileName)
{
    KvnRecord rec;
    if (!Parse(data, rec))
        return false;

    // ---- settings
    if (rec.first < 1 || rec.first > 2 || rec.second < 1 || rec.second > 2 || rec.level > 2 ||
        rec.teai > 5 || rec.faces < 1 || rec.faces > 2 || rec.orient < 1 || rec.orient > 2)
        return false;

    // ---- start position, on a scratch document
    ShogiDoc s;
    s.m_bFirstUp = rec.orient == 1;
    int count[9] = {};
    int kings[3] = {};
    for (BYTE x = 0; x < 9; ++x) {
        int pawns[3] = {};
        for (BYTE y = 0; y < 9; ++y) {
            const BYTE c = rec.board[x][y];
            s.m_byBoardInfo[x][y] = c;
            if (c == 0)
                continue;
            if (!ValidKomaCode(c) || IsDeadKoma(s, c, y))
                return false;
            const BYTE k = GetKomaSort(c);
            ++count[k];
            if (k == 8)
                ++kings[GetWhoseKoma(c)];
            if (c == MakePhysicsKoma(1, GetWhoseKoma(c), 1) && ++pawns[GetWhoseKoma(c)] > 1)
                return false;
        }
    }
    if (kings[1] != 1 || kings[2] != 1)
        return false;
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < 7; ++k)
            count[k + 1] += rec.hand[p][k];
    for (int k = 1; k <= 8; ++k)
        if (count[k] > SetCount[k])
            return false;
    // An edited position may give the second player the first move; the first
    // entry then is the second player's.
    const BYTE starter = !rec.entries.isEmpty() && !IsResignKibo(rec.entries[0]) &&
                                 GetWhoseKoma(rec.entries[0].skoma) == 2
                             ? 2
                             : 1;
    if (!KingSafe(s, BYTE(3 - starter)))
        return false;
    for (BYTE k = 1; k <= 7; ++k) {
        s.m_pFirstPlayer->SetDaiNum(k, rec.hand[0][k - 1]);
        s.m_pSecondPlayer->SetDaiNum(k, rec.hand[1][k - 1]);
    }

    // ---- entries, replayed on the scratch document
    BYTE mover = starter;
    qint64 total[3] = {};
    const int n = rec.entries.size();
    for (int i = 0; i < n; ++i) {
        const KIBO &e = rec.entries[i];
        if (IsResignKibo(e)) {
            if (i != n - 1)
                return false;
            mover = 3 - mover;
            continue;
        }
        if (!ValidKomaCode(e.skoma) || GetWhoseKoma(e.skoma) != mover)
            return false;
        if (!OnBoardXY(e.dx, e.dy))
            return false;
        const BYTE kind = GetKomaSort(e.skoma);
        CPlayer *P = s.GetPlayer(mover);
        if (e.sx == DropPosition || e.sy == DropPosition) {
            if (e.sx != DropPosition || e.sy != DropPosition)
                return false;
            if (GetKomaProperty(e.skoma) != 1 || kind == 8 || P->GetDaiNum(kind) == 0)
                return false;
            if (s.m_byBoardInfo[e.dx][e.dy] != 0 || e.dkoma != 0 || e.koma != e.skoma)
                return false;
            if (IsDeadKoma(s, e.koma, e.dy))
                return false;
            if (kind == 1 && HasPawnInColumn(s, mover, e.dx))
                return false;
        } else {
            if (!OnBoardXY(e.sx, e.sy) || s.m_byBoardInfo[e.sx][e.sy] != e.skoma)
                return false;
            if (s.m_byBoardInfo[e.dx][e.dy] != e.dkoma)
                return false;
            if (e.dkoma != 0 && (GetWhoseKoma(e.dkoma) == mover || GetKomaSort(e.dkoma) == 8))
                return false;
            BYTE way[32];
            BYTE num = 0;
            s.GetWay(e.sx, e.sy, e.skoma, num, way);
            bool reachable = false;
            for (int w = 0; w < num; ++w)
                reachable = reachable || way[w] == MakePhysicsPos(e.dx, e.dy);
            if (!reachable)
                return false;
            if (e.koma != e.skoma) {
                const bool inZone =
                    RowsAdvanced(s, mover, e.sy) >= 6 || RowsAdvanced(s, mover, e.dy) >= 6;
                if (GetKomaProperty(e.skoma) != 1 || !CanPromote(kind) || e.koma != e.skoma + 100 ||
                    !inZone)
                    return false;
            }
            if (IsDeadKoma(s, e.koma, e.dy))
                return false;
        }
        total[mover] += e.time;
        if (total[mover] > KvnMaxTotalTime)
            return false;
        s.ApplyKibo(e, P);
        if (!KingSafe(s, mover))
            return false;
        mover = 3 - mover;
    }

    // ---- accepted: commit to this document in the order the file is read
    if (fileName) {
        const QFileInfo info(*fileName);
        title = info.fileName();
        absFilePath = info.absoluteFilePath();
    }
    m_pFirstPlayer->SetProperty(rec.first);
    m_pSecondPlayer->SetProperty(rec.second);
    m_byComputerLevel = rec.level;
    m_byTeai = rec.teai;
    m_bStandardKoma = rec.faces == 1;
    m_bFirstUp = rec.orient == 1;
    if (m_pHost) {
        m_pHost->ResetKiboWindow();
        m_pHost->enableCommand(11020);
        m_pHost->disableCommand(11030);
        m_pHost->disableCommand(11040);
        m_pHost->disableCommand(11050);
    }
    ClearRecord();
    m_byStartPlayer = m_byCurPlayer = starter;
    std::copy(&rec.board[0][0], &rec.board[0][0] + 81, &m_byBoardInfo[0][0]);
    SetInitBoardInfo();
    if (m_pHost)
        m_pHost->ResetView();
    for (BYTE k = 1; k <= 7; ++k) {
        m_pFirstPlayer->SetDaiNumF(k, rec.hand[0][k - 1]);
        m_pSecondPlayer->SetDaiNumF(k, rec.hand[1][k - 1]);
    }
    m_pFirstPlayer->SetDaiFromFirst();
    m_pSecondPlayer->SetDaiFromFirst();
    m_arrayKibo.reserve(n);
    for (const KIBO &e : rec.entries) {
        if (m_pHost)
            m_pHost->OpenAddKibo(e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma, e.time);
        m_arrayKibo.append(e);
        m_nKiboNum = m_arrayKibo.size();
        ApplyKibo(e, GetPlayer(m_byCurPlayer));
        m_byCurPlayer = 3 - m_byCurPlayer;
    }
    // The board shows the last position (the main window relies on it too).
    m_nKiboTestPos = m_nKiboNum - 1;
    setModified(false);
    return true;
}
