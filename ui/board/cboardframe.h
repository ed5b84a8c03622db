#ifndef KORVANE_CBOARDFRAME_H
#define KORVANE_CBOARDFRAME_H

#include "Gloval.h"
#include "boardgeometry.h"

#include <QByteArray>
#include <QFrame>
#include <QPixmap>
#include <QTimer>
#include <QVector>

class QPainter;
class ShogiDoc;
namespace MoveRules {
struct Move;
}

// The board with both stands: drawing (cboardframe.cpp) and the mouse
// (cboardmouse.cpp). Everything is drawn into m_BoardPixmap, which the paint
// event puts on the screen together with the piece that follows the mouse.
class CBoardFrame : public QFrame
{
    Q_OBJECT

public:
    explicit CBoardFrame(ShogiDoc *pDoc, QWidget *parent = nullptr);
    ~CBoardFrame() override;

    void Init();
    void SetPaintPos(int width, int height);
    const BoardGeometry &Geometry() const { return m_geo; }
    // Draws the whole picture anew from the document.
    void RedrawAll();

    void DrawLine(QPainter &p);
    void DrawNumber(QPainter &p);
    void DrawKomaPos();
    void DaiKoma(BYTE owner);
    void DrawKoma(int c, int r, BYTE code);
    void DrawLapKoma(int c, int r, BYTE code);
    // The piece following the mouse, its sprite's top-left at (px, py).
    void BltKoma(int px, int py, BYTE code);
    void DelCell(int c, int r);
    void DrawWay(int c, int r, int orientation);

    int GetLogicX(int px) const;
    int GetLogicY(int py) const;
    BYTE WhichDai(int px, int py) const;
    BYTE WhichKoma(int px, int py) const;
    int GetDaiX1(BYTE owner, BYTE kind) const;
    int GetDaiX2(BYTE owner, BYTE kind) const;
    int GetDaiY(BYTE owner, BYTE kind) const;
    static void GetDaiX(int x1, int x2, int w, int n, int out[]);
    // Top-left pixel of a stand.
    QPoint DaiPos(BYTE owner) const;
    // Pixel centre of a board cell / of the slot of a stand piece.
    QPoint CellCenter(int c, int r) const;
    QPoint DaiKomaCenter(BYTE owner, BYTE kind) const;

    void UpsetBoard();
    void RetractKibo(int n);
    void KiboBackOne();
    void KiboForwardOne();
    void KiboForwardBefore();

    // Mouse rules.
    bool Naru(BYTE code, BYTE fromRow, BYTE toRow);
    bool IsInMoveablePos(int c, int r);
    // (c, r) is among the moves of the piece on (sx, sy), king safety aside.
    bool IsReachable(int sx, int sy, int c, int r);
    bool IsValidDaiKoma(int c, int r, BYTE code);
    void ConvertEditKoma(int px, int py);
    void ComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool promote);
    // Records a computer move being shown at once instead of after its second.
    void FinishComputerMove();
    bool IsShowingComputerMove() const { return m_comTimer.isActive(); }
    // How long a computer move is shown lifted (1000 ms; tests shorten it).
    void SetComputerMoveShowTime(int ms) { m_comTimer.setInterval(ms); }

    const QPixmap &BoardPixmap() const { return m_BoardPixmap; }

    // A move typed at the keyboard and already checked, played as a mouse
    // move is; false while the mouse holds a piece or a computer move shows.
    bool PlayTypedMove(const MoveRules::Move &m);
    // Takes the piece sheet of the current piece style and redraws.
    void ReloadPieces();

    // A position drawn in place of the document's, to look ahead along a
    // line; in the document's squares and codes. The document is never
    // touched: the mouse and the record go on reading it, and any change of
    // it, a press on the board, a typed or computer move ends the picture.
    struct Picture
    {
        BYTE board[9][9] = {};       // [column][row] as drawn
        int hand[3][8] = {};         // [owner 1, 2][kind 1..7]
        BYTE lastX = 10, lastY = 10; // where the move that led here arrived
        QString caption;
    };
    // False, and nothing shown, while a piece is held or a computer move shows.
    bool ShowPicture(const Picture &picture);
    void EndPicture();
    bool IsShowingPicture() const { return m_bPicture; }
    // The piece drawn at (c, r): the picture's, else the document's.
    BYTE Shown(int c, int r) const;
    // A suggested move framed on the board: its squares, or for a drop the
    // piece on the mover's stand and the square. It goes when the position
    // or the side to move changes.
    struct HintMark
    {
        BYTE sx = 10, sy = 10; // 10: a drop
        BYTE dx = 10, dy = 10;
        BYTE dropOwner = 0, dropKind = 0;
    };
    void SetHint(const HintMark &hint);
    bool HasHint() const;
    // The framed places, in widget pixels; empty without a hint.
    QVector<QRect> HintRects() const;

    // Fields (held piece and markers), read by the tests.
    bool m_bKomaPos = false;
    bool m_bDaiPress = false;
    BYTE m_byDaiKoma = 0;
    bool m_bMP = false;
    BYTE m_byMPX = 0, m_byMPY = 0;
    BYTE m_byWayNum = 0;
    BYTE m_Way[81] = {}; // legal destinations or drop squares of the held piece
    BYTE m_byKomaPosX = 10, m_byKomaPosY = 10;
    BYTE m_byBKomaPosX = 10, m_byBKomaPosY = 10;
    int m_nMousePressX = -1, m_nMousePressY = -1;
    bool m_bReleaseMove = false;
    bool m_bComPress = false;

