// What the board shows over the game: a line looked ahead in place of the
// game's position, and the squares of a hint.

#include "cboardframe.h"

#include "cplayer.h"
#include "gameflow.h"
#include "shogidoc.h"

#include <QPainter>

namespace {
const QColor PictureColor(40, 90, 200);
constexpr int PictureFrameWidth = 6;
const QColor HintColor(230, 110, 0);
constexpr int HintFrameWidth = 4;
} // namespace

QByteArray CBoardFrame::DocPrint(bool withHands) const
{
    // Read the same way up whichever side sits below, so turning the board
    // keeps a hint that still holds.
    const bool up = doc->GetFirstUp();
    QByteArray out;
    for (BYTE c = 0; c < 9; ++c)
        for (BYTE r = 0; r < 9; ++r)
            out.append(char(doc->GetBoardInfo(up ? 8 - c : c, up ? 8 - r : r)));
    if (withHands)
        for (BYTE owner = 1; owner <= 2; ++owner)
            for (BYTE kind = 1; kind <= 7; ++kind)
                out.append(char(doc->GetPlayer(owner)->GetDaiNum(kind)));
    const int state[] = {doc->GetCurPlayer(), doc->GetKiboNum(), doc->GetKiboTestPos(),
                         g_byGameStatus};
    out.append(reinterpret_cast<const char *>(state), int(sizeof state));
    return out;
}

BYTE CBoardFrame::Shown(int c, int r) const
{
    if (!OnBoard(c, r))
        return 0;
    return m_bPicture ? m_picture.board[c][r] : Board(c, r);
}

int CBoardFrame::ShownHand(BYTE owner, BYTE kind) const
{
    return m_bPicture ? m_picture.hand[owner][kind] : doc->GetPlayer(owner)->GetDaiNum(kind);
}

bool CBoardFrame::ShowPicture(const Picture &picture)
{
    // A held stand piece is out of the document's hand until it lands.
    if (m_bMP || m_bDaiPress || m_bComPress)
        return false;
    if (!m_bPicture)
        m_picturePrint = DocPrint(true);
    m_bPicture = true;
    m_picture = picture;
    RedrawAll();
    return true;
}

void CBoardFrame::EndPicture()
{
    if (!m_bPicture)
        return;
    m_bPicture = false;
    RedrawAll();
    emit pictureEnded();
}

void CBoardFrame::EndStaleOverlays()
{
    if (m_bPicture && DocPrint(true) != m_picturePrint) {
        m_bPicture = false;
        emit pictureEnded();
    }
    if (m_bHint && !HasHint())
        m_bHint = false;
}

void CBoardFrame::SetHint(const HintMark &hint)
{
    m_hint = hint;
    m_hintPrint = DocPrint(false);
    m_bHint = true;
    update();
}

bool CBoardFrame::HasHint() const
{
    // Hands are left out: lifting the hinted piece off the stand keeps it.
    return m_bHint && DocPrint(false) == m_hintPrint;
}

void CBoardFrame::FlipHint()
{
    for (BYTE *v : {&m_hint.sx, &m_hint.sy, &m_hint.dx, &m_hint.dy})
        if (*v < 9)
            *v = BYTE(8 - *v);
}

QVector<QRect> CBoardFrame::HintRects() const
{
    QVector<QRect> out;
    if (!HasHint())
        return out;
    if (OnBoard(m_hint.sx, m_hint.sy))
        out.append(CellRect(m_hint.sx, m_hint.sy));
    else if (m_hint.dropOwner == 1 || m_hint.dropOwner == 2) {
        const int x1 = GetDaiX1(m_hint.dropOwner, m_hint.dropKind);
        const int x2 = GetDaiX2(m_hint.dropOwner, m_hint.dropKind);
        out.append(QRect(x1, GetDaiY(m_hint.dropOwner, m_hint.dropKind), x2 - x1, m_geo.h));
    }
    if (OnBoard(m_hint.dx, m_hint.dy))
        out.append(CellRect(m_hint.dx, m_hint.dy));
    return out;
}

void CBoardFrame::PaintOverlays(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    if (!m_bPicture) {
        p.setPen(QPen(HintColor, HintFrameWidth));
        for (const QRect &r : HintRects())
            p.drawRect(r.adjusted(HintFrameWidth / 2, HintFrameWidth / 2, -HintFrameWidth / 2,
                                  -HintFrameWidth / 2));
        return;
    }
    // A tinted frame round the board, and the caption over its upper margin.
    const QRect board(m_geo.startX1, m_geo.startY1, 10 * m_geo.w, 10 * m_geo.h);
    p.setPen(QPen(PictureColor, PictureFrameWidth));
    p.drawRect(board);
    const QRect band(board.left(), board.top(), board.width(),
                     qMax(m_geo.startY2 - m_geo.startY1, 16));
    p.fillRect(band, PictureColor);
    QFont font = p.font();
    font.setPixelSize(qMax(10, band.height() * 2 / 3));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, m_picture.caption);
}
