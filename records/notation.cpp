#include "notation.h"

#include <algorithm>
#include <vector>

namespace records {

namespace {

constexpr int kGoteBit = 128;
constexpr int kPromotedBit = 8;

// By usi code & 15: unpromoted 1..8, promoted 9..15 (no promoted gold).
const char16_t *const kPieceNames[16] = {u"",   u"歩",   u"香",   u"桂",   u"銀", u"金",
                                         u"角", u"飛",   u"玉",   u"と",   u"成香", u"成桂",
                                         u"成銀", u"",     u"馬",   u"龍"};
// Other names met in records, longest first where one is a prefix of another.
const struct
{
    const char16_t *name;
    int code;
} kPieceAliases[] = {{u"成香", 10}, {u"成桂", 11}, {u"成銀", 12}, {u"歩", 1},  {u"香", 2},
                     {u"桂", 3},    {u"銀", 4},    {u"金", 5},    {u"角", 6},  {u"飛", 7},
                     {u"玉", 8},    {u"王", 8},    {u"と", 9},    {u"杏", 10}, {u"圭", 11},
                     {u"全", 12},   {u"馬", 14},   {u"龍", 15},   {u"竜", 15}};
const char16_t kFullDigits[] = u"０１２３４５６７８９";
const char16_t kKanjiRanks[] = u"〇一二三四五六七八九";

int Row(int sq)
{
    return sq >> 4;
}
int Col(int sq)
{
    return sq & 15;
}
// Ranks gained toward the far side.
int Forward(int side, int src, int dst)
{
    return side == usi::kSente ? Row(src) - Row(dst) : Row(dst) - Row(src);
}
// Smaller is further left as the mover sees the board.
int FromLeft(int side, int sq)
{
    return side == usi::kSente ? Col(sq) : 10 - Col(sq);
}
bool IsDragonOrHorse(int code)
{
    return (code & 15) == 14 || (code & 15) == 15;
}
QString Vertical(int side, int src, int dst)
{
    const int f = Forward(side, src, dst);
    return f > 0 ? QStringLiteral("上") : f < 0 ? QStringLiteral("引") : QStringLiteral("寄");
}
bool MayPromote(const usi::Position &p, const usi::Move &m)
{
    if (m.src == usi::kDrop)
        return false;
    usi::Move t = m;
    t.promote = true;
    return usi::IsPseudoLegal(p, t);
}
// Sources of the other pieces like the mover's that can legally reach dst.
std::vector<int> Rivals(const usi::Position &p, int code, int src, int dst)
{
    std::vector<int> out;
    for (int sq = 0x11; sq <= 0x99; ++sq) {
        if (!usi::OnBoard(sq) || sq == src || p.At(sq) != code)
            continue;
        for (bool promote : {false, true}) {
            const usi::Move m{sq, dst, 0, promote};
            if (usi::IsPseudoLegal(p, m) && !usi::InCheck(usi::Apply(p, m), p.side)) {
                out.push_back(sq);
                break;
            }
        }
    }
    return out;
}

int DigitAt(const QString &t, int i, const char16_t *digits)
{
    if (i >= t.size())
        return 0;
    for (int d = 1; d <= 9; ++d)
        if (t[i].unicode() == digits[d])
            return d;
    return 0;
}

} // namespace

QString PieceName(int code)
{
    return QString::fromUtf16(kPieceNames[code & 15]);
}

QString SquareName(int sq)
{
    const int file = 10 - Col(sq);
    return QString(QChar(kFullDigits[file])) + QChar(kKanjiRanks[Row(sq)]);
}

QString Modifiers(const usi::Position &p, const usi::Move &m)
{
    const int side = p.side;
    if (m.src == usi::kDrop) {
        const int code = m.drop + (side == usi::kGote ? kGoteBit : 0);
        return Rivals(p, code, usi::kDrop, m.dst).empty() ? QString() : QStringLiteral("打");
    }
    const int code = p.At(m.src);
    const std::vector<int> others = Rivals(p, code, m.src, m.dst);
    if (others.empty())
        return QString();
    if (!IsDragonOrHorse(code) && Col(m.src) == Col(m.dst) && Forward(side, m.src, m.dst) > 0)
        return QStringLiteral("直");
    const QString v = Vertical(side, m.src, m.dst);
    std::vector<int> sameV;
    for (int o : others)
        if (Vertical(side, o, m.dst) == v)
            sameV.push_back(o);
    if (sameV.empty())
        return v;
    const int mx = FromLeft(side, m.src);
    auto allRight = [&](const std::vector<int> &v2) {
        return std::all_of(v2.begin(), v2.end(), [&](int o) { return FromLeft(side, o) > mx; });
    };
    auto allLeft = [&](const std::vector<int> &v2) {
        return std::all_of(v2.begin(), v2.end(), [&](int o) { return FromLeft(side, o) < mx; });
    };
    if (allRight(others))
        return QStringLiteral("左");
    if (allLeft(others))
        return QStringLiteral("右");
    if (allRight(sameV))
        return QStringLiteral("左") + v;
    if (allLeft(sameV))
        return QStringLiteral("右") + v;
    return v;
}

namespace {

// Western letters by usi code & 15 (0 and 13, promoted gold, are unused).
constexpr const char *kWesternPieces[16] = {"",   "P",  "L",  "N",  "S", "G",  "B",  "R",
                                            "K",  "+P", "+L", "+N", "+S", "", "+B", "+R"};

QString WesternSquare(int sq)
{
    return QString::number(10 - Col(sq)) + QChar('a' + Row(sq) - 1);
}

QString WesternMoveName(const usi::Position &p, const usi::Move &m)
{
    if (m.src == usi::kDrop)
        return QLatin1String(kWesternPieces[m.drop & 15]) + QLatin1Char('*') + WesternSquare(m.dst);
    const int code = p.At(m.src);
    QString s = QLatin1String(kWesternPieces[code & 15]);
    if (!Rivals(p, code, m.src, m.dst).empty())
        s += WesternSquare(m.src);
    s += (p.At(m.dst) ? QLatin1Char('x') : QLatin1Char('-')) + WesternSquare(m.dst);
    if (m.promote)
        s += QLatin1Char('+');
    else if (MayPromote(p, m))
        s += QLatin1Char('=');
    return s;
}

} // namespace

QString MoveName(const usi::Position &p, const usi::Move &m, int prevDst, NotationStyle style)
{
    if (style == NotationStyle::Western)
        return WesternMoveName(p, m);
    const bool kif = style == NotationStyle::Kif;
    QString s;
    if (m.dst == prevDst)
        s = kif ? QStringLiteral("同　") : QStringLiteral("同");
    else
        s = SquareName(m.dst);
    if (m.src == usi::kDrop) {
        s += PieceName(m.drop);
        return s + (kif ? QStringLiteral("打") : Modifiers(p, m));
    }
    s += PieceName(p.At(m.src));
    if (!kif)
        s += Modifiers(p, m);
    if (m.promote)
        s += QStringLiteral("成");
    else if (MayPromote(p, m))
        s += QStringLiteral("不成");
    return s;
}

bool ParseMoveName(const usi::Position &p, const QString &text, int prevDst, usi::Move &out,
                   std::string &err, int *used)
{
    int i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && (text[i].isSpace() || text[i] == QChar(0x3000)))
            ++i;
    };
    skipSpace();
    if (i < text.size() && QStringLiteral("▲△☗☖").contains(text[i]))
        ++i;
    int dst = 0;
    if (i < text.size() && (text[i] == QChar(u'同') || text[i] == QChar(u'仝'))) {
        if (prevDst == 0) {
            err = "同 with no move before";
            return false;
        }
        dst = prevDst;
        ++i;
        skipSpace();
    } else {
        int file = DigitAt(text, i, kFullDigits);
        if (!file && i < text.size() && text[i] >= QChar('1') && text[i] <= QChar('9'))
            file = text[i].unicode() - '0';
        const int rank = DigitAt(text, i + 1, kKanjiRanks);
        if (!file || !rank) {
            err = "no square at the start of the move";
            return false;
        }
        dst = usi::Square(file, rank);
        i += 2;
    }
    int code = 0;
    for (const auto &a : kPieceAliases) {
        const QString name = QString::fromUtf16(a.name);
        if (text.midRef(i, name.size()) == name) {
            code = a.code;
            i += name.size();
            break;
        }
    }
    if (!code) {
        err = "no piece name after the square";
        return false;
    }
    QString mods;
    bool promote = false, drop = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (QStringLiteral("右左上引寄直").contains(c))
            mods += c;
        else if (c == QChar(u'行') || c == QChar(u'入'))
            mods += QChar(u'上');
        else if (c == QChar(u'打'))
            drop = true;
        else if (c == QChar(u'成'))
            promote = true;
        else if (c == QChar(u'生'))
            promote = false;
        else if (c == QChar(u'不') && i + 1 < text.size() && text[i + 1] == QChar(u'成'))
            ++i;
        else
            break;
    }
    int src = 0;
    if (i + 3 < text.size() + 0 && text[i] == QChar('(') && text[i + 3] == QChar(')')) {
        const int f = text[i + 1].digitValue(), r = text[i + 2].digitValue();
        if (f == 0 && r == 0) {
            drop = true; // "(00)": some writers mark drops so
        } else if (f >= 1 && r >= 1) {
            src = usi::Square(f, r);
        } else {
            err = "bad source square";
            return false;
        }
        i += 4;
    }
    if (used)
        *used = i;

    std::vector<usi::Move> fits, boardFits;
    for (const usi::Move &m : usi::LegalMoves(p)) {
        if (m.dst != dst || m.promote != promote)
            continue;
        if (m.src == usi::kDrop) {
            if (m.drop == (code & 15) && !src)
                fits.push_back(m);
        } else if ((p.At(m.src) & 15) == code && !drop && (!src || m.src == src)) {
            boardFits.push_back(m);
        }
    }
    // Without 打 a board move is meant when there is one.
    if (!boardFits.empty())
        fits = boardFits;
    if (fits.size() > 1) {
        std::vector<usi::Move> exact;
        for (const usi::Move &m : fits) {
            QString want = Modifiers(p, m);
            want.remove(QChar(u'打'));
            if (want == mods)
                exact.push_back(m);
        }
        fits = exact;
    }
    if (fits.size() != 1) {
        err = fits.empty() ? "no legal move fits" : "the move fits more than one piece";
        return false;
    }
    out = fits.front();
    return true;
}

} // namespace records
