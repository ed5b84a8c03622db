#include "studypanel.h"

#include "displayprefs.h"
#include "language.h"
#include "notation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    ColDepth,
    ColEval,
    ColWin,
    ColNodes,
    ColPv,
    ColumnCount
};
constexpr int kHandRows = 1; // a row of hand pieces above and below the board

} // namespace

PreviewBoard::PreviewBoard(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(180, 200);
}

void PreviewBoard::SetPosition(const usi::Position &p, int lastDst, bool senteAtTop)
{
    m_pos = p;
    m_lastDst = lastDst;
    m_turned = senteAtTop;
    update();
}

void PreviewBoard::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    g.fillRect(rect(), QColor(240, 210, 150));
    const int cell = qMin(width() / 9, height() / (9 + 2 * kHandRows));
    const QPoint origin((width() - 9 * cell) / 2, cell * kHandRows);
    QFont f = font();
    f.setPixelSize(qMax(8, cell * 2 / 3));
    g.setFont(f);
    for (int col = 0; col < 9; col++)
        for (int row = 0; row < 9; row++) {
            // col 0 is file 9 as drawn with sente below; turned, the board rotates.
            const int file = m_turned ? col + 1 : 9 - col, rank = m_turned ? 9 - row : row + 1;
            const int sq = usi::Square(file, rank);
            const QRect r(origin + QPoint(col * cell, row * cell), QSize(cell, cell));
            if (sq == m_lastDst)
                g.fillRect(r, QColor(250, 240, 120));
            g.setPen(Qt::black);
            g.drawRect(r);
            const int code = m_pos.At(sq);
            if (code == 0)
                continue;
            const bool upsideDown = (usi::OwnerOf(code) == usi::kGote) != m_turned;
            g.save();
            g.translate(r.center());
            if (upsideDown)
                g.rotate(180);
            g.drawText(QRect(-cell / 2, -cell / 2, cell, cell), Qt::AlignCenter,
                       records::PieceName(code).left(1));
            g.restore();
        }
    for (int side = usi::kSente; side <= usi::kGote; side++) {
        QString hand = JStr(side == usi::kSente ? JC_FirstSign : JC_SecondSign);
        for (int k = 7; k >= 1; k--)
            if (m_pos.hand[side][k] > 0)
                hand += records::PieceName(k) +
                        (m_pos.hand[side][k] > 1 ? QString::number(m_pos.hand[side][k]) : QString());
        const bool below = (side == usi::kSente) != m_turned;
        const QRect r(origin.x(), below ? origin.y() + 9 * cell : 0, 9 * cell, cell);
        g.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, hand);
    }
}

StudyPanel::StudyPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({JStr(JC_StudyDepth), JStr(JC_StudyEval), JStr(JC_StudyWin),
                             JStr(JC_StudyNodes), JStr(JC_StudyPv)});
    m_list->header()->setStretchLastSection(true);
    m_board = new PreviewBoard(this);
    m_board->hide();
    auto *buttons = new QHBoxLayout;
    m_back = new QPushButton(QStringLiteral("<"), this);
    m_forward = new QPushButton(QStringLiteral(">"), this);
    m_leave = new QPushButton(JStr(JC_StudyLeave), this);
    for (QPushButton *b : {m_back, m_forward, m_leave}) {
        buttons->addWidget(b);
        b->hide();
    }
    layout->addWidget(m_text);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_board, 2);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { Preview(m_list->indexOfTopLevelItem(item)); });
    connect(m_back, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_forward, &QPushButton::clicked, this, [this] { Step(1); });
    connect(m_leave, &QPushButton::clicked, this, [this] { Preview(-1); });
}

void StudyPanel::ShowText(const QString &text)
{
    m_text->setText(text);
}

void StudyPanel::ShowLines(const usi::Position &p, const QVector<study::Line> &lines,
                           int lastDst, int firstSide, bool senteAtTop)
{
    const bool moved = usi::WriteSfen(p) != usi::WriteSfen(m_pos);
    m_pos = p;
    m_lastDst = lastDst;
    m_senteAtTop = senteAtTop;
    m_lines = lines;
    m_list->clear();
    for (const study::Line &l : lines) {
        const study::Eval e = l.eval.ForSide(firstSide);
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(ColDepth, QString::number(l.depth));
        item->setText(ColEval, study::EvalText(e));
        item->setText(ColWin, QString::number(qRound(study::WinPercent(e))) + QLatin1Char('%'));
        item->setText(ColNodes, l.nodes >= 0 ? QString::number(l.nodes) : QString());
        item->setText(ColPv, study::PvText(p, l.pv, 16, lastDst, ShownNotationStyle()));
    }
    if (moved)
        Preview(-1); // a preview of another position's line would mislead
}

void StudyPanel::Preview(int row)
{
    m_preview.clear();
    m_previewDst.clear();
    const bool on = row >= 0 && row < m_lines.size();
    for (QWidget *w : std::initializer_list<QWidget *>{m_board, m_back, m_forward, m_leave})
        w->setVisible(on);
    if (!on)
        return;
    m_preview.push_back(m_pos);
    m_previewDst.push_back(m_lastDst);
    for (const usi::Move &m : study::LegalPrefix(m_pos, m_lines[row].pv)) {
        m_preview.push_back(usi::Apply(m_preview.back(), m));
        m_previewDst.push_back(m.dst);
    }
    m_step = 0;
    Step(1);
}

void StudyPanel::Step(int by)
{
    if (m_preview.empty())
        return;
    m_step = qBound(0, m_step + by, int(m_preview.size()) - 1);
    m_board->SetPosition(m_preview[size_t(m_step)], m_previewDst[size_t(m_step)], m_senteAtTop);
    m_back->setEnabled(m_step > 0);
    m_forward->setEnabled(m_step + 1 < int(m_preview.size()));
}
