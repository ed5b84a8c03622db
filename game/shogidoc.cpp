#include "shogidoc.h"

#include "cplayer.h"
#include "dochost.h"
#include "language.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>


bool operator==(const KIBO &a, const KIBO &b)
{
    return a.sx == b.sx && a.sy == b.sy && a.skoma == b.skoma && a.dx == b.dx && a.dy == b.dy &&
           a.dkoma == b.dkoma && a.koma == b.koma && a.time == b.time;
}

bool IsResignKibo(const KIBO &e)
{
    return e.sx == 50 && e.sy == 50 && e.skoma == 50 && e.dx == 50 && e.dy == 50 && e.dkoma == 50 &&
           e.koma == 50;
}

namespace {
constexpr BYTE DropPos = 10;
constexpr BYTE ResignCode = 50;

bool OnBoard(int v)
{
    return v >= 0 && v <= 8;
}
} // namespace

ShogiDoc::ShogiDoc(QObject *parent) : QObject(parent)
{
    std::memset(m_byBoardInfo, 0, sizeof m_byBoardInfo);
    std::memset(m_byInitBoardInfo, 0, sizeof m_byInitBoardInfo);
    m_pSecondPlayer = new CPlayer(this, 2);
    m_pFirstPlayer = new CPlayer(this, 1);
    m_pFirstPlayer->SetProperty(1);
    m_pSecondPlayer->SetProperty(2);
    InitGameFlow();
}

ShogiDoc::~ShogiDoc() = default;

CPlayer *ShogiDoc::GetPlayer(BYTE order) const
{
    if (order == 1)
        return m_pFirstPlayer;
    if (order == 2)
        return m_pSecondPlayer;
    return nullptr;
}

void ShogiDoc::enableCommand(int id)
{
    if (m_pHost)
        m_pHost->enableCommand(id);
}

void ShogiDoc::disableCommand(int id)
{
    if (m_pHost)
        m_pHost->disableCommand(id);
}

// ---------------------------------------------------------------- board model

void ShogiDoc::InitBoardInfo()
{
    // Written with the first player at the bottom, then turned if needed.
    BYTE b[9][9];
    std::memset(b, 0, sizeof b);
    static const BYTE back[9] = {2, 3, 4, 5, 8, 5, 4, 3, 2};
    for (int x = 0; x < 9; ++x) {
        b[x][0] = MakePhysicsKoma(back[x], 2, 1);
        b[x][2] = MakePhysicsKoma(1, 2, 1);
        b[x][6] = MakePhysicsKoma(1, 1, 1);
        b[x][8] = MakePhysicsKoma(back[x], 1, 1);
    }
    b[1][1] = MakePhysicsKoma(7, 2, 1);
    b[7][1] = MakePhysicsKoma(6, 2, 1);
    b[1][7] = MakePhysicsKoma(6, 1, 1);
    b[7][7] = MakePhysicsKoma(7, 1, 1);
    switch (m_byTeai) {
    case 1:
        b[0][8] = 0;
        break;
    case 2:
        b[1][7] = 0;
        break;
    case 3:
        b[7][7] = 0;
        break;
    case 4:
        b[7][7] = 0;
        b[0][8] = 0;
        break;
    case 5:
        b[7][7] = 0;
        b[1][7] = 0;
        break;
    default:
        break;
    }
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) {
            BYTE v = m_bFirstUp ? b[8 - x][8 - y] : b[x][y];
            m_byBoardInfo[x][y] = v;
            m_byInitBoardInfo[x][y] = v;
        }
}

void ShogiDoc::ClearRecord()
{
    m_nKiboNum = 0;
    m_arrayKibo.clear();
    m_bOte = false;
    m_ending = GameEnding::None;
    m_byStartPlayer = 1;
    m_pFirstPlayer->Init();
    m_pSecondPlayer->Init();
    m_byCurPlayer = 1;
}

void ShogiDoc::Init()
{
    ClearRecord();
    m_bComputerMoveing = false;
    InitBoardInfo();
}

