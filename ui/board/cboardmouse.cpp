// Mouse handling of the board widget and the showing of computer moves.

#include "cboardframe.h"

#include "commandid.h"
#include "cplayer.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "moverules.h"
#include "refusals.h"
#include "shogidoc.h"

#include <QMouseEvent>

#include <algorithm>

namespace {
constexpr BYTE King = 8;
constexpr BYTE Gold = 5;
constexpr BYTE DropPos = 10;

BYTE Status()
{
    return g_byGameStatus;
}

} // namespace

bool CBoardFrame::IsComputerToMove() const
{
    const CPlayer *p = doc->GetPlayer(doc->GetCurPlayer());
    return p && p->GetProperty() == 2;
}

void CBoardFrame::Refuse(const char *eucText)
{
    if (eucText)
        emit StatusText(JStr(eucText));
}

void CBoardFrame::ShowWayMarks()
{
    if (m_byWayNum == 0 || !doc->GetViewMoveablePos())
        return;
    const int orientation = MoveRules::IsBottom(*doc, doc->GetCurPlayer()) ? 0 : 1;
    for (BYTE i = 0; i < m_byWayNum; ++i)
        DrawWay(m_Way[i] / 10, m_Way[i] % 10, orientation);
}

void CBoardFrame::PlayPutSound()
{
    if (doc->GetOSSound())
        emit PiecePlaced();
}

// ---------------------------------------------------------------- rules

bool CBoardFrame::Naru(BYTE code, BYTE fromRow, BYTE toRow)
{
    switch (MoveRules::PromotionFor(*doc, code, fromRow, toRow)) {
    case MoveRules::MustPromote:
        return true;
    case MoveRules::MayPromote:
        return ShowBox(this, BoxKind::Question, JC_IsNaru) == BoxAnswer::Yes;
    case MoveRules::NoPromotion:
    default:
        return false;
    }
}

bool CBoardFrame::IsInMoveablePos(int c, int r)
{
    if (m_byWayNum == 0 || !OnBoard(c, r))
        return false;
    const BYTE target = MakePhysicsPos(BYTE(c), BYTE(r));
    for (BYTE i = 0; i < m_byWayNum; ++i)
        if (m_Way[i] == target)
            return true;
    return false;
}

bool CBoardFrame::IsReachable(int sx, int sy, int c, int r)
{
    BYTE reach[30];
    BYTE num = 0;
    doc->GetWay(BYTE(sx), BYTE(sy), Board(sx, sy), num, reach);
    return std::find(reach, reach + num, MakePhysicsPos(BYTE(c), BYTE(r))) != reach + num;
}

bool CBoardFrame::IsValidDaiKoma(int c, int r, BYTE code)
{
    return OnBoard(c, r) && MoveRules::CheckDrop(*doc, BYTE(c), BYTE(r), code) == MoveRules::DropOk;
}

void CBoardFrame::ConvertEditKoma(int px, int py)
{
    const int c = GetLogicX(px), r = GetLogicY(py);
    const BYTE v = Board(c, r);
    if (Status() != GameStatus::Editing || v == 0 || GetKomaSort(v) == King)
        return;
    const BYTE kind = GetKomaSort(v), owner = GetWhoseKoma(v);
    BYTE next;
    if (kind == Gold)
        next = MakePhysicsKoma(kind, BYTE(3 - owner), 1);
    else if (GetKomaProperty(v) == 1)
        next = MakePhysicsKoma(kind, owner, 2);
    else
        next = MakePhysicsKoma(kind, BYTE(3 - owner), 1);
    doc->SetBoardInfo(BYTE(c), BYTE(r), next);
    DrawKoma(c, r, next);
}

// ---------------------------------------------------------------- press

