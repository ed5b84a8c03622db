// CSA records (versions 2.2 and 3.0): names, the start as P1-P9 rows, PI
// with pieces taken off, or P+/P- placements, the side to move, moves with
// T times, and % endings.
#include "formatutil.h"

namespace records {
namespace detail {

namespace {

// CSA piece names by usi code & 15.
const char *const kCsaNames[16] = {"",   "FU", "KY", "KE", "GI", "KI", "KA", "HI",
                                   "OU", "TO", "NY", "NK", "NG", "",   "UM", "RY"};

const struct
{
    const char *word;
    GameEnding ending;
} kCsaEndings[] = {
    {"%TORYO", GameEnding::Resign},          {"%CHUDAN", GameEnding::Interrupt},
    {"%SENNICHITE", GameEnding::Repetition}, {"%OUTE_SENNICHITE", GameEnding::PerpetualCheck},
    {"%TSUMI", GameEnding::Mate},            {"%TIME_UP", GameEnding::TimeUp},
    {"%ILLEGAL_MOVE", GameEnding::IllegalMove}, {"%KACHI", GameEnding::Impasse},
    {"%JISHOGI", GameEnding::MaxPlies},      {"%MAX_MOVES", GameEnding::MaxPlies},
    {"%HIKIWAKE", GameEnding::MaxPlies},     {"%+ILLEGAL_ACTION", GameEnding::IllegalMove},
    {"%-ILLEGAL_ACTION", GameEnding::IllegalMove},
};

int CodeOfCsa(const QString &name)
{
    for (int k = 1; k < 16; ++k)
        if (*kCsaNames[k] && name == QLatin1String(kCsaNames[k]))
            return k;
    return 0;
}

// "77" -> square; "00" -> 0; -1 when not a square.
int CsaSquare(const QString &t)
{
    if (t.size() != 2 || !t[0].isDigit() || !t[1].isDigit())
        return -1;
    const int f = t[0].digitValue(), r = t[1].digitValue();
    if (f == 0 && r == 0)
        return 0;
    return f >= 1 && r >= 1 ? usi::Square(f, r) : -1;
}

QString SquareText(int sq)
{
    return QString::asprintf("%d%d", 10 - (sq & 15), sq >> 4);
}

// P+ / P- placements: groups of square and piece; 00AL gives the rest.
bool ReadPlacements(const QString &t, usi::Position &p, ReadReport &report, int lineNo)
{
    const int side = t[1] == QLatin1Char('+') ? usi::kSente : usi::kGote;
    const QString body = t.mid(2);
    if (body.size() % 4 != 0)
        return Fail(report, lineNo, "bad placement line");
    for (int i = 0; i < body.size(); i += 4) {
        const int sq = CsaSquare(body.mid(i, 2));
        const QString name = body.mid(i + 2, 2);
        if (sq == 0 && name == QLatin1String("AL")) {
            // Every piece not yet placed goes to this hand.
            static const int set[8] = {0, 18, 4, 4, 4, 4, 2, 2};
            int used[8] = {};
            for (int s = 0x11; s <= 0x99; ++s)
                if (usi::OnBoard(s) && p.At(s) != 0 && (p.At(s) & 15) != 8)
                    ++used[(p.At(s) & 15) == 8 ? 8 : p.At(s) & 7];
            for (int k = 1; k <= 7; ++k)
                p.hand[side][k] = set[k] - used[k] - p.hand[1 - side][k];
            continue;
        }
        const int code = CodeOfCsa(name);
        if (sq < 0 || !code || (sq == 0 && (code > 7)))
            return Fail(report, lineNo, "bad placement '" + body.mid(i, 4).toStdString() + "'");
        if (sq == 0)
            ++p.hand[side][code];
        else
            p.Set(sq, code + (side == usi::kGote ? 128 : 0));
    }
    return true;
}

} // namespace

bool ReadCsa(const QString &text, GameRecord &rec, ReadReport &report)
{
    usi::Position start = usi::EmptyPosition(), pos;
    bool started = false, ended = false, anyPosition = false;
    const QStringList lines = SplitLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('\''))) {
            if (line.size() > 1)
                report.dropped |= kDroppedComments;
            continue;
        }
        for (const QString &stRaw : line.split(QLatin1Char(','))) {
            const QString st = stRaw.trimmed();
            if (st.isEmpty() || ended)
                continue;
            if (st.startsWith(QLatin1Char('V')) || st == QLatin1String("/"))
                continue;
            if (st.startsWith(QLatin1String("N+")) || st.startsWith(QLatin1String("N-"))) {
                rec.names[st[1] == QLatin1Char('+') ? usi::kSente : usi::kGote] = st.mid(2);
                continue;
            }
            if (st.startsWith(QLatin1Char('$'))) {
                report.dropped |= kDroppedHeaders;
                continue;
            }
            if (!started && st.startsWith(QLatin1String("PI"))) {
                start = usi::StartPosition();
                for (int k = 2; k + 4 <= st.size(); k += 4) {
                    const int sq = CsaSquare(st.mid(k, 2));
                    const int code = CodeOfCsa(st.mid(k + 2, 2));
                    if (sq <= 0 || !code || (start.At(sq) & 15) != code)
                        return Fail(report, lineNo, "bad piece to take off");
                    start.Set(sq, 0);
                }
                anyPosition = true;
                continue;
            }
            if (!started && st.size() >= 2 && st[0] == QLatin1Char('P') && st[1].isDigit()) {
                // Trailing blanks of an empty last cell may have been cut.
                const QString row9 = st.leftJustified(29);
                const int row = st[1].digitValue();
                if (row < 1 || row9.size() != 29)
                    return Fail(report, lineNo, "bad board row");
                for (int col = 1; col <= 9; ++col) {
                    const QString cell = row9.mid(2 + 3 * (col - 1), 3);
                    if (cell == QLatin1String(" * "))
                        continue;
                    const int code = CodeOfCsa(cell.mid(1));
                    if (!code || (cell[0] != QLatin1Char('+') && cell[0] != QLatin1Char('-')))
                        return Fail(report, lineNo, "bad board cell '" + cell.toStdString() + "'");
                    start.Set(16 * row + col, code + (cell[0] == QLatin1Char('-') ? 128 : 0));
                }
                anyPosition = true;
                continue;
            }
            if (!started && (st.startsWith(QLatin1String("P+")) || st.startsWith(QLatin1String("P-")))) {
                if (!ReadPlacements(st, start, report, lineNo))
                    return false;
                anyPosition = true;
                continue;
            }
            if (!started && (st == QLatin1String("+") || st == QLatin1String("-"))) {
                if (!anyPosition)
                    return Fail(report, lineNo, "no start position before the side to move");
                start.side = st == QLatin1String("+") ? usi::kSente : usi::kGote;
                std::string err;
                if (!usi::ValidatePosition(start, err))
                    return Fail(report, lineNo, "impossible start position: " + err);
                rec.start = pos = start;
                started = true;
                continue;
            }
            if (st.startsWith(QLatin1Char('T'))) {
                bool ok = false;
                const qint64 t = st.mid(1).toLongLong(&ok);
                if (!ok || t < 0 || t > 0x3fffffff || rec.moves.empty())
                    return Fail(report, lineNo, "bad time");
                rec.seconds.back() = int(t);
                continue;
            }
            if (st.startsWith(QLatin1Char('%'))) {
                for (const auto &e : kCsaEndings)
                    if (st == QLatin1String(e.word))
                        rec.ending = e.ending;
                if (rec.ending == GameEnding::None)
                    report.dropped |= kDroppedEnding;
                ended = true;
                continue;
            }
            if (st.size() == 7 && (st[0] == QLatin1Char('+') || st[0] == QLatin1Char('-'))) {
                if (!started)
                    return Fail(report, lineNo, "a move before the side to move");
                const int side = st[0] == QLatin1Char('+') ? usi::kSente : usi::kGote;
                if (side != pos.side)
                    return Fail(report, lineNo,
                                "move " + std::to_string(rec.moves.size() + 1) + " is the other side's");
                const int src = CsaSquare(st.mid(1, 2)), dst = CsaSquare(st.mid(3, 2));
                const int code = CodeOfCsa(st.mid(5, 2));
                if (src < 0 || dst <= 0 || !code)
                    return Fail(report, lineNo, "bad move '" + st.toStdString() + "'");
                usi::Move m;
                m.dst = dst;
                if (src == 0) {
                    m.src = usi::kDrop;
                    m.drop = code;
                } else {
                    m.src = src;
                    const int now = pos.At(src) & 15;
                    m.promote = now != code && now != 0 && now + 8 == code;
                    if (now != code && !m.promote)
                        return Fail(report, lineNo, "move " + std::to_string(rec.moves.size() + 1) +
                                                        ": no such piece on the square");
                }
                if (!AddMove(rec, pos, m, lineNo, report))
                    return false;
                continue;
            }
            return Fail(report, lineNo, "unreadable '" + st.left(20).toStdString() + "'");
        }
    }
    if (!started)
        return Fail(report, lines.size(), "no side to move ('+' or '-') after the position");
    return true;
}

