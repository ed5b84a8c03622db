#include "cboardframe.h"

#include "cplayer.h"
#include "datapath.h"
#include "displayprefs.h"
#include "gamerecord.h"
#include "gameflow.h"
#include "komasheet.h"
#include "moverules.h"
#include "shogidoc.h"

#include <QBitmap>
#include <QPainter>
#include <QResizeEvent>

#include <vector>

namespace {
constexpr BYTE NoSquare = 10;
constexpr BYTE King = 8;
const QColor MarkerColor(100, 150, 0);
const QColor CheckColor(220, 0, 0);
} // namespace

CBoardFrame::CBoardFrame(ShogiDoc *pDoc, QWidget *parent) : QFrame(parent), doc(pDoc)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    LoadPictures();
    m_comTimer.setSingleShot(true);
    m_comTimer.setInterval(1000);
    connect(&m_comTimer, &QTimer::timeout, this, &CBoardFrame::ComputerMoveShown);
    Init();
}

CBoardFrame::~CBoardFrame() = default;

void CBoardFrame::LoadPictures()
{
    auto load = [](const char *name) {
        return QPixmap(DataFile(QStringLiteral("pixmaps/Korvane/") + QLatin1String(name)));
    };
    m_bmpBoard = load("board.bmp");
    m_bmpDai = load("dai.bmp");
    m_bmpBack = load("bkground.bmp");
    // The sheet with Western letters shares the plain sheet's layout.
    if (CurrentDisplayPrefs().westernPieces)
        m_bmpKoma = load("komawest.bmp");
    if (m_bmpKoma.isNull() || !CurrentDisplayPrefs().westernPieces)
        m_bmpKoma = load("koma.bmp");
    if (!m_bmpKoma.isNull())
        m_bmpKoma.setMask(m_bmpKoma.createHeuristicMask());
}

void CBoardFrame::ReloadPieces()
{
    LoadPictures();
    RedrawAll();
}

void CBoardFrame::Init()
{
    m_bDaiPress = false;
    m_byDaiKoma = 0;
    m_bMP = false;
    m_byWayNum = 0;
    m_byKomaPosX = m_byKomaPosY = NoSquare;
    m_byBKomaPosX = m_byBKomaPosY = NoSquare;
    m_bKomaPos = false;
    m_nMousePressX = m_nMousePressY = -1;
    m_bReleaseMove = false;
    // A computer move still being shown belongs to the game being replaced.
    m_comTimer.stop();
    m_bComPress = false;
    m_bFloat = false;
    m_bHint = false; // a new game or record: even from the same position
    EndPicture();
    SetPaintPos(width(), height());
    RedrawAll();
    emit reset();
}

// ---------------------------------------------------------------- geometry

void CBoardFrame::SetPaintPos(int width, int height)
{
    m_geo = ComputeBoardGeometry(width, height, doc->GetFirstUp());
    m_bySelectedBMPNum = m_geo.sizeClass;
    if (m_nScaledClass != m_geo.sizeClass && !m_bmpBoard.isNull()) {
        m_scaledBoard = m_bmpBoard.scaled(10 * m_geo.w, 10 * m_geo.h, Qt::IgnoreAspectRatio,
                                          Qt::SmoothTransformation);
        m_nScaledClass = m_geo.sizeClass;
    }
}

int CBoardFrame::GetLogicX(int px) const
{
    return px < m_geo.startX2 ? -1 : (px - m_geo.startX2) / m_geo.w;
}

int CBoardFrame::GetLogicY(int py) const
{
    return py < m_geo.startY2 ? -1 : (py - m_geo.startY2) / m_geo.h;
}

QPoint CBoardFrame::DaiPos(BYTE owner) const
{
    return owner == 1 ? QPoint(m_geo.firstDaiX, m_geo.firstDaiY)
                      : QPoint(m_geo.secondDaiX, m_geo.secondDaiY);
}