void CBoardFrame::mousePressEvent(QMouseEvent *e)
{
    const int x = e->x(), y = e->y();
    if (m_bPicture) {
        // A press on a line looked ahead only brings the game's position back.
        m_nRButtonX = m_nRButtonY = m_nMousePressX = m_nMousePressY = -1;
        EndPicture();
        return;
    }
    if (e->button() == Qt::RightButton) {
        m_nRButtonX = x;
        m_nRButtonY = y;
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    if (Status() == GameStatus::ShowingComputerMove || doc->IsMustWait())
        return;
    if (Status() == GameStatus::Playing && IsComputerToMove())
        return;
    if (Status() != GameStatus::Removing) {
        if (m_bReleaseMove) {
            // The second click of a click-move: its release completes the move.
            m_bReleaseMove = false;
            m_nMousePressX = m_nMousePressY = -1;
            return;
        }
        m_nMousePressX = x;
        m_nMousePressY = y;
    }
    const int c = GetLogicX(x), r = GetLogicY(y);
    if (OnBoard(c, r)) {
        if (Board(c, r) != 0)
            PressOnBoard(c, r, x, y);
        return;
    }
    PressOnStand(x, y);
}

void CBoardFrame::PressOnBoard(int c, int r, int x, int y)
{
    const BYTE v = Board(c, r);
    if (Status() == GameStatus::Removing) {
        if (GetKomaSort(v) == King) {
            ShowBox(this, BoxKind::Information, JC_MSGNotKillWang);
        } else if (ShowBox(this, BoxKind::Question, JC_IsKill) == BoxAnswer::Yes) {
            doc->DelBoardInfo(BYTE(c), BYTE(r));
            DelCell(c, r);
        }
        return;
    }
    if (Status() == GameStatus::Editing) {
        m_bMP = true;
        m_byMPX = BYTE(c);
        m_byMPY = BYTE(r);
        DelCell(c, r);
        BltKoma(x - m_geo.w / 2, y - m_geo.h / 2, v);
        return;
    }
    if (GetWhoseKoma(v) != doc->GetCurPlayer())
        return;
    ClearMarkerCell();
    m_bMP = true;
    m_byMPX = BYTE(c);
    m_byMPY = BYTE(r);
    m_byKomaPosX = BYTE(c);
    m_byKomaPosY = BYTE(r);
    m_bKomaPos = true;
    if (doc->GetOSBeforeSu())
        DrawKomaPos();
    else
        DelCell(c, r);
    m_byWayNum = BYTE(MoveRules::LegalDestinations(*doc, BYTE(c), BYTE(r), m_Way));
    ShowWayMarks();
    BltKoma(x - m_geo.w / 2, y - m_geo.h / 2, v);
}

void CBoardFrame::PressOnStand(int x, int y)
{
    const BYTE s = WhichDai(x, y);
    if (s == 0 || (Status() == GameStatus::Playing && s != doc->GetCurPlayer()))
        return;
    const BYTE kind = WhichKoma(x, y);
    if (kind == 0)
        return;
    ClearMarkerCell();
    m_bDaiPress = true;
    m_byDaiKoma = MakePhysicsKoma(kind, s, 1);
    CPlayer *player = doc->GetPlayer(s);
    if (Status() == GameStatus::Removing) {
        if (ShowBox(this, BoxKind::Question, JC_IsKill) == BoxAnswer::Yes)
            player->DelKoma(kind);
        DaiKoma(s);
        m_bDaiPress = false;
        return;
    }
    player->DelKoma(kind);
    DaiKoma(s);
    if (Status() == GameStatus::Playing) {
        m_byWayNum = BYTE(MoveRules::LegalDrops(*doc, m_byDaiKoma, m_Way));
        ShowWayMarks();
    }
    BltKoma(x - m_geo.w / 2, y - m_geo.h / 2, m_byDaiKoma);
}

// ---------------------------------------------------------------- move

void CBoardFrame::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_bComPress && (m_bMP || m_bDaiPress))
        BltKoma(e->x() - m_geo.w / 2, e->y() - m_geo.h / 2,
                m_bMP ? Board(m_byMPX, m_byMPY) : m_byDaiKoma);
}

// ---------------------------------------------------------------- release

