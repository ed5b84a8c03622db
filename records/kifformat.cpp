// KIF (a move list with sources and times) and KI2 (the notation alone),
// sharing their header lines and the board diagram of other starts.
#include "formatutil.h"
#include "notation.h"

#include <QRegularExpression>

namespace records {
namespace detail {

namespace {

const QChar kFullSpace(0x3000);
// One-character piece names of diagrams and hands, by usi code & 15.
const char16_t kDiagramNames[] = u"・歩香桂銀金角飛玉と杏圭全・馬龍";

const struct
{
    const char16_t *word;
    GameEnding ending;
} kEndings[] = {
    {u"投了", GameEnding::Resign},       {u"中断", GameEnding::Interrupt},
    {u"千日手", GameEnding::Repetition}, {u"詰み", GameEnding::Mate},
    {u"切れ負け", GameEnding::TimeUp},   {u"反則負け", GameEnding::IllegalMove},
    // The side to move wins by the other's foul; a perpetual check is the
    // foul Korvane records.
    {u"反則勝ち", GameEnding::PerpetualCheck}, {u"入玉勝ち", GameEnding::Impasse},
    {u"持将棋", GameEnding::MaxPlies},   {u"時間切れ", GameEnding::TimeUp},
};

// Starts by name. Korvane's numbers first; the rest open as edited positions.
const struct
{
    const char16_t *name;
    const char *sfen; // board; gote (the giver) moves first
} kStartNames[] = {
    {u"平手", nullptr},
    {u"香落ち", "lnsgkgsn1/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"角落ち", "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"飛車落ち", "lnsgkgsnl/7b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"飛香落ち", "lnsgkgsn1/7b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"二枚落ち", "lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"右香落ち", "1nsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"四枚落ち", "1nsgkgsn1/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"六枚落ち", "2sgkgs2/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"八枚落ち", "3gkg3/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {u"十枚落ち", "4k4/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
};

int DiagramCode(QChar c)
{
    if (c == QChar(u'王'))
        return 8;
    if (c == QChar(u'竜'))
        return 15;
    for (int k = 1; k < 16; ++k)
        if (k != 13 && c.unicode() == kDiagramNames[k])
            return k;
    return 0;
}

QString HandText(const usi::Position &p, int side)
{
    QString s;
    for (int k = 7; k >= 1; --k) {
        const int n = p.hand[side][k];
        if (n > 0)
            s += QChar(kDiagramNames[k]) + (n > 1 ? KanjiCount(n) : QString()) + kFullSpace;
    }
    return s.isEmpty() ? QStringLiteral("なし") : s;
}

bool ReadHand(const QString &text, int side, usi::Position &p)
{
    if (text.trimmed() == QStringLiteral("なし"))
        return true;
    for (int i = 0; i < text.size();) {
        if (text[i].isSpace() || text[i] == kFullSpace) {
            ++i;
            continue;
        }
        const int code = DiagramCode(text[i]);
        if (code < 1 || code > 7)
            return false;
        int used = 0;
        const int n = ReadKanjiCount(text.mid(i + 1, 3), used);
        p.hand[side][code] += used ? n : 1;
        i += 1 + used;
    }
    return true;
}

bool ReadDiagramRow(const QString &line, int row, usi::Position &p)
{
    if (line.size() < 19)
        return false;
    for (int col = 1; col <= 9; ++col) {
        const QChar mark = line[2 * col - 1], piece = line[2 * col];
        if (piece == QChar(u'・'))
            continue;
        const int code = DiagramCode(piece);
        if (!code || (mark != QChar('v') && mark != QChar(' ') && mark != QChar('^')))
            return false;
        p.Set(16 * row + col, code + (mark == QChar('v') ? 128 : 0));
    }
    return true;
}

QString Diagram(const usi::Position &p)
{
    QStringList l;
    l << QStringLiteral("後手の持駒：") + HandText(p, usi::kGote);
    l << QStringLiteral("  ９ ８ ７ ６ ５ ４ ３ ２ １");
    l << QStringLiteral("+---------------------------+");
    static const char16_t ranks[] = u"〇一二三四五六七八九";
    for (int row = 1; row <= 9; ++row) {
        QString r = QStringLiteral("|");
        for (int col = 1; col <= 9; ++col) {
            const int c = p.At(16 * row + col);
            r += c == 0 ? QStringLiteral(" ・")
                        : QString(c >= 128 ? QChar('v') : QChar(' ')) + QChar(kDiagramNames[c & 15]);
        }
        l << r + QLatin1Char('|') + QChar(ranks[row]);
    }
    l << QStringLiteral("+---------------------------+");
    l << QStringLiteral("先手の持駒：") + HandText(p, usi::kSente);
    if (p.side == usi::kGote)
        l << QStringLiteral("後手番");
    return l.join(QStringLiteral("\r\n"));
}

GameEnding EndingOfTrailer(const QString &t)
{
    const struct
    {
        const char16_t *word;
        GameEnding e;
    } words[] = {{u"中断", GameEnding::Interrupt}, {u"千日手", GameEnding::Repetition},
                 {u"持将棋", GameEnding::MaxPlies},  {u"詰", GameEnding::Mate},
                 {u"切れ", GameEnding::TimeUp},      {u"反則勝ち", GameEnding::PerpetualCheck},
                 {u"反則", GameEnding::IllegalMove},
                 {u"入玉", GameEnding::Impasse},     {u"勝ち", GameEnding::Resign}};
    for (const auto &w : words)
        if (t.contains(QString::fromUtf16(w.word)))
            return w.e;
    return GameEnding::None;
}

QString SideName(int side, bool handicap)
{
    if (side == usi::kSente)
        return handicap ? QStringLiteral("下手") : QStringLiteral("先手");
    return handicap ? QStringLiteral("上手") : QStringLiteral("後手");
}

QString Clock(int seconds)
{
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// Who won, by the side to move when the game stopped; -1 for none.
int Winner(GameEnding e, int sideToMove)
{
    switch (e) {
    case GameEnding::Resign:
    case GameEnding::Mate:
    case GameEnding::TimeUp:
    case GameEnding::IllegalMove:
        return 1 - sideToMove;
    case GameEnding::PerpetualCheck:
    case GameEnding::Impasse:
        return sideToMove;
    default:
        return -1;
    }
}

} // namespace

QString KanjiCount(int n)
{
    static const char16_t digits[] = u"〇一二三四五六七八九";
    if (n < 1 || n > 19)
        return QString();
    if (n < 10)
        return QString(QChar(digits[n]));
    return QStringLiteral("十") + (n > 10 ? QString(QChar(digits[n - 10])) : QString());
}

int ReadKanjiCount(const QString &text, int &used)
{
    static const QString digits = QStringLiteral("〇一二三四五六七八九");
    used = 0;
    int n = 0;
    if (text.startsWith(QChar(u'十'))) {
        n = 10;
        used = 1;
    }
    const int d = used < text.size() ? digits.indexOf(text[used]) : -1;
    if (d > 0) {
        n += d;
        ++used;
    }
    return n;
}

GameEnding KifEndingOf(const QString &word)
{
    for (const auto &e : kEndings)
        if (word == QString::fromUtf16(e.word))
            return e.ending;
    return GameEnding::None;
}

QString KifEndingWord(GameEnding e)
{
    for (const auto &x : kEndings)
        if (x.ending == e)
            return QString::fromUtf16(x.word);
    return QString();
}

QString HandicapName(int handicap)
{
    return handicap >= 0 && handicap <= kMaxHandicap ? QString::fromUtf16(kStartNames[handicap].name)
                                                      : QString();
}

bool PositionOfHandicapName(const QString &name, usi::Position &out)
{
    for (const auto &s : kStartNames) {
        if (name != QString::fromUtf16(s.name))
            continue;
        std::string err;
        if (!s.sfen)
            out = usi::StartPosition();
        else
            usi::ParseSfen(s.sfen, "w", "-", "1", out, err);
        return true;
    }
    return false;
}

bool ReadKif(const QString &text, bool ki2, GameRecord &rec, ReadReport &report)
{
    static const QRegularExpression moveLine(QStringLiteral("^\\s*(\\d+)\\s+(\\S.*)$"));
    static const QRegularExpression timeRe(QStringLiteral("\\(\\s*(\\d+):(\\d+)\\s*/"));
    const QStringList lines = SplitLines(text);
    usi::Position handicapStart = usi::StartPosition(), diagram = usi::EmptyPosition();
    int diagramRows = 0;
    bool goteToMove = false, started = false, ended = false, recognized = false;
    usi::Position pos;
    int prevDst = 0;

    auto begin = [&](int lineNo) {
        if (started)
            return true;
        started = true;
        if (diagramRows == 0) {
            rec.start = handicapStart;
        } else {
            if (diagramRows != 9)
                return Fail(report, lineNo, "the board diagram does not have nine ranks");
            diagram.side = goteToMove ? usi::kGote : usi::kSente;
            std::string err;
            if (!usi::ValidatePosition(diagram, err))
                return Fail(report, lineNo, "impossible start position: " + err);
            rec.start = diagram;
        }
        pos = rec.start;
        return true;
    };

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QString t = lines[i].trimmed();
        if (t.startsWith(QChar(0xFEFF)))
            t = t.mid(1).trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#')))
            continue;
        if (t.startsWith(QStringLiteral("変化"))) {
            report.dropped |= kDroppedVariations;
            ended = true; // the main line is complete
            continue;
        }
        if (t.startsWith(QLatin1Char('*')) || t.startsWith(QLatin1Char('&'))) {
            report.dropped |= kDroppedComments;
            continue;
        }
        if (ended)
            continue;
        if (t.startsWith(QStringLiteral("まで"))) {
            if (rec.ending == GameEnding::None)
                rec.ending = EndingOfTrailer(t);
            ended = true;
            continue;
        }
        if (!started && t.startsWith(QLatin1Char('|'))) {
            if (diagramRows >= 9 || !ReadDiagramRow(t, diagramRows + 1, diagram))
                return Fail(report, lineNo, "unreadable board diagram row");
            ++diagramRows;
            recognized = true;
            continue;
        }
        if (!started && (t.startsWith(QStringLiteral("+--")) || t.startsWith(QChar(u'９')) ||
                         t.startsWith(QLatin1Char('9'))))
            continue;
        if (!started && (t == QStringLiteral("後手番") || t == QStringLiteral("上手番"))) {
            goteToMove = true;
            recognized = true;
            continue;
        }
        if (!started && (t == QStringLiteral("先手番") || t == QStringLiteral("下手番")))
            continue;
        if (t.startsWith(QStringLiteral("手数"))) {
            recognized = true;
            continue;
        }
        const int colon = t.indexOf(QChar(u'：'));
        if (!started && colon > 0) {
            const QString key = t.left(colon), value = t.mid(colon + 1).trimmed();
            static const QStringList kKept = {QStringLiteral("手合割"), QStringLiteral("先手"),
                                              QStringLiteral("後手"), QStringLiteral("下手"),
                                              QStringLiteral("上手")};
            recognized = recognized || kKept.contains(key) || key.endsWith(QStringLiteral("の持駒"));
            if (key == QStringLiteral("手合割")) {
                if (value != QStringLiteral("その他") &&
                    !PositionOfHandicapName(value, handicapStart))
                    return Fail(report, lineNo, "unknown handicap '" + value.toStdString() + "'");
            } else if (key == QStringLiteral("先手") || key == QStringLiteral("下手")) {
                rec.names[usi::kSente] = value;
            } else if (key == QStringLiteral("後手") || key == QStringLiteral("上手")) {
                rec.names[usi::kGote] = value;
            } else if (key.endsWith(QStringLiteral("の持駒"))) {
                const bool gote = key.startsWith(QChar(u'後')) || key.startsWith(QChar(u'上'));
                if (!ReadHand(value, gote ? usi::kGote : usi::kSente, diagram))
                    return Fail(report, lineNo, "unreadable pieces in hand");
            } else {
                report.dropped |= kDroppedHeaders;
            }
            continue;
        }
        if (!ki2) {
            const QRegularExpressionMatch mm = moveLine.match(t);
            if (!mm.hasMatch()) {
                if (started)
                    return Fail(report, lineNo, "unreadable move line");
                report.dropped |= kDroppedHeaders;
                continue;
            }
            if (!begin(lineNo))
                return false;
            const QString rest = mm.captured(2);
            const GameEnding e = KifEndingOf(rest.section(QLatin1Char(' '), 0, 0).trimmed());
            if (e != GameEnding::None) {
                rec.ending = e;
                ended = true;
                continue;
            }
            usi::Move m;
            std::string err;
            int used = 0;
            if (!ParseMoveName(pos, rest, prevDst, m, err, &used))
                return Fail(report, lineNo, err);
            if (!AddMove(rec, pos, m, lineNo, report))
                return false;
            const QRegularExpressionMatch tm = timeRe.match(rest, used);
            if (tm.hasMatch()) {
                const qint64 s = tm.captured(1).toLongLong() * 60 + tm.captured(2).toLongLong();
                if (tm.captured(1).size() > 6 || s > 0x3fffffff)
                    return Fail(report, lineNo, "time out of range");
                rec.seconds.back() = int(s);
            }
            prevDst = m.dst;
            continue;
        }
        if (!QStringLiteral("▲△☗☖").contains(t[0])) {
            if (started)
                return Fail(report, lineNo, "unreadable move line");
            report.dropped |= kDroppedHeaders;
            continue;
        }
        if (!begin(lineNo))
            return false;
        for (int at = 0; at < t.size();) {
            while (at < t.size() && (t[at].isSpace() || t[at] == kFullSpace))
                ++at;
            if (at >= t.size())
                break;
            const bool senteMark = t[at] == QChar(u'▲') || t[at] == QChar(u'☗');
            const bool goteMark = t[at] == QChar(u'△') || t[at] == QChar(u'☖');
            if (!senteMark && !goteMark)
                return Fail(report, lineNo, "unreadable move");
            if (senteMark != (pos.side == usi::kSente))
                return Fail(report, lineNo,
                            "move " + std::to_string(rec.moves.size() + 1) + " is the other side's");
            usi::Move m;
            std::string err;
            int used = 0;
            if (!ParseMoveName(pos, t.mid(at), prevDst, m, err, &used))
                return Fail(report, lineNo,
                            "move " + std::to_string(rec.moves.size() + 1) + ": " + err);
            if (!AddMove(rec, pos, m, lineNo, report))
                return false;
            prevDst = m.dst;
            at += used;
        }
    }
    // Moves, endings and the start's own lines count; anything else is no record.
    if (!recognized && rec.moves.empty() && rec.ending == GameEnding::None)
        return Fail(report, 0, "no KIF or KI2 record in the text");
    return begin(lines.size());
}

QString WriteKif(const GameRecord &rec, bool ki2, unsigned &dropped)
{
    const bool handicap = rec.handicap > kEvenGame;
    QStringList l;
    // KI2 readers take the even game for granted and some refuse the line.
    // (A game without moves says it all the same, or the file would be empty.)
    if (rec.handicap > kEvenGame || (rec.handicap == kEvenGame && (!ki2 || rec.moves.empty())))
        l << QStringLiteral("手合割：") + HandicapName(rec.handicap);
    else if (rec.handicap < kEvenGame)
        l << Diagram(rec.start);
    for (int side : {usi::kSente, usi::kGote})
        if (!rec.names[side].isEmpty())
            l << SideName(side, handicap) + QChar(u'：') + rec.names[side];
    if (!ki2)
        l << QStringLiteral("手数----指手---------消費時間--");
    usi::Position p = rec.start;
    int prevDst = 0, total[2] = {0, 0};
    QString row;
    for (size_t i = 0; i < rec.moves.size(); ++i) {
        const usi::Move &m = rec.moves[i];
        const int sec = i < rec.seconds.size() ? qMax(0, rec.seconds[i]) : 0;
        if (ki2) {
            dropped |= sec > 0 ? kDroppedTimes : 0u;
            row += (p.side == usi::kSente ? QStringLiteral("▲") : QStringLiteral("△")) +
                   MoveName(p, m, prevDst, NotationStyle::Ki2);
            if (i % 6 == 5 || i + 1 == rec.moves.size()) {
                l << row;
                row.clear();
            } else {
                row += QLatin1Char(' ');
            }
        } else {
            QString text = MoveName(p, m, prevDst, NotationStyle::Kif);
            if (m.src != usi::kDrop)
                text += QString::asprintf("(%d%d)", 10 - (m.src & 15), m.src >> 4);
            total[p.side] += sec;
            l << QString::asprintf("%4d ", int(i + 1)) + text.leftJustified(12) +
                     QString::asprintf("(%2d:%02d/", sec / 60, sec % 60) + Clock(total[p.side]) +
                     QLatin1Char(')');
            if (i < rec.comments.size())
                l << rec.comments[i];
        }
        prevDst = m.dst;
        p = usi::Apply(p, m);
    }
    const int n = int(rec.moves.size());
    if (rec.ending != GameEnding::None) {
        if (!ki2)
            l << QString::asprintf("%4d ", n + 1) + KifEndingWord(rec.ending);
        const int winner = Winner(rec.ending, p.side);
        QString end = QStringLiteral("まで%1手で").arg(n);
        if (winner >= 0 && rec.ending != GameEnding::Resign)
            end += KifEndingWord(rec.ending) + QStringLiteral("により");
        if (winner >= 0)
            end += SideName(winner, handicap) + QStringLiteral("の勝ち");
        else if (rec.ending == GameEnding::Interrupt)
            end += QStringLiteral("中断");
        else
            end += KifEndingWord(rec.ending);
        l << end;
    }
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace detail
} // namespace records
