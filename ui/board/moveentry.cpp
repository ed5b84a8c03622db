#include "moveentry.h"

#include "cboardframe.h"
#include "cplayer.h"
#include "gameflow.h"
#include "language.h"
#include "shogidoc.h"
#include "shogiview.h"
#include "typedmove.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

CMoveEntry::CMoveEntry(ShogiDoc *doc, CBoardFrame *board, QWidget *parent)
    : QWidget(parent), m_pDoc(doc), m_pBoard(board)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    auto *label = new QLabel(JStr(JC_TypedMove), this);
    m_pField = new QLineEdit(this);
    m_pField->setObjectName(QStringLiteral("typedMove"));
    m_pField->setToolTip(JStr(JC_TypedMoveTip));
    m_pField->setPlaceholderText(QStringLiteral("P-7f  7g7f"));
    m_pField->setMinimumWidth(m_pField->fontMetrics().horizontalAdvance(QLatin1Char('m')) * 36);
    label->setBuddy(m_pField);
    layout->addWidget(label);
    layout->addWidget(m_pField, 1);
    connect(m_pField, &QLineEdit::returnPressed, this, [this] { Submit(m_pField->text()); });
    // The first key after a refusal starts a new move.
    connect(m_pField, &QLineEdit::textEdited, this, [this] {
        if (m_bShowingRefusal) {
            m_bShowingRefusal = false;
            m_pField->setStyleSheet(QString());
        }
    });
}

bool CMoveEntry::Submit(const QString &text)
{
    ShogiDoc *doc = m_pDoc;
    CBoardFrame *board = m_pBoard;
    const CPlayer *mover = doc->GetPlayer(doc->GetCurPlayer());
    // The same moments the mouse may move a piece in a game.
    const bool humanToMove = g_byGameStatus == GameStatus::Playing && !doc->IsMustWait() && mover &&
                             mover->GetProperty() == 1 && !board->IsShowingComputerMove();
    if (!humanToMove) {
        ShowRefusal(JStr(JC_MoveNotNow));
        return false;
    }
    const TypedMoveAnswer answer = ResolveTypedMove(*doc, text);
    if (answer.refusal) {
        ShowRefusal(text.trimmed() + QStringLiteral(": ") + JStr(answer.refusal));
        return false;
    }
    if (!board->PlayTypedMove(answer.move)) {
        ShowRefusal(JStr(JC_MoveNotNow));
        return false;
    }
    m_bShowingRefusal = false;
    m_pField->setStyleSheet(QString());
    m_pField->clear();
    return true;
}

void CMoveEntry::ShowRefusal(const QString &reason)
{
    m_bShowingRefusal = true;
    m_pField->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pField->setText(reason);
    m_pField->selectAll();
}

bool CBoardFrame::PlayTypedMove(const MoveRules::Move &m)
{
    if (m_bMP || m_bDaiPress || m_bComPress)
        return false;
    if (m_bPicture) {
        // Typed while a line was shown: the game's position first.
        EndPicture();
        return false;
    }
    PlayPutSound();
    doc->AddKibo(m.sx, m.sy, m.skoma, m.dx, m.dy, m.dkoma, m.koma);
    RemoveWayMarks();
    SetMarkers(m.dx, m.dy);
    RedrawAll();
    doc->Play();
    return true;
}
