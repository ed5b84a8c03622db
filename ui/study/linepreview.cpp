#include "linepreview.h"

#include "cboardframe.h"
#include "displayprefs.h"
#include "language.h"
#include "shogidoc.h"
#include "studycore.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QWindow>

namespace {
constexpr int kNotOurs = 2;
} // namespace

LinePreview::LinePreview(const StudyParts &parts, QObject *parent) : QObject(parent), m_parts(parts)
{
    connect(m_parts.board, &CBoardFrame::pictureEnded, this, &LinePreview::Ended);
}

LinePreview::~LinePreview()
{
    qApp->removeEventFilter(this);
}

bool LinePreview::Start(const usi::Position &from, int lastDst, const QStringList &pv)
{
    const std::vector<usi::Move> moves = study::LegalPrefix(from, pv);
    if (moves.empty())
        return false;
    std::vector<usi::Position> positions{from};
    std::vector<int> dsts{lastDst};
    QStringList texts;
    for (const usi::Move &m : moves) {
        texts.append(study::MoveText(positions.back(), m, dsts.back(), ShownNotationStyle()));
        positions.push_back(usi::Apply(positions.back(), m));
        dsts.push_back(m.dst);
    }
    const bool wasOn = IsOn();
    m_frame = records::FrameOf(*m_parts.doc);
    m_positions = std::move(positions);
    m_dsts = std::move(dsts);
    m_texts = texts;
    m_step = 1;
    Show();
    if (!IsOn())
        return false;
    if (!wasOn)
        qApp->installEventFilter(this);
    emit HelpShown(JStr(JC_StudyPreviewHelp));
    return true;
}

void LinePreview::Step(int by)
{
    if (!IsOn())
        return;
    m_step = qBound(0, m_step + by, StepCount());
    Show();
}

void LinePreview::Leave()
{
    m_parts.board->EndPicture(); // Ended() follows
}

void LinePreview::Show()
{
    const usi::Position &p = m_positions[size_t(m_step)];
    CBoardFrame::Picture picture;
    for (int file = 1; file <= 9; ++file)
        for (int rank = 1; rank <= 9; ++rank) {
            int x = 0, y = 0;
            const int sq = usi::Square(file, rank);
            records::FromUsiSquare(m_frame, sq, x, y);
            picture.board[x][y] = BYTE(records::FromUsiCode(m_frame, p.At(sq)));
        }
    for (int side : {usi::kSente, usi::kGote}) {
        const int owner = (side == usi::kSente) == m_frame.firstIsSente ? 1 : 2;
        for (int kind = 1; kind <= 7; ++kind)
            picture.hand[owner][kind] = p.hand[side][kind];
    }
    if (m_step > 0) {
        int x = 0, y = 0;
        records::FromUsiSquare(m_frame, m_dsts[size_t(m_step)], x, y);
        picture.lastX = BYTE(x);
        picture.lastY = BYTE(y);
    }
    picture.caption = JStr(JC_StudyPv) + QStringLiteral("  %1/%2  ").arg(m_step).arg(StepCount()) +
                      (m_step > 0 ? m_texts[m_step - 1] : QString());
    if (!m_parts.board->ShowPicture(picture)) {
        Ended();
        return;
    }
    emit changed();
}

void LinePreview::Ended()
{
    if (!IsOn())
        return;
    qApp->removeEventFilter(this);
    m_positions.clear();
    m_dsts.clear();
    m_texts.clear();
    m_step = 0;
    emit HelpGone(JStr(JC_StudyPreviewHelp));
    emit changed();
}

int LinePreview::KeyStep(const QKeyEvent *k) const
{
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    if (k->key() == Qt::Key_Escape && mods == Qt::NoModifier)
        return 0;
    // Text fields keep their own arrow keys.
    QWidget *focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QAbstractSpinBox *>(focus))
        return kNotOurs;
    const QKeySequence pressed(int(mods) | k->key());
    if (m_parts.backOne->shortcuts().contains(pressed))
        return -1;
    if (m_parts.forwardOne->shortcuts().contains(pressed))
        return 1;
    return kNotOurs;
}

bool LinePreview::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress)
        return false;
    // Only keys meant for the main window: a dialog keeps its Escape.
    const auto *w = qobject_cast<QWidget *>(watched);
    if (w ? w->window() != m_parts.window : watched != m_parts.window->windowHandle())
        return false;
    const int by = KeyStep(static_cast<QKeyEvent *>(e));
    if (by == kNotOurs)
        return false;
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept(); // the key comes as a key press instead of the command
        return true;
    }
    if (by == 0)
        Leave();
    else
        Step(by);
    return true;
}