void ShogiDoc::UpsetBoard()
{
    BYTE copy[9][9];
    std::memcpy(copy, m_byBoardInfo, sizeof copy);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            m_byBoardInfo[8 - x][8 - y] = copy[x][y];
    std::memcpy(copy, m_byInitBoardInfo, sizeof copy);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            m_byInitBoardInfo[8 - x][8 - y] = copy[x][y];
    const int n = qMin(m_nKiboNum, int(m_arrayKibo.size()));
    for (int i = 0; i < n; ++i) {
        KIBO &e = m_arrayKibo[i];
        for (BYTE *c : {&e.sx, &e.sy, &e.dx, &e.dy})
            if (OnBoard(*c))
                *c = 8 - *c;
    }
}

bool ShogiDoc::IsAddXY(BYTE owner) const
{
    if (owner == 1)
        return m_bFirstUp;
    if (owner == 2)
        return !m_bFirstUp;
    return false;
}

void ShogiDoc::SetBoardInfo(BYTE x, BYTE y, BYTE v)
{
    if (OnBoard(x) && OnBoard(y))
        m_byBoardInfo[x][y] = v;
}

void ShogiDoc::DelBoardInfo(BYTE x, BYTE y)
{
    SetBoardInfo(x, y, 0);
}

void ShogiDoc::SetInitBoardInfo()
{
    std::memcpy(m_byInitBoardInfo, m_byBoardInfo, sizeof m_byInitBoardInfo);
}

BYTE ShogiDoc::GetBoardInfo(BYTE x, BYTE y) const
{
    return OnBoard(x) && OnBoard(y) ? m_byBoardInfo[x][y] : 0;
}

BYTE ShogiDoc::GetInitBoardInfo(BYTE x, BYTE y) const
{
    return OnBoard(x) && OnBoard(y) ? m_byInitBoardInfo[x][y] : 0;
}

// ---------------------------------------------------------------- move rules

bool ShogiDoc::GetWay(BYTE x, BYTE y, BYTE k, BYTE &num, BYTE *way)
{
    num = 0;
    if (!OnBoard(x) || !OnBoard(y))
        return false;
    const bool promoted = GetKomaProperty(k) == 2;
    switch (GetKomaSort(k)) {
    case 1:
        return promoted ? GetGUMWay(x, y, num, way) : GetBOWay(x, y, num, way);
    case 2:
        return promoted ? GetGUMWay(x, y, num, way) : GetHYANGWay(x, y, num, way);
    case 3:
        return promoted ? GetGUMWay(x, y, num, way) : GetGYOEWay(x, y, num, way);
    case 4:
        return promoted ? GetGUMWay(x, y, num, way) : GetUNWay(x, y, num, way);
    case 5:
        return GetGUMWay(x, y, num, way);
    case 6:
        return promoted ? GetBGAKWay(x, y, num, way) : GetGAKWay(x, y, num, way);
    case 7:
        return promoted ? GetBBIWay(x, y, num, way) : GetBIWay(x, y, num, way);
    case 8:
        return GetWANGWay(x, y, num, way);
    default:
        return false;
    }
}

bool ShogiDoc::EnableMove(BYTE x, BYTE y, BYTE sx, BYTE sy) const
{
    if (!OnBoard(x) || !OnBoard(y))
        return false;
    if (m_byBoardInfo[x][y] == 0)
        return true;
    const BYTE mover = OnBoard(sx) && OnBoard(sy) ? GetWhoseKoma(m_byBoardInfo[sx][sy]) : 0;
    return GetWhoseKoma(m_byBoardInfo[x][y]) != mover;
}

bool ShogiDoc::Forward(BYTE x, BYTE y) const
{
    return IsAddXY(GetWhoseKoma(m_byBoardInfo[x][y]));
}