BYTE CBoardFrame::WhichDai(int px, int py) const
{
    for (BYTE owner : {BYTE(1), BYTE(2)}) {
        const QPoint d = DaiPos(owner);
        if (px >= d.x() && px <= d.x() + m_geo.daiWidth && py >= d.y() &&
            py <= d.y() + m_geo.daiHeight)
            return owner;
    }
    return 0;
}

static bool IsBottomOwner(const ShogiDoc *doc, BYTE owner)
{
    return KomaOrientation(MakePhysicsKoma(1, owner, 1), doc->GetFirstUp()) == 0;
}

int CBoardFrame::GetDaiX1(BYTE owner, BYTE kind) const
{
    const QPoint d = DaiPos(owner);
    return GetDaiSlot(d.x(), d.y(), m_geo.w, m_geo.h, IsBottomOwner(doc, owner), kind).x1;
}

int CBoardFrame::GetDaiX2(BYTE owner, BYTE kind) const
{
    const QPoint d = DaiPos(owner);
    return GetDaiSlot(d.x(), d.y(), m_geo.w, m_geo.h, IsBottomOwner(doc, owner), kind).x2;
}

int CBoardFrame::GetDaiY(BYTE owner, BYTE kind) const
{
    const QPoint d = DaiPos(owner);
    return GetDaiSlot(d.x(), d.y(), m_geo.w, m_geo.h, IsBottomOwner(doc, owner), kind).y;
}

void CBoardFrame::GetDaiX(int x1, int x2, int w, int n, int out[])
{
    ::GetDaiX(x1, x2, w, n, out);
}

BYTE CBoardFrame::WhichKoma(int px, int py) const
{
    const BYTE owner = WhichDai(px, py);
    if (owner == 0)
        return 0;
    const CPlayer *player = doc->GetPlayer(owner);
    for (BYTE k = 1; k <= 7; ++k) {
        const int x1 = GetDaiX1(owner, k), x2 = GetDaiX2(owner, k), y = GetDaiY(owner, k);
        if (x1 < px && px < x2 && y < py && py < y + m_geo.h && player->GetDaiNum(k) != 0)
            return k;
    }
    return 0;
}

QPoint CBoardFrame::CellCenter(int c, int r) const
{
    return QPoint(m_geo.startX2 + c * m_geo.w + m_geo.w / 2,
                  m_geo.startY2 + r * m_geo.h + m_geo.h / 2);
}

QPoint CBoardFrame::DaiKomaCenter(BYTE owner, BYTE kind) const
{
    const int n = doc->GetPlayer(owner)->GetDaiNum(kind);
    std::vector<int> xs(size_t(qMax(n, 1)));
    GetDaiX(GetDaiX1(owner, kind), GetDaiX2(owner, kind), m_geo.w, qMax(n, 1), xs.data());
    return QPoint(xs[0] + m_geo.w / 2, GetDaiY(owner, kind) + m_geo.h / 2);
}

QRect CBoardFrame::CellRect(int c, int r) const
{
    return QRect(m_geo.startX2 + c * m_geo.w + 1, m_geo.startY2 + r * m_geo.h + 1, m_geo.w - 1,
                 m_geo.h - 1);
}

BYTE CBoardFrame::Board(int c, int r) const
{
    return OnBoard(c, r) ? doc->GetBoardInfo(BYTE(c), BYTE(r)) : 0;
}

// ---------------------------------------------------------------- drawing

void CBoardFrame::DrawSprite(QPainter &p, int px, int py, BYTE code)
{
    const QPoint s =
        KomaSprite(m_bySelectedBMPNum, doc->GetStandardKoma(), code, doc->GetFirstUp());
    p.drawPixmap(px, py, m_bmpKoma, s.x(), s.y(), m_geo.w, m_geo.h);
}