QString WriteCsa(const GameRecord &rec, unsigned &)
{
    QStringList l;
    l << QStringLiteral("V2.2");
    if (!rec.names[usi::kSente].isEmpty())
        l << QStringLiteral("N+") + rec.names[usi::kSente];
    if (!rec.names[usi::kGote].isEmpty())
        l << QStringLiteral("N-") + rec.names[usi::kGote];
    for (int row = 1; row <= 9; ++row) {
        QString r = QStringLiteral("P%1").arg(row);
        for (int col = 1; col <= 9; ++col) {
            const int c = rec.start.At(16 * row + col);
            r += c == 0 ? QStringLiteral(" * ")
                        : QLatin1Char(c >= 128 ? '-' : '+') + QLatin1String(kCsaNames[c & 15]);
        }
        l << r;
    }
    for (int side : {usi::kSente, usi::kGote}) {
        QString h;
        for (int k = 7; k >= 1; --k)
            for (int n = 0; n < rec.start.hand[side][k]; ++n)
                h += QStringLiteral("00") + QLatin1String(kCsaNames[k]);
        if (!h.isEmpty())
            l << (side == usi::kSente ? QStringLiteral("P+") : QStringLiteral("P-")) + h;
    }
    l << (rec.start.side == usi::kSente ? QStringLiteral("+") : QStringLiteral("-"));
    usi::Position p = rec.start;
    for (size_t i = 0; i < rec.moves.size(); ++i) {
        const usi::Move &m = rec.moves[i];
        const int code = m.src == usi::kDrop ? m.drop : (p.At(m.src) & 15) + (m.promote ? 8 : 0);
        l << QLatin1Char(p.side == usi::kSente ? '+' : '-') +
                 (m.src == usi::kDrop ? QStringLiteral("00") : SquareText(m.src)) + SquareText(m.dst) +
                 QLatin1String(kCsaNames[code]);
        l << QStringLiteral("T%1").arg(i < rec.seconds.size() ? qMax(0, rec.seconds[i]) : 0);
        p = usi::Apply(p, m);
    }
    for (const auto &e : kCsaEndings)
        if (e.ending == rec.ending && rec.ending != GameEnding::None) {
            l << QLatin1String(e.word);
            break;
        }
    return l.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace detail
} // namespace records