// One candidate square: appended when on the board and EnableMove allows it.
void ShogiDoc::Step(BYTE x, BYTE y, int dx, int dy, BYTE &num, BYTE *way)
{
    const int nx = x + dx, ny = y + dy;
    if (OnBoard(nx) && OnBoard(ny) && EnableMove(BYTE(nx), BYTE(ny), x, y))
        way[num++] = MakePhysicsPos(BYTE(nx), BYTE(ny));
}

// A sliding ray: stops at the edge, at an own piece (not appended) and after
// the first opponent piece (appended).
void ShogiDoc::Ray(BYTE x, BYTE y, int dx, int dy, BYTE &num, BYTE *way)
{
    for (int nx = x + dx, ny = y + dy; OnBoard(nx) && OnBoard(ny); nx += dx, ny += dy) {
        if (!EnableMove(BYTE(nx), BYTE(ny), x, y))
            break;
        way[num++] = MakePhysicsPos(BYTE(nx), BYTE(ny));
        if (m_byBoardInfo[nx][ny] != 0)
            break;
    }
}

bool ShogiDoc::GetBOWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    // num was set to 0 by GetWay.
    const bool top = Forward(x, y);
    if (top ? y < 8 : y > 0)
        Step(x, y, 0, top ? 1 : -1, num, way);
    return num != 0;
}

bool ShogiDoc::GetHYANGWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    Ray(x, y, 0, Forward(x, y) ? 1 : -1, num, way);
    return num != 0;
}

bool ShogiDoc::GetGYOEWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    const bool top = Forward(x, y);
    const int f = top ? 1 : -1;
    if (top ? y < 7 : y > 1) {
        if (x > 0)
            Step(x, y, -1, 2 * f, num, way);
        if (x < 8)
            Step(x, y, +1, 2 * f, num, way);
    }
    return num != 0;
}

bool ShogiDoc::GetUNWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    static const int top[5][2] = {{+1, +1}, {0, +1}, {-1, +1}, {+1, -1}, {-1, -1}};
    static const int bottom[5][2] = {{-1, -1}, {0, -1}, {+1, -1}, {-1, +1}, {+1, +1}};
    const auto &d = Forward(x, y) ? top : bottom;
    for (const auto &s : d)
        Step(x, y, s[0], s[1], num, way);
    return num != 0;
}

bool ShogiDoc::GetGUMWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    static const int top[6][2] = {{+1, +1}, {0, +1}, {-1, +1}, {+1, 0}, {-1, 0}, {0, -1}};
    static const int bottom[6][2] = {{-1, -1}, {0, -1}, {+1, -1}, {-1, 0}, {+1, 0}, {0, +1}};
    const auto &d = Forward(x, y) ? top : bottom;
    for (const auto &s : d)
        Step(x, y, s[0], s[1], num, way);
    return num != 0;
}

namespace {
const int DiagRays[4][2] = {{-1, -1}, {+1, -1}, {-1, +1}, {+1, +1}};
const int LineRays[4][2] = {{0, -1}, {0, +1}, {-1, 0}, {+1, 0}};
} // namespace

bool ShogiDoc::GetGAKWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    for (const auto &r : DiagRays)
        Ray(x, y, r[0], r[1], num, way);
    return num != 0;
}

bool ShogiDoc::GetBIWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    for (const auto &r : LineRays)
        Ray(x, y, r[0], r[1], num, way);
    return num != 0;
}

bool ShogiDoc::GetWANGWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    static const int d[8][2] = {{-1, -1}, {0, -1}, {+1, -1}, {-1, 0},
                                {+1, 0},  {0, +1}, {-1, +1}, {+1, +1}};
    for (const auto &s : d)
        Step(x, y, s[0], s[1], num, way);
    return num != 0;
}

bool ShogiDoc::GetBGAKWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    for (const auto &r : DiagRays)
        Ray(x, y, r[0], r[1], num, way);
    for (const auto &s : LineRays)
        Step(x, y, s[0], s[1], num, way);
    return num != 0;
}