void CBoardFrame::RedrawAll()
{
    if (width() <= 0 || height() <= 0)
        return;
    EndStaleOverlays();
    m_BoardPixmap = QPixmap(size());
    if (m_bmpBack.isNull())
        m_BoardPixmap.fill(palette().color(QPalette::Window));
    else
        QPainter(&m_BoardPixmap).fillRect(m_BoardPixmap.rect(), QBrush(m_bmpBack));
    QPainter p(&m_BoardPixmap);
    p.drawPixmap(m_geo.startX1, m_geo.startY1, m_scaledBoard);
    PaintDaiKoma(p, 1);
    PaintDaiKoma(p, 2);
    DrawLine(p);
    if (doc->GetOSDan())
        DrawNumber(p);
    if (m_bPicture) {
        // The line's last move is always marked: it is what the step showed.
        if (OnBoard(m_picture.lastX, m_picture.lastY))
            p.fillRect(CellRect(m_picture.lastX, m_picture.lastY), MarkerColor);
    } else {
        if (doc->GetOSBeforeSu() && m_bKomaPos && m_byKomaPosX < 9 && m_byKomaPosY < 9)
            p.fillRect(CellRect(m_byKomaPosX, m_byKomaPosY), MarkerColor);
        MarkKingsInCheck(p);
    }
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (const BYTE v = Shown(c, r))
                DrawSprite(p, m_geo.startX2 + c * m_geo.w + 1, m_geo.startY2 + r * m_geo.h + 1, v);
    p.end();
    update();
}

// The information of a check box, kept on the board when the box is off.
void CBoardFrame::MarkKingsInCheck(QPainter &p)
{
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const BYTE v = Board(c, r);
            if (v != 0 && GetKomaSort(v) == King &&
                MoveRules::IsKingAttacked(*doc, GetWhoseKoma(v)))
                p.fillRect(CellRect(c, r), CheckColor);
        }
}

void CBoardFrame::DrawLine(QPainter &p)
{
    const BoardGeometry &g = m_geo;
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(g.startX1, g.startY1, 10 * g.w, 10 * g.h);
    for (int i = 0; i <= 9; ++i) {
        p.drawLine(g.startX2 + i * g.w, g.startY2, g.startX2 + i * g.w, g.startY2 + 9 * g.h);
        p.drawLine(g.startX2, g.startY2 + i * g.h, g.startX2 + 9 * g.w, g.startY2 + i * g.h);
    }
}

void CBoardFrame::DrawNumber(QPainter &p)
{
    const BoardGeometry &g = m_geo;
    QFont font = p.font();
    font.setPixelSize(qMax(10, g.h / 4));
    p.setFont(font);
    p.setPen(Qt::black);
    auto text = [&p](int x, int y, const QString &s) {
        p.drawText(QRect(x - 40, y - 40, 80, 80), Qt::AlignCenter, s);
    };
    // Squares are named from sente's side, as in every record: in a handicap
    // game the first player, the giver, is gote.
    const bool senteAtBottom = records::FrameOf(*doc).bottomIsSente;
    for (int i = 0; i < 9; ++i) {
        const QString file = QString::number(i + 1);
        QString rank;
        if (CurrentDisplayPrefs().notation == Notation::Western)
            rank = QChar('a' + i);
        else
            ConvertJapan(i + 1, rank);
        if (senteAtBottom) {
            text(g.startX2 + (9 - i) * g.w - g.w / 2, (g.startY1 + g.startY2) / 2, file);
            text(g.startX2 + 9 * g.w + g.w / 4, g.startY2 + i * g.h + g.h / 2, rank);
        } else {
            text(g.startX2 + i * g.w + g.w / 2, g.startY2 + 9 * g.h + g.h / 4, file);
            text((g.startX1 + g.startX2) / 2, g.startY2 + (9 - i) * g.h - g.h / 2, rank);
        }
    }
}

void CBoardFrame::DrawKomaPos()
{
    if (m_byKomaPosX >= 9 || m_byKomaPosY >= 9 || m_BoardPixmap.isNull())
        return;
    QPainter(&m_BoardPixmap).fillRect(CellRect(m_byKomaPosX, m_byKomaPosY), MarkerColor);
    UpdateCell(m_byKomaPosX, m_byKomaPosY);
}