void CBoardFrame::mouseReleaseEvent(QMouseEvent *e)
{
    const int x = e->x(), y = e->y();
    if (e->button() == Qt::RightButton) {
        if (x == m_nRButtonX && y == m_nRButtonY)
            ConvertEditKoma(x, y);
        return;
    }
    if (e->button() != Qt::LeftButton || Status() == GameStatus::ShowingComputerMove)
        return;
    if (x == m_nMousePressX && y == m_nMousePressY) {
        // A click: the piece stays held until the second click.
        const int c = GetLogicX(x), r = GetLogicY(y);
        const bool playing = Status() == GameStatus::Playing;
        if (OnBoard(c, r)) {
            const BYTE v = Board(c, r);
            if (m_bMP && v != 0 &&
                ((playing && GetWhoseKoma(v) == doc->GetCurPlayer()) ||
                 Status() == GameStatus::Editing))
                m_bReleaseMove = true;
        } else if (m_bDaiPress) {
            const BYTE s = WhichDai(x, y);
            if (s != 0 && (!playing || s == doc->GetCurPlayer()))
                m_bReleaseMove = true;
        }
        return;
    }
    if (m_bDaiPress)
        ReleaseStandPiece(x, y);
    else if (m_bMP)
        ReleaseBoardPiece(x, y);
}

void CBoardFrame::ReleaseStandPiece(int x, int y)
{
    m_bDaiPress = false;
    DropFloat();
    if (Status() == GameStatus::Editing) {
        EditReleaseStandPiece(x, y);
        return;
    }
    const BYTE p = m_byDaiKoma;
    const BYTE owner = GetWhoseKoma(p);
    const int c = GetLogicX(x), r = GetLogicY(y);
    // Back into the hand either way; a recorded drop takes it out again.
    doc->GetPlayer(owner)->AddKoma(GetKomaSort(p));
    RemoveWayMarks();
    if (!IsValidDaiKoma(c, r, p)) {
        if (OnBoard(c, r))
            Refuse(DropRefusal(MoveRules::CheckDrop(*doc, BYTE(c), BYTE(r), p)));
        m_byKomaPosX = m_byBKomaPosX;
        m_byKomaPosY = m_byBKomaPosY;
        ShowMarker();
        DaiKoma(owner);
        return; // the refusal stays in the status bar
    }
    PlayPutSound();
    doc->AddKibo(DropPos, DropPos, p, BYTE(c), BYTE(r), 0, p);
    SetMarkers(c, r);
    RedrawAll(); // the stand, the marker and a king now in check
    emit HumanMoved();
    doc->Play();
}

void CBoardFrame::ReleaseBoardPiece(int x, int y)
{
    m_bMP = false;
    DropFloat();
    if (Status() == GameStatus::Editing) {
        EditReleaseBoardPiece(x, y);
        return;
    }
    const int sx = m_byMPX, sy = m_byMPY;
    const BYTE p = Board(sx, sy);
    const int c = GetLogicX(x), r = GetLogicY(y);
    if (!IsInMoveablePos(c, r)) {
        if (OnBoard(c, r) && (c != sx || r != sy))
            Refuse(IsReachable(sx, sy, c, r) ? JC_RefuseKingLeftInCheck : JC_RefuseNotReachable);
        RemoveWayMarks();
        DrawKoma(sx, sy, p);
        m_byKomaPosX = m_byBKomaPosX;
        m_byKomaPosY = m_byBKomaPosY;
        ShowMarker();
        m_byWayNum = 0;
        return; // the refusal stays in the status bar
    }
    BYTE next = p;
    if (GetKomaSort(p) != King && GetKomaSort(p) != Gold && Naru(p, BYTE(sy), BYTE(r)))
        next = MakePhysicsKoma(GetKomaSort(p), GetWhoseKoma(p), 2);
    PlayPutSound();
    doc->AddKibo(BYTE(sx), BYTE(sy), p, BYTE(c), BYTE(r), Board(c, r), next);
    m_byWayNum = 0;
    SetMarkers(c, r);
    RedrawAll(); // the stand, the marker and a king now in check
    emit HumanMoved();
    doc->Play();
}

