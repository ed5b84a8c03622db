#include "kibotext.h"

#include "language.h"
#include "shogidoc.h"

namespace {
constexpr BYTE DropPos = 10;
constexpr int RowHeight = 20;
} // namespace

QString GetKomaText(BYTE code)
{
    static const char *const plain[9] = {"",      JC_UBo,  JC_UHyang, JC_UGyoe, JC_UUn,
                                         JC_UGum, JC_UGak, JC_UBi,    JC_UWang};
    static const char *const promoted[9] = {"",      JC_BBo,  JC_BHyang, JC_BGyoe, JC_BUn,
                                            JC_BGum, JC_BGak, JC_BBi,    JC_BWang};
    const BYTE kind = GetKomaSort(code);
    if (kind < 1 || kind > 8)
        return QString();
    return JStr(GetKomaProperty(code) == 2 ? promoted[kind] : plain[kind]);
}

bool IsNotSong(BYTE code, int file, int rank)
{
    Q_UNUSED(file);
    if (GetKomaProperty(code) != 1)
        return false;
    switch (GetKomaSort(code)) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 6:
    case 7:
        break;
    default:
        return false;
    }
    return GetWhoseKoma(code) == 1 ? rank >= 1 && rank <= 3 : rank >= 7 && rank <= 9;
}

KiboRowText GetKiboRowText(const QVector<KIBO> &record, int i, bool firstUp)
{
    KiboRowText row;
    if (i < 1 || i > record.size())
        return row;
    const KIBO &e = record[i - 1];
    row.number = QString::number(i);
    if (IsResignKibo(e)) {
        // The resignation carries no piece: the side is the one to move then.
        const bool firstResigns = i == 1 || GetWhoseKoma(record[i - 2].skoma) != 1;
        row.sign = JStr(firstResigns ? JC_FirstSign : JC_SecondSign);
        row.move = JStr(JC_StaGameThrow);
        return row;
    }
    row.sign = JStr(GetWhoseKoma(e.skoma) == 1 ? JC_FirstSign : JC_SecondSign);
    int file = 9 - e.dx;
    int rank = e.dy + 1;
    if (firstUp) {
        file = 10 - file;
        rank = 10 - rank;
    }
    const bool sameSquare = i > 1 && record[i - 2].dx == e.dx && record[i - 2].dy == e.dy;
    if (sameSquare) {
        row.move = JStr(JC_Dong);
    } else {
        QString kanji;
        ConvertJapan(rank, kanji);
        row.move = QString::number(file) + kanji;
    }
    row.move += GetKomaText(e.skoma);
    if (e.koma != e.skoma)
        row.move += JStr(JC_Song);
    else if (e.sx != DropPos && IsNotSong(e.skoma, file, rank))
        row.move += JStr(JC_Bul) + JStr(JC_Song);
    row.time = GetViewTime(int(e.time / 60), int(e.time % 60));
    return row;
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