void CBoardFrame::PaintDaiKoma(QPainter &p, BYTE owner)
{
    const QPoint d = DaiPos(owner);
    p.drawPixmap(d.x(), d.y(), m_bmpDai, 0, 0, m_geo.daiWidth, m_geo.daiHeight);
    for (BYTE kind = 1; kind <= 7; ++kind) {
        const int n = ShownHand(owner, kind);
        if (n <= 0)
            continue;
        std::vector<int> xs(static_cast<size_t>(n));
        GetDaiX(GetDaiX1(owner, kind), GetDaiX2(owner, kind), m_geo.w, n, xs.data());
        for (int x : xs)
            DrawSprite(p, x, GetDaiY(owner, kind), MakePhysicsKoma(kind, owner, 1));
    }
}

void CBoardFrame::DaiKoma(BYTE owner)
{
    if (m_BoardPixmap.isNull() || (owner != 1 && owner != 2))
        return;
    QPainter p(&m_BoardPixmap);
    PaintDaiKoma(p, owner);
    update(QRect(DaiPos(owner), QSize(m_geo.daiWidth + 1, m_geo.daiHeight + 1)));
}

void CBoardFrame::UpdateCell(int c, int r)
{
    update(CellRect(c, r).adjusted(-1, -1, 2, 2));
}

void CBoardFrame::DelCell(int c, int r)
{
    if (!OnBoard(c, r) || m_BoardPixmap.isNull())
        return;
    const QRect cell = CellRect(c, r);
    QPainter(&m_BoardPixmap)
        .drawPixmap(cell.topLeft(), m_scaledBoard,
                    QRect(c * m_geo.w + m_geo.startX2 - m_geo.startX1 + 1,
                          r * m_geo.h + m_geo.startY2 - m_geo.startY1 + 1, m_geo.w - 1,
                          m_geo.h - 1));
    UpdateCell(c, r);
}

void CBoardFrame::DrawKoma(int c, int r, BYTE code)
{
    if (!OnBoard(c, r))
        return;
    DelCell(c, r);
    DrawLapKoma(c, r, code);
}

void CBoardFrame::DrawLapKoma(int c, int r, BYTE code)
{
    if (!OnBoard(c, r) || code == 0 || m_BoardPixmap.isNull())
        return;
    const QRect cell = CellRect(c, r);
    QPainter p(&m_BoardPixmap);
    DrawSprite(p, cell.x(), cell.y(), code);
    UpdateCell(c, r);
}

void CBoardFrame::DrawWay(int c, int r, int orientation)
{
    if (!OnBoard(c, r) || m_BoardPixmap.isNull())
        return;
    const KomaPoint s = WAY[m_bySelectedBMPNum][orientation ? 1 : 0];
    const QRect cell = CellRect(c, r);
    QPainter(&m_BoardPixmap)
        .drawPixmap(cell.topLeft(), m_bmpKoma, QRect(s.x, s.y, m_geo.w, m_geo.h));
    UpdateCell(c, r);
}

void CBoardFrame::BltKoma(int px, int py, BYTE code)
{
    const QRect old(m_floatPos, QSize(m_geo.w, m_geo.h));
    m_bFloat = true;
    m_floatPos = QPoint(px, py);
    m_floatCode = code;
    update(old.united(QRect(m_floatPos, QSize(m_geo.w, m_geo.h))));
}

void CBoardFrame::DropFloat()
{
    if (m_bFloat)
        update(QRect(m_floatPos, QSize(m_geo.w, m_geo.h)));
    m_bFloat = false;
}

void CBoardFrame::paintEvent(QPaintEvent *)
{
    if (m_bPicture && DocPrint(true) != m_picturePrint)
        RedrawAll(); // the document moved under the picture
    QPainter p(this);
    if (m_BoardPixmap.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));
    else
        p.drawPixmap(0, 0, m_BoardPixmap);
    PaintOverlays(p);
    if (m_bFloat)
        DrawSprite(p, m_floatPos.x(), m_floatPos.y(), m_floatCode);
}

