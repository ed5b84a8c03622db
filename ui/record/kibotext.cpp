#include "kibotext.h"

#include "displayprefs.h"
#include "gamerecord.h"
#include "language.h"
#include "notation.h"
#include "shogidoc.h"

namespace {
constexpr int RowHeight = 20;
} // namespace

QVector<KiboRowText> GetKiboRows(const ShogiDoc &doc)
{
    const records::GameRecord rec = records::RecordOf(doc);
    const QVector<KIBO> &kibo = *doc.GetKibo();
    const int n = qBound(0, doc.GetKiboNum(), int(kibo.size()));
    QVector<KiboRowText> rows;
    usi::Position p = rec.start;
    int prevDst = 0;
    for (int i = 0; i < n; ++i) {
        KiboRowText row;
        row.number = QString::number(i + 1);
        row.sign = JStr(p.side == usi::kSente ? JC_FirstSign : JC_SecondSign);
        if (size_t(i) >= rec.moves.size()) {
            // Only a resignation stands past the moves.
            row.move = JStr(JC_StaGameThrow);
            rows.append(row);
            break;
        }
        const usi::Move &m = rec.moves[size_t(i)];
        row.move = records::MoveName(p, m, prevDst, ShownNotationStyle());
        row.time = GetViewTime(int(kibo[i].time / 60), int(kibo[i].time % 60));
        rows.append(row);
        prevDst = m.dst;
        p = usi::Apply(p, m);
    }
    return rows;
}

int KiboScrollTarget(int p, int cy, int vh)
{
    const int top = RowHeight * p;
    const int bottom = top + RowHeight;
    if (bottom <= cy || (top < cy && cy < bottom))
        return top;
    if (top >= cy + vh || bottom > cy + vh)
        return top - vh + RowHeight;
    return -1;
}
