#include "kifwriter.h"

#include <QFile>
#include <QTextCodec>

namespace {

// By piece code & 15 (1..8 pawn..king, 9..15 promoted): the name in moves,
// and the one-character name of the board diagram.
const char *const kMoveName[16] = {"",   "歩", "香",   "桂",   "銀",   "金", "角", "飛",
                                   "玉", "と", "成香", "成桂", "成銀", "",   "馬", "龍"};
const char *const kDiagramName[16] = {"",   "歩", "香", "桂", "銀", "金", "角", "飛",
                                      "玉", "と", "杏", "圭", "全", "",   "馬", "龍"};
const char *const kFileDigit[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
const char *const kRankNumeral[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
// Hand pieces in the order records list them, rook first.
const int kHandOrder[7] = {7, 6, 5, 4, 3, 2, 1};
const char *const kCount[19] = {"",   "",   "二", "三", "四", "五", "六",   "七",   "八",  "九",
                                "十", "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八"};

QString U(const char *s)
{
    return QString::fromUtf8(s);
}

int FileOf(int sq)
{
    return 10 - (sq & 15);
}
int RankOf(int sq)
{
    return sq >> 4;
}

QString HandText(const usi::Position &p, int side)
{
    QString out;
    for (int k : kHandOrder) {
        const int n = p.hand[side][k];
        if (n > 0)
            out += U(kMoveName[k]) + U(kCount[n]) + QStringLiteral("　");
    }
    return out.isEmpty() ? U("なし") : out.trimmed();
}

QString Diagram(const usi::Position &p)
{
    QString d = U("後手の持駒：") + HandText(p, usi::kGote) + QLatin1Char('\n');
    d += U("  ９ ８ ７ ６ ５ ４ ３ ２ １\n+---------------------------+\n");
    for (int rank = 1; rank <= 9; rank++) {
        d += QLatin1Char('|');
        for (int file = 9; file >= 1; file--) {
            const int c = p.At(usi::Square(file, rank));
            d += !c ? U(" ・") : (usi::OwnerOf(c) == usi::kGote ? U("v") : U(" ")) + U(kDiagramName[c & 15]);
        }
        d += QLatin1Char('|') + U(kRankNumeral[rank]) + QLatin1Char('\n');
    }
    d += U("+---------------------------+\n先手の持駒：") + HandText(p, usi::kSente) + QLatin1Char('\n');
    if (p.side == usi::kGote)
        d += U("後手番\n");
    return d;
}

QString MoveKif(const usi::Position &p, const usi::Move &m, int lastDst)
{
    QString t = m.dst == lastDst ? U("同　")
                                 : U(kFileDigit[FileOf(m.dst)]) + U(kRankNumeral[RankOf(m.dst)]);
    if (m.src == usi::kDrop)
        return t + U(kMoveName[m.drop]) + U("打");
    t += U(kMoveName[p.At(m.src) & 15]);
    if (m.promote)
        t += U("成");
    return t + QStringLiteral("(%1%2)").arg(FileOf(m.src)).arg(RankOf(m.src));
}

const char *EndWord(GameEnding e)
{
    switch (e) {
    case GameEnding::Mate: return "詰み";
    case GameEnding::Resign: return "投了";
    case GameEnding::Repetition: return "千日手";
    case GameEnding::PerpetualCheck: return "反則負け";
    case GameEnding::Impasse: return "入玉勝ち";
    case GameEnding::TimeUp: return "切れ負け";
    case GameEnding::IllegalMove: return "反則負け";
    case GameEnding::MaxPlies: return "持将棋";
    case GameEnding::None:
    case GameEnding::Interrupt: break;
    }
    return "中断";
}

} // namespace

QString KifText(const KifGame &g)
{
    QString k;
    k += U("開始日時：") + g.started.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) + QLatin1Char('\n');
    if (g.opening.fromStartpos)
        k += U("手合割：平手\n");
    else
        k += Diagram(g.opening.start);
    k += U("先手：") + g.senteName + QLatin1Char('\n') + U("後手：") + g.goteName + QLatin1Char('\n');
    k += U("手数----指手---------消費時間--\n");
    usi::Position p = g.opening.start;
    int lastDst = -1, n = 0;
    for (const usi::Move &m : g.moves) {
        k += QStringLiteral("%1 ").arg(++n, 4) + MoveKif(p, m, lastDst) + QLatin1Char('\n');
        lastDst = m.dst;
        p = usi::Apply(p, m);
    }
    const usic::GameResult &r = g.result;
    k += QStringLiteral("%1 ").arg(n + 1, 4) + U(EndWord(r.ending)) + QLatin1Char('\n');
    if (r.loser < 0)
        k += U("まで%1手で%2\n").arg(n).arg(U(r.ending == GameEnding::MaxPlies ? "持将棋" : "千日手"));
    else
        k += U("まで%1手で%2の勝ち\n").arg(n).arg(U(r.loser == usi::kGote ? "先手" : "後手"));
    if (!r.detail.isEmpty())
        k += QStringLiteral("*") + r.detail + QLatin1Char('\n');
    return k;
}

bool WriteKif(const QString &path, const KifGame &g, QString &err)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err = f.errorString();
        return false;
    }
    QTextCodec *codec = QTextCodec::codecForName("Shift_JIS");
    const QByteArray bytes = codec ? codec->fromUnicode(KifText(g)) : KifText(g).toUtf8();
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        err = f.errorString();
        return false;
    }
    return true;
}