bool ShogiDoc::GetBBIWay(BYTE x, BYTE y, BYTE &num, BYTE *way)
{
    num = 0;
    for (const auto &r : LineRays)
        Ray(x, y, r[0], r[1], num, way);
    for (const auto &s : DiagRays)
        Step(x, y, s[0], s[1], num, way);
    return num != 0;
}

// ---------------------------------------------------------------- game record

void ShogiDoc::ApplyKibo(const KIBO &e, CPlayer *P)
{
    if (e.koma == ResignCode)
        return;
    if (e.sx == DropPos) {
        if (P)
            P->DelKoma(GetKomaSort(e.skoma));
    } else {
        DelBoardInfo(e.sx, e.sy);
    }
    SetBoardInfo(e.dx, e.dy, e.koma);
    if (P) {
        P->m_nTotalTime += int(e.time);
        if (e.dkoma != 0)
            P->AddKoma(GetKomaSort(e.dkoma));
    }
}

void ShogiDoc::AddKibo(BYTE sx, BYTE sy, BYTE k, BYTE dx, BYTE dy, BYTE kk, BYTE koma)
{
    setModified(true);
    const qint64 ms = m_pHost ? m_pHost->GameTimeElapsed() : 0;
    const quint32 t = ms > 0 ? quint32(qMin<qint64>(ms / 1000, 0x7fffffff)) : 0;
    KIBO e;
    e.sx = sx;
    e.sy = sy;
    e.skoma = k;
    e.dx = dx;
    e.dy = dy;
    e.dkoma = kk;
    e.koma = koma;
    e.time = t;
    if (m_nKiboNum < 0)
        m_nKiboNum = 0;
    m_nKiboNum += 1;
    m_arrayKibo.resize(m_nKiboNum);
    m_arrayKibo[m_nKiboNum - 1] = e;
    if (m_pHost)
        m_pHost->AddKibo(sx, sy, k, dx, dy, kk, koma, t);
    if (koma == ResignCode) {
        if (m_pHost)
            m_pHost->slotGameBreak();
    } else {
        ApplyKibo(e, GetPlayer(m_byCurPlayer));
    }
    m_byCurPlayer = 3 - m_byCurPlayer;
    if (m_pHost)
        m_pHost->RestartGameTime();
}

void ShogiDoc::UndoKibo(const KIBO &e)
{
    if (IsResignKibo(e))
        return;
    CPlayer *M = GetPlayer(GetWhoseKoma(e.skoma));
    if (e.sx == DropPos && M)
        M->AddKoma(GetKomaSort(e.skoma));
    if (e.dkoma != 0) {
        if (CPlayer *other = GetPlayer(3 - GetWhoseKoma(e.dkoma)))
            other->DelKoma(GetKomaSort(e.dkoma));
    }
    if (M)
        M->m_nTotalTime -= int(e.time);
    if (e.sx != DropPos)
        SetBoardInfo(e.sx, e.sy, e.skoma);
    SetBoardInfo(e.dx, e.dy, e.dkoma);
}

void ShogiDoc::RetractKibo(int pos)
{
    if (pos < 0 || pos >= m_arrayKibo.size())
        return;
    UndoKibo(m_arrayKibo[pos]);
    m_nKiboNum = pos;
}

void ShogiDoc::KiboBackOne()
{
    if (m_nKiboTestPos < 0 || m_nKiboTestPos >= m_arrayKibo.size())
        return;
    UndoKibo(m_arrayKibo[m_nKiboTestPos]);
    --m_nKiboTestPos;
}

void ShogiDoc::KiboForwardOne()
{
    const int i = m_nKiboTestPos + 1;
    if (i < 0 || i >= m_arrayKibo.size())
        return;
    const KIBO &e = m_arrayKibo[i];
    if (!IsResignKibo(e)) {
        CPlayer *M = GetPlayer(GetWhoseKoma(e.skoma));
        if (M && e.dkoma != 0)
            M->AddKoma(GetKomaSort(e.dkoma));
        if (e.sx != DropPos)
            DelBoardInfo(e.sx, e.sy);
        else if (M)
            M->DelKoma(GetKomaSort(e.skoma));
        if (M)
            M->m_nTotalTime += int(e.time);
        SetBoardInfo(e.dx, e.dy, e.koma);
    }
    ++m_nKiboTestPos;
}