signals:
    // Why a move was refused; the status bar shows it.
    void StatusText(const QString &text);
    void PiecePlaced();
    // A human's move is in the record and the turn not yet passed: the
    // window judges whether it mated.
    void HumanMoved();
    void pictureEnded();
    // Init ran: a new game, an opened record or editing begins.
    void reset();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private slots:
    void ComputerMoveShown();

private:
    bool OnBoard(int c, int r) const { return c >= 0 && c < 9 && r >= 0 && r < 9; }
    QRect CellRect(int c, int r) const;
    BYTE Board(int c, int r) const;
    void DrawSprite(QPainter &p, int px, int py, BYTE code);
    void PaintDaiKoma(QPainter &p, BYTE owner);
    void UpdateCell(int c, int r);
    // The cell of the last-move marker drawn without it.
    void ClearMarkerCell();
    // The marker and the piece on it, when the last-move option is on.
    void ShowMarker();
    void SetMarkers(int c, int r);
    void MarkersFromRecord(int index, int before);
    void RemoveWayMarks();
    void ShowWayMarks();
    // Why a move was refused, in the status bar (eucText nullptr: nothing).
    void Refuse(const char *eucText);
    void MarkKingsInCheck(QPainter &p);
    void DropFloat();
    bool IsComputerToMove() const;
    void PlayPutSound();
    void PressOnBoard(int c, int r, int x, int y);
    void PressOnStand(int x, int y);
    void ReleaseStandPiece(int x, int y);
    void ReleaseBoardPiece(int x, int y);
    void EditReleaseStandPiece(int x, int y);
    void EditReleaseBoardPiece(int x, int y);
    void LoadPictures();
    // What the board and the mover are in the document, to tell when the
    // picture or the hint no longer belongs to it.
    QByteArray DocPrint(bool withHands) const;
    void EndStaleOverlays();
    int ShownHand(BYTE owner, BYTE kind) const;
    void PaintOverlays(QPainter &p);
    void FlipHint();

    QPixmap m_BoardPixmap;
    BoardGeometry m_geo;
    int m_bySelectedBMPNum = 3;
    QPixmap m_bmpBoard, m_bmpKoma, m_bmpDai, m_bmpBack;
    // The board picture at the size of the current size class.
    QPixmap m_scaledBoard;
    int m_nScaledClass = -1;
    ShogiDoc *doc;

    bool m_bFloat = false;
    QPoint m_floatPos;
    BYTE m_floatCode = 0;
    int m_nRButtonX = -1, m_nRButtonY = -1;
    BYTE m_byComDx = 0, m_byComDy = 0;
    bool m_bComNaru = false;
    QTimer m_comTimer;

    bool m_bPicture = false;
    Picture m_picture;
    QByteArray m_picturePrint;
    bool m_bHint = false;
    HintMark m_hint;
    QByteArray m_hintPrint;
};

#endif