void CBoardFrame::resizeEvent(QResizeEvent *e)
{
    QFrame::resizeEvent(e);
    SetPaintPos(e->size().width(), e->size().height());
    RedrawAll();
}

// ---------------------------------------------------------------- markers

void CBoardFrame::ClearMarkerCell()
{
    if (m_byKomaPosX < 9 && m_byKomaPosY < 9)
        DrawKoma(m_byKomaPosX, m_byKomaPosY, Board(m_byKomaPosX, m_byKomaPosY));
}

void CBoardFrame::ShowMarker()
{
    if (!doc->GetOSBeforeSu() || m_byKomaPosX >= 9 || m_byKomaPosY >= 9)
        return;
    DrawKomaPos();
    DrawLapKoma(m_byKomaPosX, m_byKomaPosY, Board(m_byKomaPosX, m_byKomaPosY));
}

void CBoardFrame::SetMarkers(int c, int r)
{
    m_byKomaPosX = m_byBKomaPosX = BYTE(c);
    m_byKomaPosY = m_byBKomaPosY = BYTE(r);
    m_bKomaPos = true;
}

void CBoardFrame::RemoveWayMarks()
{
    for (BYTE i = 0; i < m_byWayNum; ++i)
        DrawKoma(m_Way[i] / 10, m_Way[i] % 10, Board(m_Way[i] / 10, m_Way[i] % 10));
    m_byWayNum = 0;
}

void CBoardFrame::MarkersFromRecord(int index, int before)
{
    EndPicture(); // stepping the record shows the record
    const QVector<KIBO> &kibo = *doc->GetKibo();
    auto dest = [&kibo](int i, BYTE &x, BYTE &y) {
        const bool real = i >= 0 && i < kibo.size() && !IsResignKibo(kibo[i]);
        x = real ? kibo[i].dx : NoSquare;
        y = real ? kibo[i].dy : NoSquare;
    };
    if (index < 0 || index >= kibo.size()) {
        m_bKomaPos = false;
        m_byKomaPosX = m_byKomaPosY = m_byBKomaPosX = m_byBKomaPosY = NoSquare;
    } else {
        m_bKomaPos = true;
        dest(index, m_byKomaPosX, m_byKomaPosY);
        dest(before, m_byBKomaPosX, m_byBKomaPosY);
    }
    RedrawAll();
}

void CBoardFrame::UpsetBoard()
{
    EndPicture(); // drawn for the other orientation
    FlipHint();
    if (m_bKomaPos) {
        for (BYTE *v : {&m_byKomaPosX, &m_byKomaPosY, &m_byBKomaPosX, &m_byBKomaPosY})
            if (*v < 9)
                *v = BYTE(8 - *v);
    }
    SetPaintPos(width(), height());
    RedrawAll();
}

void CBoardFrame::RetractKibo(int n)
{
    MarkersFromRecord(n - 1, n - 2);
}

void CBoardFrame::KiboBackOne()
{
    const int p = doc->GetKiboTestPos();
    MarkersFromRecord(p - 1, p - 2);
}

void CBoardFrame::KiboForwardOne()
{
    const int p = doc->GetKiboTestPos();
    if (p + 1 >= doc->GetKiboNum())
        MarkersFromRecord(-1, -1);
    else
        MarkersFromRecord(p + 1, p);
}

void CBoardFrame::KiboForwardBefore()
{
    EndPicture();
    const int p = doc->GetKiboTestPos() + 1;
    const QVector<KIBO> &kibo = *doc->GetKibo();
    if (p < 0 || p >= kibo.size() || IsResignKibo(kibo[p]))
        return;
    ClearMarkerCell();
    m_bKomaPos = true;
    m_byKomaPosX = kibo[p].sx;
    m_byKomaPosY = kibo[p].sy;
    ShowMarker();
}