// ---------------------------------------------------------------- record file

void ShogiDoc::newDocument()
{
    modified = false;
    absFilePath = QDir::homePath();
    title = JStr(JC_Untitled);
}

void ShogiDoc::setModified(bool m)
{
    modified = m;
    if (m_pHost)
        m_pHost->SetDocModified(m);
}

bool ShogiDoc::saveModified()
{
    if (!modified)
        return true;
    // Without a main window nobody can be asked: keep the changes and tell the
    // caller to abandon what it was about to do.
    if (!m_pHost)
        return false;
    switch (m_pHost->AskYesNoCancel(JC_MsgIsModify)) {
    case CDocHost::Yes:
        if (title == JStr(JC_Untitled)) {
            m_pHost->slotFileSaveAs();
            // A cancelled save-as dialog or a failed write keeps the changes.
            return !modified;
        }
        if (!absFilePath.endsWith(QLatin1String(".kvn"), Qt::CaseInsensitive)) {
            // .kvn bytes under a .kif name would destroy the record.
            m_pHost->SaveInRecordFormat(absFilePath);
            return !modified;
        }
        if (saveDocument(absFilePath))
            return true;
        m_pHost->ReportSaveFailed(absFilePath);
        return false;
    case CDocHost::No:
        setModified(false);
        return true;
    case CDocHost::Cancel:
    default:
        return false;
    }
}

QByteArray ShogiDoc::saveDocumentData() const
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out << quint32(KvnMagic);
    out << quint8(m_pFirstPlayer->GetProperty()) << quint8(m_pSecondPlayer->GetProperty());
    out << quint8(m_byComputerLevel) << quint8(m_byTeai);
    out << quint8(m_bStandardKoma ? 1 : 2) << quint8(m_bFirstUp ? 1 : 2);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            out << quint8(m_byInitBoardInfo[x][y]);
    for (const CPlayer *p : {m_pFirstPlayer, m_pSecondPlayer})
        for (BYTE k = 1; k <= 7; ++k)
            out << quint8(p->GetDaiNumF(k));
    const int n = qBound(0, m_nKiboNum, int(m_arrayKibo.size()));
    out << quint32(n);
    for (int i = 0; i < n; ++i) {
        const KIBO &e = m_arrayKibo[i];
        out << quint8(e.sx) << quint8(e.sy) << quint8(e.skoma) << quint8(e.dx) << quint8(e.dy)
            << quint8(e.dkoma) << quint8(e.koma) << quint32(e.time);
    }
    out << quint32(KvnMagic);
    return data;
}

bool ShogiDoc::saveDocument(const QString &filename, const char *format)
{
    Q_UNUSED(format);
    const QByteArray data = saveDocumentData();
    QSaveFile file(filename);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers: a write error that shows only when the buffer is
    // flushed inside commit() would not stop the rename (Qt 5), so flush and
    // check here first.
    if (file.write(data) != data.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    setModified(false);
    return true;
}

bool ShogiDoc::openDocument(const QString &filename, const char *format)
{
    Q_UNUSED(format);
    QFile file(filename);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 maxSize = qint64(KvnHeaderSize) + qint64(KvnEntrySize) * KvnMaxKiboNum;
    if (!file.isSequential() && file.size() > maxSize)
        return false;
    // Never more than one byte past the largest acceptable file, whatever the
    // file (or device) claims.
    const QByteArray data = file.read(maxSize + 1);
    file.close();
    const QString name = filename;
    return ReadRecord(data, &name);
}

bool ShogiDoc::openDocumentData(const QByteArray &data)
{
    return ReadRecord(data, nullptr);
}