void CBoardFrame::EditReleaseStandPiece(int x, int y)
{
    const BYTE p = m_byDaiKoma;
    const BYTE owner = GetWhoseKoma(p), kind = GetKomaSort(p);
    const int c = GetLogicX(x), r = GetLogicY(y);
    if (!OnBoard(c, r)) {
        const BYTE s = WhichDai(x, y);
        doc->GetPlayer(s ? s : owner)->AddKoma(kind);
        DaiKoma(1);
        DaiKoma(2);
        return;
    }
    const BYTE t = Board(c, r);
    if (t != 0 && GetWhoseKoma(t) == owner) {
        doc->GetPlayer(owner)->AddKoma(kind);
        DaiKoma(owner);
    } else if (t != 0 && GetKomaSort(t) == King) {
        doc->GetPlayer(owner)->AddKoma(kind);
        DaiKoma(owner);
        ShowBox(this, BoxKind::Information, JC_MSGNotKillWang);
    } else {
        doc->SetBoardInfo(BYTE(c), BYTE(r), p);
        DrawKoma(c, r, p);
    }
}

void CBoardFrame::EditReleaseBoardPiece(int x, int y)
{
    const int sx = m_byMPX, sy = m_byMPY;
    const BYTE p = Board(sx, sy);
    const int c = GetLogicX(x), r = GetLogicY(y);
    if (!OnBoard(c, r)) {
        const BYTE s = WhichDai(x, y);
        // A king never leaves the board: each side keeps exactly one.
        if (s == 0 || GetKomaSort(p) == King) {
            DrawKoma(sx, sy, p);
            return;
        }
        doc->GetPlayer(s)->AddKoma(GetKomaSort(p));
        doc->DelBoardInfo(BYTE(sx), BYTE(sy));
        DelCell(sx, sy);
        DaiKoma(s);
        return;
    }
    const BYTE t = Board(c, r);
    if ((t != 0 && GetWhoseKoma(t) == GetWhoseKoma(p)) || (c == sx && r == sy)) {
        DrawKoma(sx, sy, p);
    } else if (t != 0 && GetKomaSort(t) == King) {
        DrawKoma(sx, sy, p);
        ShowBox(this, BoxKind::Information, JC_MSGNotKillWang);
    } else {
        doc->SetBoardInfo(BYTE(c), BYTE(r), p);
        doc->DelBoardInfo(BYTE(sx), BYTE(sy));
        DelCell(sx, sy);
        DrawKoma(c, r, p);
    }
}

void CBoardFrame::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (Status() != GameStatus::Editing || e->button() != Qt::LeftButton)
        return;
    const int c = GetLogicX(e->x()), r = GetLogicY(e->y());
    if (OnBoard(c, r)) {
        const BYTE v = Board(c, r);
        if (v != 0 && GetKomaSort(v) != King) {
            doc->GetPlayer(GetWhoseKoma(v))->AddKoma(GetKomaSort(v));
            doc->DelBoardInfo(BYTE(c), BYTE(r));
            DelCell(c, r);
            DaiKoma(GetWhoseKoma(v));
        } else if (m_bMP) {
            DrawKoma(m_byMPX, m_byMPY, Board(m_byMPX, m_byMPY));
        }
        m_bMP = false;
    } else if (m_bDaiPress) {
        const BYTE owner = GetWhoseKoma(m_byDaiKoma);
        doc->GetPlayer(BYTE(3 - owner))->AddKoma(GetKomaSort(m_byDaiKoma));
        m_bDaiPress = false;
        m_byDaiKoma = 0;
        DaiKoma(1);
        DaiKoma(2);
    }
    DropFloat();
    m_bReleaseMove = false;
    m_nMousePressX = m_nMousePressY = -1;
}

// ---------------------------------------------------------------- computer

