#include "studypanel.h"

#include "displayprefs.h"
#include "language.h"
#include "notation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
} // namespace

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
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { emit lineClicked(m_list->indexOfTopLevelItem(item)); });
    connect(m_back, &QPushButton::clicked, this, [this] { emit stepClicked(-1); });
    connect(m_forward, &QPushButton::clicked, this, [this] { emit stepClicked(1); });
    connect(m_leave, &QPushButton::clicked, this, &StudyPanel::leaveClicked);
}

void StudyPanel::ShowText(const QString &text)
{
    m_text->setText(text);
}

void StudyPanel::ShowLines(const usi::Position &p, const QVector<study::Line> &lines, int lastDst,
                           int firstSide)
{
    m_pos = p;
    m_lastDst = lastDst;
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
}

void StudyPanel::ShowStepping(bool on, int step, int steps)
{
    for (QPushButton *b : {m_back, m_forward, m_leave})
        b->setVisible(on);
    m_back->setEnabled(step > 0);
    m_forward->setEnabled(step < steps);
}