void CBoardFrame::ComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool promote)
{
    m_byComDx = dx;
    m_byComDy = dy;
    m_bComNaru = promote;
    EndPicture(); // the move is shown on the game's own position
    g_byTempGameStatus = g_byGameStatus;
    g_byGameStatus = GameStatus::ShowingComputerMove;
    m_bComPress = true;
    if (kind > 128)
        kind = BYTE(kind - 128);
    if (kind > 8)
        kind = BYTE(kind - 8);
    const BYTE me = doc->GetCurPlayer();
    const bool boardMove = sx < 9 && sy < 9;
    const BYTE v = boardMove ? Board(sx, sy) : 0;
    const bool usable = boardMove ? v != 0 && GetWhoseKoma(v) == me
                                  : kind >= 1 && kind <= 7 && doc->GetPlayer(me)->GetDaiNum(kind);
    if (!usable || !OnBoard(dx, dy)) {
        // A move that cannot be shown: give the board back as it was.
        g_byGameStatus = g_byTempGameStatus;
        m_bComPress = false;
        for (int id : {cmd::GameBreak, cmd::GameRetract, cmd::GameResign})
            doc->enableCommand(id);
        return;
    }
    ClearMarkerCell();
    if (boardMove) {
        m_bMP = true;
        m_byMPX = sx;
        m_byMPY = sy;
        m_byKomaPosX = sx;
        m_byKomaPosY = sy;
        m_bKomaPos = true;
        if (doc->GetOSBeforeSu())
            DrawKomaPos();
        else
            DelCell(sx, sy);
        const QRect cell = CellRect(sx, sy);
        BltKoma(cell.x(), cell.y(), v);
    } else {
        m_bDaiPress = true;
        m_byDaiKoma = MakePhysicsKoma(kind, me, 1);
        doc->GetPlayer(me)->DelKoma(kind);
        DaiKoma(me);
    }
    m_comTimer.start();
}

void CBoardFrame::FinishComputerMove()
{
    if (m_comTimer.isActive())
        ComputerMoveShown();
}

void CBoardFrame::ComputerMoveShown()
{
    m_comTimer.stop();
    m_bComPress = false;
    // Only a status still showing the move is handed back; a command run in
    // the meantime (the game's end) keeps its own.
    if (g_byGameStatus == GameStatus::ShowingComputerMove)
        g_byGameStatus = g_byTempGameStatus;
    const int dx = m_byComDx, dy = m_byComDy;
    if (m_bDaiPress) {
        m_bDaiPress = false;
        const BYTE p = m_byDaiKoma;
        doc->GetPlayer(GetWhoseKoma(p))->AddKoma(GetKomaSort(p));
        PlayPutSound();
        doc->AddKibo(DropPos, DropPos, p, BYTE(dx), BYTE(dy), 0, p);
        SetMarkers(dx, dy);
        DrawKoma(dx, dy, p);
        ShowMarker();
        DaiKoma(GetWhoseKoma(p));
    } else if (m_bMP) {
        m_bMP = false;
        DropFloat();
        const int sx = m_byMPX, sy = m_byMPY;
        const BYTE p = Board(sx, sy);
        const BYTE kind = GetKomaSort(p);
        const bool canPromote = kind != King && kind != Gold && GetKomaProperty(p) == 1;
        const BYTE next = m_bComNaru && canPromote ? MakePhysicsKoma(kind, GetWhoseKoma(p), 2) : p;
        PlayPutSound();
        doc->AddKibo(BYTE(sx), BYTE(sy), p, BYTE(dx), BYTE(dy), Board(dx, dy), next);
        DaiKoma(GetWhoseKoma(p));
        DelCell(sx, sy);
        SetMarkers(dx, dy);
        DrawKoma(dx, dy, next);
        ShowMarker();
    }
    DropFloat();
    RedrawAll();
    if (g_byGameStatus == GameStatus::Playing)
        for (int id : {cmd::GameBreak, cmd::GameRetract, cmd::GameResign})
            doc->enableCommand(id);
    doc->Play();
}
